#include "bosses/bboss01.h"

#include <array>

#include "core/play_once.h"
#include "core/track_value.h"
#include "platform/core/random.h"
#include "render/render_presets.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

using namespace platform;

namespace {

constexpr double kArmSide = 4.0;
constexpr double kArmAhead = 3.0;
constexpr double kSideReach = 2.5;
constexpr double kVerticalReach = 3.5;
constexpr float kPincerTurn = 0.6f;
constexpr double kBeamDrop = 0.5;
constexpr double kBeamRadiusAfter = 2.0;

BossBullet BeamEntry() {
    BossBullet b;
    b.z = 40.0;
    b.alive = 0;
    b.damage = Bboss01::kBeamDamage;
    b.sx = b.sy = b.sz = 1.0;
    b.rh = 2.0;
    b.rv = 2.0;
    b.rz = 50.0;
    return b;
}

BossBullet ArmEntry() {
    BossBullet b;
    b.z = 40.0;
    b.alive = 1;
    b.damage = Bboss01::kArmDamage;
    b.sx = b.sy = b.sz = 1.0;
    b.rh = b.rv = b.rz = 2.5;
    return b;
}

constexpr std::array kAssets = {
    MeshAsset("x\\bboss01hontai.x"),
    MeshAsset("x\\bossbeam.x"),
    MeshAsset("x\\bboss01migi.x"),
    MeshAsset("x\\bboss01hidari.x"),
};

void SetThreeKeys(KeyframeTrack& track, float from, float turn, float back) {
    track.SetKey(0, 0.0f, from);
    track.SetKey(1, kPincerTurn, turn);
    track.SetKey(2, 1.0f, back);
}

}  // namespace

Bboss01::Bboss01() {
    meshes_.resize(kMeshCount);
    BuildList(kBeamList, 1, BeamEntry());
    BuildList(kArmList, 2, ArmEntry());

    BuildSway(5.0f, 40.0f);

    static constexpr float kScaleX[3][2] = {{0.0f, 3.0f}, {0.7f, 3.0f}, {1.0f, 0.1f}};
    static constexpr float kScaleY[3][2] = {{0.0f, 1.0f}, {0.7f, 3.0f}, {1.0f, 0.1f}};
    static constexpr float kScaleZ[2][2] = {{0.0f, 1.0f}, {1.0f, 20.0f}};
    static constexpr float kDepth[2][2] = {{0.0f, 40.0f}, {1.0f, -50.0f}};
    beamScaleX_.SetKeyCount(3);
    SetKeys(beamScaleX_, kScaleX);
    beamScaleY_.SetKeyCount(3);
    SetKeys(beamScaleY_, kScaleY);
    beamScaleZ_.SetKeyCount(2);
    SetKeys(beamScaleZ_, kScaleZ);
    beamDepth_.SetKeyCount(2);
    SetKeys(beamDepth_, kDepth);
    for (KeyframeTrack* t : {&beamScaleX_, &beamScaleY_, &beamScaleZ_, &beamDepth_}) play_once::Make(*t, kBeamMs);
    for (int arm = 0; arm < 2; ++arm) {
        for (KeyframeTrack* t : {&arm_[arm].x, &arm_[arm].y, &arm_[arm].z}) {
            t->SetKeyCount(3);
            SetThreeKeys(*t, 0.0f, 0.0f, 0.0f);
            play_once::Make(*t, kPincerMs);
        }
    }
    // The generator is the run's, seeded once at start-up where a journal can keep the seed: seeding it
    // again here from the wall clock made every record and replay drift apart from the first boss on.
}

std::span<const AssetRef> Bboss01::Assets() { return kAssets; }

bool Bboss01::Load() {
    return LoadMesh(kBodyMesh, kAssets[0]) && LoadMesh(kBeamMesh, kAssets[1]) && LoadMesh(kRightArmMesh, kAssets[2]) &&
           LoadMesh(kLeftArmMesh, kAssets[3]);
}

void Bboss01::Reset() {
    beamReady_ = 1;
    armReady_ = 0;
    attacking_ = 0;
    RestoreLists();
}

void Bboss01::StepBody(std::uint32_t now) { ShowBody(now, false); }

void Bboss01::StepParts(std::uint32_t now) {
    Tick(now);
    PlaceArms();
    PlaceBeam();
    BeamLogic();
    PincerLogic();
}

void Bboss01::ShowAt(const BossMesh& mesh, double x, double y, double z) {
    Matrix world;
    MatrixTranslation(&world, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    ShowMesh(mesh, world);
}

void Bboss01::PlaceArms() {
    BulletPool& arms = live_[kArmList];
    const bool pincer = attacking_ == 1 && armReady_ == 1;
    for (int i = 0; i < 2 && static_cast<std::size_t>(i) < arms.Size(); ++i) {
        BossBullet& arm = arms[static_cast<std::size_t>(i)];
        if (pincer) {
            arm.x = TrackValue(arm_[i].x, now_, static_cast<float>(arm.x));
            arm.y = TrackValue(arm_[i].y, now_, static_cast<float>(arm.y));
            arm.z = TrackValue(arm_[i].z, now_, static_cast<float>(arm.z));
        } else {
            arm.x = body_.x + (i == 0 ? kArmSide : -kArmSide);
            arm.y = body_.y;
            arm.z = body_.z + kArmAhead;
        }
        ShowAt(meshes_[i == 0 ? kRightArmMesh : kLeftArmMesh], arm.x, arm.y, arm.z);
    }
}

void Bboss01::PlaceBeam() {
    const std::uint32_t t = now_ - kBeamLead;
    for (BossBullet& beam : live_[kBeamList]) {
        if (!beam.alive) continue;
        beam.x = body_.x;
        beam.y = body_.y - kBeamDrop;
        beam.z = body_.z;
        beam.sx = TrackValue(beamScaleX_, t, static_cast<float>(beam.sx));
        beam.sy = TrackValue(beamScaleY_, t, static_cast<float>(beam.sy));
        beam.sz = TrackValue(beamScaleZ_, t, static_cast<float>(beam.sz));
        beam.z = TrackValue(beamDepth_, t, static_cast<float>(beam.z));
        Matrix world;
        MatrixScaling(&world, static_cast<float>(beam.sx), static_cast<float>(beam.sy), static_cast<float>(beam.sz));
        SetMatrixTranslation(&world, static_cast<float>(beam.x), static_cast<float>(beam.y),
                             static_cast<float>(beam.z));
        ShowMesh(meshes_[kBeamMesh], world, draw_state::kTranslucent + draw_state::kTwoSided, kBeamAlpha);
    }
}

// An attack ends only in a tick after its pass's last one, not in it.
bool Bboss01::BeamPassOver() const { return play_once::Over(beamScaleX_, now_ - 1); }

bool Bboss01::PincerPassOver() const { return play_once::Over(arm_[0].x, now_ - 1); }

void Bboss01::ChooseNext() {
    nextChoice_ = Rand() % 2;
    beamReady_ = nextChoice_ == 0 ? 1 : 0;
    armReady_ = nextChoice_ == 1 ? 1 : 0;
}

void Bboss01::BeamLogic() {
    BossBullet& beam = live_[kBeamList][0];
    if (beamReady_ == 1 && elapsed_ > kBeamGate && BeamPassOver()) {
        battleStart_ = now_;
        Audio().PlaySound(sound::kBossBeam);
        for (KeyframeTrack* t : {&beamScaleX_, &beamScaleY_, &beamScaleZ_, &beamDepth_}) t->SetStart(now_ - kBeamLead);
        beam.x = body_.x;
        beam.y = body_.y;
        beam.z = body_.z;
        beam.alive = 1;
        attacking_ = 1;
    } else if (attacking_ == 1 && beamReady_ == 1 && BeamPassOver()) {
        ChooseNext();
        beam.alive = 0;
        beam.rh = beam.rv = beam.rz = kBeamRadiusAfter;
        attacking_ = 0;
    }
}

void Bboss01::PincerLogic() {
    if (armReady_ == 1 && elapsed_ > kPincerGate && PincerPassOver()) {
        Audio().PlaySound(sound::kBossStrike);
        battleStart_ = now_;
        attacking_ = 1;
        body_.holdPosition = 1;
        const int mode = Rand() % 2;
        const auto px = static_cast<float>(player_.x);
        const auto py = static_cast<float>(player_.y);
        for (int i = 0; i < 2; ++i) {
            const BossBullet& arm = live_[kArmList][static_cast<std::size_t>(i)];
            const auto ax = static_cast<float>(arm.x);
            const auto ay = static_cast<float>(arm.y);
            const auto az = static_cast<float>(arm.z);
            const float side = i == 0 ? 1.0f : -1.0f;
            if (mode == 0) {
                SetThreeKeys(arm_[i].x, ax, px + side * static_cast<float>(kSideReach), ax);
                SetThreeKeys(arm_[i].y, ay, py, ay);
            } else {
                SetThreeKeys(arm_[i].x, ax, px, ax);
                SetThreeKeys(arm_[i].y, ay, py + side * static_cast<float>(kVerticalReach), ay);
            }
            SetThreeKeys(arm_[i].z, az, 0.0f, az);
            arm_[i].SetStart(now_);
            PauseSway(now_);
        }
    } else if (attacking_ == 1 && armReady_ == 1 && PincerPassOver()) {
        ChooseNext();
        ResumeSway(now_, false);
        attacking_ = 0;
        body_.holdPosition = 0;
    }
}
