#pragma once
// The two panels that close over the screen during every scene change: closed after 1000 ms, held
// for 400 ms, open again after 600 more. Its active flag is the flow's "leaving" flag and the start of
// its tracks the leaving tick.

#include <cstdint>
#include <span>

#include "core/keyframe_track.h"
#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

class Shutter : public Drawable {
public:
    static constexpr std::uint32_t kDuration = 2000;

    // The two panels' pictures Load loads, in its order.
    static std::span<const AssetRef> Assets();

    Shutter();
    bool Load();
    // Starts closing at tick now.
    void Start(std::uint32_t now);
    // Places the panels at tick now; the shutter stops once it has opened again, after showing the
    // frame it opens in.
    void Step(std::uint32_t now);
    // The panels where the last Step placed them, when they were shown.
    void Draw();

    std::uint8_t Active() const { return active_; }
    std::uint32_t LeavingTick() const { return left_.Start(); }

private:
    platform::TexturePtr leftPicture_;
    platform::TexturePtr rightPicture_;
    KeyframeTrack left_;
    KeyframeTrack right_;
    std::uint8_t active_ = 0;
    bool shown_ = false;
    float shownLeft_ = 0.0f;
    float shownRight_ = 0.0f;
};
