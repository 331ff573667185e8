#pragma once
// The staff roll: the rocket picture, and the credits fading in over it from 1 s to 3 s.

#include <cstdint>

#include "core/keyframe_track.h"
#include "platform/gfx/texture.h"
#include "render/drawable.h"

class StaffRoll : public Drawable {
public:
    StaffRoll();
    bool Load();
    void Start(std::uint32_t tick) { fade_.SetStart(tick); }
    void Draw(std::uint32_t now);

private:
    platform::TexturePtr rocket_;
    platform::TexturePtr credits_;
    KeyframeTrack fade_;
};
