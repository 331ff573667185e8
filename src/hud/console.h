#pragma once
// The instrument panel over the game scene: the life gauge, the boss's life gauge in the right-hand
// frame, the dash gauge, the radar with a mark for every enemy near the ship, and the bomb stock with
// its pick-up animation. Drawn inside the game frame's first sprite bracket with a copy of the ship's
// record.

#include <cstdint>
#include <vector>

#include "collision/collision_tests.h"
#include "collision/enemy_record.h"
#include "platform/gfx/texture.h"
#include "collision/player_state.h"
#include "render/drawable.h"

class Console : public Drawable {
public:
    static constexpr std::int32_t kLifeBarWidth = 223;
    static constexpr std::int32_t kDashMax = 157;
    static constexpr std::int32_t kMaxBombIcons = 5;
    static constexpr std::int32_t kStartBombIcons = 3;
    // The boss roster's gauge arithmetic: 223 is an empty gauge, 0 a full one.
    static constexpr std::int32_t kBossGaugeEmpty = 223;
    static constexpr std::uint32_t kPickupStepMs = 25;

    Console() = default;
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    bool Load();
    // The game object hands over every enemy record once at load; the records must never move.
    void AddRadarTarget(const EnemyRecord* enemy);
    void Draw(std::uint32_t now, PlayerState state);

    // Written by the boss roster every frame of a battle; the address stays valid for the whole run.
    std::int32_t* BossGaugeValue() { return &bossGauge_; }
    std::int32_t ShownBombs() const { return shownBombs_; }
    bool PickupRunning() const { return pickupRunning_ != 0; }
    std::size_t RadarTargetCount() const { return radar_.size(); }

private:
    void DrawGauges(const PlayerState& state);
    void DrawBossGauge();
    void DrawRadar(const PlayerState& state);
    void DrawBombStock(std::uint32_t now, std::int32_t bombs);

    platform::TexturePtr console_;
    platform::TexturePtr pickup_;
    std::vector<const EnemyRecord*> radar_;
    CollisionTests tests_;
    std::int32_t shownBombs_ = kStartBombIcons;
    std::uint8_t pickupRunning_ = 0;
    float pickupU_ = 0.0f;
    float pickupV_ = 0.0f;
    std::uint32_t pickupLastStep_ = 0;
    std::int32_t pickupInterval_ = static_cast<std::int32_t>(kPickupStepMs);
    std::int32_t bossGauge_ = kBossGaugeEmpty;
};
