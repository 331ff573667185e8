#pragma once
// One enemy shot. It keeps its position, damage and radii where a boss bullet keeps them, so the same
// player hit rule reads both; the shot's tracks are held by the shot pool beside the records.

#include <cstdint>

struct EnemyShotRecord {
    double x = 0.0, y = 0.0, z = 0.0;
    double yaw = 0.0, pitch = 0.0, roll = 0.0;  // radians, set at each launch
    std::uint8_t active = 0;
    std::int32_t damage = 1;
    // Where a boss bullet keeps its draw scale and working values; enemy shots leave them zero.
    double unused[5] = {};
    double rh = 1.0, rv = 1.0, rz = 1.0;
};
