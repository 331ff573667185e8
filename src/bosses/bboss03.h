#pragma once
// The knight of deep space, stage 2's first boss: an armoured figure with a halo, a thruster pack and
// wings. It sways sideways and picks its attacks at random among three: a fan of long swords that sweep
// round it at several heights, a volley of rings the ship must keep inside the hole of, and a dash along
// one of six paths that leaves a trail of afterimages behind its wings. The dash always comes first.

#include <array>
#include <cstdint>
#include <span>

#include "core/keyframe_track.h"
#include "core/track3.h"
#include "bosses/boss.h"
#include "platform/gfx/math.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"

class Bboss03 : public Boss {
public:
    static constexpr int kSwordList = 0;
    static constexpr int kRingList = 1;
    static constexpr int kWingList = 2;

    // The sword fan: one blade always, the others each on a coin toss, stacked at these heights apart.
    static constexpr std::size_t kSwordCount = 5;
    static constexpr std::int32_t kSwordDamage = 30;
    static constexpr double kSwordSpacing = 4.0;
    // The hit point circles the body this far out; the blades are drawn to reach it.
    static constexpr double kSwordReach = 25.0;
    static constexpr double kSwordStartScale = 0.1;
    // Rings: the rim hurts out to kRingRadius (plus the ship's half-size); the hole in the middle is safe.
    static constexpr std::size_t kRingCount = 3;
    static constexpr std::int32_t kRingDamage = 20;
    static constexpr double kRingRadius = 5.5;
    // The ring's path bows out to one side by this much on its way in.
    static constexpr double kRingBow = 3.0;
    // The dash: the two wing tips ride with the knight (list 2) and the knight's own charge is one
    // further record, tested by the controller like a shot.
    static constexpr std::size_t kWingCount = 2;
    static constexpr std::int32_t kWingDamage = 20;
    static constexpr double kWingRadius = 1.5;
    static constexpr std::int32_t kChargeDamage = 40;
    static constexpr double kChargeRadius = 2.0;
    static constexpr std::size_t kTrailCount = 40;

    static constexpr std::uint32_t kAttackGate = 3000;
    static constexpr std::uint32_t kSwordMs = 4000;
    static constexpr std::uint32_t kRingMs = 4000;
    // Each further ring takes this much longer, so they reach the ship one after another.
    static constexpr std::uint32_t kRingStagger = 800;
    static constexpr std::uint32_t kDashMs = 6000;
    static constexpr int kDashPaths = 6;
    static constexpr std::uint32_t kTrailEveryMs = 100;
    // Afterimages fall towards the camera down to this depth, 20 ms per unit of the way.
    static constexpr double kTrailFloor = -10.0;
    static constexpr double kTrailMsPerUnit = 20.0;


    enum class Attack : std::uint8_t { kSwords, kRings, kDash };

    Bboss03();

    bool Load() override;
    // Every mesh and picture it loads, in the order it loads them.
    static std::span<const AssetRef> Assets();
    void Reset() override;
    std::span<BossBullet> ExtraBullets() override { return {&charge_, 1}; }

    // How long an afterimage left at this depth lives: 0 where it would start at or beyond the floor,
    // which leaves none.
    static std::uint32_t TrailMs(double depth);

    // The attack that starts when the gate opens, and whether one is running.
    Attack Next() const;
    std::uint8_t Attacking() const { return attacking_; }
    std::int32_t DashPath() const { return dashPath_; }
    const BossBullet& Charge() const { return charge_; }
    const std::array<BossBullet, kTrailCount>& Trail() const { return trail_; }
    const KeyframeTrack& TrailTrack(std::size_t i) const { return trailDepth_[i]; }
    const KeyframeTrack& SwordTurn() const { return swordTurn_; }
    const KeyframeTrack& DashDepth() const { return dashDepth_; }
    const KeyframeTrack& RingZ(std::size_t i) const { return ring_[i].z; }

private:
    void StepParts(std::uint32_t now) override;
    enum Mesh : std::size_t { kBodyMesh, kSwordMesh, kHaloMesh, kPackMesh, kWingMesh, kShotMesh, kMeshCount };

    void PlaceParts();
    void ShowArmour();
    void ShowHalo();
    void BodyEffects();
    void SwordAttack();
    void ShowSwords();
    void RingAttack();
    void ShowRings();
    void DashAttack();
    void UpdateTrail();
    void ShowTrail();

    bool GateOpen(std::uint8_t ready) const;
    void Begin();
    // Clears the running mark, restarts the attack clock and draws the next attack.
    void Finish();
    void PlaceWings();
    void LeaveTrail(const BossBullet& source);

    // Where the knight's parts are shown this frame (its rotation and place).
    platform::Matrix partsWorld_{};
    KeyframeTrack haloSpin_;
    KeyframeTrack swordTurn_;
    KeyframeTrack swordGrow_;
    Track3 ring_[kRingCount];
    KeyframeTrack dashDepth_;
    KeyframeTrack dashSide_;
    KeyframeTrack trailDepth_[kTrailCount];
    std::array<BossBullet, kTrailCount> trail_{};
    BossBullet charge_;
    // Where the dash set out from: its path is an offset from here and ends back on it.
    double dashFromX_ = 0.0;
    double dashFromZ_ = 0.0;
    std::uint32_t lastTrail_ = 0;
    std::int32_t dashPath_ = 0;
    std::int32_t nextChoice_ = 0;
    std::uint8_t swordsReady_ = 0;
    std::uint8_t ringsReady_ = 0;
    std::uint8_t dashReady_ = 1;
    std::uint8_t attacking_ = 0;

    platform::TexturePtr warp_;
    platform::TexturePtr join_;
    platform::TexturePtr mecha_;
    platform::VertexBufferPtr quad_;
};
