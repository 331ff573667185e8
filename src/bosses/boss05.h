#pragma once
// The final boss of stage 2: a fortress with a rolling ring, four fans resting on its back and three small
// black holes circling it. It sends the fans out on curved paths that end in beams at the ship, rains
// meteors from where it sways, and opens capture holes at its black holes. A hole that touches the ship
// swallows it for a while; the roster's battle controller runs that capture and calls back here so that
// the body waits for it.

#include <array>
#include <cstdint>
#include <span>

#include "core/keyframe_track.h"
#include "core/track3.h"
#include "bosses/boss.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"

class Boss05 : public Boss {
public:
    static constexpr int kFanList = 0;
    static constexpr int kMeteorList = 1;
    static constexpr int kHoleList = 2;
    static constexpr int kFanCount = 4;
    static constexpr int kMeteorCount = 12;
    // Entry 0 sits under the body; entries 1 to 3 are the capture holes at the three black holes.
    static constexpr int kHoleEntries = 4;
    static constexpr int kPathCount = 5;

    static constexpr std::int32_t kFanDamage = 20;
    static constexpr std::int32_t kFanBeamDamage = 20;
    static constexpr std::int32_t kMeteorDamage = 10;
    static constexpr std::int32_t kHoleDamage = 10;
    static constexpr double kFanRadius = 1.0;
    static constexpr double kFanBeamRadius = 1.0;
    static constexpr double kMeteorRadius = 1.3;
    // A hole's reach at full size; it grows and shrinks with the hole.
    static constexpr double kHoleRadius = 2.0;

    static constexpr std::uint32_t kAttackGate = 3000;
    static constexpr std::uint32_t kFanFlightMs = 1500;
    static constexpr std::uint32_t kFanReturnDelay = 600;
    static constexpr std::uint32_t kFanReturnMs = 1000;
    static constexpr std::uint32_t kFanBeamMs = 1200;
    static constexpr double kFanFlightDepth = 20.0;
    static constexpr double kFanReturnDepth = 40.0;
    static constexpr double kFanBeamReach = 30.0;
    static constexpr double kFanBeamDepth = -10.0;
    static constexpr std::uint32_t kMeteorMs = 2000;
    static constexpr int kMeteorDelayRange = 4000;
    static constexpr std::uint32_t kHoleMs = 10000;
    static constexpr int kHoleDelayRange = 1000;
    static constexpr std::uint32_t kHoleFadeMs = 500;
    // Below this life the capture holes are no longer chosen.
    static constexpr std::int32_t kLowLife = 10;
    static constexpr float kRingFlashAlpha = 0.3f;

    enum class Attack : std::uint8_t { kFans, kMeteors, kHoles };

    Boss05();

    bool Load() override;
    // Every mesh and picture it loads, in the order it loads them.
    static std::span<const AssetRef> Assets();
    // Also starts the ring's roll and the black holes' own circles with the sway.
    void Start(std::uint32_t now, int set) override;
    void Reset() override;
    // The four fan beams live outside the lists.
    std::span<BossBullet> ExtraBullets() override { return fanBeams_; }

    // The roster's capture: the body holds still and its sway waits until the ship is let go, so that
    // it resumes where it stopped. Releasing without a capture held does nothing.
    void HoldForCapture(std::uint32_t now) override;
    void ReleaseCapture(std::uint32_t now) override;
    bool CaptureHeld() const { return captureHeld_ != 0; }

    Attack NextAttack() const;
    bool Running() const { return running_ != 0; }
    bool Returning() const { return returning_ != 0; }
    // The path table fan i flies by in the current or last fan attack.
    int PathOf(int fan) const { return pathOf_[static_cast<std::size_t>(fan)]; }
    int LastMeteor() const { return lastMeteor_; }
    const KeyframeTrack& MeteorDepth(int i) const { return meteor_[i].z; }
    const KeyframeTrack& HoleGrowth() const { return holeGrowth_; }
    const KeyframeTrack& FanDepth(int i) const { return fan_[i].z; }
    const BossBullet& FanBeam(int i) const { return fanBeams_[static_cast<std::size_t>(i)]; }
    // The place of black-hole sprite k: 0 the one under the body, 1 to 3 the orbiting ones.
    const BossBullet& BlackHole(int k) const { return blackHoles_[static_cast<std::size_t>(k)]; }

private:
    enum Mesh : std::size_t { kBodyMesh, kRingMesh, kFanMesh, kFanBeamMesh, kMeteorMesh, kHoleMesh, kMeshCount };

    void StepBody(std::uint32_t now) override;
    void StepParts(std::uint32_t now) override;

    void Fans();
    void AttackFans();
    void FanBeams();
    void Meteors();
    void AttackMeteors();
    void BlackHoles();
    void AttackHoles();
    void CaptureHoles();
    void Flare();

    void LaunchFans();
    void ReturnFans();
    void EndAttack();
    void ChooseNext();
    void AimFromPlayer(BossBullet& fan) const;
    // With every material at `alpha`, or at its own alpha when it is negative.
    void ShowMeshAt(const BossMesh& mesh, const BossBullet& at, bool rotate, const DrawState& state,
                    float alpha = -1.0f);
    void ShowSprite(platform::VertexBuffer* quad, platform::Texture* texture, const BossBullet& at, double size,
                    double u, double v, double turn);

    std::array<BossBullet, kFanCount> fanBeams_;
    std::array<BossBullet, kFanCount> initialFanBeams_;
    std::array<BossBullet, kHoleEntries> blackHoles_;

    KeyframeTrack ringRoll_;
    KeyframeTrack holeGrowth_;
    KeyframeTrack holeSpin_;
    KeyframeTrack holeDelay_[kHoleEntries];
    Track3 fan_[kFanCount];
    Track3 fanBack_[kFanCount];
    Track3 beam_[kFanCount];
    Track3 meteor_[kMeteorCount];

    platform::TexturePtr blackHolePicture_;
    platform::TexturePtr flarePicture_;
    // One cell of the black holes' 4 x 4 sheet, and the whole flare picture.
    platform::VertexBufferPtr cellQuad_;
    platform::VertexBufferPtr flareQuad_;

    std::uint8_t fansNext_ = 0;
    std::uint8_t meteorsNext_ = 0;
    std::uint8_t holesNext_ = 1;
    std::uint8_t running_ = 0;
    std::uint8_t returning_ = 0;
    std::uint8_t captureHeld_ = 0;
    std::array<int, kFanCount> pathOf_ = {0, 1, 2, 3};
    int lastMeteor_ = 0;
};
