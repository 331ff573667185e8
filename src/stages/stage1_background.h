#pragma once
// Stage 1: a city seen from low altitude. Buildings and towers stand along the flight path, come
// towards the ship at 20 units a second and topple away from the centre line as they come; the enemy
// base comes into view far ahead and, once it is close, narrows the ship's flight area.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/keyframe_track.h"
#include "platform/gfx/math.h"
#include "render/asset_ref.h"
#include "render/mesh_resource.h"
#include "render/textured_mesh.h"
#include "collision/scenery_items.h"
#include "stages/stage_background.h"

class Stage1Background : public StageBackground {
public:
    static constexpr std::size_t kBuildingCount = 21;
    // Units per millisecond towards the ship.
    static constexpr double kSpeed = 0.02;
    // The buildings are seen (and the ground drawn) while the base is farther than this.
    static constexpr float kItemsUntilDepth = 200.0f;
    // The flight area narrows once the base is nearer than this.
    static constexpr float kConfineDepth = 280.0f;
    static constexpr double kToppleStep = 2.0;  // degrees per frame
    static constexpr double kToppledRoll = 90.0;

    Stage1Background();

    // The meshes and pictures Load loads, in its order.
    static std::span<const AssetRef> Assets();

    bool Load() override;
    void Reset(std::uint32_t now) override;
    void Step(std::uint32_t now) override;
    void Draw() const override;

    // The obstacle records; built once, never moved.
    std::span<BuildingItem> Buildings() { return items_; }
    const KeyframeTrack& BuildingTrack(std::size_t i) const { return tracks_[i]; }
    // A byte a boss of this stage raises; a reset clears it.
    std::uint8_t* Stage1Flag() { return &stage1Flag_; }

    float LandmarkZ() const { return landmark_.z; }
    std::uint8_t LandmarkVisible() const { return landmarkVisible_; }
    float GroundScroll() const { return groundScroll_; }

private:
    struct Landmark {
        float x = 0.0f, y = 0.0f, z = 0.0f;
    };

    // What one frame shows, kept by Step for Draw.
    struct Shown {
        std::array<BuildingItem, kBuildingCount> buildings;
        std::array<std::uint8_t, kBuildingCount> buildingShown{};
        std::uint8_t itemsShown = 0;
        Landmark landmark;
        std::uint8_t landmarkVisible = 0;
        float groundScroll = 0.0f;
    };

    void Move(std::uint32_t now);
    void Keep(std::uint32_t now);
    void DrawBuildings() const;
    void DrawLandmarkAndGround() const;

    std::array<BuildingItem, kBuildingCount> items_;
    std::array<BuildingItem, kBuildingCount> placement_;
    std::array<KeyframeTrack, kBuildingCount> tracks_;

    Landmark landmark_;
    std::uint8_t landmarkVisible_ = 0;
    KeyframeTrack landmarkZTrack_;
    KeyframeTrack landmarkYTrack_;

    float groundScroll_ = 0.0f;
    Shown shown_;
    std::uint8_t stage1Flag_ = 0;

    MeshResource ground_;
    MaterialTextures groundTextures_;
    MeshResource building_;
    MaterialTextures buildingTextures_;
    MeshResource base_;
    MeshResource tower_;
    MeshResource sky_;
};
