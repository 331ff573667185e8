#pragma once
// The console and the sight loaded from the game data on a device of their own (hidden window), the
// game's camera set, and frames drawn the way the game frame draws them: cleared to black, then one
// sprite bracket with alpha blending. Time is a manual clock moved on by one 33 ms frame slot each frame.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hud/console.h"
#include "hud/sight.h"
#include "platform/core/clock.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "platform/gfx/sprite.h"
#include "collision/player_state.h"
#include "support/test_device.h"

class HudTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kFrameMs = 33;

    void SetUp() override;
    void TearDown() override;

    // One game frame's console drawing with this state, `between` run after the step and before the
    // draw; the clock then moves on by one frame.
    platform::Image ConsoleFrame(const PlayerState& state, const std::function<void()>& between = {});
    // The sight alone, inside a sprite bracket, under the game's camera.
    platform::Image SightFrame();
    platform::Image Frame();

    platform::ManualClock clock_{100000};
    platform::ScopedClock scoped_{clock_};
    std::filesystem::path previousDir_;
    TestDevice test_;
    platform::WindowHandle& window_ = test_.window;
    std::unique_ptr<platform::Device>& device_ = test_.device;
    std::unique_ptr<platform::Sprite>& sprite_ = test_.sprite;
    std::vector<std::string> messages_;
    Console console_;
    Sight sight_;
};

// Sum of the channel differences of two pixels.
int PixelDifference(std::uint32_t a, std::uint32_t b);
// Columns in [x0, x1) of row y where the two frames differ by more than a trace.
int DifferingColumns(const platform::Image& a, const platform::Image& b, int y, int x0, int x1);
// The first and last such columns (-1 when none).
int FirstDifferingColumn(const platform::Image& a, const platform::Image& b, int y, int x0, int x1);
int LastDifferingColumn(const platform::Image& a, const platform::Image& b, int y, int x0, int x1);
