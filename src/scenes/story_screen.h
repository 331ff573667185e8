#pragma once
// The story: a tall picture scrolling up by 1100 pixels over 50 s, then the screen leaves by itself.

#include <cstdint>
#include <span>

#include "core/keyframe_track.h"
#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

class StoryScreen : public Drawable {
public:
    // The picture Load loads.
    static std::span<const AssetRef> Assets();

    StoryScreen();
    bool Load();
    void Start(std::uint32_t now) { scroll_.SetStart(now); }
    // Where the picture stands at tick now.
    void Step(std::uint32_t now);
    void Draw();
    bool RunOut(std::uint32_t now) const;

private:
    platform::TexturePtr picture_;
    KeyframeTrack scroll_;
    float shownY_ = 0.0f;
};
