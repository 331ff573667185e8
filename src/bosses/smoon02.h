#pragma once
// The second moon: a ringed moon that opens its battle, once, with a ring of six magic sparks closing in
// on where the ship was, then shows one of three patterns of magic circles, then charges and fires a beam
// from its eye towards the ship's plane. After a beam it picks at random between the patterns and
// another beam; the ring never comes again.

#include <cstdint>

#include "core/keyframe_track.h"
#include "bosses/moon_boss.h"

class Smoon02 : public MoonBoss {
public:
    static constexpr int kPatternList = 0;
    static constexpr int kRingList = 1;
    static constexpr int kBeamList = 2;
    static constexpr std::size_t kPatternCount = 3;
    static constexpr std::size_t kRingCount = 6;
    static constexpr std::int32_t kDamage = 5;
    // The ring closes from this radius to nothing, turning half a turn, while its four side sparks stay
    // this far out to either side: it ends as a short bar across where the ship was.
    static constexpr std::uint32_t kRingMs = 3000;
    static constexpr std::uint32_t kRingLead = 100;
    static constexpr double kRingRadius = 10.0;
    static constexpr double kRingTurnDegrees = 180.0;
    static constexpr double kRingSideOffset = 2.0;
    static constexpr std::uint32_t kPatternMs = 3000;
    // The beam charges thin (harmless) for 3000 ms, then fires: it widens, stretches and runs towards
    // the ship, and narrows again before it is switched off 5900 ms after the launch.
    static constexpr std::uint32_t kBeamMs = 6000;
    static constexpr std::uint32_t kBeamLead = 100;
    static constexpr std::uint32_t kBeamFireDelay = 3000;
    static constexpr std::uint32_t kBeamFlightMs = kBeamMs - kBeamLead - kBeamFireDelay;

    enum class Pattern : std::int32_t { kRising, kFalling, kSpin };

    Smoon02();

    bool Load() override;
    // Every mesh and picture it loads, in the order it loads them.
    static std::span<const AssetRef> Assets();
    void Reset() override;

    std::uint8_t RingNext() const { return ringReady_; }
    std::uint8_t PatternNext() const { return patternReady_; }
    std::uint8_t BeamNext() const { return beamReady_; }
    bool RingRunning() const { return attacking_ == 1 && ringReady_ == 1; }
    bool PatternRunning() const { return attacking_ == 1 && patternReady_ == 1; }
    bool BeamRunning() const { return attacking_ == 1 && beamReady_ == 1; }
    Pattern CurrentPattern() const { return pattern_; }
    const KeyframeTrack& BeamWidth() const { return beamWidth_; }
    const KeyframeTrack& BeamDepth() const { return beamDepth_; }

private:
    void StepParts(std::uint32_t now) override;
    enum Mesh : std::size_t { kBodyMesh, kBeamMesh, kMeshCount };
    enum Picture : std::size_t { kUpPicture, kDownPicture, kThunderPicture, kMagicPicture, kBeamCircle, kPictureCount };

    void RingAttack();
    void PatternAttack();
    void BeamAttack();
    void WritePatternKeys();
    void ShowBeam(const BossBullet& beam);
    // After a beam: 0 a pattern next, 1 another beam.
    void ChooseAfterBeam();

    KeyframeTrack ringRadius_;
    KeyframeTrack ringTurn_;
    // Entry e of the pattern list moves on tracks 4e..4e+3: x, y, z and scale.
    KeyframeTrack patternTracks_[kPatternCount * 4];
    KeyframeTrack spinScale_;
    KeyframeTrack spinAngle_;
    KeyframeTrack beamWidth_;
    KeyframeTrack beamHeight_;
    KeyframeTrack beamLength_;
    KeyframeTrack beamDepth_;
    double ringCentreX_ = 0.0;
    double ringCentreY_ = 0.0;
    double ringCentreZ_ = 0.0;
    Pattern pattern_ = Pattern::kRising;
    std::uint8_t ringReady_ = 1;
    std::uint8_t patternReady_ = 0;
    std::uint8_t beamReady_ = 0;
};
