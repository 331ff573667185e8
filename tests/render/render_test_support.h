#pragma once
// A device on a hidden window for pixel tests: each test gets a fresh device (states at their
// defaults), draws, and reads the 800 x 600 back buffer.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "platform/gfx/mesh.h"
#include "platform/gfx/sprite.h"
#include "platform/gfx/texture.h"
#include "render/drawable.h"

// The one window of the test program (made on first use, kept to the end).
platform::WindowHandle TestWindow();

inline int Red(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int Green(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int Blue(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

// A picture of one colour.
platform::Image SolidImage(int width, int height, std::uint32_t argb);

// Colour channels within `tolerance` of the expected 0..255 values.
::testing::AssertionResult ColourNear(std::uint32_t actual, int r, int g, int b, int tolerance);

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    platform::Image Frame();
    std::uint32_t Pixel(int x, int y);
    platform::TexturePtr MakeTexture(const platform::Image& picture);
    // Camera at the origin looking along +z, the game's projection (pi/4, 4:3, 1 to 1000).
    void SetCamera();
    // Clears to opaque black (or the given colour) and opens the scene.
    void BeginFrame(std::uint32_t clearColour = 0xFF000000u);
    void EndFrame();
    // A square facing the camera (normals towards it), centred at (x, y, z), half size h, clockwise as
    // seen from the camera, texture coordinates 0..1 over it.
    platform::MeshPtr MakeSquare(float x, float y, float z, float h, bool withNormals = true);
    // Screen position of a world point under the current camera.
    platform::Vector3 Project(float x, float y, float z);

    std::unique_ptr<platform::Device> device_;
    std::unique_ptr<platform::Sprite> sprite_;
    Drawable drawable_;
};

// Raw state settings the device tests build their cases from; each sets its states and leaves them set.
// Blending by source alpha on or off; stage 0 takes colour and alpha from the texture alone.
void SetAlphaBlend(const Drawable& drawable, bool enable);
// Texture factor = argb; stage 0 alpha = texture alpha times the factor's alpha.
void SetTextureAlphaFactor(const Drawable& drawable, std::uint32_t argb);
// Shifts stage 0's coordinates by (u, v) through `matrix`, whose _31 and _32 it overwrites.
void SetTextureScroll(const Drawable& drawable, float u, float v, platform::Matrix* matrix);
// Linear vertex fog by the distance from the eye.
void SetFog(const Drawable& drawable, float start, float end, std::uint32_t colour, bool enable);
// Every pixel drawn from now on writes 2 into the stencil buffer.
void SetStencilMark(const Drawable& drawable);
