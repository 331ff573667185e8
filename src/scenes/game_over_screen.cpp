#include "scenes/game_over_screen.h"

#include "core/registry.h"
#include "core/track_value.h"
#include "platform/core/clock.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"

GameOverScreen::GameOverScreen() {
    static const float kNoise[5][2] = {{0.0f, 0}, {0.25f, 1}, {0.5f, 2}, {0.75f, 3}, {1.0f, 0}};
    noiseFrame_.Reserve(5);
    SetKeys(noiseFrame_, kNoise);
    noiseFrame_.SetDuration(200);
    noiseFrame_.SetLooping(1);

    static const float kFadeIn[2][2] = {{0.0f, 0.0f}, {1.0f, 1.0f}};
    static const float kWidth[2][2] = {{0.0f, 1.0f}, {1.0f, 0.0f}};
    static const float kHeight[3][2] = {{0.0f, 1.0f}, {0.2f, 0.05f}, {1.0f, 0.0f}};
    static const float kBlink[2][2] = {{0.0f, 1.0f}, {1.0f, 0.0f}};
    fadeIn_.SetKeyCount(2);
    SetKeys(fadeIn_, kFadeIn);
    collapseWidth_.SetKeyCount(2);
    SetKeys(collapseWidth_, kWidth);
    collapseHeight_.SetKeyCount(3);
    SetKeys(collapseHeight_, kHeight);
    blink_.SetKeyCount(2);
    SetKeys(blink_, kBlink);
    for (KeyframeTrack* t : {&fadeIn_, &collapseWidth_, &collapseHeight_}) {
        t->SetDuration(1000);
        t->SetLooping(0);
    }
    blink_.SetDuration(2000);
    blink_.SetLooping(1);
}

bool GameOverScreen::Load() {
    if (!TextureLoad("t\\noise 1.png", &noise_[0], *this)) return LoadFailed(*this, "noise 1ロスト");
    if (!TextureLoad("t\\noise 2.png", &noise_[1], *this)) return LoadFailed(*this, "noise2 ロスト");
    if (!TextureLoad("t\\noise 3.png", &noise_[2], *this)) return LoadFailed(*this, "noise 3ロスト");
    if (!TextureLoad("t\\noise 4.png", &noise_[3], *this)) return LoadFailed(*this, "noise 4ロスト");
    if (!TextureLoad("t\\lostsignal.png", &lostSignal_, *this)) return LoadFailed(*this, "lostsignalロスト");
    return true;
}

void GameOverScreen::Start(std::uint32_t now) {
    started_ = 1;
    fadeIn_.SetStart(now - 100);
    noiseFrame_.SetStart(now);
}

void GameOverScreen::ClearState() {
    started_ = 0;
    collapsing_ = 0;
    signalLostShown_ = 0;
}

bool GameOverScreen::Draw(std::uint32_t now) {
    int index = static_cast<int>(TrackValue(noiseFrame_, now));
    if (index < 0 || index > 3) index = 0;
    const float fade = TrackValue(fadeIn_, now);

    SetAlphaBlend(*this, true);
    SetTextureAlphaFactor(*this, FadeColour(fade));

    float sx = 1.0f, sy = 1.0f;
    if (collapsing_ == 1) {
        sx = TrackValue(collapseWidth_, now, 1.0f);
        sy = TrackValue(collapseHeight_, now, 1.0f);
    }
    const float x = static_cast<float>(static_cast<int>(400.0f - sx * 400.0f));
    const float y = 300.0f - sy * 300.0f;
    DrawPicture(*this, noise_[index].get(), nullptr, x, y, sx * kFullScreenScaleX, sy * kFullScreenScaleY,
                kOpaqueWhite);


    const std::uint32_t sinceFadeIn = now - fadeIn_.Start();
    if (sinceFadeIn > 3000 && collapsing_ == 0) {
        collapsing_ = 1;
        collapseWidth_.SetStart(now);
        collapseHeight_.SetStart(now);
    }
    if (sinceFadeIn > 5000 && signalLostShown_ == 0) {
        signalLostShown_ = 1;
        blink_.SetStart(now);
    }
    if (signalLostShown_ == 1) {
        const float a = TrackValue(blink_, now);
        SetAlphaBlend(*this, true);
        SetTextureAlphaFactor(*this, FadeColour(a));
        DrawPicture(*this, lostSignal_.get(), nullptr, 160.0f, 150.0f, 1.0f, 1.0f, FadeColour(a));
    }
    return fade >= 1.0f;
}
