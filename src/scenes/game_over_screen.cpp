#include "scenes/game_over_screen.h"

#include "core/registry.h"
#include "core/track_value.h"
#include "platform/core/clock.h"
#include "render/draw_state.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render/picture_drawing.h"

namespace {

constexpr AssetRef kNoise[4] = {PictureAsset("t\\noise 1.png"), PictureAsset("t\\noise 2.png"),
                                PictureAsset("t\\noise 3.png"), PictureAsset("t\\noise 4.png")};
constexpr const char* kNoiseLostTexts[4] = {"noise 1ロスト", "noise2 ロスト", "noise 3ロスト", "noise 4ロスト"};
constexpr AssetRef kLostSignal = PictureAsset("t\\lostsignal.png");
constexpr AssetRef kAssets[] = {kNoise[0], kNoise[1], kNoise[2], kNoise[3], kLostSignal};

}  // namespace

std::span<const AssetRef> GameOverScreen::Assets() { return kAssets; }

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
    for (std::size_t i = 0; i < std::size(kNoise); ++i) {
        if (!TextureLoadKeyed(kNoise[i].path, &noise_[i], *this, kNoise[i].colourKey)) {
            return LoadFailed(*this, kNoiseLostTexts[i]);
        }
    }
    if (!TextureLoadKeyed(kLostSignal.path, &lostSignal_, *this, kLostSignal.colourKey)) {
        return LoadFailed(*this, "lostsignalロスト");
    }
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

bool GameOverScreen::Step(std::uint32_t now) {
    int index = static_cast<int>(TrackValue(noiseFrame_, now));
    if (index < 0 || index > 3) index = 0;
    shown_.noise = index;
    shown_.fade = TrackValue(fadeIn_, now);

    // The collapse shows from the frame after the one that starts it.
    float sx = 1.0f, sy = 1.0f;
    if (collapsing_ == 1) {
        sx = TrackValue(collapseWidth_, now, 1.0f);
        sy = TrackValue(collapseHeight_, now, 1.0f);
    }
    shown_.sx = sx;
    shown_.sy = sy;
    shown_.x = static_cast<float>(static_cast<int>(400.0f - sx * 400.0f));
    shown_.y = 300.0f - sy * 300.0f;

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
    shown_.caption = signalLostShown_ == 1;
    if (shown_.caption) shown_.captionAlpha = TrackValue(blink_, now);
    return shown_.fade >= 1.0f;
}

void GameOverScreen::Draw() {
    {
        ScopedDrawState fade(device_, draw_state::kAlphaBlend + draw_state::TextureFactor(FadeColour(shown_.fade)));
        DrawPicture(*this, noise_[shown_.noise].get(), nullptr, shown_.x, shown_.y, shown_.sx * kFullScreenScaleX,
                    shown_.sy * kFullScreenScaleY, kOpaqueWhite);
    }
    if (shown_.caption) {
        const std::uint32_t colour = FadeColour(shown_.captionAlpha);
        ScopedDrawState blink(device_, draw_state::kAlphaBlend + draw_state::TextureFactor(colour));
        DrawPicture(*this, lostSignal_.get(), nullptr, 160.0f, 150.0f, 1.0f, 1.0f, colour);
    }
}
