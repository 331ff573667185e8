#pragma once
// The textured quad the effects, the ship's flames and the bosses' sprites are drawn with: a strip of
// four vertices with a position, a diffuse colour and one texture coordinate, placed in the world by
// the world matrix and animated through the texture transform.

#include <cstdint>

#include "platform/gfx/device_states.h"
#include "platform/gfx/vertex_buffer.h"
#include "render/drawable.h"

namespace platform {
class Texture;
}

struct QuadVertex {
    float x, y, z;
    std::uint32_t diffuse;
    float u, v;
};
static_assert(sizeof(QuadVertex) == 24);

inline constexpr std::uint32_t kQuadFvf = platform::D3DFVF_XYZ | platform::D3DFVF_DIFFUSE | platform::D3DFVF_TEX1;

// A buffer holding the four corners in strip order. On failure an empty-titled message box is shown,
// `out` stays empty and false is returned; the caller goes on loading and never draws from it.
bool CreateQuad(const Drawable& drawable, const QuadVertex (&corners)[4], platform::VertexBufferPtr* out);
// The usual quad: a square of side 2 * half around its centre, in the diffuse colour, showing the texture
// from (0, 0) to (u, v): the whole picture, or the first cell of a sheet.
bool CreateSquareQuad(const Drawable& drawable, float half, float u, float v, std::uint32_t diffuse,
                      platform::VertexBufferPtr* out);

// Draws the strip with the device's current states and transforms. An empty buffer draws nothing.
void DrawQuad(platform::Device* device, platform::VertexBuffer* quad);

// How a flip-book or scrolling quad is placed and shaded.
struct QuadPlacement {
    double x = 0.0, y = 0.0, z = 0.0;
    double scaleX = 1.0, scaleY = 1.0;
    double u = 0.0, v = 0.0;  // texture offset: the frame of a sheet, or a scroll
    std::uint32_t factor = 0xFFFFFFFFu;  // texture factor; its alpha multiplies the picture's alpha
};

// The quad at world = scale then translation, its texture shifted by (u, v), drawn in the states the
// caller holds (for instance draw_state::Flipbook(placement.factor)); the texture is unset afterwards.
void DrawPlacedQuad(platform::Device* device, platform::VertexBuffer* quad, platform::Texture* texture,
                    const QuadPlacement& placement);
