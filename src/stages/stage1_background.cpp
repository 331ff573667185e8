#include "stages/stage1_background.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

#include "core/angles.h"
#include "core/play_once.h"
#include "core/registry.h"
#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "render/draw_state.h"
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

constexpr AssetRef kGroundMesh = MeshAsset("x\\s1back4.x");
constexpr AssetRef kGroundPicture = PictureAsset("t\\ground.png");
constexpr AssetRef kBuildingMesh = MeshAsset("x\\hai2.x");
constexpr AssetRef kBuildingPicture = PictureAsset("t\\m2.png");
constexpr AssetRef kBaseMesh = MeshAsset("x\\kiti02.x");
constexpr AssetRef kTowerMesh = MeshAsset("x\\tokio.x");
constexpr AssetRef kSkyMesh = MeshAsset("x\\s1.x");
// A mesh's picture is loaded once for each of its materials: the building has two.
constexpr AssetRef kAssets[] = {kGroundMesh,      kGroundPicture, kBuildingMesh, kBuildingPicture,
                                kBuildingPicture, kBaseMesh,      kTowerMesh,    kSkyMesh};

// Linear vertex fog by the distance from the eye, from `start` to `end`.
constexpr DrawState Fog(float start, float end) {
    using draw_state::Render;
    return DrawState{
        Render(D3DRS_FOGENABLE, 1),
        Render(D3DRS_FOGCOLOR, kFogColour),
        Render(D3DRS_FOGTABLEMODE, D3DFOG_NONE),
        Render(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR),
        Render(D3DRS_RANGEFOGENABLE, 1),
        Render(D3DRS_FOGSTART, std::bit_cast<std::uint32_t>(start)),
        Render(D3DRS_FOGEND, std::bit_cast<std::uint32_t>(end)),
    };
}

// The ground: its picture scrolls, and it is drawn over the base's foot where their depths meet.
constexpr DrawState kGroundState = draw_state::kTextureScroll + DrawState{
    draw_state::Render(D3DRS_ALPHATESTENABLE, 0),
    draw_state::Render(D3DRS_ZFUNC, D3DCMP_LESSEQUAL),
};

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

std::span<const AssetRef> Stage1Background::Assets() { return kAssets; }

bool Stage1Background::Load() {
    SetWrapAddressing(*this);
    if (!LoadSceneryMesh(kGroundMesh.path, &ground_, *this, 0.5f, false)) return LoadFailed(*this, "s1back4ロスト");
    LoadMaterialTextures(kGroundPicture.path, ground_, &groundTextures_, *this);
    if (!LoadSceneryMesh(kBuildingMesh.path, &building_, *this, 0.5f, false)) return LoadFailed(*this, "hai2ロスト");
    LoadMaterialTextures(kBuildingPicture.path, building_, &buildingTextures_, *this);
    if (!LoadSceneryMesh(kBaseMesh.path, &base_, *this, 0.5f, false)) return LoadFailed(*this, "kiti02ロスト");
    if (!MeshLoad(kTowerMesh.path, &tower_, *this, 1.0f)) return LoadFailed(*this, "tokioロスト");
    if (!MeshLoad(kSkyMesh.path, &sky_, *this, 0.8f)) return LoadFailed(*this, "s1ロスト");
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

void Stage1Background::Step(std::uint32_t now) {
    Move(now);
    Keep(now);
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

void Stage1Background::Keep(std::uint32_t now) {
    // Kept now, where the frame used to draw: the ship's hit tests later in the frame may change the
    // buildings, and a change of scene may reset the stage before the frame is drawn.
    const std::uint32_t elapsed = StageElapsed();
    shown_.buildings = items_;
    for (std::size_t i = 0; i < kBuildingCount; ++i) {
        const bool gone = TrackRunOut(tracks_[i].Start(), tracks_[i].Duration(), now) || elapsed < items_[i].appearance;
        shown_.buildingShown[i] = gone ? 0 : 1;
    }
    shown_.itemsShown = landmark_.z > kItemsUntilDepth ? 1 : 0;
    shown_.landmark = landmark_;
    shown_.landmarkVisible = landmarkVisible_;
    shown_.groundScroll = groundScroll_;
}

void Stage1Background::Draw() const {
    // The scenery shows its pictures' own colours: the game's light does not reach it.
    ScopedDrawState unlit(device_, draw_state::kTextureOnly);
    {
        ScopedDrawState twoSided(device_, draw_state::kTwoSided);
        const Matrix identity;
        device_->SetTransform(D3DTS_WORLD, &identity);
        device_->SetTexture(0, nullptr);
        DrawMeshSubsets(device_, sky_, nullptr);
    }
    {
        ScopedDrawState state(device_, Fog(600.0f, 700.0f) + draw_state::kTranslucent);
        if (shown_.itemsShown) DrawBuildings();
        DrawLandmarkAndGround();
    }
    device_->SetTexture(0, nullptr);
}

void Stage1Background::DrawBuildings() const {
    for (std::size_t i = 0; i < kBuildingCount; ++i) {
        const BuildingItem& item = shown_.buildings[i];
        if (!shown_.buildingShown[i]) continue;
        const double roll = item.roll * kRadiansPerDegree;
        Matrix world;
        MatrixRotationYawPitchRoll(&world, static_cast<float>(item.yaw * kRadiansPerDegree),
                                   static_cast<float>(item.pitch * kRadiansPerDegree), static_cast<float>(roll));
        SetMatrixTranslation(&world, static_cast<float>(item.x - std::sin(roll) * kToppleReach), 0.0f, item.z);
        device_->SetTransform(D3DTS_WORLD, &world);
        if (item.kind == 0) {
            DrawMeshSubsets(device_, building_, &buildingTextures_);
        } else {
            device_->SetTexture(0, nullptr);
            DrawMeshSubsets(device_, tower_, nullptr);
        }
    }
}

void Stage1Background::DrawLandmarkAndGround() const {
    if (!shown_.landmarkVisible) return;
    const Landmark& landmark = shown_.landmark;
    Matrix world;
    SetMatrixTranslation(&world, landmark.x + kLandmarkOffsetX, landmark.y, landmark.z);
    device_->SetTransform(D3DTS_WORLD, &world);
    device_->SetTexture(0, nullptr);
    DrawMeshSubsets(device_, base_, nullptr);
    if (!shown_.itemsShown) return;
    ScopedDrawState ground(device_, Fog(500.0f, 900.0f) + kGroundState);
    Matrix scroll;
    MakeTextureScroll(&scroll, 0.0f, shown_.groundScroll);
    device_->SetTransform(D3DTS_TEXTURE0, &scroll);
    // The same world as the base: the ground moves with it.
    DrawMeshSubsets(device_, ground_, &groundTextures_);
}
