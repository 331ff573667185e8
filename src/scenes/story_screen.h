#pragma once
// The story: a tall picture scrolling up by 1100 pixels over 50 s, then the screen leaves by itself.

#include <cstdint>

#include "core/keyframe_track.h"
#include "platform/gfx/texture.h"
#include "render/drawable.h"

class StoryScreen : public Drawable {
public:
    StoryScreen();
    bool Load();
    void Start(std::uint32_t now) { scroll_.SetStart(now); }
    void Draw(std::uint32_t now);
    bool RunOut(std::uint32_t now) const;

private:
    platform::TexturePtr picture_;
    KeyframeTrack scroll_;
};
