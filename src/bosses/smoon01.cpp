#include "bosses/smoon01.h"

#include <array>

#include <numbers>
#include <vector>

#include "core/angles.h"
#include "core/track_value.h"
#include "core/play_once.h"
#include "platform/core/clock.h"
#include "platform/core/random.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

using namespace platform;

namespace {

// Meshes in the order of the mesh names, then pictures in the order of the picture names.
constexpr std::array kAssets = {
    MeshAsset("x\\smoon01.x"),
    MeshAsset("x\\sord.x"),
    PictureAsset("t\\smagic.png"),
};

constexpr double kShotStartY = 5.0;
constexpr double kShotScale = 0.6;
constexpr double kMagicCircleScale = 3.5;
constexpr double kMagicCircleBehind = 1.0;
// The aim is scattered by up to this many units, upwards and to the right only.
constexpr int kAimScatter = 10;

BossBullet ShotEntry(std::size_t i) {
    BossBullet b;
    b.y = kShotStartY;
    b.z = Smoon01::kBarStartZ;
    b.damage = Smoon01::kShotDamage;
    b.sx = b.sy = b.sz = 1.0;
    b.rh = b.rv = b.rz = 1.0;
    b.tracks[0] = static_cast<std::int32_t>(i);
    return b;
}

std::vector<BossBullet> Bars() {
    std::vector<BossBullet> bars(Smoon01::kBarCount);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        BossBullet& b = bars[i];
        b.z = Smoon01::kBarStartZ;
        b.damage = Smoon01::kBarDamage;
        b.sx = b.sy = b.sz = 1.0;
        b.rh = 1.0;
        b.rv = 1.0;
        b.rz = 15.0;
        if (i < Smoon01::kRowBars) {
            b.x = 5.0 * static_cast<double>(i) - 15.0;
            b.y = Smoon01::kRowY;
        } else {
            b.x = Smoon01::kColumnX;
            b.y = 5.0 - 5.0 * static_cast<double>(i - Smoon01::kRowBars);
        }
    }
    return bars;
}

}  // namespace

Smoon01::Smoon01()
    : MoonBoss(kMeshCount, kPictureCount),
      shot_(std::make_unique<Track3[]>(kShotCount)) {
    std::vector<BossBullet> shots;
    for (std::size_t i = 0; i < kShotCount; ++i) shots.push_back(ShotEntry(i));
    BuildList(kShotList, shots);
    BuildList(kBarList, Bars());
    for (std::size_t i = 0; i < kShotCount; ++i) {
        play_once::Make(shot_[i].x, kShotAimMs, 0.0f, 0.0f);
        play_once::Make(shot_[i].y, kShotAimMs, 0.0f, 0.0f);
        play_once::Make(shot_[i].z, kShotFlightMs, static_cast<float>(kBarStartZ), -10.0f);
    }
    play_once::Make(roll_, kRollMs, 0.0f, 3600.0f);
    roll_.SetLooping(1);
    play_once::Make(barAdvance_, kBarAdvanceMs, static_cast<float>(kBarStartZ), static_cast<float>(kBarNearZ));
    play_once::Make(barSweep_, kBarSweepMs, 0.0f, 1.0f);
}

std::span<const AssetRef> Smoon01::Assets() { return kAssets; }

bool Smoon01::Load() { return LoadInOrder(kAssets); }

void Smoon01::Reset() {
    shotsReady_ = 0;
    barsReady_ = 1;
    attacking_ = 0;
    RestoreLists();
}

void Smoon01::StepBody(std::uint32_t now) {
    // The blade spins while its shots fly.
    body_.roll = ShotsRunning() ? TrackValue(roll_, now) * kRadiansPerDegree : 0.0;
    ShowBody(now, true);
}

void Smoon01::StepParts(std::uint32_t now) {
    Tick(now);
    ShowSwords();
    ShotAttack();
    BarFlight();
    BarAttack();
    ShowMagicCircle();
}

void Smoon01::ChooseNext() {
    const int next = Rand() % 2;
    shotsReady_ = next == 0 ? 1 : 0;
    barsReady_ = next == 1 ? 1 : 0;
}

void Smoon01::ShowSwords() {
    for (const BossBullet& bar : live_[kBarList]) {
        if (bar.alive) ShowMeshAt(kSwordMesh, bar.x, bar.y, bar.z, 0.0, 0.0, 0.0, bar.sx, bar.sy, bar.sz);
    }
}

void Smoon01::ShotAttack() {
    BulletPool& shots = live_[kShotList];
    if (GateOpen(shotsReady_)) {
        BeginAttack();
        Audio().PlaySound(sound::kBossShots);
        roll_.SetStart(now_ - kRollLead);
        for (std::size_t i = 0; i < shots.Size(); ++i) {
            const std::uint32_t leaves = now_ + kShotStagger * static_cast<std::uint32_t>(i);
            // Each shot leaves from where the swaying body will be when its turn comes.
            const float fromX = TrackValue(move_[0].x, leaves, static_cast<float>(body_.x));
            const float fromY = TrackValue(move_[0].y, leaves, static_cast<float>(body_.y));
            const auto aimX = static_cast<float>(player_.x + Rand() % kAimScatter);
            const auto aimY = static_cast<float>(player_.y + Rand() % kAimScatter);
            shot_[i].x.SetKey(0, 0.0f, fromX);
            shot_[i].x.SetKey(1, 1.0f, aimX);
            shot_[i].y.SetKey(0, 0.0f, fromY);
            shot_[i].y.SetKey(1, 1.0f, aimY);
            shot_[i].SetStart(leaves);
            shots[i].alive = 1;
        }
    } else if (ShotsRunning() && play_once::Over(roll_, now_)) {
        for (BossBullet& shot : shots) shot.alive = 0;
        EndAttack();
        ChooseNext();
    }
    for (std::size_t i = 0; i < shots.Size(); ++i) {
        BossBullet& shot = shots[i];
        if (!shot.alive) continue;
        // A shot whose flight is over is spent, not left behind the ship.
        if (play_once::Over(shot_[i].z, now_)) {
            shot.alive = 0;
            continue;
        }
        MoveTo(shot, shot_[i].Pass(now_));
        ShowPicture(kMagicPicture, shot.x, shot.y, shot.z, kShotScale);
    }
}

void Smoon01::BarFlight() {
    if (!BarsRunning()) return;
    const double depth = play_once::Value(barAdvance_, now_);
    const double sweep = play_once::Value(barSweep_, now_);
    BulletPool& bars = live_[kBarList];
    const BulletPool& placed = initial_[kBarList];
    for (std::size_t i = 0; i < bars.Size(); ++i) {
        BossBullet& bar = bars[i];
        if (!bar.alive) continue;
        bar.z = depth;
        if (i < kRowBars) {
            bar.y = placed[i].y + sweep * (kRowEndY - placed[i].y);
        } else {
            bar.x = placed[i].x + sweep * (kColumnEndX - placed[i].x);
        }
    }
}

void Smoon01::BarAttack() {
    BulletPool& bars = live_[kBarList];
    if (GateOpen(barsReady_)) {
        BeginAttack();
        const BulletPool& placed = initial_[kBarList];
        for (std::size_t i = 0; i < bars.Size(); ++i) {
            bars[i].x = placed[i].x;
            bars[i].y = placed[i].y;
            bars[i].z = kBarStartZ;
            bars[i].alive = 1;
        }
        barAdvance_.SetStart(now_ + kBarAdvanceDelay);
        barSweep_.SetStart(now_ + kBarSweepDelay);
    } else if (BarsRunning() && play_once::Over(barSweep_, now_)) {
        for (BossBullet& bar : bars) bar.alive = 0;
        EndAttack();
        ChooseNext();
    }
    // The swords hum while they are out; one call a frame restarts the sound as often as one per sword.
    for (const BossBullet& bar : bars) {
        if (!bar.alive) continue;
        Audio().PlaySound(sound::kBossSweep);
        break;
    }
}

void Smoon01::ShowMagicCircle() {
    if (attacking_ == 0) return;
    ShowPicture(kMagicPicture, body_.x, body_.y, body_.z + kMagicCircleBehind, kMagicCircleScale);
}
