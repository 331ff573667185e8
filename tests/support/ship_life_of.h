#pragma once
// The ship's owner as the boss roster and the pickups ask it, for tests that run them without a player:
// the life kept within 0 and full, as the player keeps it.

#include <algorithm>
#include <cstdint>

#include "collision/player_state.h"
#include "collision/ship_life.h"

class ShipLifeOf : public ShipLife {
public:
    explicit ShipLifeOf(PlayerState* ship) : ship_(ship) {}
    void Damage(std::int32_t amount) override { ship_->life = std::max(ship_->life - amount, 0); }
    void Heal(std::int32_t amount) override {
        if (ship_->life < PlayerState::kFullLife) ship_->life = std::min(ship_->life + amount, PlayerState::kFullLife);
    }

private:
    PlayerState* ship_;
};
