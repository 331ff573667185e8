#pragma once
// Stage clear: two half-transparent copies of the banner slide in from both sides, meet in the middle
// and turn opaque with a sound.

#include <cstdint>
#include <span>

#include "core/keyframe_track.h"
#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

class StageClearBanner : public Drawable {
public:
    // The picture Load loads.
    static std::span<const AssetRef> Assets();

    StageClearBanner();
    bool Load();
    // Both copies start sliding 100 ms back from now, half transparent.
    void Start(std::uint32_t now);
    // Places both copies at tick now; once they have met they turn opaque, from the next frame, with
    // the sound.
    void Step(std::uint32_t now);
    void Draw();

    std::uint8_t Started() const { return started_; }
    void SetStarted(std::uint8_t started) { started_ = started; }
    float Alpha() const { return alpha_; }

private:
    platform::TexturePtr picture_;
    KeyframeTrack left_;
    KeyframeTrack right_;
    float alpha_ = 0.5f;
    std::uint8_t started_ = 0;
    float shownLeft_ = 0.0f;
    float shownRight_ = 0.0f;
    std::uint32_t shownColour_ = 0;
};
