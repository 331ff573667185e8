#include "scenes/shutter.h"

#include "core/track_value.h"
#include "platform/core/clock.h"
#include "render/loaders.h"
#include "render/picture_drawing.h"

namespace {

constexpr AssetRef kLeftPicture = PictureAsset("t\\osleft.png");
constexpr AssetRef kRightPicture = PictureAsset("t\\osright.png");
constexpr AssetRef kAssets[] = {kLeftPicture, kRightPicture};

}  // namespace

std::span<const AssetRef> Shutter::Assets() { return kAssets; }

Shutter::Shutter() {
    static const float kLeft[4][2] = {{0.0f, -400.0f}, {0.5f, 0.0f}, {0.7f, 0.0f}, {1.0f, -400.0f}};
    static const float kRight[4][2] = {{0.0f, 800.0f}, {0.5f, 400.0f}, {0.7f, 400.0f}, {1.0f, 800.0f}};
    for (KeyframeTrack* t : {&left_, &right_}) {
        t->SetKeyCount(4);
        t->SetDuration(kDuration);
        t->SetLooping(0);
    }
    SetKeys(left_, kLeft);
    SetKeys(right_, kRight);
}

bool Shutter::Load() {
    if (!TextureLoadKeyed(kLeftPicture.path, &leftPicture_, *this, kLeftPicture.colourKey)) {
        return LoadFailed(*this, "osleftロスト");
    }
    if (!TextureLoadKeyed(kRightPicture.path, &rightPicture_, *this, kRightPicture.colourKey)) {
        return LoadFailed(*this, "osrightロスト");
    }
    return true;
}

void Shutter::Start(std::uint32_t now) {
    active_ = 1;
    left_.SetStart(now);
    right_.SetStart(now);
}

void Shutter::Step(std::uint32_t now) {
    shown_ = active_ == 1;
    if (!shown_) return;
    shownLeft_ = TrackValue(left_, now);
    shownRight_ = TrackValue(right_, now);
    if (left_.Start() + kDuration < now || right_.Start() + kDuration < now) active_ = 0;
}

void Shutter::Draw() {
    if (!shown_) return;
    DrawFullScreen(*this, leftPicture_.get(), shownLeft_, 0.0f, kOpaqueWhite);
    DrawFullScreen(*this, rightPicture_.get(), shownRight_, 0.0f, kOpaqueWhite);
}
