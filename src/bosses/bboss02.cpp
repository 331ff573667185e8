#include "bosses/bboss02.h"

#include <array>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/angles.h"
#include "core/play_once.h"
#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/core/random.h"
#include "platform/gfx/device_states.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_quad.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

using namespace platform;

namespace {

constexpr float kSwayY = 5.0f;
constexpr float kSwayZ = 40.0f;
constexpr double kCirclingDepth = 40.0;
constexpr double kListDepth = 40.0;
// One turn of the shields and of the circling holes.
constexpr std::uint32_t kOrbitMs = 12000;
// The shields start at the top and every third of a turn; the holes sit between them.
constexpr float kShieldFirstAngle = 90.0f;
constexpr float kHoleFirstAngle = 30.0f;
constexpr float kOrbitSpacing = 120.0f;
// The late holes, 4 to 10, in opening order.
constexpr double kFixedHoles[7][3] = {{5, 3, 32},   {-5, 3, 32},   {10, 10, 32}, {-10, 10, 32},
                                      {10, -4, 32}, {-10, -4, 32}, {0, 0, 32}};
// The glow sheet holds 4 x 4 cells.
constexpr int kGlowColumns = 4;
constexpr int kGlowCells = 16;
constexpr double kGlowCell = 0.25;
// The glow lies just in front of its shield's plate.
constexpr double kGlowAhead = 0.3;


constexpr std::array kAssets = {
    MeshAsset("x\\bboss02.x"),   MeshAsset("x\\shield.x"),        MeshAsset("x\\baria.x"),
    MeshAsset("x\\boss01shot.x"), MeshAsset("x\\bossbeam.x"),      PictureAsset("t\\hole.png"),
    PictureAsset("t\\baria.png"), PictureAsset("t\\bullet 2.png"),
};

std::vector<BossBullet> ListEntries(std::int32_t damage, double rz) {
    std::vector<BossBullet> entries(Bboss02::kHoleCount);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        BossBullet& b = entries[k];
        b.z = kListDepth;
        b.damage = damage;
        b.sx = b.sy = b.sz = 1.0;
        b.rh = 1.0;
        b.rv = 1.0;
        b.rz = rz;
        // Entry k flies on track k and leaves from hole k + 1.
        b.tracks[0] = b.tracks[1] = b.tracks[2] = static_cast<std::int32_t>(k);
    }
    return entries;
}

void OrbitPoint(double cx, double cy, double angleDegrees, double* x, double* y) {
    const double a = angleDegrees * kRadiansPerDegree;
    *x = cx + Bboss02::kOrbitRadius * std::cos(a);
    *y = cy + Bboss02::kOrbitRadius * std::sin(a);
}

void TwoKeys(KeyframeTrack& track, float from, float to) {
    track.SetKey(0, 0.0f, from);
    track.SetKey(1, 1.0f, to);
}

void Build(KeyframeTrack& track, int keys, std::uint32_t ms, std::uint32_t looping) {
    track.SetKeyCount(keys);
    track.SetDuration(ms);
    track.SetLooping(looping);
}

void BuildOrbit(KeyframeTrack& track, float firstAngle) {
    Build(track, 2, kOrbitMs, 1);
    TwoKeys(track, firstAngle, firstAngle + 360.0f);
}

// Stage 1 passes stage 0's colour and multiplies its alpha by the texture factor's: the materials' alpha
// and the factor's together fade the barrier and the beams.
constexpr DrawState FadedByFactor(std::uint32_t factor) {
    using namespace draw_state;
    return DrawState{
        Render(D3DRS_TEXTUREFACTOR, factor),
        Stage(1, D3DTSS_COLOROP, D3DTOP_SELECTARG1),
        Stage(1, D3DTSS_COLORARG1, D3DTA_CURRENT),
        Stage(1, D3DTSS_ALPHAOP, D3DTOP_MODULATE),
        Stage(1, D3DTSS_ALPHAARG1, D3DTA_CURRENT),
        Stage(1, D3DTSS_ALPHAARG2, D3DTA_TFACTOR),
    };
}

}  // namespace

Bboss02::Bboss02() {
    meshes_.resize(kMeshCount);
    BuildList(kShotList, ListEntries(kShotDamage, 1.0));
    BuildList(kBeamList, ListEntries(kBeamDamage, 5.0));
    BuildSway(kSwayY, kSwayZ);

    for (int j = 0; j < kShieldCount; ++j) BuildOrbit(shieldAngle_[j], kShieldFirstAngle + kOrbitSpacing * j);
    for (int j = 0; j < kCirclingHoles; ++j) BuildOrbit(holeAngle_[j], kHoleFirstAngle + kOrbitSpacing * j);
    for (int k = 0; k < kHoleCount; ++k) {
        shot_[k].MakePass(2, kShotFlightMs);
    }
    static constexpr float kWidth[3][2] = {{0.0f, 1.0f}, {0.7f, 1.5f}, {1.0f, 0.1f}};
    static constexpr float kLength[2][2] = {{0.0f, 1.0f}, {1.0f, 10.0f}};
    static constexpr float kDepth[2][2] = {{0.0f, 40.0f}, {1.0f, -50.0f}};
    Build(beamWidth_, 3, kBeamMs, 0);
    SetKeys(beamWidth_, kWidth);
    Build(beamHeight_, 3, kBeamMs, 0);
    SetKeys(beamHeight_, kWidth);
    Build(beamLength_, 2, kBeamMs, 0);
    SetKeys(beamLength_, kLength);
    Build(beamDepth_, 2, kBeamMs, 0);
    SetKeys(beamDepth_, kDepth);

    Reset();
}

std::span<const AssetRef> Bboss02::Assets() { return kAssets; }

bool Bboss02::Load() {
    if (!LoadMesh(kBodyMesh, kAssets[0]) || !LoadMesh(kShieldMesh, kAssets[1]) || !LoadMesh(kBarrierMesh, kAssets[2]) ||
        !LoadMesh(kShotMesh, kAssets[3]) || !LoadMesh(kBeamMesh, kAssets[4]) || !LoadPicture(kAssets[5], &holeTexture_) ||
        !LoadMaterialPictures(kBarrierMesh, std::span(kAssets).subspan(6, 1)) || !LoadPicture(kAssets[7], &glowTexture_)) {
        return false;
    }
    CreateSquareQuad(drawContext_, 2.0f, 1.0f, 1.0f, 0xFFFFFFFFu, &holeQuad_);
    CreateSquareQuad(drawContext_, 1.6f, 0.25f, 0.25f, 0xFFFFFFFFu, &glowQuad_);
    return true;
}

void Bboss02::Start(std::uint32_t now, int set) {
    Boss::Start(now, set);
    for (KeyframeTrack& t : shieldAngle_) t.SetStart(battleStart_);
    for (KeyframeTrack& t : holeAngle_) t.SetStart(battleStart_);
    glowStepAt_ = battleStart_;
}

void Bboss02::Reset() {
    attackAReady_ = 1;
    attackBReady_ = 0;
    attacking_ = 0;
    RestoreLists();
    for (int j = 0; j < kShieldCount; ++j) {
        BodyRecord& shield = shields_[static_cast<std::size_t>(j)];
        shield = BodyRecord{};
        shield.active = 1;
        shield.life = shield.lifeMax = kShieldLife;
        shield.rh = shield.rv = shield.rz = kShieldRadius;
        // Where the first update puts it, around the core's place at entry.
        OrbitPoint(0.0, kSwayY, kShieldFirstAngle + kOrbitSpacing * j, &shield.x, &shield.y);
        shield.z = kSwayZ;
    }
    barrier_ = BodyRecord{};
    barrier_.active = 1;
    barrier_.y = kSwayY;
    barrier_.z = kSwayZ - kBarrierAhead;
    barrierFlashing_ = 0;
    for (int k = 0; k < kHoleCount; ++k) {
        Hole& hole = holes_[static_cast<std::size_t>(k)];
        hole = Hole{};
        if (k < kCirclingHoles) {
            hole.active = 1;
            hole.size = kHoleFullSize;
            OrbitPoint(0.0, kSwayY, kHoleFirstAngle + kOrbitSpacing * k, &hole.x, &hole.y);
            hole.z = kCirclingDepth;
        } else {
            const double* at = kFixedHoles[k - kCirclingHoles];
            hole.x = at[0];
            hole.y = at[1];
            hole.z = at[2];
        }
    }
    opening_ = 0;
    holesOpened_ = 0;
    glowCell_ = 0;
}

void Bboss02::StepBody(std::uint32_t now) {
    // While shielded the hit stays for the barrier, which shows it longer than one frame.
    const std::uint8_t hit = body_.hitFlash;
    ShowBody(now, false);
    if (body_.shielded) body_.hitFlash = hit;
}

void Bboss02::StepParts(std::uint32_t now) {
    Tick(now);
    PlaceShields();
    PlaceBarrier();
    BodyEffects();
    LaunchHoles();
    AttackA();
    MoveShots();
    MoveBeams();
    AttackB();
}

void Bboss02::PlaceOnOrbit(double angleDegrees, double* x, double* y) const {
    OrbitPoint(body_.x, body_.y, angleDegrees, x, y);
}

Matrix Bboss02::At(double x, double y, double z) {
    Matrix world;
    MatrixTranslation(&world, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    return world;
}

void Bboss02::PlaceShields() {
    for (int j = 0; j < kShieldCount; ++j) {
        BodyRecord& shield = shields_[static_cast<std::size_t>(j)];
        if (!shield.active) continue;
        PlaceOnOrbit(TrackValue(shieldAngle_[j], now_), &shield.x, &shield.y);
        shield.z = body_.z;
        // The hit flash is latched like the body's: shown in this frame's list, then cleared.
        ShowMesh(meshes_[kShieldMesh], At(shield.x, shield.y, shield.z), draw_state::kTranslucent,
                 shield.hitFlash ? kHitAlpha : 1.0f);
        shield.hitFlash = 0;
    }
}

void Bboss02::PlaceBarrier() {
    if (!barrier_.active) return;
    barrier_.x = body_.x;
    barrier_.y = body_.y;
    barrier_.z = body_.z - kBarrierAhead;
    if (body_.shielded && body_.hitFlash) {
        body_.hitFlash = 0;
        barrierFlashing_ = 1;
        barrierFlashAt_ = now_;
    }
    const bool opaque = BarrierOpaque();
    ShowMesh(meshes_[kBarrierMesh], At(barrier_.x, barrier_.y, barrier_.z),
             draw_state::kTranslucent + FadedByFactor(opaque ? 0xFFFFFFFFu : kBarrierFactor),
             opaque ? 1.0f : kBarrierAlpha);
}

void Bboss02::BodyEffects() {
    if (now_ - glowStepAt_ >= kGlowStepMs) {
        glowStepAt_ = now_;
        glowCell_ = (glowCell_ + 1) % kGlowCells;
    }
    QuadPlacement placement;
    placement.u = (glowCell_ % kGlowColumns) * kGlowCell;
    placement.v = (glowCell_ / kGlowColumns) * kGlowCell;
    for (const BodyRecord& shield : shields_) {
        if (!shield.active) continue;
        placement.x = shield.x;
        placement.y = shield.y;
        placement.z = shield.z - kGlowAhead;
        ShowFlipbook(glowQuad_.get(), glowTexture_.get(), placement);
    }
}

void Bboss02::LaunchHoles() {
    for (int j = 0; j < kCirclingHoles; ++j) {
        Hole& hole = holes_[static_cast<std::size_t>(j)];
        PlaceOnOrbit(TrackValue(holeAngle_[j], now_), &hole.x, &hole.y);
        hole.z = kCirclingDepth;
    }
    if (body_.life < kHolesOpenBelow && !opening_) {
        opening_ = 1;
        openingStart_ = now_;
    }
    const int late = kHoleCount - kCirclingHoles;
    while (opening_ && holesOpened_ < late &&
           now_ - openingStart_ >= kHoleOpenStepMs * static_cast<std::uint32_t>(holesOpened_)) {
        holes_[static_cast<std::size_t>(kCirclingHoles + holesOpened_)].active = 1;
        ++holesOpened_;
    }
    for (Hole& hole : holes_) {
        if (!hole.active) continue;
        hole.size = std::min(kHoleFullSize, hole.size + kHoleGrowStep);
        QuadPlacement placement;
        placement.x = hole.x;
        placement.y = hole.y;
        placement.z = hole.z;
        placement.scaleX = placement.scaleY = hole.size;
        ShowFlipbook(holeQuad_.get(), holeTexture_.get(), placement);
    }
}

bool Bboss02::CanAttack() const { return attacking_ == 0 && now_ - battleStart_ > kAttackGate; }

bool Bboss02::ShotsOver() const { return play_once::Over(shot_[0].z, now_); }

bool Bboss02::BeamsOver() const { return play_once::Over(beamWidth_, now_); }

void Bboss02::ChooseNext() {
    const int choice = Rand() % 2;
    attackAReady_ = choice == 0 ? 1 : 0;
    attackBReady_ = choice == 1 ? 1 : 0;
}

void Bboss02::EndAttack() {
    attacking_ = 0;
    battleStart_ = now_;
    ChooseNext();
}

void Bboss02::AttackA() {
    BulletPool& shots = live_[kShotList];
    if (attackAReady_ == 1 && CanAttack()) {
        battleStart_ = now_;
        attacking_ = 1;
        const auto px = static_cast<float>(player_.x);
        const auto py = static_cast<float>(player_.y);
        const auto pz = static_cast<float>(player_.z);
        for (int k = 0; k < kHoleCount && static_cast<std::size_t>(k) < shots.Size(); ++k) {
            const Hole& hole = holes_[static_cast<std::size_t>(k)];
            if (!hole.active) continue;
            Audio().PlaySound(sound::kBossShots);
            BossBullet& shot = shots[static_cast<std::size_t>(k)];
            shot.alive = 1;
            shot.x = hole.x;
            shot.y = hole.y;
            shot.z = hole.z;
            TwoKeys(shot_[k].x, static_cast<float>(hole.x), px);
            TwoKeys(shot_[k].y, static_cast<float>(hole.y), py);
            TwoKeys(shot_[k].z, static_cast<float>(hole.z), pz);
            shot_[k].SetStart(now_ - kShotLead);
        }
    } else if (attacking_ == 1 && attackAReady_ == 1 && (ShotsOver() || !(shots[0].z > kPlayerDepth))) {
        for (BossBullet& shot : shots) shot.alive = 0;
        EndAttack();
    }
}

void Bboss02::MoveShots() {
    BulletPool& shots = live_[kShotList];
    for (std::size_t k = 0; k < shots.Size(); ++k) {
        BossBullet& shot = shots[k];
        if (!shot.alive) continue;
        const TrackPoint at =
            shot_[k].Value(now_, {static_cast<float>(shot.x), static_cast<float>(shot.y), static_cast<float>(shot.z)});
        shot.x = at.x;
        shot.y = at.y;
        shot.z = at.z;
        ShowMesh(meshes_[kShotMesh], At(shot.x, shot.y, shot.z), draw_state::kTranslucent);
    }
}

void Bboss02::MoveBeams() {
    for (BossBullet& beam : live_[kBeamList]) {
        if (!beam.alive) continue;
        beam.sx = TrackValue(beamWidth_, now_, static_cast<float>(beam.sx));
        beam.sy = TrackValue(beamHeight_, now_, static_cast<float>(beam.sy));
        beam.sz = TrackValue(beamLength_, now_, static_cast<float>(beam.sz));
        beam.z = TrackValue(beamDepth_, now_, static_cast<float>(beam.z));
        Matrix world;
        MatrixScaling(&world, static_cast<float>(beam.sx), static_cast<float>(beam.sy), static_cast<float>(beam.sz));
        SetMatrixTranslation(&world, static_cast<float>(beam.x), static_cast<float>(beam.y),
                             static_cast<float>(beam.z));
        ShowMesh(meshes_[kBeamMesh], world,
                 draw_state::kTranslucent + draw_state::kTwoSided + FadedByFactor(kBeamFactor), kBeamAlpha);
    }
}

void Bboss02::AttackB() {
    BulletPool& beams = live_[kBeamList];
    if (attackBReady_ == 1 && CanAttack()) {
        battleStart_ = now_;
        attacking_ = 1;
        Audio().PlaySound(sound::kBossBeam);
        for (KeyframeTrack* t : {&beamWidth_, &beamHeight_, &beamLength_, &beamDepth_}) t->SetStart(now_);
        for (int k = 0; k < kHoleCount && static_cast<std::size_t>(k) < beams.Size(); ++k) {
            const Hole& hole = holes_[static_cast<std::size_t>(k)];
            if (!hole.active) continue;
            BossBullet& beam = beams[static_cast<std::size_t>(k)];
            beam.alive = 1;
            beam.x = hole.x;
            beam.y = hole.y;
            beam.z = hole.z;
            beam.sx = beam.sy = beam.sz = 1.0;
        }
    } else if (attacking_ == 1 && attackBReady_ == 1 && BeamsOver()) {
        for (BossBullet& beam : beams) beam.alive = 0;
        EndAttack();
    }
}
