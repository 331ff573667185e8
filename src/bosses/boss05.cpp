#include "bosses/boss05.h"

#include <array>
#include <cmath>
#include <utility>

#include "core/angles.h"
#include "core/play_once.h"
#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/core/random.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_quad.h"

using namespace platform;

namespace {

constexpr std::array kAssets = {
    MeshAsset("x\\boss05.x"),      MeshAsset("x\\bossring.x"),  PictureAsset("t\\circuit.png"),
    PictureAsset("t\\circuit.png"), MeshAsset("x\\fan.x"),       MeshAsset("x\\fanbeam.x"),
    PictureAsset("t\\blackhole.png"), MeshAsset("x\\bmeteo.x"), PictureAsset("t\\meteo.png"),
    MeshAsset("x\\holeE.x"),       PictureAsset("t\\suik.png"), PictureAsset("t\\flare.png"),
};

constexpr double kTurn = 6.283185307;

// Fans rest on the rack behind the body's top.
constexpr double kFanRackSpacing = 2.0;
constexpr double kFanRackLeft = -3.0;
constexpr double kFanRackRise = 3.0;
constexpr double kFanRackBehind = 3.0;

// The path tables of the fans: three x then three y control points after the fan's own place.
// clang-format off
constexpr float kPaths[Boss05::kPathCount][2][3] = {
    {{5.0f, -5.0f, 5.0f}, {-5.0f, 5.0f, -5.0f}},
    {{-3.0f, 3.0f, -3.0f}, {3.0f, -3.0f, 3.0f}},
    {{7.0f, -7.0f, 7.0f}, {7.0f, -7.0f, 7.0f}},
    {{2.0f, -2.0f, 2.0f}, {-2.0f, 2.0f, -2.0f}},
    {{2.0f, 4.0f, 6.0f}, {-2.0f, -4.0f, 6.0f}},
};
// clang-format on
constexpr float kPathTimes[4] = {0.0f, 0.2f, 0.5f, 1.0f};

constexpr double kMeteorFrom = 40.0;
constexpr double kMeteorTo = -10.0;
constexpr double kMeteorDrop = 6.0;
constexpr int kMeteorSpread = 10;

// The black holes: three on a circle of 8 round the body, each turning on a circle of 3 of its own, and
// one under the body.
constexpr double kOrbitRadius = 8.0;
constexpr double kCircleRadius = 3.0;
constexpr double kHolesAhead = 5.0;
constexpr double kCoreBelow = 6.0;
constexpr double kCoreAhead = 4.0;
constexpr std::uint32_t kCircleMs[3] = {3000, 3600, 4200};
constexpr double kBlackHoleSize = 1.5;
constexpr std::uint32_t kSheetStepMs = 50;
constexpr int kSheetCells = 16;

constexpr std::uint32_t kHoleAlpha = 128;
constexpr std::uint32_t kRingRollMs = 10000;
constexpr std::uint32_t kHoleSpinMs = 2000;

constexpr double kFlareAhead = 3.0;
constexpr double kFlareSize = 2.5;
constexpr std::uint32_t kFlareSpinMs = 3000;
constexpr int kFlareAux = 3;

constexpr double kRingAt = 3.0;

void FromTo(KeyframeTrack& track, double from, double to) {
    track.SetKey(0, 0.0f, static_cast<float>(from));
    track.SetKey(1, 1.0f, static_cast<float>(to));
}

void Looping(KeyframeTrack& track, float to, std::uint32_t ms) {
    const float keys[2][2] = {{0.0f, 0.0f}, {1.0f, to}};
    track.SetKeyCount(2);
    SetKeys(track, keys);
    track.SetDuration(ms);
    track.SetLooping(1);
}

BossBullet Entry(std::int32_t damage, double radius, std::uint8_t alive) {
    BossBullet b;
    b.z = 40.0;
    b.alive = alive;
    b.damage = damage;
    b.sx = b.sy = b.sz = 1.0;
    b.rh = b.rv = b.rz = radius;
    return b;
}

std::uint32_t Factor(std::uint32_t alpha) { return (alpha << 24) | 0x00FFFFFFu; }

}  // namespace

Boss05::Boss05() {
    meshes_.resize(kMeshCount);
    BuildList(kFanList, kFanCount, Entry(kFanDamage, kFanRadius, 1));
    BuildList(kMeteorList, kMeteorCount, Entry(kMeteorDamage, kMeteorRadius, 0));
    BuildList(kHoleList, kHoleEntries, Entry(kHoleDamage, kHoleRadius, 0));
    fanBeams_.fill(Entry(kFanBeamDamage, kFanBeamRadius, 0));
    initialFanBeams_ = fanBeams_;

    BuildSway(2.0f, 40.0f);
    Looping(ringRoll_, 360.0f, kRingRollMs);
    static constexpr float kGrowth[4][2] = {{0.0f, 0.2f}, {0.2f, 1.0f}, {0.8f, 1.0f}, {1.0f, 0.2f}};
    holeGrowth_.SetKeyCount(4);
    SetKeys(holeGrowth_, kGrowth);
    holeGrowth_.SetDuration(kHoleMs);
    holeGrowth_.SetLooping(0);
    static constexpr float kSpin[2][2] = {{0.0f, 1.0f}, {1.0f, 0.0f}};
    holeSpin_.SetKeyCount(2);
    SetKeys(holeSpin_, kSpin);
    holeSpin_.SetDuration(kHoleSpinMs);
    holeSpin_.SetLooping(1);
    for (KeyframeTrack& delay : holeDelay_) {
        play_once::Make(delay, 2, kHoleFadeMs);
        FromTo(delay, 0.0, 1.0);
    }
    for (int i = 0; i < 3; ++i) Looping(aux_[i], 360.0f, kCircleMs[i]);
    Looping(aux_[kFlareAux], 360.0f, kFlareSpinMs);

    for (int i = 0; i < kFanCount; ++i) {
        play_once::Make(fan_[i].z, 2, kFanFlightMs);
        play_once::Make(fan_[i].x, 4, kFanFlightMs);
        play_once::Make(fan_[i].y, 4, kFanFlightMs);
        fanBack_[i].MakePass(2, kFanReturnMs);
        beam_[i].MakePass(2, kFanBeamMs);
    }
    for (int i = 0; i < kMeteorCount; ++i) {
        meteor_[i].MakePass(2, kMeteorMs);
    }
}

std::span<const AssetRef> Boss05::Assets() { return kAssets; }

bool Boss05::Load() {
    const std::span<const AssetRef> a = kAssets;
    // The ring's two materials take a circuit picture each; the hole's picture keys out opaque black.
    if (!LoadMesh(kBodyMesh, a[0]) || !LoadMesh(kRingMesh, a[1]) || !LoadMaterialPictures(kRingMesh, a.subspan(2, 2)) ||
        !LoadMesh(kFanMesh, a[4]) || !LoadMesh(kFanBeamMesh, a[5]) || !LoadPicture(a[6], &blackHolePicture_) ||
        !LoadMesh(kMeteorMesh, a[7]) || !LoadMaterialPictures(kMeteorMesh, a.subspan(8, 1)) ||
        !LoadMesh(kHoleMesh, a[9]) || !LoadMaterialPictures(kHoleMesh, a.subspan(10, 1)) ||
        !LoadPicture(a[11], &flarePicture_)) {
        return false;
    }

    CreateSquareQuad(drawContext_, 1.0f, 0.25f, 0.25f, 0xFFFFFFFFu, &cellQuad_);
    CreateSquareQuad(drawContext_, 1.0f, 1.0f, 1.0f, 0xFFFFFFFFu, &flareQuad_);
    return true;
}

void Boss05::Start(std::uint32_t now, int set) {
    Boss::Start(now, set);
    ringRoll_.SetStart(battleStart_);
    // The black holes' circles start with the sway, so that the pause bookkeeping carries them alike.
    for (KeyframeTrack& t : aux_) t.SetStart(battleStart_);
}

void Boss05::Reset() {
    fansNext_ = 0;
    meteorsNext_ = 0;
    holesNext_ = 1;
    running_ = 0;
    returning_ = 0;
    captureHeld_ = 0;
    lastMeteor_ = 0;
    RestoreLists();
    for (std::size_t i = 0; i < fanBeams_.size(); ++i) fanBeams_[i] = initialFanBeams_[i];
}

Boss05::Attack Boss05::NextAttack() const {
    if (fansNext_) return Attack::kFans;
    if (meteorsNext_) return Attack::kMeteors;
    return Attack::kHoles;
}

void Boss05::HoldForCapture(std::uint32_t now) {
    body_.holdPosition = 1;
    PauseSway(now);
    captureHeld_ = 1;
}

void Boss05::ReleaseCapture(std::uint32_t now) {
    if (!captureHeld_) return;
    captureHeld_ = 0;
    body_.holdPosition = 0;
    ResumeSway(now, true);
}

void Boss05::StepBody(std::uint32_t now) {
    // Showing the body consumes the flash; the ring shows the same hit.
    const bool flash = body_.hitFlash != 0;
    ShowBody(now, false);
    const double roll = TrackValue(ringRoll_, now) * kRadiansPerDegree;
    BossBullet at;
    at.x = body_.x;
    at.y = 0.0;
    at.z = body_.z + kRingAt;
    at.roll = roll;
    at.sx = at.sy = at.sz = 1.0;
    ShowMeshAt(meshes_[kRingMesh], at, true, draw_state::kTranslucent, flash ? kRingFlashAlpha : -1.0f);
}

void Boss05::StepParts(std::uint32_t now) {
    Tick(now);
    Fans();
    AttackFans();
    FanBeams();
    Meteors();
    AttackMeteors();
    BlackHoles();
    AttackHoles();
    CaptureHoles();
    Flare();
}

void Boss05::ShowMeshAt(const BossMesh& mesh, const BossBullet& at, bool rotate, const DrawState& state,
                        float alpha) {
    Matrix scale, turn, world;
    MatrixScaling(&scale, static_cast<float>(at.sx), static_cast<float>(at.sy), static_cast<float>(at.sz));
    if (rotate) {
        MatrixRotationYawPitchRoll(&turn, static_cast<float>(at.yaw), static_cast<float>(at.pitch),
                                   static_cast<float>(at.roll));
        MatrixMultiply(&world, &scale, &turn);
    } else {
        world = scale;
    }
    SetMatrixTranslation(&world, static_cast<float>(at.x), static_cast<float>(at.y), static_cast<float>(at.z));
    ShowMesh(mesh, world, state, alpha);
}

void Boss05::ShowSprite(VertexBuffer* quad, Texture* texture, const BossBullet& at, double size, double u, double v,
                        double turn) {
    Matrix scale, spin, world;
    MatrixScaling(&scale, static_cast<float>(size), static_cast<float>(size), 1.0f);
    MatrixRotationYawPitchRoll(&spin, 0.0f, 0.0f, static_cast<float>(turn));
    MatrixMultiply(&world, &scale, &spin);
    SetMatrixTranslation(&world, static_cast<float>(at.x), static_cast<float>(at.y), static_cast<float>(at.z));
    ShowScrolledSprite(quad, texture, world,
                       draw_state::kAlphaBlend + draw_state::TextureFactor(0xFFFFFFFFu) + draw_state::kTextureScroll +
                           draw_state::kTwoSided,
                       static_cast<float>(u), static_cast<float>(v));
}

// ---- fans ----

void Boss05::AimFromPlayer(BossBullet& fan) const {
    const double dx = fan.x - player_.x;
    const double dy = fan.y - player_.y;
    const double dz = fan.z - player_.z;
    fan.yaw = dx == 0.0 ? 0.0 : std::atan2(dx, dz);
    if (dz > 0.0) {
        fan.pitch = -std::atan2(dy, dz);
    } else if (dz < 0.0) {
        // The game turns the far side by 3.14, not by pi.
        fan.pitch = std::atan2(dy, dz) + 3.14;
    } else {
        fan.pitch = 0.0;
    }
}

void Boss05::Fans() {
    BulletPool& fans = live_[kFanList];
    for (int i = 0; i < kFanCount && static_cast<std::size_t>(i) < fans.Size(); ++i) {
        BossBullet& fan = fans[static_cast<std::size_t>(i)];
        const bool attacking = running_ && fansNext_;
        if (attacking && !returning_) {
            fan.z = play_once::Value(fan_[i].z, now_);
            fan.x = play_once::BezierValue(fan_[i].x, now_);
            fan.y = play_once::BezierValue(fan_[i].y, now_);
            AimFromPlayer(fan);
        } else if (attacking) {
            MoveTo(fan, fanBack_[i].Pass(now_));
        } else {
            fan.x = body_.x + kFanRackLeft + kFanRackSpacing * i;
            fan.y = body_.y + kFanRackRise;
            fan.z = body_.z + kFanRackBehind;
            fan.yaw = fan.pitch = fan.roll = 0.0;
        }
        ShowMeshAt(meshes_[kFanMesh], fan, true, {});
    }
}

void Boss05::LaunchFans() {
    battleStart_ = now_;
    running_ = 1;
    returning_ = 0;
    body_.holdPosition = 1;
    PauseSway(now_);
    std::array<int, kPathCount> order = {0, 1, 2, 3, 4};
    for (int n = 0; n < kPathCount; ++n) {
        const int a = Rand() % kPathCount;
        const int b = Rand() % kPathCount;
        std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
    }
    BulletPool& fans = live_[kFanList];
    for (int i = 0; i < kFanCount; ++i) {
        const BossBullet& fan = fans[static_cast<std::size_t>(i)];
        const int path = order[static_cast<std::size_t>(i)];
        pathOf_[static_cast<std::size_t>(i)] = path;
        FromTo(fan_[i].z, fan.z, kFanFlightDepth);
        fan_[i].x.SetKey(0, kPathTimes[0], static_cast<float>(fan.x));
        fan_[i].y.SetKey(0, kPathTimes[0], static_cast<float>(fan.y));
        for (int k = 0; k < 3; ++k) {
            fan_[i].x.SetKey(k + 1, kPathTimes[k + 1], kPaths[path][0][k]);
            fan_[i].y.SetKey(k + 1, kPathTimes[k + 1], kPaths[path][1][k]);
        }
        fan_[i].SetStart(now_);
    }
}

void Boss05::ReturnFans() {
    returning_ = 1;
    const BulletPool& fans = live_[kFanList];
    for (int i = 0; i < kFanCount; ++i) {
        const BossBullet& fan = fans[static_cast<std::size_t>(i)];
        FromTo(fanBack_[i].x, fan.x, body_.x + kFanRackLeft + kFanRackSpacing * i);
        FromTo(fanBack_[i].y, fan.y, body_.y + kFanRackRise);
        FromTo(fanBack_[i].z, fan.z, kFanReturnDepth);
        fanBack_[i].SetStart(now_ + kFanReturnDelay);

        BossBullet& beam = fanBeams_[static_cast<std::size_t>(i)];
        beam.alive = 1;
        beam.x = fan.x;
        beam.y = fan.y;
        beam.z = fan.z;
        beam.yaw = fan.yaw;
        beam.pitch = fan.pitch;
        beam.roll = fan.roll;
        FromTo(beam_[i].x, fan.x, fan.x - kFanBeamReach * fan.yaw);
        FromTo(beam_[i].y, fan.y, fan.y + kFanBeamReach * fan.pitch);
        FromTo(beam_[i].z, fan.z, kFanBeamDepth);
        beam_[i].SetStart(now_);
    }
}

void Boss05::AttackFans() {
    // A capture holds the body and its sway with the same bookkeeping: the fans wait for the ship's release.
    if (fansNext_ && elapsed_ > kAttackGate && !running_ && !captureHeld_) {
        LaunchFans();
    } else if (running_ && fansNext_ && !returning_ && play_once::Over(fan_[0].z, now_)) {
        ReturnFans();
    } else if (running_ && fansNext_ && returning_ && play_once::Over(fanBack_[0].x, now_)) {
        for (BossBullet& beam : fanBeams_) beam.alive = 0;
        ResumeSway(now_, true);
        returning_ = 0;
        body_.holdPosition = 0;
        EndAttack();
    }
}

void Boss05::FanBeams() {
    for (int i = 0; i < kFanCount; ++i) {
        BossBullet& beam = fanBeams_[static_cast<std::size_t>(i)];
        if (!beam.alive) continue;
        MoveTo(beam, beam_[i].Pass(now_));
        ShowMeshAt(meshes_[kFanBeamMesh], beam, true, draw_state::kTranslucent);
    }
}

// ---- meteors ----

void Boss05::Meteors() {
    BulletPool& meteors = live_[kMeteorList];
    for (int i = 0; i < kMeteorCount && static_cast<std::size_t>(i) < meteors.Size(); ++i) {
        BossBullet& meteor = meteors[static_cast<std::size_t>(i)];
        if (!meteor.alive) continue;
        if (play_once::Over(meteor_[i].z, now_)) {
            meteor.alive = 0;
            continue;
        }
        MoveTo(meteor, meteor_[i].Pass(now_));
        if (meteor.z < kMeteorFrom) ShowMeshAt(meshes_[kMeteorMesh], meteor, false, {});
    }
}

void Boss05::AttackMeteors() {
    if (meteorsNext_ && elapsed_ > kAttackGate && !running_) {
        battleStart_ = now_;
        running_ = 1;
        BulletPool& meteors = live_[kMeteorList];
        std::uint32_t latest = 0;
        lastMeteor_ = 0;
        for (int i = 0; i < kMeteorCount && static_cast<std::size_t>(i) < meteors.Size(); ++i) {
            const auto delay = static_cast<std::uint32_t>(Rand() % kMeteorDelayRange);
            const std::uint32_t at = now_ + delay;
            const double x = TrackValue(move_[0].x, at, static_cast<float>(body_.x));
            const double y = TrackValue(move_[0].y, at, static_cast<float>(body_.y));
            FromTo(meteor_[i].z, kMeteorFrom, kMeteorTo);
            FromTo(meteor_[i].x, x, x + Rand() % kMeteorSpread);
            FromTo(meteor_[i].y, y - kMeteorDrop, y + Rand() % kMeteorSpread);
            meteor_[i].SetStart(at);
            BossBullet& meteor = meteors[static_cast<std::size_t>(i)];
            meteor.alive = 1;
            meteor.z = kMeteorFrom;
            meteor.x = meteor_[i].x.KeyValue(0);
            meteor.y = meteor_[i].y.KeyValue(0);
            if (i == 0 || delay >= latest) {
                latest = delay;
                lastMeteor_ = i;
            }
        }
    } else if (running_ && meteorsNext_ && play_once::Over(meteor_[lastMeteor_].z, now_)) {
        for (BossBullet& meteor : live_[kMeteorList]) meteor.alive = 0;
        EndAttack();
    }
}

// ---- black holes ----

void Boss05::BlackHoles() {
    if (!body_.holdPosition) {
        for (int k = 1; k <= 3; ++k) {
            const double a = TrackValue(aux_[k - 1], now_) * kRadiansPerDegree;
            const double place = (120.0 * (k - 1) + 60.0) * kRadiansPerDegree;
            BossBullet& hole = blackHoles_[static_cast<std::size_t>(k)];
            hole.x = body_.x + kCircleRadius * std::cos(a) + kOrbitRadius * std::cos(place);
            hole.y = body_.y + kCircleRadius * std::sin(a) + kOrbitRadius * std::sin(place);
            hole.z = body_.z - kHolesAhead;
        }
    }
    BossBullet& core = blackHoles_[0];
    core.x = body_.x;
    core.y = body_.y - kCoreBelow;
    core.z = body_.z - kCoreAhead;

    const auto cell = static_cast<int>((now_ / kSheetStepMs) % kSheetCells);
    const double u = 0.25 * (cell % 4);
    const double v = 0.25 * (cell / 4);
    for (const BossBullet& hole : blackHoles_) {
        ShowSprite(cellQuad_.get(), blackHolePicture_.get(), hole, kBlackHoleSize, u, v, 0.0);
    }
}

void Boss05::AttackHoles() {
    if (holesNext_ && elapsed_ > kAttackGate && !running_) {
        battleStart_ = now_;
        running_ = 1;
        for (int j = 0; j < kHoleEntries; ++j) {
            live_[kHoleList][static_cast<std::size_t>(j)].alive = 1;
            holeDelay_[j].SetStart(now_ + static_cast<std::uint32_t>(Rand() % kHoleDelayRange));
        }
        holeGrowth_.SetStart(now_);
        holeSpin_.SetStart(now_);
    } else if (running_ && holesNext_ && play_once::Over(holeGrowth_, now_)) {
        for (BossBullet& hole : live_[kHoleList]) hole.alive = 0;
        EndAttack();
    }
}

void Boss05::CaptureHoles() {
    const double g = play_once::Value(holeGrowth_, now_);
    const double spin = TrackValue(holeSpin_, now_) * kTurn;
    BulletPool& holes = live_[kHoleList];
    for (int j = 0; j < kHoleEntries && static_cast<std::size_t>(j) < holes.Size(); ++j) {
        BossBullet& hole = holes[static_cast<std::size_t>(j)];
        if (!hole.alive) continue;
        const BossBullet& at = blackHoles_[static_cast<std::size_t>(j)];
        hole.x = at.x;
        hole.y = at.y;
        hole.z = at.z;
        hole.sx = hole.sy = g;
        hole.sz = 1.0;
        hole.rh = hole.rv = kHoleRadius * g;
        hole.roll = spin;
        if (j == 0) continue;
        const auto alpha = static_cast<std::uint32_t>(std::lround(kHoleAlpha * play_once::Value(holeDelay_[j], now_)));
        Matrix scale, turn, world;
        MatrixScaling(&scale, static_cast<float>(g), static_cast<float>(g), 1.0f);
        MatrixRotationYawPitchRoll(&turn, 0.0f, 0.0f, static_cast<float>(spin));
        MatrixMultiply(&world, &scale, &turn);
        SetMatrixTranslation(&world, static_cast<float>(hole.x), static_cast<float>(hole.y),
                             static_cast<float>(hole.z));
        // The lit texture's colour, its alpha faded in by the factor.
        ShowMesh(meshes_[kHoleMesh], world,
                 draw_state::kTranslucent + draw_state::kTwoSided + draw_state::TextureFactor(Factor(alpha)));
    }
}

void Boss05::Flare() {
    BossBullet at;
    at.x = body_.x;
    at.y = body_.y;
    at.z = body_.z - kFlareAhead;
    const double turn = TrackValue(aux_[kFlareAux], now_) * kRadiansPerDegree;
    ShowSprite(flareQuad_.get(), flarePicture_.get(), at, kFlareSize, 0.0, 0.0, turn);
}

void Boss05::EndAttack() {
    running_ = 0;
    battleStart_ = now_;
    // Every attack waits its gate after the last one ended, also one whose step comes later in this update.
    elapsed_ = 0;
    ChooseNext();
}

void Boss05::ChooseNext() {
    // Once the boss is nearly down it no longer opens the capture holes.
    const int choice = body_.life < kLowLife ? Rand() % 2 : Rand() % 3;
    fansNext_ = choice == 0 ? 1 : 0;
    meteorsNext_ = choice == 1 ? 1 : 0;
    holesNext_ = choice == 2 ? 1 : 0;
}
