#pragma once
// The third moon: a crystal moon with three attacks, chosen at random after each other. A row of five
// swords gathers over where the ship was and drops through its plane; a hammer pivots beside where the
// ship was and smashes down on that spot; a ring of eight orbs closes round where the ship was and a
// gravity well follows them through the ring's centre. Its first attack is the orbs and the well.

#include <cstdint>
#include <memory>

#include "core/keyframe_track.h"
#include "core/track3.h"
#include "bosses/moon_boss.h"

class Smoon03 : public MoonBoss {
public:
    static constexpr int kSwordList = 0;
    static constexpr int kOrbList = 1;
    static constexpr int kWellList = 2;
    static constexpr int kHammerList = 3;
    static constexpr std::size_t kSwordCount = 5;
    static constexpr std::size_t kOrbCount = 8;
    static constexpr std::int32_t kSwordDamage = 20;
    static constexpr std::int32_t kOrbDamage = 10;
    static constexpr std::int32_t kWellDamage = 30;
    static constexpr std::int32_t kHammerDamage = 30;
    static constexpr double kOrbRadius = 0.8;
    static constexpr double kWellRadius = 1.5;

    // Swords: four units apart, centred on the ship's x at launch, they wait above the screen and drop
    // through the ship's plane.
    static constexpr double kSwordSpacing = 4.0;
    static constexpr double kSwordTopY = 12.0;
    static constexpr double kSwordBottomY = -8.0;
    static constexpr std::uint32_t kSwordDropDelay = 1500;
    static constexpr std::uint32_t kSwordDropMs = 1000;
    // Hammer: pivots 5 units behind the ship's plane with its head held back, then swings it round onto
    // the spot; it lands 60% into its swing and rests there until the pass is over.
    static constexpr double kHammerPivotZ = 20.0;
    static constexpr std::uint32_t kHammerSwingDelay = 2000;
    static constexpr std::uint32_t kHammerSwingMs = 1000;
    static constexpr float kHammerLandsAt = 0.6f;
    // Orbs: loosed at once, each reaches its place on a circle of 3 round the aim as it crosses the
    // ship's plane; the well leaves 3000 ms later and crosses the plane at the ring's centre.
    static constexpr double kOrbRingRadius = 3.0;
    static constexpr std::uint32_t kOrbFlightMs = 2000;
    static constexpr std::uint32_t kWellDelay = 3000;
    static constexpr std::uint32_t kWellFlightMs = 3000;

    enum class Attack : std::int32_t { kSwords, kHammer, kOrbs };

    Smoon03();

    bool Load() override;
    // Every mesh and picture it loads, in the order it loads them.
    static std::span<const AssetRef> Assets();
    void Reset() override;

    // The attack whose flag is set: the next one, or the one running.
    Attack Next() const { return next_; }
    bool Running(Attack a) const { return attacking_ == 1 && next_ == a; }
    const KeyframeTrack& SwordDrop() const { return swordDrop_; }
    const KeyframeTrack& HammerSwing() const { return hammerSwing_; }
    const KeyframeTrack& WellDepth() const { return well_.z; }

private:
    void StepParts(std::uint32_t now) override;
    enum Mesh : std::size_t {
        kBodyMesh,
        kSwordMesh,
        kHammerMesh,
        kOrbMesh,
        kWellMesh,
        kBurstMesh,
        kWaveMesh,
        kMeshCount
    };
    enum Picture : std::size_t {
        kAimPicture,
        kMagicPicture,
        kHolePicture,
        kThunderPicture,
        kFlarePicture,
        kLavaPicture,
        kPictureCount
    };

    void SwordAttack();
    void HammerAttack();
    void OrbAttack();
    void ShowMagicCircle();
    void Finish();

    KeyframeTrack swordDrop_;
    KeyframeTrack hammerSwing_;
    std::unique_ptr<Track3[]> orb_;
    Track3 well_;
    double aimX_ = 0.0;
    double aimY_ = 0.0;
    Attack next_ = Attack::kOrbs;
    std::uint8_t swordsFalling_ = 0;
    std::uint8_t hammerLanded_ = 0;
};
