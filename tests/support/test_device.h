#pragma once
// A drawing device of the game's size (an 800 x 600 back buffer) on a hidden window of its own, with the
// one sprite object: what every test that draws starts from.

#include <gtest/gtest.h>

#include <memory>

#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/sprite.h"

struct TestDevice {
    // Opens the video system, the window, the device and the sprite; the test fails if any cannot be made.
    void Open(const char* title) {
        ASSERT_TRUE(platform::InitVideo());
        window = platform::CreateMainWindow(title, 800, 600, false);
        ASSERT_NE(window, nullptr);
        platform::PresentParameters pp;
        pp.backBufferWidth = 800;
        pp.backBufferHeight = 600;
        pp.windowed = false;
        device = platform::Device::Create(window, pp);
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(platform::S_OK, platform::CreateSprite(device.get(), &sprite));
    }
    void Close() {
        sprite.reset();
        device.reset();
        if (window) platform::ReleaseWindow(window);
        window = nullptr;
    }

    platform::WindowHandle window = nullptr;
    std::unique_ptr<platform::Device> device;
    std::unique_ptr<platform::Sprite> sprite;
};
