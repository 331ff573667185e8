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

// Records the steps and draws and the input each step saw.
class RecordingFrames : public SceneFrames {
public:
    static const char* Name(Scene scene) {
        switch (scene) {
            case Scene::kGameOver: return "GameOver";
            case Scene::kStageClear: return "StageClear";
            case Scene::kGame: return "Game";
            case Scene::kTitle: return "Title";
            case Scene::kStageTitle: return "StageTitle";
            case Scene::kStory: return "Story";
            case Scene::kStaff: return "Staff";
            case Scene::kShutter: return "Common";
        }
        return "?";
    }
    void StepScene(Scene scene, const Frame& frame) override {
        calls.push_back(Name(scene));
        inputs.push_back(frame.input);
        ticks.push_back(frame.now);
        lastFps = frame.fps;
        if (scene == Scene::kGameOver && clearInputOnGameOver) ClearInputState();
        if (scene == Scene::kGameOver && leaveGameOnGameOver) SetSceneFlag(SceneFlag::kGame, 0);
    }
    void DrawScene(Scene scene, platform::Device* device, platform::Sprite* sprite, const Frame&) override {
        draws.push_back(Name(scene));
        lastDevice = device;
        lastSprite = sprite;
        if (scene == Scene::kShutter && drawInCommon) drawInCommon(sprite);
    }

    std::vector<std::string> calls;
    std::vector<std::string> draws;
    std::vector<InputState> inputs;
    std::vector<std::uint32_t> ticks;
    platform::Sprite* lastSprite = nullptr;
    platform::Device* lastDevice = nullptr;
    std::int32_t lastFps = -1;
    bool clearInputOnGameOver = false;
    bool leaveGameOnGameOver = false;
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
