#pragma once
// The stage-1 final boss: a fortress core behind a barrier, circled by three shields and three launch
// holes. While a shield stands the player's shots cannot hurt the core (the bomb's blast still does); once
// its life falls below 200 seven more holes open around it. It alternates, at random, between a volley of
// shots from every open hole at where the player was and a volley of beams straight out of the holes.

#include <array>
#include <cstdint>
#include <span>

#include "core/keyframe_track.h"
#include "core/track3.h"
#include "bosses/boss.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"

class Bboss02 : public Boss {
public:
    static constexpr int kShotList = 0;
    static constexpr int kBeamList = 1;
    static constexpr int kHoleCount = 10;
    // Holes 1 to 3 circle the core from the start; the rest open at low life.
    static constexpr int kCirclingHoles = 3;
    static constexpr int kShieldCount = 3;
    static constexpr std::int32_t kShieldLife = 10;
    static constexpr double kShieldRadius = 1.5;
    static constexpr double kOrbitRadius = 7.0;
    static constexpr std::int32_t kShotDamage = 20;
    static constexpr std::int32_t kBeamDamage = 20;
    static constexpr std::int32_t kHolesOpenBelow = 200;
    static constexpr std::uint32_t kHoleOpenStepMs = 100;
    static constexpr double kHoleGrowStep = 0.05;
    static constexpr double kHoleFullSize = 0.8;
    static constexpr std::uint32_t kAttackGate = 5000;
    // How long a shot takes from its hole to where the player was.
    static constexpr std::uint32_t kShotFlightMs = 1500;
    // Shot tracks start this far before the launch tick, so the launch frame already reads them in flight.
    static constexpr std::uint32_t kShotLead = 100;
    static constexpr std::uint32_t kBeamMs = 3000;
    static constexpr std::uint32_t kBarrierFlashMs = 500;
    static constexpr std::uint32_t kGlowStepMs = 50;
    static constexpr double kBarrierAhead = 6.0;
    // A volley ends early once its first shot has come this near.
    static constexpr double kPlayerDepth = 15.0;
    static constexpr float kBarrierAlpha = 0.5f;
    static constexpr std::uint32_t kBarrierFactor = 0x80FFFFFFu;
    static constexpr float kBeamAlpha = 0.3f;
    static constexpr std::uint32_t kBeamFactor = 0x4DFFFFFFu;

    struct Hole {
        double x = 0.0, y = 0.0, z = 0.0;
        std::uint8_t active = 0;
        double size = 0.0;
    };

    Bboss02();

    bool Load() override;
    // Every mesh and picture it loads, in the order it loads them.
    static std::span<const AssetRef> Assets();
    // Also sets the shields and the circling holes turning from their first places.
    void Start(std::uint32_t now, int set) override;
    void Reset() override;

    std::span<BodyRecord> ExtraBodies() override { return shields_; }
    void ShieldsDown() override { barrier_.active = 0; }

    std::uint8_t AttackAReady() const { return attackAReady_; }
    std::uint8_t AttackBReady() const { return attackBReady_; }
    std::uint8_t Attacking() const { return attacking_; }
    std::uint8_t BarrierUp() const { return barrier_.active; }
    bool BarrierOpaque() const { return barrierFlashing_ && now_ - barrierFlashAt_ < kBarrierFlashMs; }
    const BodyRecord& Barrier() const { return barrier_; }
    const BodyRecord& Shield(int i) const { return shields_[static_cast<std::size_t>(i)]; }
    // Hole 1 to 10, as the game numbers them.
    const Hole& HoleAt(int number) const { return holes_[static_cast<std::size_t>(number - 1)]; }
    int GlowCell() const { return glowCell_; }
    const KeyframeTrack& ShotX(int entry) const { return shot_[entry].x; }
    const KeyframeTrack& ShotY(int entry) const { return shot_[entry].y; }
    const KeyframeTrack& ShotZ(int entry) const { return shot_[entry].z; }
    const KeyframeTrack& BeamWidth() const { return beamWidth_; }

private:
    enum Mesh : std::size_t { kBodyMesh, kShieldMesh, kBarrierMesh, kShotMesh, kBeamMesh, kMeshCount };

    void StepBody(std::uint32_t now) override;
    void StepParts(std::uint32_t now) override;
    void PlaceShields();
    void PlaceBarrier();
    void BodyEffects();
    void LaunchHoles();
    void AttackA();
    void MoveShots();
    void MoveBeams();
    void AttackB();
    // The random draw after an attack: 0 the shots next, 1 the beams.
    void ChooseNext();
    void EndAttack();
    bool CanAttack() const;
    bool ShotsOver() const;
    bool BeamsOver() const;
    void PlaceOnOrbit(double angleDegrees, double* x, double* y) const;
    // A mesh placed without turning or scaling.
    static platform::Matrix At(double x, double y, double z);

    std::array<BodyRecord, kShieldCount> shields_;
    BodyRecord barrier_;
    std::array<Hole, kHoleCount> holes_;
    KeyframeTrack shieldAngle_[kShieldCount];
    KeyframeTrack holeAngle_[kCirclingHoles];
    Track3 shot_[kHoleCount];
    KeyframeTrack beamWidth_;
    KeyframeTrack beamHeight_;
    KeyframeTrack beamLength_;
    KeyframeTrack beamDepth_;
    std::uint8_t attackAReady_ = 1;
    std::uint8_t attackBReady_ = 0;
    std::uint8_t attacking_ = 0;
    // The barrier took a hit on the core at barrierFlashAt_.
    std::uint8_t barrierFlashing_ = 0;
    std::uint32_t barrierFlashAt_ = 0;
    // The late holes open on a schedule from the tick the core's life was first seen below the mark.
    std::uint8_t opening_ = 0;
    std::uint32_t openingStart_ = 0;
    int holesOpened_ = 0;
    int glowCell_ = 0;
    std::uint32_t glowStepAt_ = 0;
    platform::TexturePtr holeTexture_;
    platform::TexturePtr glowTexture_;
    platform::VertexBufferPtr holeQuad_;
    platform::VertexBufferPtr glowQuad_;
};
