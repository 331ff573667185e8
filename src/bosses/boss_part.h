#pragma once
// One thing a boss shows in a frame, as its step left it. The step fills the list at the points where
// the boss used to draw, so the list keeps what was shown there even after the battle later in the frame
// moves, kills or hits what it shows; the draw replays the list in order and reads nothing else.

#include <cstdint>

#include "bosses/boss_mesh.h"
#include "platform/gfx/math.h"
#include "render/draw_state.h"
#include "render/textured_quad.h"

namespace platform {
class Texture;
class VertexBuffer;
}  // namespace platform

struct BossPart {
    enum class Kind : std::uint8_t {
        kMesh,      // a mesh at `world`, stage 0 showing the texture times the lit colour
        kFlipbook,  // a quad by `placement` (DrawPlacedQuad), blended by its factor
        kSprite,    // a quad at `world`, its texture shifted by (u, v) when `scroll`
    };
    Kind kind = Kind::kMesh;
    // Held while the part is drawn, over what the kind itself sets.
    DrawState state;
    platform::Matrix world;
    const BossMesh* mesh = nullptr;
    // Every material's diffuse alpha (below 0: each material's own), then multiplied by alphaTimes.
    float alpha = -1.0f;
    float alphaTimes = 1.0f;
    platform::VertexBuffer* quad = nullptr;
    platform::Texture* texture = nullptr;
    QuadPlacement placement;
    bool scroll = false;
    float u = 0.0f;
    float v = 0.0f;
};
