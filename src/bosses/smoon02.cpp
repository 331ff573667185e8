#include "bosses/smoon02.h"

#include <array>

#include <cmath>
#include <numbers>

#include "core/angles.h"
#include "core/track_value.h"
#include "core/play_once.h"
#include "platform/core/random.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

using namespace platform;

namespace {

// Meshes in the order of the mesh names, then pictures in the order of the picture names.
constexpr std::array kAssets = {
    MeshAsset("x\\smoon02.x"),       MeshAsset("x\\bossbeam.x"),       PictureAsset("t\\magicup.png"),
    PictureAsset("t\\magicdown.png"), PictureAsset("t\\moonthunder.png"), PictureAsset("t\\smagic.png"),
    PictureAsset("t\\bmagic.png"),
};

constexpr double kSparkScale = 0.7;
constexpr double kPatternSpread = 8.0;
constexpr double kPatternHeight = 8.0;
constexpr double kPatternSmall = 1.0;
constexpr double kPatternLarge = 3.0;
constexpr double kChargeCircleScale = 3.0;
constexpr float kBeamAlpha = 0.3f;
constexpr double kBeamRadius = 2.0;
constexpr double kBeamDepth = 40.0;

BossBullet Entry(double radius) {
    BossBullet b;
    b.z = kBeamDepth;
    b.damage = Smoon02::kDamage;
    b.sx = b.sy = b.sz = 1.0;
    b.rh = b.rv = b.rz = radius;
    return b;
}

BossBullet BeamEntry() {
    BossBullet b = Entry(kBeamRadius);
    b.rz = 40.0;
    return b;
}

// Which way a ring spark is pushed sideways: the four off the vertical go out to their own side.
double RingSide(std::size_t j) {
    switch (j) {
        case 0:
        case 5:
            return 1.0;
        case 2:
        case 3:
            return -1.0;
        default:
            return 0.0;
    }
}

template <std::size_t N>
void SetPassKeys(KeyframeTrack& track, std::uint32_t ms, const float (&keys)[N][2]) {
    track.SetKeyCount(static_cast<int>(N));
    SetKeys(track, keys);
    track.SetDuration(ms);
    track.SetLooping(0);
}

}  // namespace

Smoon02::Smoon02() : MoonBoss(kMeshCount, kPictureCount) {
    BuildList(kPatternList, kPatternCount, Entry(1.0));
    BuildList(kRingList, kRingCount, Entry(0.2));
    BuildList(kBeamList, 1, BeamEntry());

    play_once::Make(ringRadius_, kRingMs, static_cast<float>(kRingRadius), 0.0f);
    play_once::Make(ringTurn_, kRingMs, 0.0f, static_cast<float>(kRingTurnDegrees));
    for (KeyframeTrack& t : patternTracks_) play_once::Make(t, kPatternMs, 0.0f, 0.0f);
    static constexpr float kSpinScale[3][2] = {{0.0f, 0.0f}, {0.5f, 3.0f}, {1.0f, 1.0f}};
    static constexpr float kSpinAngle[3][2] = {{0.0f, 0.0f}, {0.5f, 360.0f}, {1.0f, 0.0f}};
    SetPassKeys(spinScale_, kPatternMs, kSpinScale);
    SetPassKeys(spinAngle_, kPatternMs, kSpinAngle);
    // Thin while it charges, wide once it fires, narrow again at the end.
    static constexpr float kWidth[5][2] = {{0.0f, 0.2f}, {0.5f, 0.2f}, {0.55f, 2.5f}, {0.9f, 2.5f}, {1.0f, 0.1f}};
    SetPassKeys(beamWidth_, kBeamMs, kWidth);
    SetPassKeys(beamHeight_, kBeamMs, kWidth);
    play_once::Make(beamLength_, kBeamFlightMs, 1.0f, 20.0f);
    play_once::Make(beamDepth_, kBeamFlightMs, static_cast<float>(kBeamDepth), -10.0f);
}

std::span<const AssetRef> Smoon02::Assets() { return kAssets; }

bool Smoon02::Load() { return LoadInOrder(kAssets); }

void Smoon02::Reset() {
    ringReady_ = 1;
    patternReady_ = 0;
    beamReady_ = 0;
    attacking_ = 0;
    RestoreLists();
}

void Smoon02::StepParts(std::uint32_t now) {
    Tick(now);
    RingAttack();
    PatternAttack();
    BeamAttack();
}

void Smoon02::RingAttack() {
    BulletPool& ring = live_[kRingList];
    if (GateOpen(ringReady_)) {
        BeginAttack();
        ringCentreX_ = player_.x;
        ringCentreY_ = player_.y;
        ringCentreZ_ = player_.z;
        ringRadius_.SetStart(now_ - kRingLead);
        ringTurn_.SetStart(now_ - kRingLead);
        for (BossBullet& spark : ring) spark.alive = 1;
    } else if (RingRunning() && play_once::Over(ringRadius_, now_)) {
        for (BossBullet& spark : ring) spark.alive = 0;
        EndAttack();
        // The ring opens the battle and never comes back.
        ringReady_ = 0;
        patternReady_ = 1;
    }
    const double radius = play_once::Value(ringRadius_, now_);
    const double turn = play_once::Value(ringTurn_, now_);
    for (std::size_t j = 0; j < ring.Size(); ++j) {
        BossBullet& spark = ring[j];
        if (!spark.alive) continue;
        const double angle = (30.0 + 60.0 * static_cast<double>(j) + turn) * kRadiansPerDegree;
        spark.x = ringCentreX_ + radius * std::cos(angle) + RingSide(j) * kRingSideOffset;
        spark.y = ringCentreY_ + radius * std::sin(angle);
        spark.z = ringCentreZ_;
        ShowPicture(kMagicPicture, spark.x, spark.y, spark.z, kSparkScale);
    }
}

void Smoon02::WritePatternKeys() {
    for (std::size_t e = 0; e < kPatternCount; ++e) {
        const double side = static_cast<double>(e) - 1.0;
        const auto bodyX = static_cast<float>(body_.x);
        const auto bodyY = static_cast<float>(body_.y);
        const auto bodyZ = static_cast<float>(body_.z);
        const auto outX = static_cast<float>(body_.x + side * kPatternSpread);
        const auto outY = static_cast<float>(body_.y + kPatternHeight);
        const bool rising = pattern_ == Pattern::kRising;
        KeyframeTrack* t = &patternTracks_[e * 4];
        t[0].SetKey(0, 0.0f, rising ? bodyX : outX);
        t[0].SetKey(1, 1.0f, rising ? outX : bodyX);
        t[1].SetKey(0, 0.0f, rising ? bodyY : outY);
        t[1].SetKey(1, 1.0f, rising ? outY : bodyY);
        t[2].SetKey(0, 0.0f, bodyZ);
        t[2].SetKey(1, 1.0f, bodyZ);
        t[3].SetKey(0, 0.0f, static_cast<float>(rising ? kPatternSmall : kPatternLarge));
        t[3].SetKey(1, 1.0f, static_cast<float>(rising ? kPatternLarge : kPatternSmall));
        for (int k = 0; k < 4; ++k) t[k].SetStart(now_);
    }
}

void Smoon02::PatternAttack() {
    BulletPool& circles = live_[kPatternList];
    if (GateOpen(patternReady_)) {
        BeginAttack();
        pattern_ = static_cast<Pattern>(Rand() % 3);
        if (pattern_ == Pattern::kSpin) {
            spinScale_.SetStart(now_);
            spinAngle_.SetStart(now_);
            circles[0].alive = 1;
        } else {
            WritePatternKeys();
            for (BossBullet& c : circles) c.alive = 1;
        }
    } else if (PatternRunning()) {
        const KeyframeTrack& first = pattern_ == Pattern::kSpin ? spinScale_ : patternTracks_[0];
        if (play_once::Over(first, now_)) {
            for (BossBullet& c : circles) c.alive = 0;
            EndAttack();
            patternReady_ = 0;
            beamReady_ = 1;
        }
    }
    for (std::size_t e = 0; e < circles.Size(); ++e) {
        BossBullet& c = circles[e];
        if (!c.alive) continue;
        if (pattern_ == Pattern::kSpin) {
            c.x = body_.x;
            c.y = body_.y;
            c.z = body_.z - 1.0;
            c.sx = c.sy = play_once::Value(spinScale_, now_);
            c.roll = play_once::Value(spinAngle_, now_);
            ShowPicture(kThunderPicture, c.x, c.y, c.z, c.sx, 255, c.roll * kRadiansPerDegree);
            continue;
        }
        const KeyframeTrack* t = &patternTracks_[e * 4];
        c.x = play_once::Value(t[0], now_);
        c.y = play_once::Value(t[1], now_);
        c.z = play_once::Value(t[2], now_);
        c.sx = c.sy = play_once::Value(t[3], now_);
        ShowPicture(pattern_ == Pattern::kRising ? kUpPicture : kDownPicture, c.x, c.y, c.z, c.sx);
    }
}

void Smoon02::ChooseAfterBeam() {
    const int next = Rand() % 2;
    patternReady_ = next == 0 ? 1 : 0;
    beamReady_ = next == 1 ? 1 : 0;
}

void Smoon02::BeamAttack() {
    BossBullet& beam = live_[kBeamList][0];
    if (GateOpen(beamReady_)) {
        BeginAttack();
        Audio().PlaySound(sound::kBossBeam);
        beam.x = body_.x;
        beam.y = body_.y;
        beam.z = body_.z;
        beam.alive = 1;
        beamWidth_.SetStart(now_ - kBeamLead);
        beamHeight_.SetStart(now_ - kBeamLead);
        beamLength_.SetStart(now_ + kBeamFireDelay);
        beamDepth_.SetStart(now_ + kBeamFireDelay);
    } else if (BeamRunning() && play_once::Over(beamWidth_, now_)) {
        beam.alive = 0;
        EndAttack();
        ChooseAfterBeam();
    }
    if (!beam.alive) return;
    // The beam leaves the moon's eye wherever the sway takes it.
    beam.x = body_.x;
    beam.y = body_.y;
    beam.sx = play_once::Value(beamWidth_, now_);
    beam.sy = play_once::Value(beamHeight_, now_);
    beam.sz = play_once::Value(beamLength_, now_);
    beam.z = play_once::Value(beamDepth_, now_);
    ShowPicture(kBeamCircle, body_.x, body_.y, body_.z - 1.5, kChargeCircleScale);
    ShowBeam(beam);
}

void Smoon02::ShowBeam(const BossBullet& beam) {
    ShowMeshAt(kBeamMesh, beam.x, beam.y, beam.z, 0.0, 0.0, 0.0, beam.sx, beam.sy, beam.sz, kBeamAlpha,
               draw_state::kTwoSided);
}
