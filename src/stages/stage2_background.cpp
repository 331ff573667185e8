#include "stages/stage2_background.h"

#include <cmath>
#include <numbers>

#include "core/angles.h"
#include "core/registry.h"
#include "platform/core/clock.h"
#include "platform/core/random.h"
#include "platform/gfx/device.h"
#include "platform/gfx/texture.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "stages/scenery_mesh.h"

using namespace platform;

namespace {


struct Point {
    double x, y, z;
};

constexpr Point kRocks[Stage2Background::kRockCount] = {
    {0, 20, 400}, {20, -20, 400}, {-20, -20, 400}, {20, -20, 800}, {-20, 20, 800}, {5, -20, 2100}, {-7, 20, 2100},
};

// The star field in groups: `count` items between `farthest` - `depth` (exclusive) and `farthest`.
// The small groups lie off to the sides, clear of the flight corridor; the large ones around it.
struct StarGroup {
    int count;
    int farthest;
    int depth;
    bool aside;
};

constexpr StarGroup kStarGroups[] = {
    {20, 200, 120, true}, {20, 600, 120, true}, {60, 1200, 400, false}, {20, 2000, 120, true}, {60, 2400, 400, false},
};

constexpr AssetRef kBackdrop = PictureAsset("t\\space3.png", kColourKeyWhite);
constexpr AssetRef kRockMesh = MeshAsset("x\\meteo.x");
constexpr AssetRef kRockPicture = PictureAsset("t\\meteo.png");
constexpr AssetRef kStarMesh = MeshAsset("x\\star.x");
constexpr AssetRef kStarPicture = PictureAsset("t\\moon.png");
constexpr AssetRef kPlanetMesh = MeshAsset("x\\tikyu.x");
constexpr AssetRef kPlanetPicture = PictureAsset("t\\space.png");
constexpr AssetRef kExplosionBackdrop = PictureAsset("t\\sexpl.png");
constexpr AssetRef kAssets[] = {kBackdrop,   kRockMesh,       kRockPicture,      kStarMesh,
                                kStarPicture, kPlanetMesh,    kPlanetPicture,    kExplosionBackdrop};

// Half the width of the corridor the side groups keep clear.
constexpr int kCorridor = 10;

// A value below `range`, negated when even.
int SignedRand(int range) {
    const int v = Rand() % range;
    return v % 2 == 0 ? -v : v;
}

SpaceItem StarAt(const StarGroup& group) {
    SpaceItem item;
    item.z = group.farthest - Rand() % group.depth;
    int x = SignedRand(group.aside ? 20 : 10);
    item.y = SignedRand(10);
    if (group.aside && -kCorridor < x && x < kCorridor) x += x >= 0 ? kCorridor : -kCorridor;
    item.x = x;
    return item;
}

// From the item's depth to the end of the path at the stage's speed.
void BuildPath(KeyframeTrack& track, double z) {
    track.SetKeyCount(2);
    track.SetKey(0, 0.0f, static_cast<float>(z));
    track.SetKey(1, 1.0f, static_cast<float>(Stage2Background::kPathEnd));
    track.SetDuration(
        static_cast<std::uint32_t>(std::lround((z - Stage2Background::kPathEnd) / Stage2Background::kSpeed)));
    track.SetLooping(0);
}

}  // namespace

Stage2Background::Stage2Background() {
    for (std::size_t i = 0; i < kRockCount; ++i) {
        SpaceItem& rock = rockPlacement_[i];
        rock.x = kRocks[i].x;
        rock.y = kRocks[i].y;
        rock.z = kRocks[i].z;
        rock.active = 1;
        rock.hitPoints = 0;
        rock.rh = rock.rv = kRockRadius;
        BuildPath(rockTracks_[i], rock.z);
    }
    std::size_t i = 0;
    for (const StarGroup& group : kStarGroups) {
        for (int k = 0; k < group.count; ++k, ++i) {
            SpaceItem& star = starPlacement_[i];
            star = StarAt(group);
            star.active = 1;
            star.hitPoints = kStarHitPoints;
            star.rh = star.rv = kStarRadius;
            BuildPath(starTracks_[i], star.z);
        }
    }
    rocks_ = rockPlacement_;
    stars_ = starPlacement_;
}

std::span<const AssetRef> Stage2Background::Assets() { return kAssets; }

bool Stage2Background::Load() {
    SetWrapAddressing(*this);
    // The backdrops are only checked for: the stage does not show them.
    TexturePtr backdrop;
    if (!TextureLoadKeyed(kBackdrop.path, &backdrop, *this, kBackdrop.colourKey)) {
        return LoadFailed(*this, "space3ロスト");
    }
    backdrop.reset();
    if (!LoadSceneryMesh(kRockMesh.path, &rock_, *this, 1.0f, true)) return LoadFailed(*this, "meteoロスト");
    LoadMaterialTextures(kRockPicture.path, rock_, &rockTextures_, *this);
    if (!LoadSceneryMesh(kStarMesh.path, &star_, *this, 1.0f, true)) return LoadFailed(*this, "starロスト");
    LoadMaterialTextures(kStarPicture.path, star_, &starTextures_, *this);
    if (!LoadSceneryMesh(kPlanetMesh.path, &planet_, *this, 1.0f, true)) return LoadFailed(*this, "tikyuロスト");
    LoadMaterialTextures(kPlanetPicture.path, planet_, &planetTextures_, *this);
    if (!TextureLoadKeyed(kExplosionBackdrop.path, &backdrop, *this, kExplosionBackdrop.colourKey)) {
        return LoadFailed(*this, "sexplロスト");
    }
    return true;
}

void Stage2Background::Reset(std::uint32_t now) {
    // The player holds the items' addresses: copy back in place.
    for (std::size_t i = 0; i < kRockCount; ++i) {
        rocks_[i] = rockPlacement_[i];
        rockTracks_[i].SetStart(now);
    }
    for (std::size_t i = 0; i < kStarCount; ++i) {
        stars_[i] = starPlacement_[i];
        starTracks_[i].SetStart(now);
    }
    turn_.Clear();
    SetFlightAreaConfined(0);
    ForgetBattleShift();
}

void Stage2Background::Step(std::uint32_t now) {
    Move(now);
    // Kept now, where the frame used to draw: the ship's hit tests later in the frame put out the
    // stars and rocks it strikes, which were still seen in this frame.
    shown_.rocks = rocks_;
    shown_.stars = stars_;
    shown_.yaw = turn_.Yaw();
    shown_.pitch = turn_.Pitch();
}

void Stage2Background::Move(std::uint32_t now) {
    if (const std::uint32_t shift = TakeBattleShift(now); shift != 0) {
        for (KeyframeTrack& t : rockTracks_) ShiftTrack(t, shift);
        for (KeyframeTrack& t : starTracks_) ShiftTrack(t, shift);
    }
    const bool battle = IsBossBattleActive() != 0;
    auto advance = [&](std::span<SpaceItem> items, const auto& tracks, double retireDepth) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            SpaceItem& item = items[i];
            if (item.active == 0) continue;
            if (!battle) item.z = TrackPosition(tracks[i], now, static_cast<float>(item.z));
            if (item.z <= retireDepth) item.active = 0;
        }
    };
    advance(rocks_, rockTracks_, kRockRetireDepth);
    advance(stars_, starTracks_, kStarRetireDepth);
    turn_.Step();
}

void Stage2Background::Draw() const {
    // The scenery shows its pictures' own colours: the game's light does not reach it.
    ScopedDrawState unlit(device_, draw_state::kTextureOnly);
    auto drawAll = [&](std::span<const SpaceItem> items, const MeshResource& mesh, const MaterialTextures& textures) {
        for (const SpaceItem& item : items) {
            if (item.active == 0) continue;
            Matrix world;
            MatrixTranslation(&world, static_cast<float>(item.x), static_cast<float>(item.y),
                              static_cast<float>(item.z));
            device_->SetTransform(D3DTS_WORLD, &world);
            DrawMeshSubsets(device_, mesh, &textures);
        }
    };
    drawAll(shown_.rocks, rock_, rockTextures_);
    drawAll(shown_.stars, star_, starTextures_);

    {
        ScopedDrawState twoSided(device_, draw_state::kTwoSided);
        Matrix world;
        MatrixRotationYawPitchRoll(&world, static_cast<float>(shown_.yaw * kRadiansPerDegree),
                                   static_cast<float>(shown_.pitch * kRadiansPerDegree), 0.0f);
        SetMatrixTranslation(&world, static_cast<float>(kPlanetX), static_cast<float>(kPlanetY),
                             static_cast<float>(kPlanetZ));
        device_->SetTransform(D3DTS_WORLD, &world);
        DrawMeshSubsets(device_, planet_, &planetTextures_);
    }
    device_->SetTexture(0, nullptr);
}
