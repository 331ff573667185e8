// The game scene's frame as a whole: the camera director's place in it, entering and leaving game
// over, the start stage, and the fixed device state surviving a lost device.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/registry.h"
#include "platform/gfx/device.h"
#include "platform/input/dik_codes.h"
#include "scenes/game_flow_support.h"

namespace {

const Keys kConfirm{{platform::DIK_Z}};

// Pixels inside the rectangle that are not black.
int LitPixels(const platform::Image& image, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) n += (image.At(x, y) & 0x00FFFFFFu) != 0;
    }
    return n;
}

class GameStageTest : public GameFlowTest {
protected:
    // Straight into the game scene of a stage, as the stage card leaves it.
    void EnterStage(int stage) {
        SetSceneFlag(SceneFlag::kTitle, 0);
        SetStage(stage);
        game_->Ship().ResetForNewGame(clock_.Ticks());
        SetSceneFlag(SceneFlag::kGame, 1);
        StartStageClock(clock_.Ticks());
    }
};

// Pixels inside the rectangle that differ between two pictures.
int DifferentPixelsIn(const platform::Image& a, const platform::Image& b, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) n += a.At(x, y) != b.At(x, y);
    }
    return n;
}

TEST_F(GameStageTest, IntroductionMovesTheCameraAndShowsThePortraitUntilItEnds) {
    // Kind 6 and kind 7 make the same camera move; only 6 shows its portrait. The same frames are run
    // twice from the same tick, so everything but the portrait is drawn alike.
    EnterStage(2);
    Frame();
    const std::uint32_t at = clock_.Ticks();
    platform::Image withPortrait, without;
    for (std::int32_t kind : {6, 7}) {
        clock_.Set(at);
        game_->Camera().Reset();
        SetCameraCutIn(1, kind);
        for (int i = 0; i < 10; ++i) Frame();
        (kind == 6 ? withPortrait : without) = Screen();
    }
    EXPECT_GT(DifferentPixelsIn(withPortrait, without, 400, 20, 705, 100), 2000)
        << "the portrait's heading piece is not drawn";
    EXPECT_EQ(DifferentPixelsIn(withPortrait, without, 0, 510, 800, 600), 0) << "something else differs";
    EXPECT_GT(game_->Camera().Eye().x, 10.0f) << "the camera is not on its way";

    ASSERT_TRUE(FramesUntil([] { return IsCameraCutInActive() == 0; }, 100));
    EXPECT_FLOAT_EQ(game_->Camera().Eye().z, 0.0f);
    EXPECT_FALSE(game_->Camera().Running(5));
}

TEST_F(GameStageTest, DeathDuringAnIntroductionEntersGameOverOnceAndCanStillBeLeft) {
    EnterStage(1);
    Frame();
    SetCameraCutIn(1, 2);
    Frame();
    audio_.Clear();
    game_->Ship().Damage(PlayerState::kFullLife + 4);  // more than the ship has: it stops at 0
    Frame();
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGameOver), 1);
    EXPECT_EQ(IsCameraCutInActive(), 0) << "the introduction's request would hold the input back for ever";
    EXPECT_EQ(game_->Ship().State().life, 0);
    Idle(1000);
    EXPECT_EQ(std::count(audio_.tracks.begin(), audio_.tracks.end(), 10), 1) << "game over began more than once";

    Idle(5000);  // the game-over screen's gate
    Frame(kConfirm);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGameOver), 0);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kTitle), 1);
    EXPECT_EQ(audio_.tracks.back(), 4);
}

// Once the ship is lost the stage runs on behind the static for most of a second; nothing in that time
// may start a battle or end the stage, and game over must lead to the title as ever.
TEST_F(GameStageTest, ABossDueJustAfterTheLossStaysOutAndGameOverStillLeadsToTheTitleAndTheStory) {
    EnterStage(1);
    Frame();
    clock_.Advance(80000 - 500);  // the first boss is due half a second from here
    game_->Ship().Damage(PlayerState::kFullLife);
    Frame();
    ASSERT_EQ(IsSceneFlag(SceneFlag::kGameOver), 1);
    Idle(2000);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGame), 0) << "the stage should have stopped behind the static";
    EXPECT_EQ(game_->Bosses().GetBoss(0).Body().appeared, 0);
    EXPECT_EQ(IsCameraCutInActive(), 0);
    Idle(5000);
    Frame(kConfirm);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kTitle), 1) << "the game-over screen could not be left";
    EXPECT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kStory) == 1; }, 1900)) << "no story after 60 s idle";
}

TEST_F(GameStageTest, TheLastBossFallingAfterTheLossCountsForNothing) {
    EnterStage(3);
    for (int moon = 4; moon < 7; ++moon) game_->Bosses().GetBoss(moon).Body().appeared = 1;
    clock_.Advance(93000);
    Frame();
    ASSERT_EQ(game_->Bosses().GetBoss(7).Body().active, 1);
    SetCameraCutIn(0, 0);
    const std::int32_t score = GetScore();
    game_->Ship().Damage(PlayerState::kFullLife);
    Frame();
    ASSERT_EQ(IsSceneFlag(SceneFlag::kGameOver), 1);
    game_->Bosses().GetBoss(7).Body().life = 0;  // as a shot still in flight brings it down
    Idle(2000);
    EXPECT_EQ(GetScore(), score);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGameClear), 0);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kLastClear), 0);
    Idle(5000);
    Frame(kConfirm);
    ASSERT_EQ(IsSceneFlag(SceneFlag::kTitle), 1);
    Idle(3000);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGameClear), 0) << "the STAGE CLEAR banner over the title's menu";
    EXPECT_EQ(audio_.tracks.back(), 4) << "the title's own music";
    EXPECT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kStory) == 1; }, 1900)) << "no story after 60 s idle";
    EXPECT_EQ(IsSceneFlag(SceneFlag::kStageTitle), 0);
}

TEST_F(GameStageTest, StartStageOptionBeginsGameStartThereAndNewGamesResetTheShip) {
    game_->SetStartStage(3);
    game_->SetStartStage(7);  // ignored
    EXPECT_EQ(game_->StartStage(), 3);
    game_->Ship().StateRecord()->life = 12;
    Frame(kConfirm);
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kStageTitle) == 1; }, 60));
    EXPECT_EQ(GetStage(), 3);
    EXPECT_EQ(game_->Ship().State().life, 223);
    EXPECT_EQ(game_->Ship().State().bombs, 1);
    Idle(2300);
    Frame(kConfirm);
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kGame) == 1; }, 60));
    EXPECT_EQ(audio_.tracks.back(), 3);
}

TEST_F(GameStageTest, PressThatLeavesStageClearDoesNotConfirmTheNextStageCard) {
    EnterStage(1);
    SetSceneFlag(SceneFlag::kGameClear, 1);
    SetNextStage(2);
    SetInputGate(clock_.Ticks(), 100);
    // Fire held on every frame, the switch frame included.
    for (int i = 0; i < 100 && IsSceneFlag(SceneFlag::kStageTitle) == 0; ++i) Frame(kConfirm);
    ASSERT_EQ(IsSceneFlag(SceneFlag::kStageTitle), 1);
    EXPECT_EQ(audio_.Count(4), 1) << "the stage card took the press that left stage clear";
    EXPECT_EQ(GetStage(), 2);
}

TEST_F(GameStageTest, LostDeviceKeepsTheGameLitOnceItIsReset) {
    platform::Device* device = framework_->Device();
    const std::uint32_t at = clock_.Ticks();
    framework_->RunFrame(game_.get(), clock_.Ticks(), 30);
    const platform::Image lit = Screen();
    ASSERT_GT(LitPixels(lit, 300, 150, 500, 450), 1000) << "the title's ship is not in view";

    clock_.Set(at);
    device->FailNextPresent();
    framework_->RunFrame(game_.get(), clock_.Ticks(), 30);
    clock_.Set(at);
    framework_->RunFrame(game_.get(), clock_.Ticks(), 30);
    EXPECT_EQ(DifferentPixels(Screen(), lit), 0) << "the light or the fixed states were lost with the device";
    bool enabled = false;
    device->GetLightEnable(0, &enabled);
    EXPECT_TRUE(enabled);
}

}  // namespace
