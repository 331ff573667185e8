#include "bosses/moon_boss.h"

#include <algorithm>

#include "render/loaders.h"
#include "render/render_presets.h"

using namespace platform;

MoonBoss::MoonBoss(std::size_t meshCount, std::size_t pictureCount) {
    meshes_.resize(meshCount);
    pictures_.resize(pictureCount);
    BuildSway(kSwayY, kSwayZ);
}

bool MoonBoss::LoadInOrder(std::span<const AssetRef> assets) {
    std::size_t mesh = 0;
    std::size_t picture = 0;
    for (const AssetRef& asset : assets) {
        if (asset.kind == AssetRef::Kind::kMesh) {
            if (!LoadMesh(mesh++, asset)) return false;
            continue;
        }
        if (picture >= pictures_.size()) pictures_.resize(picture + 1);
        if (!LoadPicture(asset, &pictures_[picture++])) return false;
    }
    if (!quad_) CreateSquareQuad(drawContext_, 1.0f, 1.0f, 1.0f, 0xFFFFFFFFu, &quad_);
    return true;
}

// Both restart the attack clock in the middle of an update: the steps after them in the same frame must
// see it restarted too, or a second attack could pass the gate on the time the first one waited.
void MoonBoss::BeginAttack() {
    battleStart_ = now_;
    elapsed_ = 0;
    attacking_ = 1;
}

void MoonBoss::EndAttack() {
    attacking_ = 0;
    battleStart_ = now_;
    elapsed_ = 0;
}

void MoonBoss::ShowPicture(std::size_t i, double x, double y, double z, double scale, std::uint32_t alpha,
                           double roll) {
    if (!quad_ || i >= pictures_.size() || !pictures_[i]) return;
    Matrix scaling, turn, world;
    MatrixScaling(&scaling, static_cast<float>(scale), static_cast<float>(scale), 1.0f);
    MatrixRotationYawPitchRoll(&turn, 0.0f, 0.0f, static_cast<float>(roll));
    MatrixMultiply(&world, &scaling, &turn);
    SetMatrixTranslation(&world, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    ShowSprite(quad_.get(), pictures_[i].get(), world,
               draw_state::kNoDepthWrite + draw_state::kTwoSided + draw_state::kAlphaBlend +
                   draw_state::TextureFactor((std::min<std::uint32_t>(alpha, 255u) << 24) | 0x00FFFFFFu));
}

void MoonBoss::ShowMeshAt(std::size_t i, double x, double y, double z, double yaw, double pitch, double roll, double sx,
                          double sy, double sz, float alpha, const DrawState& state) {
    if (i >= meshes_.size()) return;
    Matrix scale, turn, world;
    MatrixScaling(&scale, static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(sz));
    MatrixRotationYawPitchRoll(&turn, static_cast<float>(yaw), static_cast<float>(pitch), static_cast<float>(roll));
    MatrixMultiply(&world, &scale, &turn);
    SetMatrixTranslation(&world, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    if (alpha < 1.0f) {
        ShowMesh(meshes_[i], world, draw_state::kTranslucent + state, alpha);
    } else {
        ShowMesh(meshes_[i], world, state);
    }
}
