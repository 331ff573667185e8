#include "bosses/lboss04.h"

#include <array>
#include <cassert>
#include <cmath>
#include <span>

#include "core/angles.h"
#include "core/track_value.h"
#include "core/play_once.h"
#include "platform/core/random.h"
#include "render/loaders.h"
#include "render/textured_quad.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

using namespace platform;

namespace {

constexpr double kOrbitRadius = 10.0;
constexpr double kStreamSideways = 3.0;
// Below this depth a stream shot has passed the ship's plane and is sent again.
constexpr double kStreamRelaunch = 15.0;
constexpr double kWaveAngles[Lboss04::kWaveCount] = {0.0, 45.0, -45.0};
constexpr double kWaveStartSize = 0.2;
constexpr float kWaveGrownSize = 20.0f;
constexpr float kLanceDiveY = 5.0f;
constexpr float kLanceDiveZ = 10.0f;
constexpr double kLaserColumnStep = 3.0;
constexpr double kLaserFirstColumn = -20.0;
constexpr double kLaserRowsOfThree[3] = {7.0, 0.0, -7.0};
constexpr double kLaserRowsOfTwo[2] = {3.5, -3.5};
// In front of the body, where the emitters open.
constexpr double kLaserAhead = 4.0;
// How far the laser's centre comes towards the ship, and how long it grows (the mesh is 4 long).
constexpr float kLaserTravel = 16.0f;
constexpr float kLaserStartLength = 0.25f;
constexpr float kLaserFullLength = 10.0f;
// The snow falls over the whole flight box, into the ship's plane, from above to well below it.
constexpr double kSnowDepth = 16.0;
constexpr float kSnowSpread = 12.0f;
constexpr float kSnowTop = 12.0f;
constexpr float kSnowBottom = -12.0f;
constexpr float kSnowDrift = 1.5f;
constexpr std::uint32_t kSnowTwinkleMs = 600;
constexpr std::uint32_t kEyeHopMs = 6000;
constexpr float kEyeHopX[4] = {0.0f, -3.0f, 3.0f, 0.0f};
constexpr float kEyeHopY[4] = {0.0f, 2.0f, 2.0f, -2.0f};
// Half the width of each sprite's square, in world units; the hole is drawn at twice this.
constexpr double kCircleHalfSize = 3.0;
constexpr double kEmitterHalfSize = 1.5;
constexpr double kEyeHalfSize = 3.0;
constexpr double kSnowHalfSize = 0.5;
constexpr double kHoleHalfSize = 6.0;
constexpr double kFlashHalfSize = 1.0;
constexpr double kBulletGlowHalfSize = 0.5;

constexpr std::array kAssets = {
    MeshAsset("x\\lboss04.x"),         MeshAsset("x\\boss04tama.x"),     MeshAsset("x\\kouha.x"),
    PictureAsset("t\\darkmagic.png"),  PictureAsset("t\\amagic.png"),    MeshAsset("x\\tama.x"),
    MeshAsset("x\\lancer.x"),          MeshAsset("x\\raser.x"),          PictureAsset("t\\denmagic.png"),
    PictureAsset("t\\hanmagic.png"),   PictureAsset("t\\bumagic.png"),   PictureAsset("t\\sanmagic.png"),
    PictureAsset("t\\amagic.png"),     PictureAsset("t\\eye2.png"),      PictureAsset("t\\snow.png"),
    PictureAsset("t\\lasthole.png"),   PictureAsset("t\\flare2.png", platform::kNoColourKey),
    PictureAsset("t\\bullet.png", platform::kNoColourKey),
};

BossBullet Entry(double z, std::int32_t damage, double radius) {
    BossBullet b;
    b.z = z;
    b.damage = damage;
    b.sx = b.sy = b.sz = 1.0;
    b.rh = b.rv = b.rz = radius;
    return b;
}

void TwoKeys(KeyframeTrack& track, float from, float to) {
    track.SetKey(0, 0.0f, from);
    track.SetKey(1, 1.0f, to);
}

void ThreeKeys(KeyframeTrack& track, float from, float turn, float back) {
    track.SetKey(0, 0.0f, from);
    track.SetKey(1, 0.5f, turn);
    track.SetKey(2, 1.0f, back);
}

}  // namespace

Lboss04::Lboss04() {
    meshes_.resize(kMeshCount);
    BuildSway(0.0f, 40.0f);

    BuildList(kStreamList, kOrbitPoints, Entry(kStreamFrom, kStreamDamage, 0.5));
    BossBullet wave = Entry(40.0, kWaveDamage, 0.0);
    wave.sx = wave.sz = kWaveStartSize;
    wave.rh = wave.rz = kWaveReachPerScale * kWaveStartSize;
    wave.rv = 1.0;
    BuildList(kWaveList, kWaveCount, wave);
    BossBullet lance = Entry(kLanceRestDepth, kLanceDamage, 0.5);
    lance.alive = 1;  // the lances hang beside the body all battle; only their dive reaches the ship
    lance.rz = 4.0;
    BuildList(kLanceList, kLanceCount, lance);
    BossBullet laser = Entry(40.0 - kLaserAhead, kLaserDamage, 0.4);
    laser.sz = kLaserStartLength;
    laser.rz = kLaserHalfLengthPerScale * kLaserStartLength;
    BuildList(kLaserList, kLaserCount, laser);
    BuildList(kSnowList, kSnowCount, Entry(kSnowDepth, kSnowDamage, 0.4));
    BuildList(kEyeShotList, kEyeShotCount, Entry(40.0 - kEyeAhead, kEyeShotDamage, 0.6));

    BuildTracks();

    // The laser grid is timed by its first laser, the eye attack by its longest snowfall and its last eye
    // shot, and the eye shots' targets are a table of seven: these lists must hold what those need.
    assert(live_[kLaserList].Size() >= 1 && timingLaser_ < live_[kLaserList].Size());
    assert(live_[kSnowList].Size() >= 1 && longestSnow_ < live_[kSnowList].Size());
    assert(live_[kEyeShotList].Size() == kEyeShotX.size() && live_[kEyeShotList].Size() == kEyeShotY.size());
    assert(lastEyeShot_ < live_[kEyeShotList].Size());
    Reset();
}

void Lboss04::BuildTracks() {
    orbit_.SetKeyCount(2);
    TwoKeys(orbit_, 0.0f, 360.0f);
    orbit_.SetDuration(kOrbitMs);
    orbit_.SetLooping(1);
    for (std::size_t i = 0; i < kOrbitPoints; ++i) {
        // Duration 0 and start 0: the first update finds them run out and sends the shots.
        play_once::Make(streamX_[i], 2, 0);
        play_once::Make(streamDepth_[i], 2, 0);
        TwoKeys(streamDepth_[i], static_cast<float>(kStreamFrom), static_cast<float>(kStreamTo));
    }
    for (std::size_t i = 0; i < kWaveCount; ++i) {
        for (KeyframeTrack* t : {&waveX_[i], &waveZ_[i]}) {
            play_once::Make(*t, 2, kWaveGrowMs);
            TwoKeys(*t, static_cast<float>(kWaveStartSize), kWaveGrownSize);
        }
    }
    for (std::size_t i = 0; i < kLanceCount; ++i) {
        lance_[i].MakePass(3, kLanceMs);
    }
    play_once::Make(lanceSpin_, 2, kLanceMs);
    TwoKeys(lanceSpin_, 0.0f, kLanceSpinDegrees);
    for (std::size_t i = 0; i < kLaserCount; ++i) {
        play_once::Make(laserDepth_[i], 2, kLaserMs);
        play_once::Make(laserLength_[i], 2, kLaserMs);
        TwoKeys(laserLength_[i], kLaserStartLength, kLaserFullLength);
    }
    timingLaser_ = 0;
    play_once::Make(emitterFade_, 2, kLaserDelay);
    TwoKeys(emitterFade_, 0.0f, 1.0f);

    // Each flake falls at its own pace, from staggered heights, swaying a little.
    for (std::size_t i = 0; i < kSnowCount; ++i) {
        const std::uint32_t ms = kSnowBaseMs + kSnowStepMs * static_cast<std::uint32_t>((5 * i) % kSnowCount);
        const float x = -kSnowSpread + 2.0f * kSnowSpread * (static_cast<float>(i) + 0.5f) / kSnowCount;
        play_once::Make(snowX_[i], 3, ms);
        ThreeKeys(snowX_[i], x, x + kSnowDrift, x - kSnowDrift);
        play_once::Make(snowY_[i], 2, ms);
        TwoKeys(snowY_[i], kSnowTop + 3.0f * static_cast<float>(i % 4), kSnowBottom);
        if (ms > snowX_[longestSnow_].Duration()) longestSnow_ = i;
    }
    for (StepTrack* t : {&snowSizeX_, &snowSizeY_}) {
        t->Reserve(2);
        t->SetDuration(kSnowTwinkleMs);
    }
    snowSizeX_.SetKey(0, 0.0f, 1.0f);
    snowSizeX_.SetKey(1, 0.5f, 1.4f);
    snowSizeY_.SetKey(0, 0.0f, 1.4f);
    snowSizeY_.SetKey(1, 0.5f, 1.0f);

    play_once::Make(eyeFade_, 2, kEyeFadeMs);
    TwoKeys(eyeFade_, 0.0f, 1.0f);
    eyeHopX_.Reserve(4);
    eyeHopY_.Reserve(4);
    for (int k = 0; k < 4; ++k) {
        eyeHopX_.SetKey(k, 0.25f * static_cast<float>(k), kEyeHopX[k]);
        eyeHopY_.SetKey(k, 0.25f * static_cast<float>(k), kEyeHopY[k]);
    }
    eyeHopX_.SetDuration(kEyeHopMs);
    eyeHopY_.SetDuration(kEyeHopMs);
    for (std::size_t j = 0; j < kEyeShotCount; ++j) {
        eyeShot_[j].MakePass(2, kEyeShotMs);
    }
    // The shots leave one after another, so the last to leave is the last to land.
    lastEyeShot_ = kEyeShotCount - 1;
}

std::span<const AssetRef> Lboss04::Assets() { return kAssets; }

bool Lboss04::Load() {
    const std::span<const AssetRef> a = kAssets;
    return LoadMesh(kBodyMesh, a[0]) && LoadMesh(kEyeShotMesh, a[1]) && LoadMesh(kWaveMesh, a[2]) &&
           LoadSprite(kDarkCircle, a[3], kCircleHalfSize) && LoadSprite(kEmitter, a[4], kEmitterHalfSize) &&
           LoadMesh(kStreamMesh, a[5]) && LoadMesh(kLanceMesh, a[6]) && LoadMesh(kLaserMesh, a[7]) &&
           LoadSprite(kDenCircle, a[8], kCircleHalfSize) && LoadSprite(kHanCircle, a[9], kCircleHalfSize) &&
           LoadSprite(kBuCircle, a[10], kCircleHalfSize) && LoadSprite(kSanCircle, a[11], kCircleHalfSize) &&
           LoadSprite(kSpareCircle, a[12], kCircleHalfSize) && LoadSprite(kEye, a[13], kEyeHalfSize) &&
           LoadSprite(kSnow, a[14], kSnowHalfSize) && LoadSprite(kHole, a[15], kHoleHalfSize) &&
           LoadSprite(kFlash, a[16], kFlashHalfSize) && LoadSprite(kBulletGlow, a[17], kBulletGlowHalfSize);
}

bool Lboss04::LoadSprite(SpriteSlot slot, const AssetRef& picture, double halfSize) {
    SpriteRecord& sprite = sprites_[slot];
    if (!LoadPicture(picture, &sprite.texture)) return false;
    CreateSquareQuad(drawContext_, static_cast<float>(halfSize), 1.0f, 1.0f, 0xFFFFFFFFu, &sprite.quad);
    return true;
}

void Lboss04::Reset() {
    flags_.fill(0);
    flags_[static_cast<std::size_t>(Attack::kLasers)] = 1;
    running_ = 0;
    emitters_.fill(0);
    eyeShown_ = 0;
    RestoreLists();
}

void Lboss04::Start(std::uint32_t now, int set) {
    Boss::Start(now, set);
    // The dark circles set out from the sides at entry.
    orbit_.SetStart(battleStart_);
}

Lboss04::Attack Lboss04::Next() const {
    for (std::size_t i = 0; i < kAttackCount; ++i) {
        if (flags_[i]) return static_cast<Attack>(i);
    }
    return Attack::kLasers;
}

double Lboss04::OrbitX(std::size_t i, double degrees) const {
    return body_.x + kOrbitRadius * std::cos((180.0 * static_cast<double>(i) + degrees) * kRadiansPerDegree);
}

double Lboss04::OrbitY(std::size_t i, double degrees) const {
    return body_.y + kOrbitRadius * std::sin((180.0 * static_cast<double>(i) + degrees) * kRadiansPerDegree);
}

void Lboss04::StepParts(std::uint32_t now) {
    Tick(now);
    ShowWaves();
    ShowMagicCircles();
    ShowStreamShots();
    LaunchStreamShots();
    AttackWaves();
    ShowLances();
    AttackLances();
    ShowLasers();
    AttackLasers();
    ShowDarkCircles();
    ShowEmitters();
    ShowHole();
    ShowEye();
    ShowEyeShots();
    ShowSnow();
    AttackEye();
}

float Lboss04::HopValue(const StepTrack& track, std::uint32_t now) {
    return TrackValue(track, now == track.Start() ? now + track.Duration() : now);
}

bool Lboss04::Gate(std::uint8_t flag) const { return flag != 0 && running_ == 0 && elapsed_ > kAttackGate; }

// Both restart the attack clock, and the steps still to run in this update see it restarted: an attack
// ended here must not let the next one, later in the update, start at once.
void Lboss04::Begin() {
    battleStart_ = now_;
    elapsed_ = 0;
    running_ = 1;
}

void Lboss04::Finish() {
    battleStart_ = now_;
    elapsed_ = 0;
    running_ = 0;
    flags_.fill(0);
    flags_[static_cast<std::size_t>(Rand() % static_cast<int>(kAttackCount))] = 1;
}

void Lboss04::LaunchStreamShots() {
    const double a = TrackValue(orbit_, now_);
    for (std::size_t i = 0; i < kOrbitPoints; ++i) {
        BossBullet& shot = live_[kStreamList][i];
        if (!play_once::Over(streamDepth_[i], now_) && shot.z > kStreamRelaunch) continue;
        const double x0 = OrbitX(i, a);
        const double d = x0 + kStreamSideways * std::cos(a * kRadiansPerDegree);
        const double length = std::sqrt(d * d + (kStreamFrom - kStreamTo) * (kStreamFrom - kStreamTo));
        const auto ms = static_cast<std::uint32_t>(std::lround(length * kStreamMsPerUnit));
        TwoKeys(streamX_[i], static_cast<float>(x0), static_cast<float>(x0 + d));
        streamX_[i].SetDuration(ms);
        streamX_[i].SetStart(now_);
        streamDepth_[i].SetDuration(ms);
        streamDepth_[i].SetStart(now_);
        shot.alive = 1;
        shot.x = x0;
        shot.y = OrbitY(i, a);
        shot.z = kStreamFrom;
    }
}

void Lboss04::AttackWaves() {
    const std::uint8_t flag = flags_[static_cast<std::size_t>(Attack::kWaves)];
    BulletPool& waves = live_[kWaveList];
    if (Gate(flag)) {
        Begin();
        for (std::size_t i = 0; i < kWaveCount; ++i) {
            BossBullet& wave = waves[i];
            wave.x = body_.x;
            wave.y = body_.y;
            wave.z = body_.z;
            wave.roll = kWaveAngles[i];
            wave.sx = wave.sz = kWaveStartSize;
            wave.sy = 1.0;
            wave.rh = wave.rz = kWaveReachPerScale * kWaveStartSize;
            wave.alive = 0;
            waveX_[i].SetStart(now_ + kWaveStagger * static_cast<std::uint32_t>(i));
            waveZ_[i].SetStart(waveX_[i].Start());
        }
    }
    if (!flag || !running_) return;
    for (std::size_t i = 0; i < kWaveCount; ++i) {
        if (waves[i].alive || !play_once::Reached(now_, waveX_[i].Start())) continue;
        // One cue per wave, as it opens.
        waves[i].alive = 1;
        Audio().PlaySound(sound::kBossBeam);
    }
    if (!play_once::Over(waveX_[kWaveCount - 1], now_)) return;
    for (BossBullet& wave : waves) wave.alive = 0;
    Finish();
}

bool Lboss04::LancesMoving() const { return flags_[static_cast<std::size_t>(Attack::kLances)] != 0 && running_ != 0; }

void Lboss04::AttackLances() {
    const std::uint8_t flag = flags_[static_cast<std::size_t>(Attack::kLances)];
    if (Gate(flag)) {
        Begin();
        Audio().PlaySound(sound::kBossStrike);
        body_.holdPosition = 1;
        PauseSway(now_);
        const auto x = static_cast<float>(body_.x);
        const auto y = static_cast<float>(body_.y);
        for (std::size_t i = 0; i < kLanceCount; ++i) {
            const auto z = static_cast<float>(live_[kLanceList][i].z);
            ThreeKeys(lance_[i].x, x, x, x);
            ThreeKeys(lance_[i].y, y, kLanceDiveY, y);
            ThreeKeys(lance_[i].z, z, kLanceDiveZ, z);
            lance_[i].SetStart(now_);
        }
        lanceSpin_.SetStart(now_);
        return;
    }
    if (!flag || !running_ || !play_once::Over(lanceSpin_, now_)) return;
    for (std::size_t i = 0; i < kLanceCount; ++i) {
        if (!play_once::Over(lance_[i].x, now_)) return;
    }
    ResumeSway(now_, false);
    body_.holdPosition = 0;
    Finish();
}

void Lboss04::AttackLasers() {
    const std::uint8_t flag = flags_[static_cast<std::size_t>(Attack::kLasers)];
    BulletPool& lasers = live_[kLaserList];
    if (Gate(flag)) {
        Begin();
        Audio().PlaySound(sound::kBossLaser);
        const double z = body_.z - kLaserAhead;
        std::size_t n = 0;
        for (std::size_t column = 0; column < kLaserColumns; ++column) {
            const double x = kLaserFirstColumn + kLaserColumnStep * static_cast<double>(column);
            const std::span<const double> rows =
                column % 2 == 0 ? std::span<const double>(kLaserRowsOfThree) : std::span<const double>(kLaserRowsOfTwo);
            for (double y : rows) {
                BossBullet& laser = lasers[n];
                laser.x = x;
                laser.y = y;
                laser.z = z;
                laser.sz = kLaserStartLength;
                laser.rz = kLaserHalfLengthPerScale * kLaserStartLength;
                laser.alive = 0;
                emitters_[n] = 1;
                TwoKeys(laserDepth_[n], static_cast<float>(z), static_cast<float>(z) - kLaserTravel);
                laserDepth_[n].SetStart(now_ + kLaserDelay);
                laserLength_[n].SetStart(now_ + kLaserDelay);
                ++n;
            }
        }
        emitterZ_ = z;
        emitterFade_.SetStart(now_);
    }
    if (!flag || !running_) return;
    for (std::size_t i = 0; i < kLaserCount; ++i) {
        if (!lasers[i].alive && play_once::Reached(now_, laserDepth_[i].Start())) lasers[i].alive = 1;
    }
    if (!play_once::Reached(now_, laserDepth_[timingLaser_].Start() + kLaserLife)) return;
    for (BossBullet& laser : lasers) laser.alive = 0;
    emitters_.fill(0);
    Finish();
}

bool Lboss04::EyeAttackOver() const {
    return play_once::Over(snowX_[longestSnow_], now_) && play_once::Over(eyeShot_[lastEyeShot_].z, now_);
}

void Lboss04::AttackEye() {
    const std::uint8_t flag = flags_[static_cast<std::size_t>(Attack::kEye)];
    BulletPool& snow = live_[kSnowList];
    BulletPool& shots = live_[kEyeShotList];
    const double eyeZ = body_.z - kEyeAhead;
    if (Gate(flag)) {
        Begin();
        Audio().PlaySound(sound::kBossStrike);
        eyeShown_ = 1;
        eyeFade_.SetStart(now_ - kEyeFadeLead);
        eyeHopX_.SetStart(now_);
        eyeHopY_.SetStart(now_);
        eyeX_ = HopValue(eyeHopX_, now_);
        eyeY_ = HopValue(eyeHopY_, now_);
        for (std::size_t i = 0; i < kSnowCount; ++i) {
            snowX_[i].SetStart(now_);
            snowY_[i].SetStart(now_);
            snow[i].alive = 1;
            snow[i].x = play_once::Value(snowX_[i], now_);
            snow[i].y = play_once::Value(snowY_[i], now_);
        }
        snowSizeX_.SetStart(now_);
        snowSizeY_.SetStart(now_);
        for (std::size_t j = 0; j < kEyeShotCount; ++j) {
            const std::uint32_t leave = now_ + kEyeShotDelay + kEyeShotStagger * static_cast<std::uint32_t>(j);
            // Each shot leaves from where the eye will be when it goes.
            const float fromX = HopValue(eyeHopX_, leave);
            const float fromY = HopValue(eyeHopY_, leave);
            TwoKeys(eyeShot_[j].x, fromX, static_cast<float>(kEyeShotX[j]));
            TwoKeys(eyeShot_[j].y, fromY, static_cast<float>(kEyeShotY[j]));
            TwoKeys(eyeShot_[j].z, static_cast<float>(eyeZ), static_cast<float>(player_.z));
            eyeShot_[j].SetStart(leave);
            shots[j].alive = 0;
        }
    }
    if (!flag || !running_) return;
    for (std::size_t j = 0; j < kEyeShotCount; ++j) {
        BossBullet& shot = shots[j];
        if (shot.alive || !play_once::Reached(now_, eyeShot_[j].z.Start())) continue;
        shot.alive = 1;
        shot.x = eyeShot_[j].x.KeyValue(0);
        shot.y = eyeShot_[j].y.KeyValue(0);
        shot.z = eyeZ;
    }
    if (!EyeAttackOver()) return;
    for (BossBullet& b : snow) b.alive = 0;
    for (BossBullet& b : shots) b.alive = 0;
    eyeShown_ = 0;
    Finish();
}
