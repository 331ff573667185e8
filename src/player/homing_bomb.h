#pragma once
// The homing bomb: one bomb at a time, taken from the ship's stock, flown at the nearest enemy (or at
// the locked-on boss during a battle); on arrival it opens a blast that lasts 2500 ms. It is armed by
// the bomb button; while it is armed the game fetches the target lists and hands them to a launch.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/input_state.h"
#include "core/keyframe_track.h"
#include "collision/body_record.h"
#include "collision/enemy_record.h"
#include "collision/player_shot.h"
#include "collision/player_state.h"
#include "render/asset_ref.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"

class HomingBomb : public Drawable {
public:
    static constexpr std::uint32_t kSideFlightMs = 800;
    static constexpr std::uint32_t kDepthFlightMs = 500;
    // How long the blast stays open after the bomb arrives; no new bomb is armed meanwhile.
    static constexpr std::uint32_t kBlastMs = 2500;
    // A target is only taken strictly between the ship's back and this depth.
    static constexpr double kReach = 500.0;
    // During a battle the bomb bursts this far ahead of the ship.
    static constexpr double kBossBurstAhead = 25.0;

    static constexpr std::array<AssetRef, 1> kAssets{MeshAsset("x\\atack03.x")};

    HomingBomb();
    bool Load();
    void Reset();

    // Stores the codes and arms the bomb when its button is held, the stock is not empty, no bomb flies
    // and the last blast is over.
    void Update(std::uint32_t now, const InputState& codes, const PlayerState& ship);
    // Each answers whether a bomb was launched; either way the bomb is disarmed. A launch spends one bomb.
    bool LaunchAtEnemies(std::uint32_t now, const std::vector<EnemyRecord>& targets, PlayerState& ship);
    bool LaunchAtBoss(std::uint32_t now, const std::vector<BodyRecord>& targets, PlayerState& ship);
    // The one the running battle state calls for: the boss's list during a battle, the enemies' otherwise.
    bool Launch(std::uint32_t now, const std::vector<EnemyRecord>& enemies, const std::vector<BodyRecord>& bosses,
                PlayerState& ship);
    // Clears the bomb when it arrives and opens the blast; closes the blast kBlastMs after the arrival.
    void Expire(std::uint32_t now);
    // Moves the flying bomb along its tracks and keeps it as this frame shows it (a bomb launched after
    // the step first shows at the next).
    void Step(std::uint32_t now);
    // The bomb as the last step kept it.
    void Draw() const;

    std::uint8_t Armed() const { return armed_; }
    std::uint8_t Blast() const { return blast_; }
    bool Flying() const { return bomb_.active != 0; }
    // Where the bomb was sent: the target's position at launch (only the position is set). The enemies
    // in reach of the blast around it are destroyed.
    EnemyRecord BlastCentre() const { return centre_; }
    // The bomb's record, whose address may be handed out.
    PlayerShot& Shot() { return bomb_; }
    const PlayerShot& Shot() const { return bomb_; }
    const InputState& Codes() const { return codes_; }

private:
    static PlayerShot ClearedBomb();
    bool CanLaunch(double targetZ, const PlayerState& ship) const;
    void Fly(std::uint32_t now, double x, double y, double z, double burstZ, PlayerState& ship);
    // Milliseconds since the last bomb arrived (signed: negative while it is still on its way).
    std::int32_t SinceArrival(std::uint32_t now) const;

    PlayerShot bomb_;
    KeyframeTrack trackX_;
    KeyframeTrack trackY_;
    KeyframeTrack trackZ_;
    MeshResource mesh_;
    InputState codes_;
    std::uint8_t armed_ = 0;
    std::uint8_t blast_ = 0;
    // No bomb has flown since the reset: nothing holds the next one back.
    bool fresh_ = true;
    EnemyRecord centre_;
    std::optional<PlayerShot> shown_;
};
