#include "bosses/moon_boss.h"

#include <algorithm>

#include "platform/gfx/device.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_quad.h"

using namespace platform;

namespace {


}  // namespace

MoonBoss::MoonBoss(std::size_t meshCount, std::size_t pictureCount) {
    meshes_.resize(meshCount);
    pictures_.resize(pictureCount);
    BuildSway(kSwayY, kSwayZ);
}

bool MoonBoss::LoadPicture(std::size_t i, std::string_view path, std::string_view lostText) {
    if (i >= pictures_.size()) pictures_.resize(i + 1);
    if (!TextureLoad(path, &pictures_[i], drawContext_)) return LoadFailed(drawContext_, lostText);
    return true;
}

void MoonBoss::MakeQuad() {
    if (!quad_) CreateSquareQuad(drawContext_, 1.0f, 1.0f, 1.0f, 0xFFFFFFFFu, &quad_);
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

void MoonBoss::DrawPicture(std::size_t i, double x, double y, double z, double scale, std::uint32_t alpha,
                           double roll) {
    Device* device = drawContext_.GetDevice();
    if (!device || !quad_ || i >= pictures_.size() || !pictures_[i]) return;
    device->SetRenderState(D3DRS_ZWRITEENABLE, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    SetAlphaBlend(drawContext_, true);
    SetTextureAlphaFactor(drawContext_, (std::min<std::uint32_t>(alpha, 255u) << 24) | 0x00FFFFFFu);
    Matrix scaling, turn;
    MatrixScaling(&scaling, static_cast<float>(scale), static_cast<float>(scale), 1.0f);
    MatrixRotationYawPitchRoll(&turn, 0.0f, 0.0f, static_cast<float>(roll));
    Matrix& world = drawContext_.Transform();
    MatrixMultiply(&world, &scaling, &turn);
    SetMatrixTranslation(&world, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetTexture(0, pictures_[i].get());
    DrawQuad(device, quad_.get());
    device->SetTexture(0, nullptr);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetRenderState(D3DRS_ZWRITEENABLE, 1);
}

void MoonBoss::DrawMeshAt(std::size_t i, double x, double y, double z, double yaw, double pitch, double roll, double sx,
                          double sy, double sz, float alpha) {
    Device* device = drawContext_.GetDevice();
    if (!device || i >= meshes_.size() || !meshes_[i].resource.mesh) return;
    Matrix scale, turn;
    MatrixScaling(&scale, static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(sz));
    MatrixRotationYawPitchRoll(&turn, static_cast<float>(yaw), static_cast<float>(pitch), static_cast<float>(roll));
    Matrix& world = drawContext_.Transform();
    MatrixMultiply(&world, &scale, &turn);
    SetMatrixTranslation(&world, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    device->SetTransform(D3DTS_WORLD, &world);
    if (alpha < 1.0f) {
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        DrawMesh(meshes_[i], alpha);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    } else {
        DrawMesh(meshes_[i]);
    }
}
