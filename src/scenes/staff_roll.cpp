#include "scenes/staff_roll.h"

#include "core/track_value.h"
#include "platform/core/clock.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"

namespace {

constexpr AssetRef kRocketPicture = PictureAsset("t\\rocket.png");
constexpr AssetRef kCreditsPicture = PictureAsset("t\\staffroll.png");
constexpr AssetRef kAssets[] = {kRocketPicture, kCreditsPicture};

}  // namespace

std::span<const AssetRef> StaffRoll::Assets() { return kAssets; }

StaffRoll::StaffRoll() {
    static const float kKeys[2][2] = {{0.0f, 0.0f}, {1.0f, 1.0f}};
    fade_.SetKeyCount(2);
    SetKeys(fade_, kKeys);
    fade_.SetDuration(2000);
    fade_.SetLooping(0);
}

bool StaffRoll::Load() {
    if (!TextureLoadKeyed(kRocketPicture.path, &rocket_, *this, kRocketPicture.colourKey)) {
        return LoadFailed(*this, "rocketロスト");
    }
    if (!TextureLoadKeyed(kCreditsPicture.path, &credits_, *this, kCreditsPicture.colourKey)) {
        return LoadFailed(*this, "staffrollロスト");
    }
    return true;
}

void StaffRoll::Step(std::uint32_t now) { shownAlpha_ = TrackValue(fade_, now); }

void StaffRoll::Draw() {
    DrawFullScreen(*this, rocket_.get(), 0.0f, 0.0f, kOpaqueWhite);
    DrawFullScreen(*this, credits_.get(), 0.0f, 0.0f, FadeColour(shownAlpha_));
}
