#pragma once
// Small helpers every drawing object shares: matrix shortcuts, the boss portrait sprite and the fade
// colour. Device states are named in draw_state.h.

#include <cstdint>

#include "platform/gfx/device_types.h"
#include "platform/gfx/math.h"
#include "render/drawable.h"

namespace platform {
class Texture;
}

// Writes the translation row (_41, _42, _43) and leaves the rest of the matrix as it is.
platform::Matrix* SetMatrixTranslation(platform::Matrix* matrix, float x, float y, float z);
// Writes the diagonal (_11, _22, _33) and leaves the rest of the matrix as it is.
platform::Matrix* SetMatrixScale(platform::Matrix* matrix, float sx, float sy, float sz);
// Identity with (u, v) in _31, _32: a shift of two-component texture coordinates.
platform::Matrix* MakeTextureScroll(platform::Matrix* matrix, float u, float v);

// The picture part at position, unscaled and half transparent, through the shared sprite object
// (inside its bracket). Leaves the drawable's transform at the position.
void DrawPortraitSprite(Drawable& drawable, platform::Texture* texture, const platform::Rect* source,
                        platform::Vector2 position);

// White with alpha from a fade value: (A << 24) | 0xFFFFFF, A = 255 at 1 or more, 0 at 0 or less,
// otherwise value x 255 rounded to nearest.
std::uint32_t FadeColour(double value);
