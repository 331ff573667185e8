#pragma once
// The rings (life) and bomb items (bomb stock) of the three stages. Each drifts towards the ship from
// its place in the stage, stands still while a boss battle runs, and is collected by touching it; a
// collected one shrinks away (a bomb item also rises and fades) and a ring leaves a sparkle on the ship.

#include <array>
#include <cstdint>

#include "core/keyframe_track.h"
#include "collision/collision_tests.h"
#include "collision/pickup_record.h"
#include "collision/ship_life.h"
#include "collision/player_state.h"
#include "player/sparkles.h"
#include "render/asset_ref.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"

class Pickups : public Drawable {
public:
    static constexpr int kSlots = 10;
    static constexpr int kRingCount = kSlots;
    static constexpr int kBombItemCount = kSlots;
    using Records = std::array<PickupRecord, kSlots>;
    static constexpr std::int32_t kRingLife = 50;
    static constexpr std::int32_t kMaxBombs = 5;

    // The ring and the bomb item; the sparkles' picture follows them in the loads.
    static constexpr std::array<AssetRef, 2> kAssets{MeshAsset("x\\ring.x"), MeshAsset("x\\bomb.x")};

    Pickups();
    // The ring and bomb meshes, then the sparkles' picture (bound to the same device).
    bool Load();
    // Clears every record and places the pickups of all three stages anew, drifting from now.
    void Reset(std::uint32_t now);

    // Once per frame: moves the current stage's pickups that have appeared, shrinks the collected ones and
    // hides those that are gone, and keeps which of them this frame shows (the stage clock moves on
    // later in the frame). Ends a boss battle's pause for them (and for everything that paused before
    // them this frame).
    void Update(std::uint32_t now);
    // The pickups the last update kept.
    void Draw() const;
    // The ring sparkles, following the ship.
    void StepSparkles(std::uint32_t now, const PlayerState& ship) { sparkles_.Step(now, ship); }
    void DrawSparkles() const { sparkles_.Draw(); }

    // The ship's touch of every shown, not yet collected pickup of the current stage; a ring asks the
    // ship's owner for the life it gives. Only a live ship collects.
    void Collect(std::uint32_t now, PlayerState& ship, ShipLife& life);
    // One collection each, for a caller that walks the lists itself.
    void TakeRing(std::uint32_t now, int index, PlayerState& ship, ShipLife& life);
    void TakeBombItem(std::uint32_t now, int index, PlayerState& ship);

    Records& Rings() { return rings_; }
    Records& BombItems() { return bombItems_; }
    const Sparkles& SparkleEffects() const { return sparkles_; }

private:
    // Whether the record takes part in this frame: of the current stage, shown and due.
    static bool Present(const PickupRecord& r, std::int32_t stage, std::uint32_t elapsed);
    using Tracks = std::array<KeyframeTrack, kSlots>;
    void Pass(std::uint32_t now, Records& records, Tracks& zTracks, const Tracks& shrinkTracks, bool bombItems);
    void Take(std::uint32_t now, PickupRecord& r, KeyframeTrack& shrink);
    void DrawBombItem(const PickupRecord& r) const;

    CollisionTests hits_;
    Records rings_;
    Records bombItems_;
    Tracks ringZ_;
    Tracks ringShrink_;
    Tracks itemZ_;
    Tracks itemShrink_;
    MeshResource ringMesh_;
    MeshResource bombMesh_;
    Sparkles sparkles_;
    // The records as the last update showed them, rings first.
    std::array<PickupRecord, 2 * kSlots> shown_;
    int ringsShown_ = 0;
    int shownCount_ = 0;
};
