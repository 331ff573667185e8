#include "scenes/stage_clear_banner.h"

#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/gfx/device_types.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

namespace {

constexpr AssetRef kPicture = PictureAsset("t\\clear.png");

}  // namespace

std::span<const AssetRef> StageClearBanner::Assets() { return {&kPicture, 1}; }

StageClearBanner::StageClearBanner() {
    static const float kLeft[2][2] = {{0.0f, -512.0f}, {1.0f, 150.0f}};
    static const float kRight[2][2] = {{0.0f, 800.0f}, {1.0f, 150.0f}};
    for (KeyframeTrack* t : {&left_, &right_}) {
        t->SetKeyCount(2);
        t->SetDuration(2000);
        t->SetLooping(0);
    }
    SetKeys(left_, kLeft);
    SetKeys(right_, kRight);
}

bool StageClearBanner::Load() {
    if (!TextureLoadKeyed(kPicture.path, &picture_, *this, kPicture.colourKey)) return LoadFailed(*this, "clearロスト");
    return true;
}

void StageClearBanner::Start(std::uint32_t now) {
    alpha_ = 0.5f;
    left_.SetStart(now - 100);
    right_.SetStart(now - 100);
}

void StageClearBanner::Step(std::uint32_t now) {
    shownLeft_ = TrackValue(left_, now);
    shownRight_ = TrackValue(right_, now);
    shownColour_ = FadeColour(alpha_);
    if (TrackRunOut(left_.Start(), left_.Duration(), now) && alpha_ == 0.5f) {
        Audio().PlaySound(sound::kStageClear);
        alpha_ = 1.0f;
    }
}

void StageClearBanner::Draw() {
    static const platform::Rect kWhole{0, 0, 512, 256};
    for (const float x : {shownLeft_, shownRight_}) {
        DrawPicture(*this, picture_.get(), &kWhole, x, 200.0f, 1.0f, 1.0f, shownColour_);
    }
}
