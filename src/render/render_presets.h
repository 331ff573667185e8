#pragma once
// Small helpers every drawing object shares: matrix shortcuts, the render-state presets for alpha
// blending, fading, texture scrolling, fog and the stencil mark, and the boss portrait sprite.
// The presets set states and leave them set; later draws inherit them.

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

// Blending by source alpha on or off; stage 0 takes colour and alpha from the texture alone.
void SetAlphaBlend(const Drawable& drawable, bool enable);
// Stage 0 shows the texture times the lit colour, alpha and colour alike, so a material's diffuse alpha
// makes a textured or untextured mesh translucent.
void SetTextureTimesLight(platform::Device* device);
// Texture factor = argb; stage 0 alpha = texture alpha times the factor's alpha.
void SetTextureAlphaFactor(const Drawable& drawable, std::uint32_t argb);
// Shifts stage 0's coordinates by (u, v) through `matrix`, whose _31 and _32 it overwrites.
void SetTextureScroll(const Drawable& drawable, float u, float v, platform::Matrix* matrix);
// Linear vertex fog by the distance from the eye.
void SetFog(const Drawable& drawable, float start, float end, std::uint32_t colour, bool enable);
// Every pixel drawn from now on writes 2 into the stencil buffer.
void SetStencilMark(const Drawable& drawable);
// The picture part at position, unscaled and half transparent, through the shared sprite object
// (inside its bracket). Leaves the drawable's transform at the position.
void DrawPortraitSprite(Drawable& drawable, platform::Texture* texture, const platform::Rect* source,
                        platform::Vector2 position);

// White with alpha from a fade value: (A << 24) | 0xFFFFFF, A = 255 at 1 or more, 0 at 0 or less,
// otherwise value x 255 rounded to nearest.
std::uint32_t FadeColour(double value);
