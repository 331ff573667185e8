#include "hud/sight.h"

#include "platform/gfx/device.h"
#include "platform/gfx/math.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"

namespace {

constexpr AssetRef kPictures[Sight::kAimPointCount] = {PictureAsset("t\\sight.png"), PictureAsset("t\\sight2.png")};

}  // namespace

std::span<const AssetRef> Sight::Assets() { return kPictures; }

bool Sight::Load() {
    if (!TextureLoadKeyed(kPictures[0].path, &pictures_[0], *this, kPictures[0].colourKey)) {
        return LoadFailed(*this, "sightロスト");
    }
    if (!TextureLoadKeyed(kPictures[1].path, &pictures_[1], *this, kPictures[1].colourKey)) {
        return LoadFailed(*this, "sight2ロスト");
    }
    return true;
}

void Sight::SetAimPoint(int index, double x, double y, double z, bool active) {
    if (index < 0 || index >= kAimPointCount) return;
    points_[static_cast<std::size_t>(index)] = AimPoint{x, y, z, static_cast<std::uint8_t>(active ? 1 : 0)};
}

void Sight::Draw() {
    ScopedDrawState ownAlpha(device_, draw_state::kAlphaBlend);
    for (int i = 0; i < kAimPointCount; ++i) {
        const AimPoint& p = points_[static_cast<std::size_t>(i)];
        platform::Texture* picture = pictures_[static_cast<std::size_t>(i)].get();
        if (p.active != 1 || !picture) continue;
        platform::Viewport viewport;
        platform::Matrix projection, view;
        const platform::Matrix world;
        device_->GetViewport(&viewport);
        device_->GetTransform(platform::D3DTS_PROJECTION, &projection);
        device_->GetTransform(platform::D3DTS_VIEW, &view);
        const platform::Vector3 point{static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
        platform::Vector3 screen;
        platform::Vec3Project(&screen, &point, &viewport, &projection, &view, &world);
        // Offsets of 16 and 32 centre the 32- and 64-pixel pictures on their points.
        const float half = 16.0f * static_cast<float>(i + 1);
        DrawPicture(*this, picture, nullptr, screen.x - half, screen.y - half, 1.0f, 1.0f, kOpaqueWhite);
    }
}
