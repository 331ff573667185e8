#pragma once
// The instrument panel over the game scene: the life gauge, the boss's life gauge in the right-hand
// frame, the dash gauge, the radar with a mark for every enemy near the ship, and the bomb stock with
// its pick-up animation. Stepped with a copy of the ship's record; drawn inside the game frame's first
// sprite bracket.

#include <cstdint>
#include <span>
#include <vector>

#include "collision/collision_tests.h"
#include "collision/enemy_record.h"
#include "platform/gfx/device_types.h"
#include "platform/gfx/math.h"
#include "platform/gfx/texture.h"
#include "collision/player_state.h"
#include "render/asset_ref.h"
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

    // The pictures Load loads, in its order.
    static std::span<const AssetRef> Assets();

    bool Load();
    // The game object hands over every enemy record once at load; the records must never move.
    void AddRadarTarget(const EnemyRecord* enemy);
    // The bomb stock's animation, and what the frame shows of the ship, the boss and the radar.
    void Step(std::uint32_t now, PlayerState state);
    // Inside a sprite bracket: what the last Step kept.
    void Draw();

    // Written by the boss roster every frame of a battle; the address stays valid for the whole run.
    std::int32_t* BossGaugeValue() { return &bossGauge_; }
    std::int32_t ShownBombs() const { return shownBombs_; }
    bool PickupRunning() const { return pickupRunning_ != 0; }
    std::size_t RadarTargetCount() const { return radar_.size(); }

private:
    // What one frame shows, kept by Step for Draw.
    struct Shown {
        std::int32_t life = 0;
        std::int32_t dash = 0;
        std::int32_t bossGauge = kBossGaugeEmpty;
        std::vector<platform::Vector2> radarMarks;
        bool pickupShown = false;
        platform::Rect pickupCell{};
        float pickupY = 0.0f;
        std::int32_t bombIcons = 0;
    };

    void StepBombStock(std::uint32_t now, std::int32_t bombs);
    void DrawGauges();
    void DrawBossGauge();
    void DrawRadar();
    void DrawBombStock();

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
    Shown shown_;
};
