#pragma once
// A dart that flies straight at the ship's plane, keeping the attitude the timetable gave it.

#include "enemies/enemy.h"

class Enemy01 : public Enemy {
public:
    void UpdateAndDraw(std::uint32_t now) override;
    void Order(std::int32_t index, double x, double y, double z, std::int32_t durationMs) override;
    bool Load() override;
};
