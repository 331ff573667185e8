#pragma once
// Stage 2: outer space. Rocks at fixed points and a star field scattered at random come towards the
// ship; the planet hangs far ahead and turns slowly with the movement buttons.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/input_state.h"
#include "core/keyframe_track.h"
#include "collision/player_state.h"
#include "render/asset_ref.h"
#include "render/mesh_resource.h"
#include "render/textured_mesh.h"
#include "collision/scenery_items.h"
#include "stages/scenery_turn.h"
#include "stages/stage_background.h"

class Stage2Background : public StageBackground {
public:
    static constexpr std::size_t kRockCount = 7;
    static constexpr std::size_t kStarCount = 180;
    // Units per millisecond towards the ship.
    static constexpr double kSpeed = 0.02;
    // Every item's path ends here, behind the ship.
    static constexpr double kPathEnd = -10.0;
    static constexpr double kRockRetireDepth = -5.0;
    static constexpr double kStarRetireDepth = -10.0;
    static constexpr double kRockRadius = 13.0;
    static constexpr double kStarRadius = 1.0;
    static constexpr std::int32_t kStarHitPoints = 20;
    static constexpr double kPlanetX = 0.0, kPlanetY = 0.0, kPlanetZ = 400.0;

    // The star field is scattered with the game's random generator, so it differs from run to run.
    Stage2Background();

    // The meshes and pictures Load loads, in its order.
    static std::span<const AssetRef> Assets();

    bool Load() override;
    void Reset(std::uint32_t now) override;
    void Step(std::uint32_t now) override;
    void Draw() const override;

    // The obstacle records; built once, never moved.
    std::span<SpaceItem> Rocks() { return rocks_; }
    std::span<SpaceItem> Stars() { return stars_; }
    const KeyframeTrack& RockTrack(std::size_t i) const { return rockTracks_[i]; }
    const KeyframeTrack& StarTrack(std::size_t i) const { return starTracks_[i]; }

    void SetInputState(const InputState* input) { turn_.SetInputState(input); }
    void SetPlayerState(const PlayerState* player) { turn_.SetPlayerState(player); }
    void SetDashing(const std::int32_t* dashing) { turn_.SetDashing(dashing); }
    const SceneryTurn& PlanetTurn() const { return turn_; }

private:
    // What one frame shows, kept by Step for Draw.
    struct Shown {
        std::array<SpaceItem, kRockCount> rocks;
        std::array<SpaceItem, kStarCount> stars;
        double yaw = 0.0;
        double pitch = 0.0;
    };

    void Move(std::uint32_t now);

    std::array<SpaceItem, kRockCount> rocks_;
    std::array<SpaceItem, kRockCount> rockPlacement_;
    std::array<SpaceItem, kStarCount> stars_;
    std::array<SpaceItem, kStarCount> starPlacement_;
    std::array<KeyframeTrack, kRockCount> rockTracks_;
    std::array<KeyframeTrack, kStarCount> starTracks_;
    SceneryTurn turn_;
    Shown shown_;

    MeshResource rock_;
    MaterialTextures rockTextures_;
    MeshResource star_;
    MaterialTextures starTextures_;
    MeshResource planet_;
    MaterialTextures planetTextures_;
};
