#pragma once
// The game harness as a test fixture: each test runs the whole game object in a folder of its own.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/image.h"
#include "support/game_harness.h"

// Keys held for one frame, by their DirectInput codes.
struct Keys {
    std::vector<int> down;
};

class GameFlowTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kFrameMs = GameHarness::kFrameMs;

    void SetUp() override;
    void TearDown() override;

    // One frame with these keys held, then the clock moves on by one frame.
    void Frame(const Keys& keys = {});
    // Frames without keys until the clock has moved on by at least ms.
    void Idle(std::uint32_t ms);
    // Frames until the predicate holds (at most maxFrames); true when it did.
    template <typename Predicate>
    bool FramesUntil(Predicate done, int maxFrames = 3000) {
        for (int i = 0; i < maxFrames; ++i) {
            if (done()) return true;
            Frame();
        }
        return done();
    }
    platform::Image Screen();
    platform::Image RocketAlone();
    bool QuitPosted();

    // A fixture may change these before SetUp runs.
    GameHarness::Options options_;
    GameHarness harness_;
    std::unique_ptr<TempWorkDir>& workDir_ = harness_.workDir;
    platform::ManualClock& clock_ = harness_.clock;
    RecordingAudio& audio_ = harness_.audio;
    platform::WindowHandle& window_ = harness_.window;
    std::unique_ptr<RenderFramework>& framework_ = harness_.framework;
    std::unique_ptr<GameApp>& game_ = harness_.game;
    std::vector<std::string>& messages_ = harness_.messages;
};

// The number of pixels that differ between two pictures of the same size.
int DifferentPixels(const platform::Image& a, const platform::Image& b);
