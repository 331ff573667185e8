#include "bosses/smoon03.h"

#include <array>

#include <cmath>
#include <numbers>

#include "core/track_value.h"
#include "core/play_once.h"
#include "platform/core/random.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

using namespace platform;

namespace {

// Meshes in the order of the mesh names, then pictures in the order of the picture names.
constexpr std::array kAssets = {
    MeshAsset("x\\smoon03.x"),         MeshAsset("x\\sord.x"),          MeshAsset("x\\hammer.x"),
    MeshAsset("x\\tama.x"),            MeshAsset("x\\grav.x"),          MeshAsset("x\\efe.x"),
    MeshAsset("x\\kouha.x"),           PictureAsset("t\\amagic.png"),   PictureAsset("t\\smagic.png"),
    PictureAsset("t\\holeHirami.png"), PictureAsset("t\\athunder.png"), PictureAsset("t\\flare2.png"),
    PictureAsset("t\\yougan001.png"),
};

constexpr double kPi = std::numbers::pi;
constexpr double kShipPlaneZ = 15.0;
constexpr double kStartZ = 40.0;
constexpr double kEndZ = -10.0;
constexpr double kAimCircleScale = 1.5;
constexpr double kMagicCircleScale = 3.5;
constexpr double kHoleScale = 2.5;
constexpr double kFlareScale = 1.0;
constexpr double kImpactScale = 2.5;

BossBullet Entry(std::int32_t damage, double radius) {
    BossBullet b;
    b.z = kStartZ;
    b.damage = damage;
    b.sx = b.sy = b.sz = 1.0;
    b.rh = b.rv = b.rz = radius;
    return b;
}

BossBullet SwordEntry() {
    BossBullet b = Entry(Smoon03::kSwordDamage, 1.0);
    b.rz = 5.0;
    return b;
}

}  // namespace

Smoon03::Smoon03()
    : MoonBoss(kMeshCount, kPictureCount),
      orb_(std::make_unique<Track3[]>(kOrbCount)) {
    BuildList(kSwordList, kSwordCount, SwordEntry());
    BuildList(kOrbList, kOrbCount, Entry(kOrbDamage, kOrbRadius));
    BuildList(kWellList, 1, Entry(kWellDamage, kWellRadius));
    BuildList(kHammerList, 1, Entry(kHammerDamage, 1.0));

    play_once::Make(swordDrop_, kSwordDropMs, static_cast<float>(kSwordTopY), static_cast<float>(kSwordBottomY));
    // The head starts held back (behind the pivot), swings round the far side and lands on the spot.
    hammerSwing_.SetKeyCount(3);
    hammerSwing_.SetKey(0, 0.0f, static_cast<float>(kPi / 2));
    hammerSwing_.SetKey(1, kHammerLandsAt, static_cast<float>(-kPi / 2));
    hammerSwing_.SetKey(2, 1.0f, static_cast<float>(-kPi / 2));
    hammerSwing_.SetDuration(kHammerSwingMs);
    hammerSwing_.SetLooping(0);
    // The sideways tracks reach their target half-way, as the depth crosses the ship's plane.
    for (std::size_t i = 0; i < kOrbCount; ++i) {
        play_once::Make(orb_[i].x, kOrbFlightMs / 2, 0.0f, 0.0f);
        play_once::Make(orb_[i].y, kOrbFlightMs / 2, 0.0f, 0.0f);
        play_once::Make(orb_[i].z, kOrbFlightMs, static_cast<float>(kStartZ), static_cast<float>(kEndZ));
    }
    play_once::Make(well_.x, kWellFlightMs / 2, 0.0f, 0.0f);
    play_once::Make(well_.y, kWellFlightMs / 2, 0.0f, 0.0f);
    play_once::Make(well_.z, kWellFlightMs, static_cast<float>(kStartZ), static_cast<float>(kEndZ));
}

std::span<const AssetRef> Smoon03::Assets() { return kAssets; }

bool Smoon03::Load() { return LoadInOrder(kAssets); }

void Smoon03::Reset() {
    next_ = Attack::kOrbs;
    attacking_ = 0;
    swordsFalling_ = 0;
    hammerLanded_ = 0;
    RestoreLists();
}

void Smoon03::StepParts(std::uint32_t now) {
    Tick(now);
    SwordAttack();
    HammerAttack();
    OrbAttack();
    ShowMagicCircle();
}

void Smoon03::Finish() {
    EndAttack();
    next_ = static_cast<Attack>(Rand() % 3);
}

void Smoon03::SwordAttack() {
    BulletPool& swords = live_[kSwordList];
    if (GateOpen(next_ == Attack::kSwords ? 1 : 0)) {
        BeginAttack();
        aimX_ = player_.x;
        for (std::size_t k = 0; k < swords.Size(); ++k) {
            BossBullet& s = swords[k];
            s.x = aimX_ + kSwordSpacing * (static_cast<double>(k) - 2.0);
            s.y = kSwordTopY;
            s.z = kShipPlaneZ;
            s.alive = 1;
        }
        swordDrop_.SetStart(now_ + kSwordDropDelay);
        swordsFalling_ = 0;
    } else if (Running(Attack::kSwords) && play_once::Over(swordDrop_, now_)) {
        for (BossBullet& s : swords) s.alive = 0;
        Finish();
    }
    if (!Running(Attack::kSwords)) return;
    const bool falling = play_once::Begun(swordDrop_, now_);
    if (falling && swordsFalling_ == 0) {
        swordsFalling_ = 1;
        Audio().PlaySound(sound::kBossSweep);
    }
    const double y = play_once::Value(swordDrop_, now_);
    for (BossBullet& s : swords) {
        if (!s.alive) continue;
        s.y = y;
        // Before the drop a sight marks each sword's column; the blades point down.
        if (!falling) ShowPicture(kAimPicture, s.x, kSwordTopY - 2.0, s.z, kAimCircleScale);
        ShowMeshAt(kSwordMesh, s.x, s.y, s.z, 0.0, -kPi / 2, 0.0, s.sx, s.sy, s.sz);
    }
}

void Smoon03::HammerAttack() {
    BossBullet& hammer = live_[kHammerList][0];
    if (GateOpen(next_ == Attack::kHammer ? 1 : 0)) {
        BeginAttack();
        aimX_ = player_.x;
        aimY_ = player_.y;
        hammer.x = aimX_;
        hammer.y = aimY_;
        hammer.z = kHammerPivotZ;
        hammer.pitch = 0.0;
        hammer.alive = 1;
        hammerSwing_.SetStart(now_ + kHammerSwingDelay);
        hammerLanded_ = 0;
    } else if (Running(Attack::kHammer) && play_once::Over(hammerSwing_, now_)) {
        hammer.alive = 0;
        Finish();
    }
    if (!hammer.alive) return;
    hammer.yaw = play_once::Value(hammerSwing_, now_);
    const auto landsAt = static_cast<std::uint32_t>(kHammerLandsAt * static_cast<float>(kHammerSwingMs));
    const bool landed = play_once::Begun(hammerSwing_, now_ - landsAt);
    // The struck point: the head's place along the hammer's angle, as the ship's test reads it.
    const double headX = hammer.x + 5.0 * std::cos(hammer.yaw);
    const double headZ = hammer.z + 5.0 * std::sin(hammer.yaw);
    if (landed && hammerLanded_ == 0) {
        hammerLanded_ = 1;
        Audio().PlaySound(sound::kBossStrike);
    }
    if (landed) {
        ShowMeshAt(kBurstMesh, headX, hammer.y, headZ, 0.0, 0.0, 0.0, kImpactScale, kImpactScale, kImpactScale);
        ShowMeshAt(kWaveMesh, headX, hammer.y, headZ, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0);
        ShowPicture(kThunderPicture, headX, hammer.y, headZ, kImpactScale);
    } else {
        ShowPicture(kAimPicture, aimX_, aimY_, kShipPlaneZ, kAimCircleScale);
    }
    // The mesh turns the other way round the vertical axis from the test's angle.
    ShowMeshAt(kHammerMesh, hammer.x, hammer.y, hammer.z, -hammer.yaw, 0.0, 0.0, 1.0, 1.0, 1.0);
}

void Smoon03::OrbAttack() {
    BulletPool& orbs = live_[kOrbList];
    BossBullet& well = live_[kWellList][0];
    if (GateOpen(next_ == Attack::kOrbs ? 1 : 0)) {
        BeginAttack();
        aimX_ = player_.x;
        aimY_ = player_.y;
        for (std::size_t k = 0; k < orbs.Size(); ++k) {
            const double a = 2.0 * kPi * static_cast<double>(k) / static_cast<double>(orbs.Size());
            orb_[k].x.SetKey(0, 0.0f, static_cast<float>(body_.x));
            orb_[k].x.SetKey(1, 1.0f, static_cast<float>(aimX_ + kOrbRingRadius * std::cos(a)));
            orb_[k].y.SetKey(0, 0.0f, static_cast<float>(body_.y));
            orb_[k].y.SetKey(1, 1.0f, static_cast<float>(aimY_ + kOrbRingRadius * std::sin(a)));
            orb_[k].SetStart(now_);
            orbs[k].alive = 1;
        }
        well_.x.SetKey(0, 0.0f, static_cast<float>(body_.x));
        well_.x.SetKey(1, 1.0f, static_cast<float>(aimX_));
        well_.y.SetKey(0, 0.0f, static_cast<float>(body_.y));
        well_.y.SetKey(1, 1.0f, static_cast<float>(aimY_));
        well_.SetStart(now_ + kWellDelay);
        well.alive = 1;
    } else if (Running(Attack::kOrbs) && play_once::Over(well_.z, now_)) {
        for (BossBullet& orb : orbs) orb.alive = 0;
        well.alive = 0;
        Finish();
    }
    for (std::size_t k = 0; k < orbs.Size(); ++k) {
        BossBullet& orb = orbs[k];
        if (!orb.alive) continue;
        if (play_once::Over(orb_[k].z, now_)) {
            orb.alive = 0;
            continue;
        }
        MoveTo(orb, orb_[k].Pass(now_));
        ShowPicture(kFlarePicture, orb.x, orb.y, orb.z, kFlareScale);
        ShowMeshAt(kOrbMesh, orb.x, orb.y, orb.z, 0.0, 0.0, 0.0, orb.sx, orb.sy, orb.sz);
    }
    if (!well.alive) return;
    MoveTo(well, well_.Pass(now_));
    // The well opens as a hole in front of the moon while it waits, and glows as it comes.
    if (!play_once::Begun(well_.z, now_)) ShowPicture(kHolePicture, well.x, well.y, well.z - 2.0, kHoleScale);
    ShowPicture(kLavaPicture, well.x, well.y, well.z, kWellRadius, 128);
    ShowMeshAt(kWellMesh, well.x, well.y, well.z, 0.0, 0.0, 0.0, kWellRadius, kWellRadius, kWellRadius);
}

void Smoon03::ShowMagicCircle() {
    if (attacking_ == 0) return;
    ShowPicture(kMagicPicture, body_.x, body_.y, body_.z + 1.0, kMagicCircleScale);
}
