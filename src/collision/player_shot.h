#pragma once
// One projectile of the main gun or the homing bomb. The pools are fixed arrays whose addresses the enemy
// manager and the boss roster keep, so the records never move; each shot's motion tracks live beside its
// pool (track i belongs to shot i) so that the record stays copyable for the hit tests.

#include <cstdint>

struct PlayerShot {
    static constexpr std::int32_t kMainGunDamage = 1;
    static constexpr double kMainGunExtent = 5.0;
    static constexpr std::int32_t kBombDamage = 100;
    static constexpr double kBombExtent = 1.0;

    double x = 0.0, y = 0.0, z = 0.0;
    double yaw = 0.0, pitch = 0.0, roll = 0.0;  // degrees, the ship's at launch
    std::uint8_t active = 0;
    // Hit points an enemy loses per hit.
    std::int32_t damage = kMainGunDamage;
    double rh = kMainGunExtent, rv = kMainGunExtent, rz = kMainGunExtent;
};
