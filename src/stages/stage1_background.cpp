#include "stages/stage1_background.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/angles.h"
#include "core/play_once.h"
#include "core/registry.h"
#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "stages/scenery_mesh.h"

using namespace platform;

namespace {


struct Placement {
    std::int32_t kind;
    float x, z;
};

// Kind 0 is a building, kind 1 a tower.
constexpr Placement kPlacements[Stage1Background::kBuildingCount] = {
    {0, -20, 200}, {0, 20, 400},   {0, -10, 450}, {0, -10, 500}, {0, 10, 600},   {0, 10, 700},   {0, -10, 700},
    {1, 0, 850},   {0, -7, 950},   {0, 7, 1050},  {0, -7, 1150}, {1, 0, 1300},   {0, -20, 1600}, {1, 0, 1600},
    {0, 20, 1600}, {0, -10, 2500}, {0, 10, 2500}, {0, 10, 2600}, {0, -10, 2600}, {0, 10, 2700},  {0, -10, 2700},
};

constexpr float kItemHeight = 10.0f;
constexpr double kBuildingHalfX = 5.0;
constexpr double kTowerHalfX = 2.0;
constexpr double kHalfY = 10.0;
constexpr double kHalfZ = 3.0;
// A toppled item lies this far over towards its side.
constexpr double kToppleReach = 7.0;

// The base comes from far ahead to behind the ship in 80 s.
constexpr float kLandmarkFrom = 1300.0f;
constexpr float kLandmarkTo = -135.0f;
constexpr std::uint32_t kLandmarkMs = 80000;
constexpr std::uint32_t kLandmarkHeightMs = 5000;
// The base's mesh and the ground under it sit this far right of the flight axis.
constexpr float kLandmarkOffsetX = 2.5f;

constexpr std::uint32_t kFogColour = 0xFF88F0FFu;
constexpr float kGroundScrollStep = 0.001f;
constexpr float kGroundScrollRestart = 0.005f;

}  // namespace

Stage1Background::Stage1Background() {
    for (std::size_t i = 0; i < kBuildingCount; ++i) {
        const Placement& p = kPlacements[i];
        BuildingItem& item = placement_[i];
        item.kind = p.kind;
        item.x = p.x;
        item.y = kItemHeight;
        item.z = p.z;
        item.standing = 0;
        item.halfX = p.kind == 0 ? kBuildingHalfX : kTowerHalfX;
        item.halfY = kHalfY;
        item.halfZ = kHalfZ;
        item.appearance = 0;
        play_once::Make(tracks_[i], static_cast<std::uint32_t>(std::lround(p.z / kSpeed)), p.z, 0.0f);
    }
    items_ = placement_;
    landmark_.z = kLandmarkFrom;
    play_once::Make(landmarkZTrack_, kLandmarkMs, kLandmarkFrom, kLandmarkTo);
    play_once::Make(landmarkYTrack_, kLandmarkHeightMs, 0.0f, 0.0f);
}

bool Stage1Background::Load() {
    SetWrapAddressing(*this);
    if (!LoadSceneryMesh("x\\s1back4.x", &ground_, *this, 0.5f, false)) return LoadFailed(*this, "s1back4ロスト");
    LoadMaterialTextures("t\\ground.png", ground_, &groundTextures_, *this);
    if (!LoadSceneryMesh("x\\hai2.x", &building_, *this, 0.5f, false)) return LoadFailed(*this, "hai2ロスト");
    LoadMaterialTextures("t\\m2.png", building_, &buildingTextures_, *this);
    if (!LoadSceneryMesh("x\\kiti02.x", &base_, *this, 0.5f, false)) return LoadFailed(*this, "kiti02ロスト");
    if (!MeshLoad("x\\tokio.x", &tower_, *this, 1.0f)) return LoadFailed(*this, "tokioロスト");
    if (!MeshLoad("x\\s1.x", &sky_, *this, 0.8f)) return LoadFailed(*this, "s1ロスト");
    return true;
}

void Stage1Background::Reset(std::uint32_t now) {
    // The player holds the items' addresses: copy back in place.
    for (std::size_t i = 0; i < kBuildingCount; ++i) {
        items_[i] = placement_[i];
        tracks_[i].SetStart(now);
    }
    landmarkVisible_ = 1;
    landmark_ = Landmark{0.0f, 0.0f, kLandmarkFrom};
    landmarkZTrack_.SetStart(now);
    landmarkYTrack_.SetStart(now);
    groundScroll_ = 0.0f;
    stage1Flag_ = 0;
    SetFlightAreaConfined(0);
    ForgetBattleShift();
}

void Stage1Background::Draw(std::uint32_t now) {
    Move(now);
    if (device_) Render(now);
}

void Stage1Background::Move(std::uint32_t now) {
    if (const std::uint32_t shift = TakeBattleShift(now); shift != 0) {
        for (KeyframeTrack& t : tracks_) ShiftTrack(t, shift);
    }
    const bool battle = IsBossBattleActive() != 0;

    if (landmarkVisible_) {
        landmark_.z = TrackPosition(landmarkZTrack_, now, landmark_.z);
        landmark_.y = TrackPosition(landmarkYTrack_, now, landmark_.y);
        if (landmark_.z < kConfineDepth && !battle && IsFlightAreaConfined() == 0) SetFlightAreaConfined(1);
    }
    if (landmark_.z <= kItemsUntilDepth) return;

    for (std::size_t i = 0; i < kBuildingCount; ++i) {
        BuildingItem& item = items_[i];
        if (!battle) item.z = TrackPosition(tracks_[i], now, item.z);
        if (item.standing == 0) {
            item.roll = item.x > 0.0f ? std::min(item.roll + kToppleStep, kToppledRoll)
                                      : std::max(item.roll - kToppleStep, -kToppledRoll);
        }
    }
    if (landmarkVisible_) {
        groundScroll_ += kGroundScrollStep;
        if (groundScroll_ > 1.0f) groundScroll_ = kGroundScrollRestart;
    }
}

void Stage1Background::Render(std::uint32_t now) {
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    MatrixIdentity(&transform_);
    device_->SetTransform(D3DTS_WORLD, &transform_);
    device_->SetTexture(0, nullptr);
    DrawMeshSubsets(device_, sky_, nullptr);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);

    SetFog(*this, 600.0f, 700.0f, kFogColour, true);
    BlendBySourceAlpha(true);
    if (landmark_.z > kItemsUntilDepth) DrawBuildings(now);
    DrawLandmarkAndGround();

    device_->SetRenderState(D3DRS_STENCILENABLE, 0);
    BlendBySourceAlpha(false);
    SetFog(*this, 600.0f, 700.0f, kFogColour, false);
    device_->SetTexture(0, nullptr);
}

void Stage1Background::DrawBuildings(std::uint32_t now) {
    const std::uint32_t elapsed = StageElapsed();
    for (std::size_t i = 0; i < kBuildingCount; ++i) {
        const BuildingItem& item = items_[i];
        if (TrackRunOut(tracks_[i].Start(), tracks_[i].Duration(), now) || elapsed < item.appearance) continue;
        const double roll = item.roll * kRadiansPerDegree;
        MatrixRotationYawPitchRoll(&transform_, static_cast<float>(item.yaw * kRadiansPerDegree),
                                   static_cast<float>(item.pitch * kRadiansPerDegree), static_cast<float>(roll));
        SetMatrixTranslation(&transform_, static_cast<float>(item.x - std::sin(roll) * kToppleReach), 0.0f, item.z);
        device_->SetTransform(D3DTS_WORLD, &transform_);
        if (item.kind == 0) {
            DrawMeshSubsets(device_, building_, &buildingTextures_);
        } else {
            device_->SetTexture(0, nullptr);
            DrawMeshSubsets(device_, tower_, nullptr);
        }
    }
}

void Stage1Background::DrawLandmarkAndGround() {
    if (landmarkVisible_) {
        MatrixIdentity(&transform_);
        SetMatrixTranslation(&transform_, landmark_.x + kLandmarkOffsetX, landmark_.y, landmark_.z);
        device_->SetTransform(D3DTS_WORLD, &transform_);
        device_->SetTexture(0, nullptr);
        DrawMeshSubsets(device_, base_, nullptr);
    }
    SetFog(*this, 500.0f, 900.0f, kFogColour, true);
    if (landmark_.z > kItemsUntilDepth && landmarkVisible_) {
        device_->SetRenderState(D3DRS_ALPHATESTENABLE, 0);
        device_->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
        SetTextureScroll(*this, 0.0f, groundScroll_, &scrollMatrix_);
        // The same world as the base: the ground moves with it.
        device_->SetTransform(D3DTS_WORLD, &transform_);
        DrawMeshSubsets(device_, ground_, &groundTextures_);
        // The scroll must not carry over to whatever is drawn next.
        device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    }
}
