#pragma once
// The staff roll: the rocket picture, and the credits fading in over it from 1 s to 3 s.

#include <cstdint>
#include <span>

#include "core/keyframe_track.h"
#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

class StaffRoll : public Drawable {
public:
    // The two pictures Load loads, in its order.
    static std::span<const AssetRef> Assets();

    StaffRoll();
    bool Load();
    void Start(std::uint32_t tick) { fade_.SetStart(tick); }
    // How far the credits have faded in at tick now.
    void Step(std::uint32_t now);
    void Draw();

private:
    platform::TexturePtr rocket_;
    platform::TexturePtr credits_;
    KeyframeTrack fade_;
    float shownAlpha_ = 0.0f;
};
