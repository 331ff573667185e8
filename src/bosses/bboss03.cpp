#include "bosses/bboss03.h"

#include <array>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/play_once.h"
#include "core/track_value.h"
#include "platform/core/random.h"
#include "platform/gfx/math.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_quad.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

using namespace platform;

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr float kSwayY = 2.0f;
constexpr float kSwayZ = 40.0f;

// The sword mesh is centred near its middle: the tip lies 6 towards -z, the pommel 3.5 towards +z.
constexpr double kSwordTip = 6.0;
constexpr double kSwordPommel = 3.5;
constexpr double kSwordFullScale = Bboss03::kSwordReach / (kSwordTip + kSwordPommel);
// The blades grow out during the first quarter of the turn, while they still point away from the ship.
constexpr float kSwordGrown = 0.25f;

// Wing tips, in the knight's space.
constexpr double kWingSpan = 3.0;
constexpr double kWingRise = 2.0;
constexpr double kWingBack = 1.6;

// The halo turns about its own centre, modelled behind the knight's head.
constexpr float kHaloCentreY = 1.4f;
constexpr float kHaloCentreZ = 1.5f;
constexpr std::uint32_t kHaloTurnMs = 6000;
constexpr float kHaloAlpha = 0.8f;
// The thruster glow under the knight's skirt.
constexpr double kFlareDrop = 3.0;
constexpr double kFlareSize = 1.2;
constexpr double kFlarePulse = 0.3;
constexpr std::uint32_t kFlareFactor = 0xC0FFFFFFu;
// The warp picture's ring lies at 0.5 to 0.8 of its half-size: drawn at this half-size it covers the rim.
constexpr double kRingDrawHalf = 7.5;
constexpr float kTrailAlpha = 0.5f;
// No afterimage outlives this, whatever depth it was left at.
constexpr double kTrailMaxMs = 10000.0;


// The dash paths: depth offsets at phases 0.2 and 0.5, sideways offsets at phases 0.4 and 0.8; both
// start and end at 0, so the knight comes back to where it set out. The first two charge through the
// ship's plane and past the camera, the next two fall far back and sweep across, the last two do one of
// each.
struct DashPathKeys {
    float depth[2];
    float side[2];
};
constexpr DashPathKeys kDashPathKeys[Bboss03::kDashPaths] = {
    {{-30.0f, -120.0f}, {10.0f, 30.0f}}, {{-30.0f, -120.0f}, {-10.0f, -30.0f}}, {{30.0f, 120.0f}, {30.0f, -30.0f}},
    {{30.0f, 120.0f}, {-30.0f, 30.0f}},  {{-60.0f, 90.0f}, {20.0f, -10.0f}},    {{60.0f, -90.0f}, {-20.0f, 10.0f}},
};

BossBullet SwordEntry() {
    BossBullet b;
    b.z = kSwayZ;
    b.damage = Bboss03::kSwordDamage;
    b.sx = b.sy = 1.0;
    b.sz = Bboss03::kSwordStartScale;
    // The orbit test has its own fixed reach; these only size the blade's record.
    b.rh = b.rv = b.rz = 1.0;
    return b;
}

BossBullet RingEntry() {
    BossBullet b;
    b.z = kSwayZ;
    b.damage = Bboss03::kRingDamage;
    b.sx = b.sy = b.sz = 1.0;
    b.rh = b.rv = Bboss03::kRingRadius;
    b.rz = 0.5;
    return b;
}

BossBullet WingEntry() {
    BossBullet b;
    b.z = kSwayZ;
    b.damage = Bboss03::kWingDamage;
    b.sx = b.sy = b.sz = 1.0;
    b.rh = b.rv = b.rz = Bboss03::kWingRadius;
    return b;
}

BossBullet ChargeEntry() {
    BossBullet b;
    b.z = kSwayZ;
    b.damage = Bboss03::kChargeDamage;
    b.sx = b.sy = b.sz = 1.0;
    b.rh = b.rv = b.rz = Bboss03::kChargeRadius;
    return b;
}

constexpr std::array kAssets = {
    MeshAsset("x\\bboss03.x"),    MeshAsset("x\\sord.x"),       MeshAsset("x\\en.x"),
    MeshAsset("x\\souti.x"),      MeshAsset("x\\ryou.x"),       MeshAsset("x\\enemyatack02.x"),
    PictureAsset("t\\warp2.png"), PictureAsset("t\\join.png"), PictureAsset("t\\mecha2.png"),
};

// Blade i's height above the body: the first level with it, then one above and one below in turn.
double SwordLevel(std::size_t i) {
    const double step = static_cast<double>((i + 1) / 2) * Bboss03::kSwordSpacing;
    return i % 2 == 1 ? step : -step;
}

}  // namespace

Bboss03::Bboss03() {
    meshes_.resize(kMeshCount);
    BuildSway(kSwayY, kSwayZ);
    BuildList(kSwordList, kSwordCount, SwordEntry());
    BuildList(kRingList, kRingCount, RingEntry());
    BuildList(kWingList, kWingCount, WingEntry());
    charge_ = ChargeEntry();

    static constexpr float kSpin[2][2] = {{0.0f, 0.0f}, {1.0f, static_cast<float>(kTwoPi)}};
    haloSpin_.SetKeyCount(2);
    SetKeys(haloSpin_, kSpin);
    haloSpin_.SetDuration(kHaloTurnMs);
    haloSpin_.SetLooping(1);

    const float kTurn[2][2] = {{0.0f, 0.0f}, {1.0f, static_cast<float>(kTwoPi)}};
    play_once::Make(swordTurn_, 2, kSwordMs);
    SetKeys(swordTurn_, kTurn);
    const float kGrow[3][2] = {{0.0f, static_cast<float>(kSwordStartScale)},
                               {kSwordGrown, static_cast<float>(kSwordFullScale)},
                               {1.0f, static_cast<float>(kSwordFullScale)}};
    play_once::Make(swordGrow_, 3, kSwordMs);
    SetKeys(swordGrow_, kGrow);

    for (std::size_t i = 0; i < kRingCount; ++i) {
        const std::uint32_t ms = kRingMs + static_cast<std::uint32_t>(i) * kRingStagger;
        play_once::Make(ring_[i].x, 4, ms);
        play_once::Make(ring_[i].y, 3, ms);
        play_once::Make(ring_[i].z, 3, ms);
    }
    play_once::Make(dashDepth_, 4, kDashMs);
    play_once::Make(dashSide_, 4, kDashMs);
    for (KeyframeTrack& t : trailDepth_) play_once::Make(t, 2, 0);
}

std::span<const AssetRef> Bboss03::Assets() { return kAssets; }

bool Bboss03::Load() {
    // The body's loss has always been reported under this shorter name.
    if (!(LoadMesh(kBodyMesh, kAssets[0], "bbss03ロスト") && LoadMesh(kSwordMesh, kAssets[1]) &&
          LoadMesh(kHaloMesh, kAssets[2]) && LoadMesh(kPackMesh, kAssets[3]) && LoadMesh(kWingMesh, kAssets[4]) &&
          LoadMesh(kShotMesh, kAssets[5]) && LoadPicture(kAssets[6], &warp_) && LoadPicture(kAssets[7], &join_) &&
          LoadPicture(kAssets[8], &mecha_))) {
        return false;
    }
    CreateSquareQuad(drawContext_, 1.0f, 1.0f, 1.0f, 0x00FFFFFFu, &quad_);
    return true;
}

void Bboss03::Reset() {
    swordsReady_ = 0;
    ringsReady_ = 0;
    dashReady_ = 1;
    attacking_ = 0;
    dashPath_ = 0;
    nextChoice_ = 0;
    lastTrail_ = 0;
    RestoreLists();
    charge_ = ChargeEntry();
    for (BossBullet& t : trail_) t = BossBullet{};
}

Bboss03::Attack Bboss03::Next() const {
    if (swordsReady_) return Attack::kSwords;
    if (ringsReady_) return Attack::kRings;
    return Attack::kDash;
}

std::uint32_t Bboss03::TrailMs(double depth) {
    // Below the floor the span would be negative: such a wing leaves nothing rather than an afterimage
    // that never runs out and holds its slot for good.
    if (!(depth > kTrailFloor)) return 0;
    const double ms = std::min((depth - kTrailFloor) * kTrailMsPerUnit, kTrailMaxMs);
    return static_cast<std::uint32_t>(ms);
}

void Bboss03::StepParts(std::uint32_t now) {
    Tick(now);
    PlaceParts();
    ShowArmour();
    ShowHalo();
    BodyEffects();
    SwordAttack();
    ShowSwords();
    RingAttack();
    ShowRings();
    DashAttack();
    UpdateTrail();
    ShowTrail();
}

bool Bboss03::GateOpen(std::uint8_t ready) const { return ready == 1 && attacking_ == 0 && elapsed_ > kAttackGate; }

void Bboss03::Begin() {
    battleStart_ = now_;
    elapsed_ = 0;
    attacking_ = 1;
}

void Bboss03::Finish() {
    attacking_ = 0;
    battleStart_ = now_;
    // The next attack waits its full gate, even if its step comes later in this same update.
    elapsed_ = 0;
    nextChoice_ = Rand() % 3;
    swordsReady_ = nextChoice_ == 0 ? 1 : 0;
    ringsReady_ = nextChoice_ == 1 ? 1 : 0;
    dashReady_ = nextChoice_ == 2 ? 1 : 0;
}

void Bboss03::PlaceParts() {
    MatrixRotationYawPitchRoll(&partsWorld_, static_cast<float>(body_.yaw), static_cast<float>(body_.pitch),
                               static_cast<float>(body_.roll));
    SetMatrixTranslation(&partsWorld_, static_cast<float>(body_.x), static_cast<float>(body_.y),
                         static_cast<float>(body_.z));
}

void Bboss03::ShowArmour() {
    ShowMesh(meshes_[kPackMesh], partsWorld_);
    ShowMesh(meshes_[kWingMesh], partsWorld_);
}

void Bboss03::ShowHalo() {
    Matrix toCentre, spin, back, world;
    MatrixTranslation(&toCentre, 0.0f, -kHaloCentreY, -kHaloCentreZ);
    MatrixRotationYawPitchRoll(&spin, 0.0f, 0.0f, TrackValue(haloSpin_, now_));
    MatrixTranslation(&back, 0.0f, kHaloCentreY, kHaloCentreZ);
    MatrixMultiply(&world, &toCentre, &spin);
    MatrixMultiply(&world, &world, &back);
    MatrixMultiply(&world, &world, &partsWorld_);
    ShowMesh(meshes_[kHaloMesh], world, draw_state::kTranslucent, kHaloAlpha);
}

void Bboss03::BodyEffects() {
    QuadPlacement flare;
    flare.x = body_.x;
    flare.y = body_.y - kFlareDrop;
    flare.z = body_.z;
    const double size = kFlareSize * (1.0 + kFlarePulse * std::sin(4.0 * TrackValue(haloSpin_, now_)));
    flare.scaleX = flare.scaleY = size;
    flare.factor = kFlareFactor;
    ShowFlipbook(quad_.get(), join_.get(), flare);
}

void Bboss03::SwordAttack() {
    BulletPool& swords = live_[kSwordList];
    if (GateOpen(swordsReady_)) {
        Begin();
        Audio().PlaySound(sound::kBossSweep);
        swordTurn_.SetStart(now_);
        swordGrow_.SetStart(now_);
        for (std::size_t i = 0; i < swords.Size(); ++i) swords[i].alive = (i == 0 || Rand() % 2 == 1) ? 1 : 0;
    } else if (attacking_ == 1 && swordsReady_ == 1 && play_once::Over(swordTurn_, now_)) {
        for (BossBullet& s : swords) {
            s.alive = 0;
            s.sz = kSwordStartScale;
        }
        Finish();
        return;
    }
    if (attacking_ != 1 || swordsReady_ != 1) return;
    const double turn = play_once::Value(swordTurn_, now_);
    const double length = play_once::Value(swordGrow_, now_);
    for (std::size_t i = 0; i < swords.Size(); ++i) {
        BossBullet& s = swords[i];
        if (!s.alive) continue;
        // Neighbouring blades turn opposite ways, so the fan closes on the ship from both sides.
        s.yaw = i % 2 == 1 ? -turn : turn;
        s.sz = length;
        s.x = body_.x;
        s.y = body_.y + SwordLevel(i);
        s.z = body_.z;
    }
}

void Bboss03::ShowSwords() {
    for (const BossBullet& s : live_[kSwordList]) {
        if (!s.alive) continue;
        // The blade points out along its yaw with its pommel at the body, its tip at the hit point's reach.
        Matrix scale, turn, world;
        MatrixScaling(&scale, static_cast<float>(s.sx), static_cast<float>(s.sy), static_cast<float>(s.sz));
        MatrixRotationYawPitchRoll(&turn, static_cast<float>(s.yaw + std::numbers::pi), 0.0f, 0.0f);
        MatrixMultiply(&world, &scale, &turn);
        const double out = kSwordPommel * s.sz;
        SetMatrixTranslation(&world, static_cast<float>(s.x + out * std::sin(s.yaw)), static_cast<float>(s.y),
                             static_cast<float>(s.z + out * std::cos(s.yaw)));
        ShowMesh(meshes_[kSwordMesh], world);
    }
}

void Bboss03::RingAttack() {
    BulletPool& rings = live_[kRingList];
    if (GateOpen(ringsReady_)) {
        Begin();
        Audio().PlaySound(sound::kBossShots);
        const auto bx = static_cast<float>(body_.x);
        const auto by = static_cast<float>(body_.y);
        const auto bz = static_cast<float>(body_.z);
        const auto px = static_cast<float>(player_.x);
        const auto py = static_cast<float>(player_.y);
        const auto pz = static_cast<float>(player_.z);
        for (std::size_t i = 0; i < rings.Size() && i < kRingCount; ++i) {
            BossBullet& r = rings[i];
            r.alive = 1;
            r.work[0] = Rand() % 2 == 0 ? kRingBow : -kRingBow;
            // The ring bows out to its side, then meets the ship's plane half-way, centred on where the
            // ship was: a ship that holds its place goes through the hole.
            const float bowed = (bx + px) * 0.5f + static_cast<float>(r.work[0]);
            const float keysX[4][2] = {{0.0f, bx}, {0.25f, bowed}, {0.5f, px}, {1.0f, px}};
            const float keysY[3][2] = {{0.0f, by}, {0.5f, py}, {1.0f, py}};
            const float keysZ[3][2] = {{0.0f, bz}, {0.5f, pz}, {1.0f, pz - (bz - pz)}};
            SetKeys(ring_[i].x, keysX);
            SetKeys(ring_[i].y, keysY);
            SetKeys(ring_[i].z, keysZ);
            ring_[i].SetStart(now_);
        }
    } else if (attacking_ == 1 && ringsReady_ == 1 && play_once::Over(ring_[kRingCount - 1].z, now_)) {
        for (BossBullet& r : rings) r.alive = 0;
        Finish();
        return;
    }
    if (attacking_ != 1 || ringsReady_ != 1) return;
    for (std::size_t i = 0; i < rings.Size() && i < kRingCount; ++i) {
        BossBullet& r = rings[i];
        if (!r.alive) continue;
        if (play_once::Over(ring_[i].z, now_)) {
            r.alive = 0;
            continue;
        }
        MoveTo(r, ring_[i].Pass(now_));
    }
}

void Bboss03::ShowRings() {
    for (const BossBullet& r : live_[kRingList]) {
        if (!r.alive) continue;
        QuadPlacement ring;
        ring.x = r.x;
        ring.y = r.y;
        ring.z = r.z;
        ring.scaleX = ring.scaleY = kRingDrawHalf;
        ShowFlipbook(quad_.get(), warp_.get(), ring);
    }
}

void Bboss03::PlaceWings() {
    BulletPool& wings = live_[kWingList];
    for (std::size_t i = 0; i < wings.Size(); ++i) {
        BossBullet& w = wings[i];
        w.x = body_.x + (i % 2 == 0 ? kWingSpan : -kWingSpan);
        w.y = body_.y + kWingRise;
        w.z = body_.z + kWingBack;
    }
    charge_.x = body_.x;
    charge_.y = body_.y;
    charge_.z = body_.z;
}

void Bboss03::DashAttack() {
    BulletPool& wings = live_[kWingList];
    if (GateOpen(dashReady_)) {
        Begin();
        Audio().PlaySound(sound::kBossStrike);
        dashPath_ = Rand() % kDashPaths;
        const DashPathKeys& path = kDashPathKeys[dashPath_];
        const float depth[4][2] = {{0.0f, 0.0f}, {0.2f, path.depth[0]}, {0.5f, path.depth[1]}, {1.0f, 0.0f}};
        const float side[4][2] = {{0.0f, 0.0f}, {0.4f, path.side[0]}, {0.8f, path.side[1]}, {1.0f, 0.0f}};
        SetKeys(dashDepth_, depth);
        SetKeys(dashSide_, side);
        dashDepth_.SetStart(now_);
        dashSide_.SetStart(now_);
        PauseSway(now_);
        body_.holdPosition = 1;
        dashFromX_ = body_.x;
        dashFromZ_ = body_.z;
        for (BossBullet& w : wings) w.alive = 1;
        charge_.alive = 1;
        lastTrail_ = now_;
    } else if (attacking_ == 1 && dashReady_ == 1 && play_once::Over(dashDepth_, now_)) {
        body_.x = dashFromX_;
        body_.z = dashFromZ_;
        for (BossBullet& w : wings) w.alive = 0;
        charge_.alive = 0;
        ResumeSway(now_, false);
        body_.holdPosition = 0;
        Finish();
        return;
    }
    if (attacking_ != 1 || dashReady_ != 1) return;
    body_.x = dashFromX_ + play_once::Value(dashSide_, now_);
    body_.z = dashFromZ_ + play_once::Value(dashDepth_, now_);
    PlaceWings();
}

void Bboss03::LeaveTrail(const BossBullet& source) {
    const std::uint32_t ms = TrailMs(source.z);
    if (ms == 0) return;
    for (std::size_t i = 0; i < kTrailCount; ++i) {
        BossBullet& t = trail_[i];
        if (t.alive) continue;
        t = BossBullet{};
        t.x = source.x;
        t.y = source.y;
        t.z = source.z;
        t.sx = t.sy = t.sz = 1.0;
        t.alive = 1;
        KeyframeTrack& depth = trailDepth_[i];
        depth.SetKey(0, 0.0f, static_cast<float>(source.z));
        depth.SetKey(1, 1.0f, static_cast<float>(kTrailFloor));
        depth.SetDuration(ms);
        depth.SetStart(now_);
        return;
    }
    // Every slot is taken: this afterimage is left out; the oldest run out soon and free theirs.
}

void Bboss03::UpdateTrail() {
    for (std::size_t i = 0; i < kTrailCount; ++i) {
        BossBullet& t = trail_[i];
        if (!t.alive) continue;
        if (play_once::Over(trailDepth_[i], now_)) {
            t.alive = 0;
            continue;
        }
        t.z = play_once::Value(trailDepth_[i], now_);
    }
    if (now_ - lastTrail_ < kTrailEveryMs) return;
    lastTrail_ = now_;
    for (const BossBullet& w : live_[kWingList]) {
        if (w.alive) LeaveTrail(w);
    }
}

void Bboss03::ShowTrail() {
    for (std::size_t i = 0; i < kTrailCount; ++i) {
        const BossBullet& t = trail_[i];
        if (!t.alive) continue;
        const KeyframeTrack& depth = trailDepth_[i];
        // Afterimages fade as they run out.
        const float left = depth.Duration() > 0
                               ? 1.0f - static_cast<float>(now_ - depth.Start()) / static_cast<float>(depth.Duration())
                               : 0.0f;
        Matrix world;
        MatrixTranslation(&world, static_cast<float>(t.x), static_cast<float>(t.y), static_cast<float>(t.z));
        ShowMesh(meshes_[kShotMesh], world, draw_state::kTranslucent, kTrailAlpha * left);
    }
}
