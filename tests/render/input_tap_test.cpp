// The input tap between the devices and the gate: a recorder sees the devices every frame, gate or not;
// a replay's snapshot goes through the same gate, cut-in lock and button rules as a device's.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/registry.h"
#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"
#include "render/input_tap.h"
#include "render/render_framework.h"
#include "render_test_support.h"
#include "support/temp_dir.h"

using namespace platform;

namespace {

class TitleInput : public SceneFrames {
public:
    void GameOverFrame(Sprite*, InputState) override {}
    void StageClearFrame(Sprite*, InputState) override {}
    void GameFrame(Device*, Sprite*, std::int32_t, InputState) override {}
    void TitleFrame(Device*, Sprite*, InputState input) override { seen.push_back(input); }
    void StageTitleFrame(Sprite*, InputState) override {}
    void StoryFrame(Sprite*, InputState) override {}
    void StaffFrame(Sprite*, InputState) override {}
    void CommonFrame(Sprite*, InputState) override {}

    std::vector<InputState> seen;
};

class Recorder : public InputTap {
public:
    bool ReadsDevices() const override { return true; }
    void Frame(std::int32_t kind, RawInput* raw) override {
        kinds.push_back(kind);
        upDown.push_back((raw->keys[DIK_UP] & kKeyDownBit) != 0);
    }
    std::vector<std::int32_t> kinds;
    std::vector<bool> upDown;
};

class Player : public InputTap {
public:
    bool ReadsDevices() const override { return false; }
    void Frame(std::int32_t, RawInput* raw) override {
        // Whatever the devices hold, the tap's snapshot is the one the frame gets.
        for (std::uint8_t& k : raw->keys) EXPECT_EQ(0, k);
        EXPECT_FALSE(raw->padRead);
        *raw = next;
    }
    RawInput next;
};

class InputTapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        SetSystemJoysticksVisible(false);
        OverrideInputForeground(true);
        dir_.WriteFile("KeyConfig.txt", "0,1,2");
        ASSERT_NE(nullptr, TestWindow());
        framework_ = std::make_unique<RenderFramework>();
        ASSERT_EQ(S_OK, framework_->CreateDevice(TestWindow(), true, 800, 600));
        SetSceneFlag("title", 1);
    }
    void TearDown() override {
        framework_.reset();
        ReleaseAllKeys();
        OverrideInputForeground(std::nullopt);
        SetSystemJoysticksVisible(true);
        ResetRegistry();
    }

    InputState Frame() {
        TitleInput frames;
        framework_->RunFrame(&frames, 30);
        EXPECT_EQ(1u, frames.seen.size());
        return frames.seen.empty() ? InputState{} : frames.seen.back();
    }

    TempWorkDir dir_;
    std::unique_ptr<RenderFramework> framework_;
};

TEST_F(InputTapTest, RecorderSeesTheKeyboardEvenWhileTheGateHoldsTheFrameBack) {
    framework_->InitInput(TestWindow());
    Recorder recorder;
    framework_->SetInputTap(&recorder);
    InjectKey(DIK_UP, true);
    EXPECT_EQ(kInputUp, Frame().up);
    SetInputGate(100000);
    EXPECT_EQ(InputState{}, Frame());
    SetInputGate(0);
    SetCameraCutIn(1, 0);
    EXPECT_EQ(InputState{}, Frame());
    EXPECT_EQ((std::vector<bool>{true, true, true}), recorder.upDown);
    EXPECT_EQ((std::vector<std::int32_t>{0, 0, 0}), recorder.kinds);
}

TEST_F(InputTapTest, ReplayedKeysPassTheGateAndTheButtonRulesAsTyped) {
    framework_->InitReplayInput(0, KeyConfig{kButtonUnmapped, kButtonUnmapped, kButtonUnmapped});
    EXPECT_EQ(0, GetInputDeviceKind());
    Player player;
    framework_->SetInputTap(&player);
    InjectKey(DIK_DOWN, true);  // the real keyboard is not listened to
    player.next.keys[DIK_LEFT] = kKeyDownBit;
    player.next.keys[DIK_Z] = kKeyDownBit;
    const InputState first = Frame();
    EXPECT_EQ(kInputLeft, first.left);
    EXPECT_EQ(0, first.down);
    EXPECT_EQ(kInputButton1, first.button1);
    // Fire held: the repeat rule lets it through only every few frames, as from the device.
    EXPECT_EQ(0, Frame().button1);
    SetInputGate(100000);
    EXPECT_EQ(InputState{}, Frame());
}

TEST_F(InputTapTest, ReplayedPadStateTakesTheRecordedButtonNumbers) {
    framework_->InitReplayInput(1, KeyConfig{4, kButtonUnmapped, 9});
    EXPECT_EQ(1, GetInputDeviceKind());
    Player player;
    framework_->SetInputTap(&player);
    player.next.padRead = true;
    player.next.pad.x = kJoystickAxisMin;
    player.next.pad.y = 999;  // only the end values steer
    player.next.pad.buttons[9] = kButtonDownBit;
    player.next.pad.buttons[0] = kButtonDownBit;  // unmapped by the recorded numbers
    InputState in = Frame();
    EXPECT_EQ(kInputLeft, in.left);
    EXPECT_EQ(0, in.down);
    EXPECT_EQ(kInputButton3, in.button3);
    EXPECT_EQ(0, in.button1);
    player.next.pad.buttons[4] = kButtonDownBit;
    player.next.padRead = false;  // a failed read gives nothing
    EXPECT_EQ(InputState{}, Frame());
}

}  // namespace
