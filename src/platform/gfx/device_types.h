#pragma once
// Records the device takes and gives back: lights, the presentation parameters and rectangles.

#include <cstdint>

#include "platform/gfx/device_states.h"
#include "platform/gfx/math.h"
#include "platform/gfx/mesh_data.h"

namespace platform {

// A light in world space. Direction is the way the light travels (for directional and spot lights).
struct Light {
    LightType type = D3DLIGHT_DIRECTIONAL;
    ColorValue diffuse;
    ColorValue specular;
    ColorValue ambient;
    Vector3 position;
    Vector3 direction;
    float range = 0;
    float falloff = 0;
    float attenuation0 = 0, attenuation1 = 0, attenuation2 = 0;
    float theta = 0, phi = 0;  // inner and outer cone angles of a spot light, radians
};

// How the back buffer is made. A windowed device with width and height 0 takes the window's logical size.
struct PresentParameters {
    unsigned backBufferWidth = 0;
    unsigned backBufferHeight = 0;
    unsigned backBufferCount = 1;
    bool windowed = true;
    bool enableAutoDepthStencil = true;  // always 24-bit depth with 8-bit stencil
};

// left, top inclusive; right, bottom exclusive.
struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

}  // namespace platform
