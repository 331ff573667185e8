#pragma once
// The device's OpenGL side: entry points, the off-screen back buffer and what is known to be set
// in OpenGL already. Only the device's own sources include this header.

#include <cstdint>
#include <vector>

#include "platform/core/window.h"
#include "platform/gfx/gl_api.h"

namespace platform {

// Groups of states that are brought to OpenGL together before a draw.
enum DirtyBits : std::uint32_t {
    kDirtyRaster = 1u << 0,      // depth, stencil, blending, alpha test, culling, fill, shading, masks
    kDirtyLighting = 1u << 1,    // lights, lighting switches, ambient, colour sources
    kDirtyView = 1u << 2,        // view matrix (and with it the light positions)
    kDirtyWorld = 1u << 3,       // world matrix
    kDirtyProjection = 1u << 4,  // projection matrix
    kDirtyViewport = 1u << 5,
    kDirtyFog = 1u << 6,
    kDirtyStages = 1u << 7,    // texture stages, textures, samplers, texture matrices, texture factor
    kDirtyPoints = 1u << 8,    // point size, scaling and sprites
    kDirtyMaterial = 1u << 9,  // the material alone
    kDirtyAll = 0xFFFFFFFFu,
};

std::uint32_t DirtyBitsForRenderState(std::uint32_t state);

struct DeviceGl {
    GlApi api;
    GLuint framebuffer = 0;
    GLuint colourBuffer = 0;
    GLuint depthStencilBuffer = 0;
    GLuint whiteTexture = 0;  // sampled by stages that have no texture
    // Drawing goes straight to the window's own back buffer while the window is exactly the presentation
    // size: the same pixels without the copy. windowMatches: its formats equal the off-screen buffer's.
    bool direct = false;
    bool directAllowed = false;
    bool windowMatches = false;
    bool processorFog = false;
    int stageUnits = 1;  // texture stages mapped to OpenGL texture units

    std::uint32_t dirty = kDirtyAll;
    // What the lighting setup was last made for.
    int lastHasNormal = -1;
    int lastHasDiffuse = -1;
    int lastPretransformed = -1;
    int unitsEnabled = -1;
    int activeStages = 0;             // stages in use by the last state update
    unsigned texCoordArrays = 0;      // units whose coordinate array is switched on
    bool colourMaterialUsed = false;  // the vertex colour overwrote a material colour in the last draw
    bool processorFogActive = false;
    std::vector<float> fogCoords;
    std::vector<std::uint8_t> colours;

    bool CreateBackBuffer(unsigned width, unsigned height);
    void DestroyBackBuffer();
    // Whether the window's own buffers hold the same formats as the off-screen buffer.
    bool WindowFormatsMatch();
    // Binds the buffer the next frame draws into: the window's own when it is exactly width x height.
    void ChooseTarget(WindowHandle window, unsigned width, unsigned height);
    GLuint DrawFramebuffer() const { return direct ? 0 : framebuffer; }
    GLenum ColourBuffer() const { return direct ? GL_BACK : GL_COLOR_ATTACHMENT0; }
};

}  // namespace platform
