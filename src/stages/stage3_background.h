#pragma once
// Stage 3: a flower field under a sky. Flowers of five petals come towards the ship and burst open
// before it; the sky and the ground change their pictures after each of the stage's middle bosses
// (fading out and in), and in the final phase give way to a lone planet.

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

class Stage3Background : public StageBackground {
public:
    static constexpr std::size_t kPetalsPerFlower = 5;
    static constexpr std::size_t kFlowerCount = 26;
    static constexpr std::size_t kPetalCount = kFlowerCount * kPetalsPerFlower;
    // Units per millisecond towards the ship.
    static constexpr double kSpeed = 0.02;
    static constexpr double kPathEnd = -10.0;
    static constexpr double kRetireDepth = -9.0;
    // The radius the ship must keep clear of a petal.
    static constexpr double kPetalRadius = 3.0;
    // A petal sits this far from its flower's centre, bursts 10 out and drifts on to 30.
    static constexpr double kPetalRing = 5.0;
    static constexpr double kBurst = 10.0;
    static constexpr double kDrift = 30.0;
    static constexpr std::uint32_t kFadeMs = 1000;
    // The new pictures are taken half-way through the fade, when the scenery is fully faded out.
    static constexpr std::uint32_t kVariantSwitchMs = 500;
    static constexpr std::int32_t kPlanetVariant = 4;
    static constexpr double kPlanetX = 0.0, kPlanetY = 0.0, kPlanetZ = 400.0;

    Stage3Background();

    // The meshes and pictures Load loads, in its order.
    static std::span<const AssetRef> Assets();

    bool Load() override;
    void Reset(std::uint32_t now) override;
    void Step(std::uint32_t now) override;
    void Draw() const override;

    // The obstacle records; built once, never moved.
    std::span<PetalItem> Petals() { return petals_; }
    const KeyframeTrack& PetalXTrack(std::size_t i) const { return xTracks_[i]; }
    const KeyframeTrack& PetalYTrack(std::size_t i) const { return yTracks_[i]; }
    const KeyframeTrack& PetalZTrack(std::size_t i) const { return zTracks_[i]; }

    void SetInputState(const InputState* input) { turn_.SetInputState(input); }
    void SetPlayerState(const PlayerState* player) { turn_.SetPlayerState(player); }
    void SetDashing(const std::int32_t* dashing) { turn_.SetDashing(dashing); }
    const SceneryTurn& SceneryTurning() const { return turn_; }

    // The sky's and the ground's opacity this frame: 1 unless a change of pictures is fading.
    double Fade() const { return fade_; }

private:
    // What one frame shows, kept by Step for Draw.
    struct Shown {
        std::array<PetalItem, kPetalCount> petals;
        double yaw = 0.0;
        double pitch = 0.0;
        std::int32_t variant = 1;
        double fade = 1.0;
    };

    void Move(std::uint32_t now);
    void TakeSceneryChange(std::uint32_t now);
    void DrawPetals() const;
    void DrawSkyAndGround() const;
    void DrawPlanet() const;
    void TurnedWorld(double x, double y, double z) const;

    std::array<PetalItem, kPetalCount> petals_;
    std::array<PetalItem, kPetalCount> placement_;
    std::array<KeyframeTrack, kPetalCount> zTracks_;
    std::array<KeyframeTrack, kPetalCount> xTracks_;
    std::array<KeyframeTrack, kPetalCount> yTracks_;
    SceneryTurn turn_;
    Shown shown_;

    KeyframeTrack fadeTrack_;
    std::uint8_t fading_ = 0;
    // The change being faded in has handed its variant over; one hand-over per change.
    std::uint8_t variantTaken_ = 1;
    double fade_ = 1.0;

    MeshResource petal_;
    MaterialTextures petalTextures_;
    MeshResource sky_;
    std::array<MaterialTextures, 3> skySets_;
    MeshResource ground_;
    std::array<MaterialTextures, 3> groundSets_;
    MeshResource planet_;
    MaterialTextures planetTextures_;
};

// The texture set (1 to 3) the sky and the ground wear for a variant; any value outside 1 to 3 wears
// the first (the planet's variant shows neither).
int SceneryTextureSet(std::int32_t variant);
