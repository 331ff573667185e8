#pragma once
// The first moon: a crescent blade that sways before the ship and alternates, at random, between a
// stream of a hundred magic shots, loosed 10 ms apart at where the ship was while the blade spins, and
// an L of twelve swords along the top and the left that come forward and then sweep the screen, the top
// row downwards and the left column across. Its first attack is always the swords.

#include <cstdint>
#include <memory>

#include "core/keyframe_track.h"
#include "core/track3.h"
#include "bosses/moon_boss.h"

class Smoon01 : public MoonBoss {
public:
    static constexpr int kShotList = 0;
    static constexpr int kBarList = 1;
    static constexpr std::size_t kShotCount = 100;
    static constexpr std::size_t kRowBars = 8;
    static constexpr std::size_t kBarCount = 12;
    static constexpr std::int32_t kShotDamage = 20;
    static constexpr std::int32_t kBarDamage = 20;
    // Each shot leaves this long after the one before it.
    static constexpr std::uint32_t kShotStagger = 10;
    // A shot flies from depth 40 to -10 in this time, reaching the point it was aimed at (in the ship's
    // plane) half-way.
    static constexpr std::uint32_t kShotFlightMs = 2000;
    static constexpr std::uint32_t kShotAimMs = kShotFlightMs / 2;
    // The spin that times the shot attack: ten turns in 8000 ms, started this long before the launch.
    static constexpr std::uint32_t kRollMs = 8000;
    static constexpr std::uint32_t kRollLead = 100;
    // The swords stand still, then come forward, then sweep.
    static constexpr std::uint32_t kBarAdvanceDelay = 1500;
    static constexpr std::uint32_t kBarAdvanceMs = 1500;
    static constexpr std::uint32_t kBarSweepDelay = 3000;
    static constexpr std::uint32_t kBarSweepMs = 3000;
    static constexpr double kBarStartZ = 40.0;
    static constexpr double kBarNearZ = 20.0;
    static constexpr double kRowY = 10.0;
    static constexpr double kRowEndY = -12.0;
    static constexpr double kColumnX = -20.0;
    static constexpr double kColumnEndX = 22.0;

    Smoon01();

    bool Load() override;
    // Every mesh and picture it loads, in the order it loads them.
    static std::span<const AssetRef> Assets();
    void Reset() override;

    std::uint8_t ShotsNext() const { return shotsReady_; }
    std::uint8_t BarsNext() const { return barsReady_; }
    bool ShotsRunning() const { return attacking_ == 1 && shotsReady_ == 1; }
    bool BarsRunning() const { return attacking_ == 1 && barsReady_ == 1; }
    const KeyframeTrack& ShotDepth(std::size_t i) const { return shot_[i].z; }
    const KeyframeTrack& Roll() const { return roll_; }

private:
    void StepBody(std::uint32_t now) override;
    void StepParts(std::uint32_t now) override;
    enum Mesh : std::size_t { kBodyMesh, kSwordMesh, kMeshCount };
    enum Picture : std::size_t { kMagicPicture, kPictureCount };

    void ShowSwords();
    void ShotAttack();
    void BarFlight();
    void BarAttack();
    void ShowMagicCircle();
    // The random draw after an attack: 0 the shots next, 1 the swords.
    void ChooseNext();

    std::unique_ptr<Track3[]> shot_;
    KeyframeTrack roll_;
    KeyframeTrack barAdvance_;
    KeyframeTrack barSweep_;
    std::uint8_t shotsReady_ = 0;
    std::uint8_t barsReady_ = 1;
};
