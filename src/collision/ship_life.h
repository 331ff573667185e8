#pragma once
// The ship's life belongs to the player, which alone changes it: whatever hurts or heals the ship (a
// boss's bullet, a black hole's grip, a ring) asks through this, and the player keeps the life within
// 0 and full.

#include <cstdint>

class ShipLife {
public:
    virtual void Damage(std::int32_t amount) = 0;
    virtual void Heal(std::int32_t amount) = 0;

protected:
    ~ShipLife() = default;
};
