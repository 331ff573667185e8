#include "scenes/shutter.h"

#include "core/track_value.h"
#include "platform/core/clock.h"
#include "render/loaders.h"
#include "render/picture_drawing.h"

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
    if (!TextureLoad("t\\osleft.png", &leftPicture_, *this)) return LoadFailed(*this, "osleftロスト");
    if (!TextureLoad("t\\osright.png", &rightPicture_, *this)) return LoadFailed(*this, "osrightロスト");
    return true;
}

void Shutter::Start(std::uint32_t now) {
    active_ = 1;
    left_.SetStart(now);
    right_.SetStart(now);
}

void Shutter::Draw(std::uint32_t now) {
    if (active_ != 1) return;
    const struct {
        const KeyframeTrack& track;
        platform::Texture* picture;
    } panels[] = {{left_, leftPicture_.get()}, {right_, rightPicture_.get()}};
    for (const auto& panel : panels) {
        DrawFullScreen(*this, panel.picture, TrackValue(panel.track, now), 0.0f, kOpaqueWhite);
        if (panel.track.Start() + kDuration < now) active_ = 0;
    }
}
