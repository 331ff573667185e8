#pragma once
// The first boss: a hovering body flanked by two arms. It sways sideways and alternates, at random,
// between a translucent beam that grows out of its body towards the player's plane and a pincer in which
// both arms fly at where the player was and come back.

#include <cstdint>

#include "core/keyframe_track.h"
#include "core/track3.h"
#include "bosses/boss.h"

class Bboss01 : public Boss {
public:
    static constexpr int kBeamList = 0;
    static constexpr int kArmList = 1;
    static constexpr std::int32_t kBeamDamage = 30;
    static constexpr std::int32_t kArmDamage = 40;
    static constexpr std::uint32_t kBeamGate = 8000;
    static constexpr std::uint32_t kPincerGate = 10000;
    static constexpr std::uint32_t kBeamMs = 6000;
    static constexpr std::uint32_t kPincerMs = 5000;
    // The beam's tracks are read this far behind the tick they start at.
    static constexpr std::uint32_t kBeamLead = 100;
    static constexpr float kBeamAlpha = 0.3f;

    // Seeds the random generator with the wall clock, as the game does once.
    Bboss01();

    bool Load() override;
    // Every mesh and picture it loads, in the order it loads them.
    static std::span<const AssetRef> Assets();
    void Reset() override;

    std::uint8_t BeamReady() const { return beamReady_; }
    std::uint8_t ArmReady() const { return armReady_; }
    std::uint8_t Attacking() const { return attacking_; }
    std::int32_t NextChoice() const { return nextChoice_; }
    const KeyframeTrack& BeamScaleX() const { return beamScaleX_; }
    const KeyframeTrack& ArmX(int arm) const { return arm_[arm].x; }

private:
    enum Mesh : std::size_t { kBodyMesh, kRightArmMesh, kLeftArmMesh, kBeamMesh, kMeshCount };

    void StepBody(std::uint32_t now) override;
    void StepParts(std::uint32_t now) override;
    void PlaceArms();
    void PlaceBeam();
    void BeamLogic();
    void PincerLogic();
    // The random draw after an attack: 0 the beam next, 1 the pincer.
    void ChooseNext();
    bool BeamPassOver() const;
    bool PincerPassOver() const;
    void ShowAt(const BossMesh& mesh, double x, double y, double z);

    KeyframeTrack beamScaleX_;
    KeyframeTrack beamScaleY_;
    KeyframeTrack beamScaleZ_;
    KeyframeTrack beamDepth_;
    Track3 arm_[2];
    std::uint8_t beamReady_ = 1;
    std::uint8_t armReady_ = 0;
    std::uint8_t attacking_ = 0;
    std::int32_t nextChoice_ = 0;
};
