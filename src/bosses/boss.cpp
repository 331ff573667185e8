#include "bosses/boss.h"

#include <algorithm>

#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/gfx/device.h"
#include "platform/gfx/mesh.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/textured_quad.h"

using namespace platform;

void Boss::Step(std::uint32_t now) {
    parts_.clear();
    if (!body_.active) return;
    StepBody(now);
    if (body_.active) StepParts(now);
}

void Boss::StepBodyOnly(std::uint32_t now) {
    parts_.clear();
    if (body_.active) StepBody(now);
}

void Boss::StepBody(std::uint32_t now) { ShowBody(now, true); }

void Boss::Start(std::uint32_t now, int set) {
    if (set >= 0 && set < kMotionSets) {
        move_[set].SetStart(now);
    }
    battleStart_ = now;
}

void Boss::BuildList(int i, std::size_t count, const BossBullet& entry) {
    live_[static_cast<std::size_t>(i)].Build(count, entry);
    initial_[static_cast<std::size_t>(i)].Build(count, entry);
}

void Boss::BuildList(int i, const std::vector<BossBullet>& entries) {
    live_[static_cast<std::size_t>(i)].Build(entries);
    initial_[static_cast<std::size_t>(i)].Build(entries);
}

void Boss::RestoreLists() {
    for (std::size_t i = 0; i < live_.size(); ++i) live_[i].CopyFrom(initial_[i]);
}

void Boss::Tick(std::uint32_t now) {
    now_ = now;
    elapsed_ = now_ - battleStart_;
}

void Boss::BuildSway(float y, float z) {
    static constexpr float kSwayX[5][2] = {{0.0f, 0.0f}, {0.25f, -5.0f}, {0.5f, 0.0f}, {0.75f, 5.0f}, {1.0f, 0.0f}};
    move_[0].x.SetKeyCount(5);
    SetKeys(move_[0].x, kSwayX);
    move_[0].x.SetDuration(8000);
    move_[0].x.SetLooping(1);
    const float keysY[2][2] = {{0.0f, y}, {1.0f, y}};
    move_[0].y.SetKeyCount(2);
    SetKeys(move_[0].y, keysY);
    move_[0].y.SetDuration(0);
    move_[0].y.SetLooping(1);
    const float keysZ[2][2] = {{0.0f, z}, {1.0f, z}};
    move_[0].z.SetKeyCount(2);
    SetKeys(move_[0].z, keysZ);
    move_[0].z.SetDuration(0);
    move_[0].z.SetLooping(1);
}

void Boss::PlaceOnSway(std::uint32_t now) {
    if (body_.holdPosition) return;
    const TrackPoint at =
        move_[0].Value(now, {static_cast<float>(body_.x), static_cast<float>(body_.y), static_cast<float>(body_.z)});
    body_.x = at.x;
    body_.y = at.y;
    body_.z = at.z;
}

void Boss::PauseSway(std::uint32_t now) {
    savedMoveStart_ = move_[0].x.Start();
    pauseStart_ = now;
}

void Boss::ResumeSway(std::uint32_t now, bool withAux) {
    pausedFor_ = now - pauseStart_;
    resumedStart_ = savedMoveStart_ + pausedFor_;
    move_[0].SetStart(resumedStart_);
    if (withAux) {
        for (KeyframeTrack& track : aux_) track.SetStart(resumedStart_);
    }
}

void Boss::ShowBody(std::uint32_t now, bool rotate) {
    PlaceOnSway(now);
    if (!meshes_.empty()) {
        Matrix world;
        if (rotate) {
            MatrixRotationYawPitchRoll(&world, static_cast<float>(body_.yaw), static_cast<float>(body_.pitch),
                                       static_cast<float>(body_.roll));
        } else {
            MatrixIdentity(&world);
        }
        SetMatrixTranslation(&world, static_cast<float>(body_.x), static_cast<float>(body_.y),
                             static_cast<float>(body_.z));
        ShowMesh(meshes_[0], world, draw_state::kTranslucent, body_.hitFlash ? kHitAlpha : 1.0f);
    }
    body_.hitFlash = 0;
}

bool Boss::LoadMesh(std::size_t i, const AssetRef& asset) { return LoadMesh(i, asset, LostText(asset.path)); }

bool Boss::LoadMesh(std::size_t i, const AssetRef& asset, std::string_view lostText) {
    if (i >= meshes_.size()) meshes_.resize(i + 1);
    if (!MeshLoad(asset.path, &meshes_[i].resource, drawContext_, 1.0f)) return LoadFailed(drawContext_, lostText);
    return true;
}

bool Boss::LoadPicture(const AssetRef& asset, TexturePtr* out) {
    bool loaded = false;
    if (asset.colourKey == kNoColourKey) {
        loaded = TextureLoadPlain(asset.path, out, drawContext_);
    } else if (asset.colourKey == kColourKeyBlack) {
        loaded = TextureLoad(asset.path, out, drawContext_);
    } else {
        loaded = TextureLoadKeyed(asset.path, out, drawContext_, asset.colourKey);
    }
    return loaded || LoadFailed(drawContext_, LostText(asset.path));
}

bool Boss::LoadMaterialPictures(std::size_t i, std::span<const AssetRef> pictures) {
    BossMesh& mesh = meshes_[i];
    mesh.textures.clear();
    mesh.textures.resize(mesh.resource.materialCount);
    for (std::size_t k = 0; k < mesh.textures.size() && !pictures.empty(); ++k) {
        if (!LoadPicture(pictures[std::min(k, pictures.size() - 1)], &mesh.textures[k])) return false;
    }
    return true;
}

void Boss::ShowMesh(const BossMesh& mesh, const Matrix& world, const DrawState& state, float alpha,
                    float alphaTimes) {
    BossPart& part = parts_.emplace_back();
    part.kind = BossPart::Kind::kMesh;
    part.state = state;
    part.world = world;
    part.mesh = &mesh;
    part.alpha = alpha;
    part.alphaTimes = alphaTimes;
}

void Boss::ShowFlipbook(VertexBuffer* quad, Texture* texture, const QuadPlacement& placement, const DrawState& state) {
    BossPart& part = parts_.emplace_back();
    part.kind = BossPart::Kind::kFlipbook;
    part.state = state;
    part.quad = quad;
    part.texture = texture;
    part.placement = placement;
}

void Boss::ShowSprite(VertexBuffer* quad, Texture* texture, const Matrix& world, const DrawState& state) {
    BossPart& part = parts_.emplace_back();
    part.kind = BossPart::Kind::kSprite;
    part.state = state;
    part.world = world;
    part.quad = quad;
    part.texture = texture;
}

void Boss::ShowScrolledSprite(VertexBuffer* quad, Texture* texture, const Matrix& world, const DrawState& state,
                              float u, float v) {
    ShowSprite(quad, texture, world, state);
    BossPart& part = parts_.back();
    part.scroll = true;
    part.u = u;
    part.v = v;
}

void Boss::Draw() const {
    Device& device = *drawContext_.GetDevice();
    for (const BossPart& part : parts_) DrawPart(device, part);
}

void Boss::DrawPart(Device& device, const BossPart& part) const {
    switch (part.kind) {
        case BossPart::Kind::kMesh: {
            if (!part.mesh || !part.mesh->resource.mesh) return;
            // The lit material's alpha carries the translucency, textured or not.
            ScopedDrawState state(&device, draw_state::kTextureTimesLight + part.state);
            device.SetTransform(D3DTS_WORLD, &part.world);
            DrawSubsets(device, part);
            return;
        }
        case BossPart::Kind::kFlipbook: {
            // The flip-book's own state over the part's, as the quad is drawn blended by its factor.
            ScopedDrawState state(&device, part.state + draw_state::Flipbook(part.placement.factor));
            DrawPlacedQuad(&device, part.quad, part.texture, part.placement);
            return;
        }
        case BossPart::Kind::kSprite: {
            if (!part.quad) return;
            ScopedDrawState state(&device, part.state);
            if (part.scroll) {
                Matrix scroll;
                MakeTextureScroll(&scroll, part.u, part.v);
                device.SetTransform(D3DTS_TEXTURE0, &scroll);
            }
            device.SetTransform(D3DTS_WORLD, &part.world);
            device.SetTexture(0, part.texture);
            DrawQuad(&device, part.quad);
            device.SetTexture(0, nullptr);
            return;
        }
    }
}

void Boss::DrawSubsets(Device& device, const BossPart& part) const {
    const BossMesh& mesh = *part.mesh;
    for (std::uint32_t i = 0; i < mesh.resource.materialCount; ++i) {
        Material material = mesh.resource.materials[i];
        if (part.alpha >= 0.0f) material.diffuse.a = part.alpha;
        material.diffuse.a *= part.alphaTimes;
        device.SetMaterial(&material);
        device.SetTexture(0, i < mesh.textures.size() ? mesh.textures[i].get() : nullptr);
        mesh.resource.mesh->DrawSubset(i);
    }
    device.SetTexture(0, nullptr);
}
