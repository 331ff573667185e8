#include "stages/stage3_background.h"

#include <cmath>
#include <numbers>

#include "core/angles.h"
#include "core/play_once.h"
#include "core/registry.h"
#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "stages/scenery_mesh.h"

using namespace platform;

namespace {


struct Flower {
    double x, y, z;
};

// Flower centres; the pair (20, -10), (-20, -10) and the ring of five come back at several depths.
constexpr Flower kFlowers[Stage3Background::kFlowerCount] = {
    {0, 10, 200},     {20, -10, 200},   {-20, -10, 200}, {20, -10, 400},  {-20, -10, 400}, {0, 10, 500},
    {20, -10, 600},   {-20, -10, 600},  {10, 7, 700},    {-10, -10, 700}, {0, 5, 900},     {15, -20, 1100},
    {-15, -20, 1100}, {25, 0, 1100},    {-25, 0, 1100},  {0, 20, 1100},   {0, 0, 1500},    {15, -20, 1500},
    {-15, -20, 1500}, {25, 0, 1500},    {-25, 0, 1500},  {0, 20, 1500},   {20, -10, 1700}, {-20, -10, 1700},
    {20, -10, 1800},  {-20, -10, 1800},
};

constexpr double kPetalScaleX = 2.5, kPetalScaleY = 2.5, kPetalScaleZ = 1.0;

constexpr AssetRef kPetalMesh = MeshAsset("x\\hana.x");
constexpr AssetRef kPetalPicture = PictureAsset("t\\petal.png");
constexpr AssetRef kSkyMesh = MeshAsset("x\\sora2.x");
constexpr AssetRef kSkyPictures[3] = {PictureAsset("t\\cloud.png"), PictureAsset("t\\cloud2.png"),
                                      PictureAsset("t\\cloud3.png")};
constexpr AssetRef kGroundMesh = MeshAsset("x\\jimen2.x");
constexpr AssetRef kGroundPictures[3] = {PictureAsset("t\\flower.png"), PictureAsset("t\\flower2.png"),
                                         PictureAsset("t\\flower3.png")};
constexpr AssetRef kPlanetMesh = MeshAsset("x\\tikyu.x");
constexpr AssetRef kPlanetPicture = PictureAsset("t\\nazo.png");
constexpr AssetRef kAssets[] = {kPetalMesh,         kPetalPicture,      kSkyMesh,           kSkyPictures[0],
                                kSkyPictures[1],    kSkyPictures[2],    kGroundMesh,        kGroundPictures[0],
                                kGroundPictures[1], kGroundPictures[2], kPlanetMesh,        kPlanetPicture};

// The petal holds its place on the flower until shortly before the flower is 80 units away, flies 10
// out in the next tenth of the pass and drifts on to 30 out.
void BuildBurst(KeyframeTrack& track, double from, double direction, double burstAt, std::uint32_t ms) {
    play_once::Make(track, 4, ms);
    track.SetKey(0, 0.0f, static_cast<float>(from));
    track.SetKey(1, static_cast<float>(burstAt), static_cast<float>(from));
    track.SetKey(2, static_cast<float>(burstAt + 0.1), static_cast<float>(from + Stage3Background::kBurst * direction));
    track.SetKey(3, 1.0f, static_cast<float>(from + Stage3Background::kDrift * direction));
}

}  // namespace

int SceneryTextureSet(std::int32_t variant) { return variant >= 1 && variant <= 3 ? variant : 1; }

Stage3Background::Stage3Background() {
    std::size_t i = 0;
    for (const Flower& flower : kFlowers) {
        for (std::size_t k = 0; k < kPetalsPerFlower; ++k, ++i) {
            const double angle = 72.0 * static_cast<double>(k);
            PetalItem& petal = placement_[i];
            petal.x = flower.x + kPetalRing * std::cos(angle * kRadiansPerDegree);
            petal.y = flower.y + kPetalRing * std::sin(angle * kRadiansPerDegree);
            petal.z = flower.z;
            petal.roll = angle - 90.0;
            petal.active = 1;
            petal.rv = kPetalRadius;

            const double pass = (petal.z - kPathEnd) / kSpeed;
            const double out = (petal.roll + 90.0) * kRadiansPerDegree;
            const double burstAt = 0.5 * (petal.z - 80.0) / (petal.z - kPathEnd) - 0.05;
            play_once::Make(zTracks_[i], 2, static_cast<std::uint32_t>(std::lround(pass)));
            zTracks_[i].SetKey(0, 0.0f, static_cast<float>(petal.z));
            zTracks_[i].SetKey(1, 1.0f, static_cast<float>(kPathEnd));
            const auto burstMs = static_cast<std::uint32_t>(std::lround(2.0 * pass));
            BuildBurst(xTracks_[i], petal.x, std::cos(out), burstAt, burstMs);
            BuildBurst(yTracks_[i], petal.y, std::sin(out), burstAt, burstMs);
        }
    }
    petals_ = placement_;

    static const float kFade[3][2] = {{0.0f, 1.0f}, {0.5f, 0.0f}, {1.0f, 1.0f}};
    play_once::Make(fadeTrack_, 3, kFadeMs);
    SetKeys(fadeTrack_, kFade);
}

std::span<const AssetRef> Stage3Background::Assets() { return kAssets; }

bool Stage3Background::Load() {
    SetWrapAddressing(*this);
    if (!LoadSceneryMesh(kPetalMesh.path, &petal_, *this, 1.0f, true)) return LoadFailed(*this, "hanaロスト");
    LoadMaterialTextures(kPetalPicture.path, petal_, &petalTextures_, *this);
    if (!LoadSceneryMesh(kSkyMesh.path, &sky_, *this, 1.0f, true)) return LoadFailed(*this, "soraロスト");
    for (std::size_t s = 0; s < skySets_.size(); ++s) {
        LoadMaterialTextures(kSkyPictures[s].path, sky_, &skySets_[s], *this);
    }
    if (!LoadSceneryMesh(kGroundMesh.path, &ground_, *this, 1.0f, true)) return LoadFailed(*this, "jimen2ロスト");
    for (std::size_t s = 0; s < groundSets_.size(); ++s) {
        LoadMaterialTextures(kGroundPictures[s].path, ground_, &groundSets_[s], *this);
    }
    if (!LoadSceneryMesh(kPlanetMesh.path, &planet_, *this, 1.0f, true)) return LoadFailed(*this, "tikyuロスト");
    LoadMaterialTextures(kPlanetPicture.path, planet_, &planetTextures_, *this);
    return true;
}

void Stage3Background::Reset(std::uint32_t now) {
    // The player holds the petals' addresses: copy back in place.
    for (std::size_t i = 0; i < kPetalCount; ++i) {
        petals_[i] = placement_[i];
        zTracks_[i].SetStart(now);
        xTracks_[i].SetStart(now);
        yTracks_[i].SetStart(now);
    }
    turn_.Clear();
    // A change left over from the last game must not carry into this one.
    SetSceneryChangePending(0);
    fading_ = 0;
    variantTaken_ = 1;
    fade_ = 1.0;
    SetFlightAreaConfined(0);
    ForgetBattleShift();
}

void Stage3Background::Step(std::uint32_t now) {
    Move(now);
    // Kept now, where the frame used to draw: the ship's hit tests and the bosses' battle later in the
    // frame may put out petals or ask for the next change of pictures, which this frame did not show.
    shown_.petals = petals_;
    shown_.yaw = turn_.Yaw();
    shown_.pitch = turn_.Pitch();
    shown_.variant = GetSceneryVariant();
    shown_.fade = fade_;
}

void Stage3Background::Move(std::uint32_t now) {
    if (const std::uint32_t shift = TakeBattleShift(now); shift != 0) {
        for (std::size_t i = 0; i < kPetalCount; ++i) {
            ShiftTrack(zTracks_[i], shift);
            ShiftTrack(xTracks_[i], shift);
            ShiftTrack(yTracks_[i], shift);
        }
    }
    if (IsBossBattleActive() == 0) {
        for (std::size_t i = 0; i < kPetalCount; ++i) {
            PetalItem& petal = petals_[i];
            if (petal.active == 0) continue;
            petal.z = TrackPosition(zTracks_[i], now, static_cast<float>(petal.z));
            petal.x = TrackPosition(xTracks_[i], now, static_cast<float>(petal.x));
            petal.y = TrackPosition(yTracks_[i], now, static_cast<float>(petal.y));
        }
    }
    for (PetalItem& petal : petals_) {
        if (petal.z < kRetireDepth) petal.active = 0;
    }
    turn_.Step();
    TakeSceneryChange(now);
}

void Stage3Background::TakeSceneryChange(std::uint32_t now) {
    if (IsSceneryChangePending() != 0) {
        SetSceneryChangePending(0);
        fadeTrack_.SetStart(now);
        fading_ = 1;
        variantTaken_ = 0;
    }
    fade_ = 1.0;
    if (fading_ == 0) return;
    const std::uint32_t since = now - fadeTrack_.Start();
    if (variantTaken_ == 0 && since >= kVariantSwitchMs) {
        SetSceneryVariant(GetNextSceneryVariant());
        variantTaken_ = 1;
    }
    if (since < kFadeMs) {
        fade_ = TrackValue(fadeTrack_, now, 1.0f);
    } else {
        fading_ = 0;
    }
}

void Stage3Background::Draw() const {
    // The scenery shows its pictures' own colours: the game's light does not reach it.
    ScopedDrawState unlit(device_, draw_state::kTextureOnly);
    DrawPetals();
    if (shown_.variant == kPlanetVariant) {
        DrawPlanet();
    } else {
        DrawSkyAndGround();
    }
    device_->SetTexture(0, nullptr);
}

void Stage3Background::DrawPetals() const {
    Matrix scale, rotation, world;
    MatrixScaling(&scale, static_cast<float>(kPetalScaleX), static_cast<float>(kPetalScaleY),
                  static_cast<float>(kPetalScaleZ));
    for (const PetalItem& petal : shown_.petals) {
        if (petal.active == 0) continue;
        MatrixRotationYawPitchRoll(&rotation, static_cast<float>(petal.yaw * kRadiansPerDegree),
                                   static_cast<float>(petal.pitch * kRadiansPerDegree),
                                   static_cast<float>(petal.roll * kRadiansPerDegree));
        MatrixMultiply(&world, &scale, &rotation);
        SetMatrixTranslation(&world, static_cast<float>(petal.x), static_cast<float>(petal.y),
                             static_cast<float>(petal.z));
        device_->SetTransform(D3DTS_WORLD, &world);
        DrawMeshSubsets(device_, petal_, &petalTextures_);
    }
}

void Stage3Background::TurnedWorld(double x, double y, double z) const {
    Matrix world;
    MatrixRotationYawPitchRoll(&world, static_cast<float>(shown_.yaw * kRadiansPerDegree),
                               static_cast<float>(shown_.pitch * kRadiansPerDegree), 0.0f);
    SetMatrixTranslation(&world, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    device_->SetTransform(D3DTS_WORLD, &world);
}

void Stage3Background::DrawPlanet() const {
    ScopedDrawState twoSided(device_, draw_state::kTwoSided);
    TurnedWorld(kPlanetX, kPlanetY, kPlanetZ);
    DrawMeshSubsets(device_, planet_, &planetTextures_);
}

void Stage3Background::DrawSkyAndGround() const {
    const auto set = static_cast<std::size_t>(SceneryTextureSet(shown_.variant) - 1);
    // The fade goes through the texture factor's alpha.
    ScopedDrawState state(device_, draw_state::kTwoSided + draw_state::kTranslucent +
                                       draw_state::TextureFactor(FadeColour(shown_.fade)));
    TurnedWorld(0.0, 0.0, 0.0);
    DrawMeshSubsets(device_, sky_, &skySets_[set]);
    DrawMeshSubsets(device_, ground_, &groundSets_[set]);
}
