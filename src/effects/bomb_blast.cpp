#include "effects/bomb_blast.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "core/angles.h"
#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/core/random.h"
#include "platform/gfx/device.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_quad.h"

namespace {

constexpr double kGrowthPerStep = 0.1;
constexpr double kScrollPerStep = 0.01;
constexpr double kFadePerStep = 0.01;
constexpr float kShellMaterialAlpha = 0.3f;
constexpr std::uint32_t kSparkFactor = 0x80FFFFFFu;


double Random01() { return static_cast<double>(platform::Rand()) / platform::kRandMax; }

void SetWorldScaled(platform::Device* device, const EffectRecord& r) {
    platform::Matrix world;
    platform::MatrixScaling(&world, static_cast<float>(r.scaleX), static_cast<float>(r.scaleY),
                            static_cast<float>(r.scaleZ));
    SetMatrixTranslation(&world, static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.z));
    device->SetTransform(platform::D3DTS_WORLD, &world);
}

}  // namespace

EffectRecord BombBlast::FreeRecord() {
    EffectRecord r;
    r.scaleX = 2.0;
    r.scaleY = 2.0;
    r.scaleZ = 2.0;
    return r;
}

BombBlast::BombBlast() : lava_(FreeRecord()), shell_(FreeRecord()) {
    for (int i = 0; i < kParticleCount; ++i) {
        const double r1 = Random01();
        const double r2 = Random01();
        const double r3 = Random01();
        const double r4 = Random01();
        static_cast<void>(r3);  // drawn for the drift, which goes the same way for every spark

        // A full turn in degrees from a random phase, a quarter of a pass apart at the middle key.
        const float a = static_cast<float>(r1 * 360.0);
        angle_[i].SetKeyCount(3);
        angle_[i].SetKey(0, 0.0f, -a);
        angle_[i].SetKey(1, 0.5f, 180.0f - a);
        angle_[i].SetKey(2, 1.0f, 360.0f - a);
        angle_[i].SetDuration(3000);

        radius_[i].SetKeyCount(2);
        radius_[i].SetKey(0, 0.0f, static_cast<float>(7.0 * r2));
        radius_[i].SetKey(1, 1.0f, static_cast<float>(25.0 * r2));
        radius_[i].SetDuration(20000);

        drift_[i].SetKeyCount(2);
        drift_[i].SetKey(0, 0.0f, 0.0f);
        drift_[i].SetKey(1, 1.0f, 5.0f);
        drift_[i].SetDuration(20000);

        height_[i].SetKeyCount(2);
        height_[i].SetKey(0, 0.0f, static_cast<float>(2.0 * r4 - 8.0));
        height_[i].SetKey(1, 1.0f, 8.0f);
        height_[i].SetDuration(static_cast<std::uint32_t>(3000.0 + 5000.0 * r4));

        for (KeyframeTrack* t : {&angle_[i], &radius_[i], &drift_[i], &height_[i]}) {
            t->SetLooping(1);
            t->SetStart(0);
        }
    }
}

bool BombBlast::Load() {
    if (!MeshLoad(kAssets[0].path, &lavaMesh_, *this, 0.5f)) return LoadFailed(*this, "explosion03Xfileロスト");
    LoadMaterialTextures(kAssets[1].path, lavaMesh_, &lavaTextures_, *this);
    if (!MeshLoad(kAssets[2].path, &shellMesh_, *this, 1.0f)) return LoadFailed(*this, "explosion04Xfileロスト");
    // The shell is a faint film whatever its file says.
    for (platform::Material& m : shellMesh_.materials) m.diffuse.a = kShellMaterialAlpha;
    if (!TextureLoad(kAssets[3].path, &sparkPicture_, *this)) return LoadFailed(*this, "bomロスト");
    CreateSquareQuad(*this, 1.0f, 1.0f, 1.0f, 0xFFFFFFFFu, &sparkQuad_);
    return true;
}

void BombBlast::Activate(std::uint32_t now, EffectRecord& r, double x, double y, double z, double* alpha) {
    // Written whole, so a blast never inherits the growth or the scroll of one cut short by a reset.
    r = FreeRecord();
    r.active = 1;
    r.x = x;
    r.y = y;
    r.z = z;
    r.lastStep = now;
    r.start = now;
    r.stepInterval = kStepInterval;
    *alpha = kStartAlpha;
}

void BombBlast::Spawn(std::uint32_t now, double x, double y, double z) {
    if (lava_.active) return;
    Activate(now, lava_, x, y, z, &lavaAlpha_);
    angle_[0].SetStart(now);
    radius_[0].SetStart(now);
    height_[0].SetStart(now);
}

void BombBlast::SpawnShell(std::uint32_t now, double x, double y, double z) {
    if (!shell_.active) Activate(now, shell_, x, y, z, &shellAlpha_);
}

void BombBlast::Reset() {
    lava_ = FreeRecord();
    shell_ = FreeRecord();
    lavaAlpha_ = kStartAlpha;
    shellAlpha_ = kStartAlpha;
    lavaShown_ = Shown{};
    shellShown_ = Shown{};
}

void BombBlast::Advance(EffectRecord& r, double* alpha) {
    if (r.now - r.lastStep > static_cast<std::uint32_t>(r.stepInterval)) {
        r.lastStep = r.now;
        r.scaleX += kGrowthPerStep;
        r.scaleY += kGrowthPerStep;
        r.scaleZ += kGrowthPerStep;
        r.v += kScrollPerStep;
        *alpha -= kFadePerStep;
    }
    if (r.now - r.start > kDuration) {
        const EffectRecord ended = r;
        r = FreeRecord();
        // The sparks of the last frame still circle the point the blast was at.
        r.x = ended.x;
        r.y = ended.y;
        r.z = ended.z;
        *alpha = kStartAlpha;
    }
}

void BombBlast::PlaceParticles(std::uint32_t now) {
    for (int i = 0; i < kParticleCount; ++i) {
        const double angle = TrackValue(angle_[i], now) * kRadiansPerDegree;
        const double radius = TrackValue(radius_[i], now);
        BlastParticle& p = particles_[static_cast<std::size_t>(i)];
        p.x = lava_.x + std::cos(angle) * radius + TrackValue(drift_[i], now);
        p.y = lava_.y + TrackValue(height_[i], now);
        p.z = lava_.z + std::sin(angle) * radius;
    }
    for (BlastParticle& a : particles_) {
        for (BlastParticle& b : particles_) {
            if (a.z >= b.z) std::swap(a, b);
        }
    }
}

bool BombBlast::StepRecord(std::uint32_t now, EffectRecord& r, double* alpha, Shown* shown) {
    shown->shown = r.active != 0;
    if (!r.active) return false;
    r.now = now;
    shown->record = r;
    shown->alpha = *alpha;
    Advance(r, alpha);
    return true;
}

void BombBlast::StepLava(std::uint32_t now) {
    if (!StepRecord(now, lava_, &lavaAlpha_, &lavaShown_)) return;
    // Placed after the growth, and drawn as placed: nothing moves them again before the next step.
    PlaceParticles(now);
}

void BombBlast::StepShell(std::uint32_t now) { StepRecord(now, shell_, &shellAlpha_, &shellShown_); }

void BombBlast::DrawLava() const {
    if (!lavaShown_.shown) return;
    platform::Device* device = GetDevice();
    const EffectRecord& lava = lavaShown_.record;
    ScopedDrawState twoSided(device, draw_state::kTwoSided);
    {
        ScopedDrawState state(device, draw_state::Flipbook(FadeColour(lavaShown_.alpha)));
        platform::Matrix scroll;
        MakeTextureScroll(&scroll, static_cast<float>(lava.u), static_cast<float>(lava.v));
        device->SetTransform(platform::D3DTS_TEXTURE0, &scroll);
        SetWorldScaled(device, lava);
        DrawMeshSubsets(device, lavaMesh_, &lavaTextures_);
        device->SetTexture(0, nullptr);
    }
    ScopedDrawState sparks(device, draw_state::Flipbook(kSparkFactor));
    for (const BlastParticle& p : particles_) {
        QuadPlacement placement;
        placement.x = p.x;
        placement.y = p.y;
        placement.z = p.z;
        placement.factor = kSparkFactor;
        DrawPlacedQuad(device, sparkQuad_.get(), sparkPicture_.get(), placement);
    }
}

void BombBlast::DrawShell() const {
    if (!shellShown_.shown) return;
    platform::Device* device = GetDevice();
    ScopedDrawState state(device, draw_state::kAlphaBlend + draw_state::TextureFactor(FadeColour(shellShown_.alpha)));
    SetWorldScaled(device, shellShown_.record);
    DrawMeshSubsets(device, shellMesh_, nullptr);
}
