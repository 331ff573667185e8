#pragma once
// Game over: TV static fades in over the stage, collapses like a screen switching off after 3 s, and
// from 5 s the "signal lost" caption blinks.

#include <cstdint>
#include <span>

#include "core/keyframe_track.h"
#include "core/step_track.h"
#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

class GameOverScreen : public Drawable {
public:
    // The pictures Load loads, in its order.
    static std::span<const AssetRef> Assets();

    GameOverScreen();
    bool Load();
    // The first game-over frame: the fade-in starts 100 ms back, the static at now.
    void Start(std::uint32_t now);
    // Leaving game over: the next game over starts from the beginning.
    void ClearState();
    // The static's picture, fade and size at tick now, and the caption's blink. True once the static
    // covers the screen: the stage behind it can stop.
    bool Step(std::uint32_t now);
    // Inside a sprite bracket: what the last Step kept.
    void Draw();

    std::uint8_t Started() const { return started_; }
    std::uint8_t Collapsing() const { return collapsing_; }
    std::uint8_t SignalLostShown() const { return signalLostShown_; }

private:
    platform::TexturePtr noise_[4];
    platform::TexturePtr lostSignal_;
    StepTrack noiseFrame_;
    KeyframeTrack fadeIn_;
    KeyframeTrack collapseWidth_;
    KeyframeTrack collapseHeight_;
    KeyframeTrack blink_;
    std::uint8_t started_ = 0;
    std::uint8_t collapsing_ = 0;
    std::uint8_t signalLostShown_ = 0;

    // What one frame shows, kept by Step for Draw.
    struct Shown {
        int noise = 0;
        float fade = 0.0f;
        float x = 0.0f, y = 0.0f, sx = 1.0f, sy = 1.0f;
        bool caption = false;
        float captionAlpha = 0.0f;
    };
    Shown shown_;
};
