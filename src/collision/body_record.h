#pragma once
// A boss's body as the battle controller, the hit tests and the homing bomb's lock-on see it.

#include <cstdint>

struct BodyRecord {
    double x = 0.0, y = 0.0, z = 0.0;
    double reserved[3] = {};
    double yaw = 0.0, pitch = 0.0, roll = 0.0;  // radians
    // Drawn, updated and hit-tested while 1.
    std::uint8_t active = 0;
    std::int32_t life = 0;
    std::int32_t lifeMax = 0;
    // Stage-clock milliseconds at which the boss enters.
    std::uint32_t appearAt = 0;
    // Set at entry: a boss never enters twice in a game.
    std::uint8_t appeared = 0;
    std::int32_t reservedInts[2] = {};
    double rh = 0.0, rv = 0.0, rz = 0.0;
    // Which camera introduction plays at entry (1..7).
    std::int32_t introKind = 0;
    // Set by a hit; the next draw shows the boss translucent and clears it.
    std::uint8_t hitFlash = 0;
    // 1 while the boss's own logic places it instead of its sway tracks.
    std::uint8_t holdPosition = 0;
    // 1 while the shields take the player's shots and life stays.
    std::uint8_t shielded = 0;
    std::int32_t stage = 0;
    std::int32_t spare = 0;
};
