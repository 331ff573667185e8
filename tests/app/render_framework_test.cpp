// The frame: input sampling behind the gate and the cut-in lock, the scenes' steps by flags, then their
// draws and the present; frames without drawing; device creation failure; the screenshot key.

#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "core/registry.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/gfx/image.h"
#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"
#include "app/render_framework.h"
#include "render/render_test_support.h"
#include "app/recording_frames.h"
#include "support/temp_dir.h"

using namespace platform;

namespace {

class Framework : public FrameHostTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(FrameHostTest::SetUp());
        framework_->InitInput(TestWindow());
    }

    std::vector<std::string> FrameWith(std::initializer_list<SceneFlag> flags) {
        ResetRegistry();
        for (SceneFlag f : flags) SetSceneFlag(f, 1);
        RecordingFrames frames;
        framework_->RunFrame(&frames, kNow, 30);
        return frames.calls;
    }
};

using Calls = std::vector<std::string>;

TEST_F(Framework, ScenesRunByTheirFlagsInTheFixedOrder) {
    EXPECT_EQ((Calls{"Common"}), FrameWith({}));
    EXPECT_EQ((Calls{"GameOver", "Game", "Common"}), FrameWith({SceneFlag::kGameOver, SceneFlag::kGame}));
    EXPECT_EQ((Calls{"StageClear", "Game", "Common"}), FrameWith({SceneFlag::kGameClear, SceneFlag::kGame}));
    EXPECT_EQ((Calls{"GameOver", "Common"}), FrameWith({SceneFlag::kGameOver, SceneFlag::kGameClear}));
    EXPECT_EQ((Calls{"Game", "Common"}), FrameWith({SceneFlag::kGame, SceneFlag::kTitle, SceneFlag::kStory}));
    EXPECT_EQ((Calls{"Title", "Common"}), FrameWith({SceneFlag::kTitle, SceneFlag::kStageTitle, SceneFlag::kStaff}));
    EXPECT_EQ((Calls{"StageTitle", "Common"}), FrameWith({SceneFlag::kStageTitle, SceneFlag::kStory}));
    EXPECT_EQ((Calls{"Story", "Common"}), FrameWith({SceneFlag::kStory, SceneFlag::kStaff}));
    EXPECT_EQ((Calls{"Staff", "Common"}), FrameWith({SceneFlag::kStaff, SceneFlag::kLastClear}));
}

TEST_F(Framework, DrawsFollowEveryStepInTheOrderSteppedAndOnlyWhenDrawing) {
    SetSceneFlag(SceneFlag::kGameOver, 1);
    SetSceneFlag(SceneFlag::kGame, 1);
    RecordingFrames frames;
    frames.leaveGameOnGameOver = true;
    framework_->RunFrame(&frames, kNow, 30);
    // The game was left by the game over's step before its own turn came: it neither steps nor draws.
    EXPECT_EQ((Calls{"GameOver", "Common"}), frames.calls);
    EXPECT_EQ(frames.calls, frames.draws);

    framework_->SetDrawing(false);
    RecordingFrames stepped;
    SetSceneFlag(SceneFlag::kTitle, 1);
    framework_->RunFrame(&stepped, kNow, 30);
    EXPECT_EQ((Calls{"GameOver", "Title", "Common"}), stepped.calls);
    EXPECT_TRUE(stepped.draws.empty());
}

TEST_F(Framework, FramesGetTheDeviceSpriteAndFrameRate) {
    SetSceneFlag(SceneFlag::kGame, 1);
    RecordingFrames frames;
    framework_->RunFrame(&frames, kNow, 29);
    EXPECT_EQ(framework_->Device(), frames.lastDevice);
    EXPECT_EQ(framework_->Sprite(), frames.lastSprite);
    EXPECT_NE(nullptr, frames.lastSprite);
    EXPECT_EQ(29, frames.lastFps);
    EXPECT_EQ((std::vector<std::uint32_t>{kNow, kNow}), frames.ticks) << "every scene runs at the loop's tick";
    framework_->RunFrame(nullptr, kNow, 29);  // no game: nothing at all
}

TEST_F(Framework, KeyboardIsSampledOnlyWhenTheGateHasExpiredAndNoCutInHoldsIt) {
    EXPECT_EQ(0, GetInputDeviceKind());
    SetSceneFlag(SceneFlag::kTitle, 1);
    InjectKey(DIK_UP, true);
    RecordingFrames open;
    framework_->RunFrame(&open, kNow, 0);
    ASSERT_EQ(2u, open.inputs.size());
    EXPECT_EQ(kInputUp, open.inputs[0].up);
    EXPECT_EQ(kInputUp, open.inputs[1].up);

    SetCameraCutIn(1, 0);
    RecordingFrames locked;
    framework_->RunFrame(&locked, kNow, 0);
    EXPECT_EQ(InputState{}, locked.inputs[0]);
    SetCameraCutIn(0, 0);

    SetInputGate(kNow, 100000);
    RecordingFrames gated;
    framework_->RunFrame(&gated, kNow, 0);
    EXPECT_EQ(InputState{}, gated.inputs[0]);
}

TEST_F(Framework, SnapshotIsClearedEachFrameAndGameOverCanTakeItFromLaterScenes) {
    InputStateStorage()->button3 = kInputButton3;  // left from an earlier frame
    InjectKey(DIK_Z, true);
    SetSceneFlag(SceneFlag::kGameOver, 1);
    SetSceneFlag(SceneFlag::kGame, 1);
    RecordingFrames frames;
    frames.clearInputOnGameOver = true;
    framework_->RunFrame(&frames, kNow, 0);
    ASSERT_EQ(3u, frames.inputs.size());
    EXPECT_EQ(kInputButton1, frames.inputs[0].button1);
    EXPECT_EQ(0, frames.inputs[0].button3);
    EXPECT_EQ(InputState{}, frames.inputs[1]);
    EXPECT_EQ(InputState{}, frames.inputs[2]);
}

TEST_F(Framework, EachFrameStartsBlack) {
    TexturePtr white;
    ASSERT_EQ(S_OK, framework_->Device()->CreateTexture({SolidImage(64, 64, 0xFFFFFFFF)}, &white));
    RecordingFrames frames;
    frames.drawInCommon = [&](Sprite* sprite) {
        sprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
        sprite->Draw(white.get(), nullptr, nullptr, nullptr, 0xFFFFFFFF);
        sprite->End();
    };
    framework_->RunFrame(&frames, kNow, 0);
    Image frame;
    ASSERT_EQ(S_OK, framework_->Device()->GetBackBufferImage(&frame));
    EXPECT_EQ(0xFFFFFFFFu, frame.At(10, 10));
    frames.drawInCommon = nullptr;
    // States set by the game stay from frame to frame: presenting succeeds, so no reset puts them back.
    framework_->Device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    framework_->RunFrame(&frames, kNow, 0);
    ASSERT_EQ(S_OK, framework_->Device()->GetBackBufferImage(&frame));
    EXPECT_EQ(0xFF000000u, frame.At(10, 10));
    std::uint32_t cull = 0;
    framework_->Device()->GetRenderState(D3DRS_CULLMODE, &cull);
    EXPECT_EQ(D3DCULL_NONE, cull);
}

TEST_F(Framework, ScreenshotKeyWritesTheFrameToADatedPicture) {
    ASSERT_TRUE(PushKeyEvent(DIK_F12, true));
    int code = 0;
    PumpMessages(&code);
    RecordingFrames frames;
    framework_->RunFrame(&frames, kNow, 0);
    std::vector<std::string> shots;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("korvex-", 0) == 0) shots.push_back(name);
    }
    ASSERT_EQ(1u, shots.size());
    EXPECT_TRUE(std::regex_match(shots[0], std::regex(R"(korvex-\d{8}-\d{6}\.png)"))) << shots[0];
    Image picture;
    ASSERT_TRUE(LoadPng(shots[0], &picture));
    EXPECT_EQ(800, picture.width);
    EXPECT_EQ(600, picture.height);
    EXPECT_EQ(0xFF000000u, picture.At(400, 300));
    PushKeyEvent(DIK_F12, false);
    PumpMessages(&code);
}

TEST(FrameworkCreation, NoDeviceShowsTheMessageAndFails) {
    TempWorkDir dir;
    dir.WriteFile("KeyConfig.txt", "0,1,2");
    std::vector<std::string> boxes;
    SetMessageBoxHook(
        [&](const std::string& text, const std::string& caption) { boxes.push_back(caption + "|" + text); });
    {
        RenderFramework framework;
        EXPECT_EQ(E_FAIL, framework.CreateDevice(nullptr, true, 800, 600));
        EXPECT_EQ(nullptr, framework.Device());
        // Never reached by the game, which ends first; without a device the frame only steps.
        RecordingFrames frames;
        framework.RunFrame(&frames, kNow, 0);
        EXPECT_EQ((Calls{"Common"}), frames.calls);
        EXPECT_TRUE(frames.draws.empty());
    }
    SetMessageBoxHook({});
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("メッセージ|DirectXの初期化に失敗しました", boxes[0]);
}

}  // namespace
