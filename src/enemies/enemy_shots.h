#pragma once
// The enemies' shots: one per enemy, in the order the enemies were created over all classes, each with
// its x, y, z flight tracks. A shot waits unlaunched from its enemy's appearance until the enemy first
// fires; while it waits its record stays inactive, so it is neither placed, drawn nor able to hit.
// After that it is relaunched each time its previous flight has ended.

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include "core/keyframe_track.h"
#include "enemies/enemy.h"
#include "collision/enemy_record.h"
#include "collision/enemy_shot_record.h"
#include "collision/player_state.h"
#include "render/asset_ref.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"

class EnemyShots : public Drawable {
public:
    static constexpr std::array<AssetRef, 1> kAssets{MeshAsset("x\\enemyatack02.x")};
    // Shots fly one unit per this many ms (two units a frame).
    static constexpr double kMsPerUnit = 16.666666666666668;
    // Every flight ends at this depth, behind the ship.
    static constexpr double kEndDepth = -10.0;
    // The flight's length is reckoned in depth to this plane.
    static constexpr double kFarPlane = -20.0;
    static constexpr std::int32_t kStraight = 1;
    static constexpr std::int32_t kAimed = 2;

    bool LoadModel();
    // A new shot with three tracks; only while the timetable is built.
    void AddShot(const EnemyShotRecord& record);
    // Once the timetable is built: every track gets two keys holding the shot where it was created, so
    // nothing reads an unset key.
    void SetRestingKeys();
    // Back to waiting for a first launch (at the enemy's appearance and at a new game).
    void Unlaunch(std::size_t i) { launched_[i] = 0; }

    // Unlaunched, or its last flight has run its whole time.
    bool ReadyToFire(std::size_t i, std::uint32_t now) const;
    // Fires shot i from the enemy: straight along its heading, or aimed at the ship.
    void Launch(std::size_t i, const EnemyRecord& enemy, const PlayerState& ship, std::uint32_t now);
    // Every flying shot takes its place from its tracks and is kept as this frame shows it (a shot the
    // ship stops later in the frame is still drawn).
    void Place(std::uint32_t now);
    // The shots the last placing kept.
    void Draw() const;

    std::vector<EnemyShotRecord>& Records() { return shots_; }
    const std::vector<EnemyShotRecord>& Records() const { return shots_; }
    std::size_t Count() const { return shots_.size(); }
    bool Launched(std::size_t i) const { return launched_[i] != 0; }
    const KeyframeTrack& FlightX(std::size_t i) const { return fx_[i]; }
    const KeyframeTrack& FlightY(std::size_t i) const { return fy_[i]; }
    const KeyframeTrack& FlightZ(std::size_t i) const { return fz_[i]; }

private:
    MeshResource mesh_;
    std::vector<EnemyShotRecord> shots_;
    std::vector<EnemyPose> shown_;
    // Held beside the records so the record keeps the layout the boss bullets share.
    std::vector<std::uint8_t> launched_;
    std::deque<KeyframeTrack> fx_;
    std::deque<KeyframeTrack> fy_;
    std::deque<KeyframeTrack> fz_;
};
