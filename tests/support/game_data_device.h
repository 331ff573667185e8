#pragma once
// A drawing device on a hidden window, in the generated game data folder, with load-failure messages
// collected instead of shown: the fixture every pixel test of a game object starts from. The game's
// fixed device state and its camera at rest are set; frames are cleared to black and read back whole.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "platform/gfx/math.h"
#include "platform/gfx/sprite.h"
#include "render/drawable.h"
#include "support/test_device.h"

// Sum of the three colour channels (0 to 765).
int Brightness(std::uint32_t argb);

class GameDataDeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Binds the object to this device and loads it; the test fails on a load-failure message.
    template <typename Object>
    void Load(Object& object) {
        object.Bind(device_.get(), sprite_.get(), window_);
        ASSERT_TRUE(object.Load());
        ASSERT_TRUE(messages_.empty()) << messages_.front();
    }
    void Bind(Drawable& object) { object.Bind(device_.get(), sprite_.get(), window_); }

    // Clears to opaque black (depth and stencil too) and opens the scene; EndFrame closes it and reads
    // the picture back.
    void BeginFrame();
    platform::Image EndFrame();
    platform::Image Screen();
    // Screen position of a world point under the device's current camera.
    platform::Vector3 Project(float x, float y, float z);
    // Pixels brighter than a trace within r of the screen point of (x, y, z).
    int LitAround(const platform::Image& frame, double x, double y, double z, int r);

    std::filesystem::path previousDir_;
    TestDevice test_;
    platform::WindowHandle& window_ = test_.window;
    std::unique_ptr<platform::Device>& device_ = test_.device;
    std::unique_ptr<platform::Sprite>& sprite_ = test_.sprite;
    std::vector<std::string> messages_;
};
