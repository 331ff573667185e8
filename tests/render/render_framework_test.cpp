// The frame: clear, input sampling behind the gate and the cut-in lock, the scene dispatch by flags,
// present; device creation failure; the screenshot key.

#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "app/registry.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/gfx/image.h"
#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"
#include "render/render_framework.h"
#include "render_test_support.h"
#include "support/temp_dir.h"

using namespace platform;

namespace {

// Records the calls and the input each frame function saw.
class RecordingFrames : public SceneFrames {
public:
    void GameOverFrame(Sprite* sprite, InputState input) override {
        Note("GameOver", sprite, input);
        if (clearInputOnGameOver) ClearInputState();
    }
    void StageClearFrame(Sprite* sprite, InputState input) override { Note("StageClear", sprite, input); }
    void GameFrame(Device* device, Sprite* sprite, std::int32_t fps, InputState input) override {
        Note("Game", sprite, input);
        lastDevice = device;
        lastFps = fps;
    }
    void TitleFrame(Device* device, Sprite* sprite, InputState input) override {
        Note("Title", sprite, input);
        lastDevice = device;
    }
    void StageTitleFrame(Sprite* sprite, InputState input) override { Note("StageTitle", sprite, input); }
    void StoryFrame(Sprite* sprite, InputState input) override { Note("Story", sprite, input); }
    void StaffFrame(Sprite* sprite, InputState input) override { Note("Staff", sprite, input); }
    void CommonFrame(Sprite* sprite, InputState input) override {
        Note("Common", sprite, input);
        if (drawInCommon) drawInCommon(sprite);
    }

    void Note(const char* name, Sprite* sprite, InputState input) {
        calls.push_back(name);
        inputs.push_back(input);
        lastSprite = sprite;
    }

    std::vector<std::string> calls;
    std::vector<InputState> inputs;
    Sprite* lastSprite = nullptr;
    Device* lastDevice = nullptr;
    std::int32_t lastFps = -1;
    bool clearInputOnGameOver = false;
    std::function<void(Sprite*)> drawInCommon;
};

class Framework : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        SetSystemJoysticksVisible(false);
        OverrideInputForeground(true);
        dir_.WriteFile("KeyConfig.txt", "0,1,2");
        ASSERT_NE(nullptr, TestWindow());
        framework_ = std::make_unique<RenderFramework>();
        ASSERT_EQ(S_OK, framework_->CreateDevice(TestWindow(), true, 800, 600));
        framework_->InitInput(TestWindow());
    }
    void TearDown() override {
        framework_.reset();
        ReleaseAllKeys();
        OverrideInputForeground(std::nullopt);
        SetSystemJoysticksVisible(true);
        ResetRegistry();
    }

    std::vector<std::string> FrameWith(std::initializer_list<const char*> flags) {
        ResetRegistry();
        for (const char* f : flags) SetSceneFlag(f, 1);
        RecordingFrames frames;
        framework_->RunFrame(&frames, 30);
        return frames.calls;
    }

    TempWorkDir dir_;
    std::unique_ptr<RenderFramework> framework_;
};

using Calls = std::vector<std::string>;

TEST_F(Framework, ScenesRunByTheirFlagsInTheFixedOrder) {
    EXPECT_EQ((Calls{"Common"}), FrameWith({}));
    EXPECT_EQ((Calls{"GameOver", "Game", "Common"}), FrameWith({"gameover", "game"}));
    EXPECT_EQ((Calls{"StageClear", "Game", "Common"}), FrameWith({"gameclear", "game"}));
    EXPECT_EQ((Calls{"GameOver", "Common"}), FrameWith({"gameover", "gameclear"}));
    EXPECT_EQ((Calls{"Game", "Common"}), FrameWith({"game", "title", "story"}));
    EXPECT_EQ((Calls{"Title", "Common"}), FrameWith({"title", "stagetitle", "staff"}));
    EXPECT_EQ((Calls{"StageTitle", "Common"}), FrameWith({"stagetitle", "story"}));
    EXPECT_EQ((Calls{"Story", "Common"}), FrameWith({"story", "staff"}));
    EXPECT_EQ((Calls{"Staff", "Common"}), FrameWith({"staff", "lclear"}));
}

TEST_F(Framework, FramesGetTheDeviceSpriteAndFrameRate) {
    SetSceneFlag("game", 1);
    RecordingFrames frames;
    framework_->RunFrame(&frames, 29);
    EXPECT_EQ(framework_->Device(), frames.lastDevice);
    EXPECT_EQ(framework_->Sprite(), frames.lastSprite);
    EXPECT_NE(nullptr, frames.lastSprite);
    EXPECT_EQ(29, frames.lastFps);
    framework_->RunFrame(nullptr, 29);  // no game: nothing at all
}

TEST_F(Framework, KeyboardIsSampledOnlyWhenTheGateHasExpiredAndNoCutInHoldsIt) {
    EXPECT_EQ(0, GetInputDeviceKind());
    SetSceneFlag("title", 1);
    InjectKey(DIK_UP, true);
    RecordingFrames open;
    framework_->RunFrame(&open, 0);
    ASSERT_EQ(2u, open.inputs.size());
    EXPECT_EQ(kInputUp, open.inputs[0].up);
    EXPECT_EQ(kInputUp, open.inputs[1].up);

    SetCameraCutIn(1, 0);
    RecordingFrames locked;
    framework_->RunFrame(&locked, 0);
    EXPECT_EQ(InputState{}, locked.inputs[0]);
    SetCameraCutIn(0, 0);

    SetInputGate(100000);
    RecordingFrames gated;
    framework_->RunFrame(&gated, 0);
    EXPECT_EQ(InputState{}, gated.inputs[0]);
}

TEST_F(Framework, SnapshotIsClearedEachFrameAndGameOverCanTakeItFromLaterScenes) {
    InputStateStorage()->button3 = kInputButton3;  // left from an earlier frame
    InjectKey(DIK_Z, true);
    SetSceneFlag("gameover", 1);
    SetSceneFlag("game", 1);
    RecordingFrames frames;
    frames.clearInputOnGameOver = true;
    framework_->RunFrame(&frames, 0);
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
    framework_->RunFrame(&frames, 0);
    Image frame;
    ASSERT_EQ(S_OK, framework_->Device()->GetBackBufferImage(&frame));
    EXPECT_EQ(0xFFFFFFFFu, frame.At(10, 10));
    frames.drawInCommon = nullptr;
    // States set by the game stay from frame to frame: presenting succeeds, so no reset puts them back.
    framework_->Device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    framework_->RunFrame(&frames, 0);
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
    framework_->RunFrame(&frames, 0);
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
        RecordingFrames frames;
        framework.RunFrame(&frames, 0);  // never reached by the game; harmless
        EXPECT_TRUE(frames.calls.empty());
    }
    SetMessageBoxHook({});
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("メッセージ|DirectXの初期化に失敗しました", boxes[0]);
}

}  // namespace
