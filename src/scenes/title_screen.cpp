#include "scenes/title_screen.h"

#include <numbers>

#include "core/angles.h"
#include "core/registry.h"
#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/gfx/device.h"
#include "platform/gfx/math.h"
#include "platform/gfx/mesh.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_mesh.h"
#include "render/picture_drawing.h"

namespace {


}  // namespace

TitleScreen::TitleScreen() {
    static const float kSpin[2][2] = {{0.0f, 0.0f}, {1.0f, 360.0f}};
    static const float kCounterSpin[2][2] = {{0.0f, 0.0f}, {1.0f, -360.0f}};
    static const float kTurn[2][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}};
    spin_.SetKeyCount(2);
    SetKeys(spin_, kSpin);
    spin_.SetDuration(200000);
    counterSpin_.SetKeyCount(2);
    SetKeys(counterSpin_, kCounterSpin);
    counterSpin_.SetDuration(200000);
    shipTurn_.SetKeyCount(2);
    SetKeys(shipTurn_, kTurn);
    shipTurn_.SetDuration(50);
    for (KeyframeTrack* t : {&spin_, &counterSpin_, &shipTurn_}) t->SetLooping(1);
}

bool TitleScreen::Load() {
    if (!TextureLoad("t\\title.png", &titlePicture_, *this)) return LoadFailed(*this, "titleロスト");
    if (!TextureLoad("t\\gamestart.png", &startItem_, *this)) return LoadFailed(*this, "gamestartスト");
    if (!TextureLoad("t\\exit.png", &exitItem_, *this)) return LoadFailed(*this, "exitロスト");
    if (!MeshLoad("x\\plu2c.x", &ship_, *this, 1.0f)) return LoadFailed(*this, "plu2cロスト");
    if (!MeshLoad("x\\t1.x", &backdrop_, *this, 1.0f)) return LoadFailed(*this, "t1ロスト");
    if (!MeshLoad("x\\t2.x", &secondMesh_, *this, 1.0f)) return LoadFailed(*this, "t2ロスト");
    // The backdrop's pictures, one per material, are not checked: a missing one draws untextured.
    LoadMaterialTextures("t\\blue.png", backdrop_, &blueTextures_, *this);
    LoadMaterialTextures("t\\red.png", secondMesh_, &redTextures_, *this);
    // Without the layer the picture is drawn as it is every frame: slower, the same pixels.
    layer_.Bind(device_, sprite_, window_);
    layer_.Build(titlePicture_.get());
    return true;
}

void TitleScreen::Reset(std::uint32_t now) {
    exitChosen_ = 0;
    spin_.SetStart(now);
    counterSpin_.SetStart(now);
    shipTurn_.SetKey(0, 0.0f, 0.0f);
    shipTurn_.SetKey(1, 1.0f, 0.0f);
}

void TitleScreen::UpdateBackdrop(std::uint32_t now) {
    if (!device_) return;
    device_->SetRenderState(platform::D3DRS_CULLMODE, platform::D3DCULL_NONE);
    SetAlphaBlend(*this, true);
    backdropAngle_ = TrackValue(spin_, now, static_cast<float>(backdropAngle_));
    platform::MatrixRotationYawPitchRoll(&transform_, static_cast<float>(backdropAngle_ * kRadiansPerDegree), 0.0f, 0.0f);
    SetMatrixTranslation(&transform_, 0.0f, 2.5f, 200.0f);
    device_->SetTransform(platform::D3DTS_WORLD, &transform_);
    DrawMeshSubsets(device_, backdrop_, &blueTextures_);
    device_->SetTexture(0, nullptr);
    device_->SetRenderState(platform::D3DRS_CULLMODE, platform::D3DCULL_CCW);
}

void TitleScreen::UpdateShip(std::uint32_t now, InputState input) {
    if (!device_) return;
    const auto yaw = static_cast<float>(shipYaw_);
    if (input.left == kInputLeft) {
        shipTurn_.SetKey(0, 0.0f, yaw);
        shipTurn_.SetKey(1, 1.0f, yaw + 5.0f);
        shipTurn_.SetStart(now);
    }
    if (input.right == kInputRight) {
        shipTurn_.SetKey(0, 0.0f, yaw);
        shipTurn_.SetKey(1, 1.0f, yaw - 5.0f);
        shipTurn_.SetStart(now);
    }
    // Evaluated in the millisecond it was started, the turn yields its end value (phase 1), so a held
    // key turns the ship by 5 degrees every frame.
    if (shipTurn_.Start() + shipTurn_.Duration() >= now) {
        shipYaw_ = TrackValue(shipTurn_, now, static_cast<float>(shipYaw_));
    }
    platform::MatrixRotationYawPitchRoll(&transform_, static_cast<float>(shipYaw_ * kRadiansPerDegree),
                                         static_cast<float>(shipPitch_ * kRadiansPerDegree),
                                         static_cast<float>(shipRoll_ * kRadiansPerDegree));
    SetMatrixTranslation(&transform_, 0.0f, 2.5f, 5.0f);
    device_->SetTransform(platform::D3DTS_WORLD, &transform_);
    DrawMeshSubsets(device_, ship_, nullptr);
}

void TitleScreen::Draw() {
    if (UsesLayer()) {
        layer_.Draw();
    } else {
        DrawFullScreen(*this, titlePicture_.get(), 0.0f, 0.0f, kOpaqueWhite);
    }
    const bool startChosen = GetTitleMenuChoice() == 0;
    DrawPicture(*this, startItem_.get(), startChosen ? &startSelected_ : &startNormal_, 340.0f, 450.0f, 1.0f, 1.0f,
                kOpaqueWhite);
    DrawPicture(*this, exitItem_.get(), startChosen ? &exitNormal_ : &exitSelected_, 340.0f, 500.0f, 1.0f, 1.0f,
                kOpaqueWhite);
    if (exitChosen_ == 1) {
        platform::DestroyWindow(window_);
        platform::PostQuitMessage(0);
    }
}
