#pragma once
// The one way every screen draws a picture: the drawable's transform set to a scaling and a
// translation, handed to the shared sprite object, and the picture drawn with no centre or position.

#include <cstdint>

#include "platform/gfx/device_types.h"
#include "render/drawable.h"

namespace platform {
class Texture;
}

// A 1024 x 1024 picture scaled to fill the 800 x 600 screen.
inline constexpr float kFullScreenScaleX = 0.78125f;
inline constexpr float kFullScreenScaleY = 0.5859f;
inline constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFFu;

// Draws `source` of the picture (all of it when null) at (x, y), scaled by (sx, sy), tinted by colour.
void DrawPicture(Drawable& drawable, platform::Texture* texture, const platform::Rect* source, float x, float y,
                 float sx, float sy, std::uint32_t colour);

inline void DrawFullScreen(Drawable& drawable, platform::Texture* texture, float x, float y, std::uint32_t colour) {
    DrawPicture(drawable, texture, nullptr, x, y, kFullScreenScaleX, kFullScreenScaleY, colour);
}
