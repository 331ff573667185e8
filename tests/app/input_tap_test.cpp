// The input tap between the devices and the gate: a recorder sees the devices every frame, gate or not;
// a replay's snapshot goes through the same gate, cut-in lock and button rules as a device's.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/registry.h"
#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"
#include "app/input_tap.h"
#include "app/render_framework.h"
#include "render/render_test_support.h"
#include "app/recording_frames.h"
#include "support/temp_dir.h"

using namespace platform;

namespace {

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

class InputTapTest : public FrameHostTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(FrameHostTest::SetUp());
        SetSceneFlag(SceneFlag::kTitle, 1);
    }

    InputState Frame() {
        RecordingFrames frames;
        framework_->RunFrame(&frames, kNow, 30);
        EXPECT_EQ((std::vector<std::string>{"Title", "Common"}), frames.calls);
        return frames.inputs.empty() ? InputState{} : frames.inputs.front();
    }
};

TEST_F(InputTapTest, RecorderSeesTheKeyboardEvenWhileTheGateHoldsTheFrameBack) {
    framework_->InitInput(TestWindow());
    Recorder recorder;
    framework_->SetInputTap(&recorder);
    InjectKey(DIK_UP, true);
    EXPECT_EQ(kInputUp, Frame().up);
    SetInputGate(kNow, 100000);
    EXPECT_EQ(InputState{}, Frame());
    SetInputGate(kNow, 0);
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
    SetInputGate(kNow, 100000);
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
