#pragma once
// A gunship that circles its spawn point while it closes in, turned to face its end point.

#include "enemies/enemy.h"

class Enemy05 : public Enemy {
public:
    void UpdateAndDraw(std::uint32_t now) override;
    void Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs) override;
    bool Load() override;
};
