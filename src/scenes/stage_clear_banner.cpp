#include "scenes/stage_clear_banner.h"

#include "core/track_value.h"
#include "platform/core/clock.h"
#include "platform/gfx/device_types.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

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
    if (!TextureLoad("t\\clear.png", &picture_, *this)) return LoadFailed(*this, "clearロスト");
    return true;
}

void StageClearBanner::Start(std::uint32_t now) {
    alpha_ = 0.5f;
    left_.SetStart(now - 100);
    right_.SetStart(now - 100);
}

void StageClearBanner::Draw(std::uint32_t now) {
    static const platform::Rect kWhole{0, 0, 512, 256};
    for (const KeyframeTrack* t : {&left_, &right_}) {
        DrawPicture(*this, picture_.get(), &kWhole, TrackValue(*t, now), 200.0f, 1.0f, 1.0f, FadeColour(alpha_));
    }
    if (TrackRunOut(left_.Start(), left_.Duration(), now) && alpha_ == 0.5f) {
        Audio().PlaySound(sound::kStageClear);
        alpha_ = 1.0f;
    }
}
