#pragma once
// One ordinary enemy. Its motion tracks are held by its class beside the record array, so the record
// stays plain and is copied freely: into the master copies, the bomb's target list and the hit tests.

#include <cstdint>

struct EnemyRecord {
    double x = 0.0, y = 0.0, z = 0.0;
    // End point of its movement order.
    double targetX = 0.0, targetY = 0.0, targetZ = 0.0;
    // Spawn position; the circling classes turn around it.
    double homeX = 0.0, homeY = 0.0, homeZ = 0.0;
    double yaw = 0.0, pitch = 0.0, roll = 0.0;  // radians
    std::uint8_t active = 0;
    // The enemy dies when this falls below 0.
    std::int32_t hitPoints = 0;
    // Stage-clock milliseconds at which it appears.
    std::uint32_t spawnTime = 0;
    // Set once it has appeared: it never appears twice in a game.
    std::uint8_t spawned = 0;
    std::int32_t shotIndex = 0;
    // 1: straight along its heading; 2: aimed at the player.
    std::int32_t fireKind = 0;
    double rh = 1.0, rv = 1.0, rz = 1.0;
    std::int32_t stage = 0;
    std::int32_t spare = 0;
};
