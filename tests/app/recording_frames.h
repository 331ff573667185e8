#pragma once
// The frame host's tests: scene frame functions that record what the frame dispatch gave them, and a
// frame host with its device on the test window, the keyboard injected and no pad in sight.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/render_framework.h"
#include "core/registry.h"
#include "platform/input/input_injection.h"
#include "render/render_test_support.h"
#include "support/temp_dir.h"
#include "platform/gfx/device.h"
#include "platform/gfx/sprite.h"
#include "scenes/scene_frames.h"

// The tick the loop hands the frames in these tests.
inline constexpr std::uint32_t kNow = 50000;

// Records the calls and the input each frame function saw.
class RecordingFrames : public SceneFrames {
public:
    void GameOverFrame(platform::Sprite* sprite, const Frame& frame) override {
        Note("GameOver", sprite, frame);
        if (clearInputOnGameOver) ClearInputState();
    }
    void StageClearFrame(platform::Sprite* sprite, const Frame& frame) override { Note("StageClear", sprite, frame); }
    void GameFrame(platform::Device* device, platform::Sprite* sprite, const Frame& frame) override {
        Note("Game", sprite, frame);
        lastDevice = device;
        lastFps = frame.fps;
    }
    void TitleFrame(platform::Device* device, platform::Sprite* sprite, const Frame& frame) override {
        Note("Title", sprite, frame);
        lastDevice = device;
    }
    void StageTitleFrame(platform::Sprite* sprite, const Frame& frame) override { Note("StageTitle", sprite, frame); }
    void StoryFrame(platform::Sprite* sprite, const Frame& frame) override { Note("Story", sprite, frame); }
    void StaffFrame(platform::Sprite* sprite, const Frame& frame) override { Note("Staff", sprite, frame); }
    void CommonFrame(platform::Sprite* sprite, const Frame& frame) override {
        Note("Common", sprite, frame);
        if (drawInCommon) drawInCommon(sprite);
    }

    void Note(const char* name, platform::Sprite* sprite, const Frame& frame) {
        calls.push_back(name);
        inputs.push_back(frame.input);
        ticks.push_back(frame.now);
        lastSprite = sprite;
    }

    std::vector<std::string> calls;
    std::vector<InputState> inputs;
    std::vector<std::uint32_t> ticks;
    platform::Sprite* lastSprite = nullptr;
    platform::Device* lastDevice = nullptr;
    std::int32_t lastFps = -1;
    bool clearInputOnGameOver = false;
    std::function<void(platform::Sprite*)> drawInCommon;
};

class FrameHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        platform::SetSystemJoysticksVisible(false);
        platform::OverrideInputForeground(true);
        dir_.WriteFile("KeyConfig.txt", "0,1,2");
        ASSERT_NE(nullptr, TestWindow());
        framework_ = std::make_unique<RenderFramework>();
        ASSERT_EQ(platform::S_OK, framework_->CreateDevice(TestWindow(), true, 800, 600));
    }
    void TearDown() override {
        framework_.reset();
        platform::ReleaseAllKeys();
        platform::OverrideInputForeground(std::nullopt);
        platform::SetSystemJoysticksVisible(true);
        ResetRegistry();
    }

    TempWorkDir dir_;
    std::unique_ptr<RenderFramework> framework_;
};
