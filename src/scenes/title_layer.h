#pragma once
// The title picture as it lands on the screen, kept once. Drawn full screen it is minified with
// trilinear filtering every frame, which costs a software renderer more than the rest of the title
// together; kept at screen size and drawn back one texel per pixel it gives the same pixels for a
// fraction of the work. Where it is wholly transparent (its black, keyed away) it is not drawn at all:
// the alpha test would drop every one of those pixels anyway.

#include <vector>

#include "platform/gfx/device_types.h"
#include "platform/gfx/image.h"
#include "platform/gfx/texture.h"
#include "render/drawable.h"

// The parts of a picture with anything to draw, as rectangles: the picture cut into strips of `tile`
// rows, each strip into tiles of `tile` columns, runs of tiles holding a pixel that is not wholly
// transparent joined, and strips with the same runs one under the other joined.
std::vector<platform::Rect> VisibleRects(const platform::Image& picture, int tile);

class TitleLayer : public Drawable {
public:
    static constexpr int kTile = 16;

    // Draws `picture` full screen as the title does but without blending, reads the pixels back and
    // keeps them. Leaves the back buffer drawn over; the frame's clear comes after. False (and nothing
    // kept) when the device cannot.
    bool Build(platform::Texture* picture);
    bool Built() const { return layer_ != nullptr; }
    const std::vector<platform::Rect>& Rects() const { return rects_; }

    // Inside the title's blending sprite bracket; leaves the bracket's sampler states as they were.
    void Draw();

private:
    platform::TexturePtr layer_;
    std::vector<platform::Rect> rects_;
};
