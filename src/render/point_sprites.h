#pragma once
// Point-sprite particles: a vertex buffer of points drawn as textured squares that shrink with the
// square of their distance.

#include <cstdint>
#include <string_view>

#include "platform/gfx/device_states.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"
#include "render/drawable.h"

struct PointSpriteVertex {
    float x, y, z;
    float size;
    std::uint32_t colour;  // 0xAARRGGBB
    float u, v;
};
static_assert(sizeof(PointSpriteVertex) == 28);

inline constexpr std::uint32_t kPointSpriteFvf =
    platform::D3DFVF_XYZ | platform::D3DFVF_PSIZE | platform::D3DFVF_DIFFUSE | platform::D3DFVF_TEX1;

// A buffer for `count` points and the particle picture (black transparent).
bool PointSpriteLoad(std::string_view path, std::uint32_t count, platform::TexturePtr* texture,
                     const Drawable& drawable, platform::VertexBufferPtr* buffer);
// Draws `count` points, each square as large as its vertex size (in viewport heights at distance 1)
// says; unless fixedSize, the point-size state is set to 0.1 first.
// Puts back: no texture, point size 1, sprites and scaling off, stage 0 alpha from the vertex colour,
// blending off, lighting on with light 0.
void PointSpriteDraw(bool fixedSize, std::uint32_t count, platform::Texture* texture, const Drawable& drawable,
                     platform::VertexBuffer* buffer);
