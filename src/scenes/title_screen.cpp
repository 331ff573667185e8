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
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_mesh.h"
#include "render/picture_drawing.h"

namespace {

constexpr AssetRef kTitlePicture = PictureAsset("t\\title.png");
constexpr AssetRef kStartPicture = PictureAsset("t\\gamestart.png");
constexpr AssetRef kExitPicture = PictureAsset("t\\exit.png");
constexpr AssetRef kShipMesh = MeshAsset("x\\plu2c.x");
constexpr AssetRef kBackdropMesh = MeshAsset("x\\t1.x");
constexpr AssetRef kSecondMesh = MeshAsset("x\\t2.x");
constexpr AssetRef kBluePicture = PictureAsset("t\\blue.png");
constexpr AssetRef kRedPicture = PictureAsset("t\\red.png");
// A mesh's picture is loaded once for each of its materials: the backdrop has two.
constexpr AssetRef kAssets[] = {kTitlePicture, kStartPicture, kExitPicture, kShipMesh,  kBackdropMesh,
                                kSecondMesh,   kBluePicture,  kBluePicture, kRedPicture};

bool LoadPicture(const Drawable& drawable, const AssetRef& asset, platform::TexturePtr* out) {
    return TextureLoadKeyed(asset.path, out, drawable, asset.colourKey);
}

}  // namespace

std::span<const AssetRef> TitleScreen::Assets() { return kAssets; }

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
    if (!LoadPicture(*this, kTitlePicture, &titlePicture_)) return LoadFailed(*this, "titleロスト");
    if (!LoadPicture(*this, kStartPicture, &startItem_)) return LoadFailed(*this, "gamestartスト");
    if (!LoadPicture(*this, kExitPicture, &exitItem_)) return LoadFailed(*this, "exitロスト");
    if (!MeshLoad(kShipMesh.path, &ship_, *this, 1.0f)) return LoadFailed(*this, "plu2cロスト");
    if (!MeshLoad(kBackdropMesh.path, &backdrop_, *this, 1.0f)) return LoadFailed(*this, "t1ロスト");
    if (!MeshLoad(kSecondMesh.path, &secondMesh_, *this, 1.0f)) return LoadFailed(*this, "t2ロスト");
    // The backdrop's pictures, one per material, are not checked: a missing one draws untextured.
    LoadMaterialTextures(kBluePicture.path, backdrop_, &blueTextures_, *this);
    LoadMaterialTextures(kRedPicture.path, secondMesh_, &redTextures_, *this);
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

void TitleScreen::Step(std::uint32_t now, InputState input) {
    backdropAngle_ = TrackValue(spin_, now, static_cast<float>(backdropAngle_));
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
}

void TitleScreen::DrawScene() const {
    platform::Matrix world;
    // The ship too is drawn by its pictures' own colour and alpha, as the backdrop is.
    ScopedDrawState ownAlpha(device_, draw_state::kAlphaBlend);
    {
        ScopedDrawState twoSided(device_, draw_state::kTwoSided);
        platform::MatrixRotationYawPitchRoll(&world, static_cast<float>(backdropAngle_ * kRadiansPerDegree), 0.0f,
                                             0.0f);
        SetMatrixTranslation(&world, 0.0f, 2.5f, 200.0f);
        device_->SetTransform(platform::D3DTS_WORLD, &world);
        DrawMeshSubsets(device_, backdrop_, &blueTextures_);
        device_->SetTexture(0, nullptr);
    }
    platform::MatrixRotationYawPitchRoll(&world, static_cast<float>(shipYaw_ * kRadiansPerDegree),
                                         static_cast<float>(shipPitch_ * kRadiansPerDegree),
                                         static_cast<float>(shipRoll_ * kRadiansPerDegree));
    SetMatrixTranslation(&world, 0.0f, 2.5f, 5.0f);
    device_->SetTransform(platform::D3DTS_WORLD, &world);
    DrawMeshSubsets(device_, ship_, nullptr);
}

void TitleScreen::StepMenu() {
    shownStartChosen_ = GetTitleMenuChoice() == 0;
    if (exitChosen_ == 1) {
        platform::DestroyWindow(window_);
        platform::PostQuitMessage(0);
    }
}

void TitleScreen::DrawMenu() {
    if (UsesLayer()) {
        layer_.Draw();
    } else {
        DrawFullScreen(*this, titlePicture_.get(), 0.0f, 0.0f, kOpaqueWhite);
    }
    const bool startChosen = shownStartChosen_;
    DrawPicture(*this, startItem_.get(), startChosen ? &startSelected_ : &startNormal_, 340.0f, 450.0f, 1.0f, 1.0f,
                kOpaqueWhite);
    DrawPicture(*this, exitItem_.get(), startChosen ? &exitNormal_ : &exitSelected_, 340.0f, 500.0f, 1.0f, 1.0f,
                kOpaqueWhite);
}
