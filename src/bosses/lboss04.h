#pragma once
// The last boss: a dark flower ringed by four fixed magic circles, with two dark circles orbiting it that
// pour a steady stream of shots at the ship. It picks at random among four attacks: three waves that
// grow out of it, two lances that swing down at the ship while it holds still, a grid of lasers (always
// first), and an eye that brings snow and then sends seven eye shots at the points of a hexagon.

#include <array>
#include <cstddef>
#include <cstdint>
#include <numbers>

#include "core/angles.h"
#include "core/keyframe_track.h"
#include "core/track3.h"
#include "core/step_track.h"
#include "bosses/boss.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"

class Lboss04 : public Boss {
public:
    static constexpr int kStreamList = 0;
    static constexpr int kWaveList = 1;
    static constexpr int kLanceList = 2;
    static constexpr int kLaserList = 3;
    static constexpr int kSnowList = 4;
    static constexpr int kEyeShotList = 5;

    // One stream shot per orbiting dark circle.
    static constexpr std::size_t kOrbitPoints = 2;
    static constexpr std::size_t kWaveCount = 3;
    static constexpr std::size_t kLanceCount = 2;
    // The laser grid: columns 3 apart from x = -20, three rows and two rows in turn.
    static constexpr std::size_t kLaserColumns = 14;
    static constexpr std::size_t kLaserCount = (kLaserColumns + 1) / 2 * 3 + kLaserColumns / 2 * 2;
    static constexpr std::size_t kSnowCount = 24;
    static constexpr std::size_t kEyeShotCount = 7;

    static constexpr std::int32_t kStreamDamage = 10;
    static constexpr std::int32_t kWaveDamage = 20;
    static constexpr std::int32_t kLanceDamage = 20;
    static constexpr std::int32_t kLaserDamage = 15;
    static constexpr std::int32_t kSnowDamage = 10;
    static constexpr std::int32_t kEyeShotDamage = 15;

    // An attack starts once this long has passed since the last one began (or since entry).
    static constexpr std::uint32_t kAttackGate = 3000;
    static constexpr std::uint32_t kOrbitMs = 12000;
    // Stream shots travel one unit per frame slot.
    static constexpr double kStreamMsPerUnit = 33.333;
    static constexpr double kStreamFrom = 37.0;
    static constexpr double kStreamTo = -10.0;
    static constexpr std::uint32_t kWaveGrowMs = 2000;
    static constexpr std::uint32_t kWaveStagger = 500;
    static constexpr std::uint32_t kLanceMs = 4000;
    static constexpr float kLanceSpinDegrees = 720.0f;
    // The lasers are harmless while their emitters charge, then live until the grid is taken away.
    static constexpr std::uint32_t kLaserDelay = 1500;
    static constexpr std::uint32_t kLaserMs = 3500;
    static constexpr std::uint32_t kLaserLife = 5000;
    static constexpr std::uint32_t kSnowBaseMs = 8000;
    static constexpr std::uint32_t kSnowStepMs = 300;
    static constexpr std::uint32_t kEyeShotDelay = 8000;
    static constexpr std::uint32_t kEyeShotStagger = 1500;
    static constexpr std::uint32_t kEyeShotMs = 1000;
    // The eye and its hole fade in from a little before the attack's start.
    static constexpr std::uint32_t kEyeFadeLead = 300;
    static constexpr std::uint32_t kEyeFadeMs = 1000;
    // Where the seven eye shots end, in the ship's plane.
    static constexpr std::array<double, kEyeShotCount> kEyeShotX = {5, 5, 0, 0, 0, -5, -5};
    static constexpr std::array<double, kEyeShotCount> kEyeShotY = {2, -2, 4, 0, -4, 2, -2};


    enum class Attack : std::uint8_t { kWaves, kLances, kLasers, kEye };
    static constexpr std::size_t kAttackCount = 4;

    Lboss04();

    bool Load() override;
    // Every mesh and picture it loads, in the order it loads them.
    static std::span<const AssetRef> Assets();
    // Also sets the dark circles off from their first place.
    void Start(std::uint32_t now, int set) override;
    void Reset() override;

    // The attack that starts next, or the one running.
    Attack Next() const;
    bool Running() const { return running_ != 0; }
    const KeyframeTrack& StreamDepth(std::size_t i) const { return streamDepth_[i]; }
    const KeyframeTrack& WaveGrowth(std::size_t i) const { return waveX_[i]; }
    const KeyframeTrack& LanceSpin() const { return lanceSpin_; }
    const KeyframeTrack& LaserDepth(std::size_t i) const { return laserDepth_[i]; }
    const KeyframeTrack& SnowX(std::size_t i) const { return snowX_[i]; }
    const KeyframeTrack& EyeShotZ(std::size_t i) const { return eyeShot_[i].z; }
    std::size_t LongestSnow() const { return longestSnow_; }
    bool EmitterShown(std::size_t i) const { return emitters_[i] != 0; }
    bool EyeShown() const { return eyeShown_ != 0; }
    double EyeX() const { return eyeX_; }
    double EyeY() const { return eyeY_; }
    // Where orbit point i stands at orbit angle `degrees`.
    double OrbitX(std::size_t i, double degrees) const;
    double OrbitY(std::size_t i, double degrees) const;

private:
    void StepParts(std::uint32_t now) override;
    enum Mesh : std::size_t { kBodyMesh, kEyeShotMesh, kWaveMesh, kStreamMesh, kLanceMesh, kLaserMesh, kMeshCount };
    enum SpriteSlot : std::size_t {
        kDarkCircle,
        kEmitter,
        kDenCircle,
        kHanCircle,
        kBuCircle,
        kSanCircle,
        kSpareCircle,  // loaded so that a missing file is reported; not drawn
        kEye,
        kSnow,
        kHole,
        kFlash,
        kBulletGlow,  // likewise
        kSlotCount
    };
    struct SpriteRecord {
        platform::TexturePtr texture;
        platform::VertexBufferPtr quad;
    };

    // The eye stands this far in front of the body; the eye shots wait in it.
    static constexpr double kEyeAhead = 5.0;
    // A wave's reach and a laser's half length per unit of draw scale.
    static constexpr double kWaveReachPerScale = 3.0;
    static constexpr double kLaserHalfLengthPerScale = 2.0;
    static constexpr double kLanceRestDepth = 35.0;

    void BuildTracks();
    bool LoadSprite(SpriteSlot slot, const AssetRef& picture, double halfSize);

    // The steps of one update, in the order they run.
    void ShowWaves();
    void ShowMagicCircles();
    void ShowStreamShots();
    void LaunchStreamShots();
    void AttackWaves();
    void ShowLances();
    void AttackLances();
    void ShowLasers();
    void AttackLasers();
    void ShowDarkCircles();
    void ShowEmitters();
    void ShowHole();
    void ShowEye();
    void ShowEyeShots();
    void ShowSnow();
    void AttackEye();

    // A looping step track read so that its start tick gives its first key, as a whole pass later.
    static float HopValue(const StepTrack& track, std::uint32_t now);
    bool Gate(std::uint8_t flag) const;
    void Begin();
    // Ends the attack in progress and draws the next of the four.
    void Finish();
    bool LancesMoving() const;
    bool EyeAttackOver() const;

    void ShowSlot(SpriteSlot slot, double x, double y, double z, double scaleX, double scaleY, double alpha);
    // The mesh at `world`, each material's alpha times `factor` (or replaced by `alpha` first, when given).
    void ShowMeshAt(const BossMesh& mesh, const platform::Matrix& world, double factor, double alpha = -1.0);

    std::array<SpriteRecord, kSlotCount> sprites_;

    KeyframeTrack orbit_;
    KeyframeTrack streamX_[kOrbitPoints];
    KeyframeTrack streamDepth_[kOrbitPoints];
    KeyframeTrack waveX_[kWaveCount];
    KeyframeTrack waveZ_[kWaveCount];
    Track3 lance_[kLanceCount];
    KeyframeTrack lanceSpin_;
    KeyframeTrack laserDepth_[kLaserCount];
    KeyframeTrack laserLength_[kLaserCount];
    KeyframeTrack emitterFade_;
    KeyframeTrack snowX_[kSnowCount];
    KeyframeTrack snowY_[kSnowCount];
    StepTrack snowSizeX_;
    StepTrack snowSizeY_;
    KeyframeTrack eyeFade_;
    StepTrack eyeHopX_;
    StepTrack eyeHopY_;
    Track3 eyeShot_[kEyeShotCount];

    // The list-4 bullet whose fall lasts longest, and the laser and eye shot whose tracks time their
    // attacks; set where the lists are built.
    std::size_t longestSnow_ = 0;
    std::size_t timingLaser_ = 0;
    std::size_t lastEyeShot_ = 0;

    std::array<std::uint8_t, kAttackCount> flags_{};
    std::uint8_t running_ = 0;
    std::array<std::uint8_t, kLaserCount> emitters_{};
    double emitterZ_ = 0.0;
    std::uint8_t eyeShown_ = 0;
    double eyeX_ = 0.0;
    double eyeY_ = 0.0;
};
