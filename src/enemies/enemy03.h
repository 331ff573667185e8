#pragma once
// A pod that flies straight to its end point, turned to face it.

#include "enemies/enemy.h"

class Enemy03 : public Enemy {
public:
    void UpdateAndDraw(std::uint32_t now) override;
    void Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs) override;
    bool Load() override;
};
