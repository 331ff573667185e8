#include <gtest/gtest.h>

#include "core/registry.h"
#include "platform/core/window.h"
#include "platform/gfx/image.h"
#include "platform/gfx/device.h"
#include "platform/gfx/sprite.h"
#include "platform/input/dik_codes.h"
#include "render/loaders.h"
#include "render/picture_drawing.h"
#include "scenes/game_flow_support.h"

using platform::DIK_DOWN;
using platform::DIK_LEFT;
using platform::DIK_UP;
using platform::DIK_Z;

namespace {
const Keys kConfirm{{DIK_Z}};
}

// The staff roll's background picture drawn full screen on its own.
platform::Image GameFlowTest::RocketAlone() {
    Drawable drawable;
    drawable.Bind(framework_->Device(), framework_->Sprite(), window_);
    platform::TexturePtr rocket;
    EXPECT_TRUE(TextureLoad("t\\rocket.png", &rocket, drawable));
    platform::Device* device = framework_->Device();
    device->Clear(0, nullptr, platform::D3DCLEAR_TARGET | platform::D3DCLEAR_ZBUFFER | platform::D3DCLEAR_STENCIL,
                  0xFF000000u, 1.0f, 0);
    device->BeginScene();
    framework_->Sprite()->Begin(platform::D3DXSPRITE_ALPHABLEND);
    DrawFullScreen(drawable, rocket.get(), 0.0f, 0.0f, kOpaqueWhite);
    framework_->Sprite()->End();
    device->EndScene();
    return Screen();
}

TEST_F(GameFlowTest, StartFromTheTitleReachesTheStageCardThenTheStage) {
    SetScore(4321);
    Frame(kConfirm);
    EXPECT_EQ(audio_.Count(4), 1);
    EXPECT_EQ(game_->GetShutter().Active(), 1);
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kStageTitle) == 1; }));
    EXPECT_EQ(IsSceneFlag(SceneFlag::kTitle), 0);
    EXPECT_EQ(GetScore(), 0);
    EXPECT_EQ(GetStage(), 1);
    ASSERT_FALSE(audio_.tracks.empty());
    EXPECT_EQ(audio_.tracks.back(), 5);

    Idle(2500);  // the confirmation's input gate
    Frame(kConfirm);
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kGame) == 1; }));
    EXPECT_EQ(IsSceneFlag(SceneFlag::kStageTitle), 0);
    EXPECT_EQ(audio_.tracks.back(), 1);  // the stage's own song
    EXPECT_EQ(audio_.Count(4), 2);
}

TEST_F(GameFlowTest, SwitchHappensOnTheFirstFrameAfterTheShutterHasClosedOverTheScreen) {
    const std::uint32_t leaving = clock_.Ticks();
    Frame(kConfirm);
    std::uint32_t lastTitleTick = 0, firstCardTick = 0;
    bool checkedOpen = false, checkedClosed = false;
    while (clock_.Ticks() - leaving < 1500) {
        const std::uint32_t tick = clock_.Ticks();
        const std::uint32_t since = tick - leaving;
        framework_->RunFrame(game_.get(), clock_.Ticks(), 30);
        if (IsSceneFlag(SceneFlag::kTitle)) lastTitleTick = tick;
        if (IsSceneFlag(SceneFlag::kStageTitle) && !firstCardTick) firstCardTick = tick;
        // Drawn alone over nothing, the shutter must look exactly as it does over the scene when the
        // scene is fully covered, and differ while it is still half open.
        if ((since > 450 && !checkedOpen) || (since > 1100 && since < 1400 && !checkedClosed)) {
            platform::Image withScene = Screen();
            const SceneFlag scene = IsSceneFlag(SceneFlag::kTitle) ? SceneFlag::kTitle : SceneFlag::kStageTitle;
            SetSceneFlag(scene, 0);
            framework_->RunFrame(game_.get(), clock_.Ticks(), 30);
            platform::Image alone = Screen();
            SetSceneFlag(scene, 1);
            if (since > 1100) {
                EXPECT_EQ(DifferentPixels(withScene, alone), 0) << "the closed shutter lets the scene through";
                checkedClosed = true;
            } else {
                EXPECT_GT(DifferentPixels(withScene, alone), 50000) << "half open, the scene should show";
                checkedOpen = true;
            }
        }
        clock_.Advance(kFrameMs);
    }
    EXPECT_TRUE(checkedOpen && checkedClosed);
    EXPECT_LE(lastTitleTick - leaving, 1000u);
    EXPECT_GT(firstCardTick - leaving, 1000u);
    EXPECT_LE(firstCardTick - leaving, 1000u + kFrameMs);
}

TEST_F(GameFlowTest, IdleTitleGoesToTheStoryWhichLeavesByItself) {
    clock_.Advance(59000);
    Frame();
    EXPECT_EQ(IsSceneFlag(SceneFlag::kTitle), 1);
    EXPECT_EQ(game_->GetShutter().Active(), 0);
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kStory) == 1; }, 100));
    EXPECT_EQ(IsSceneFlag(SceneFlag::kTitle), 0);
    EXPECT_EQ(audio_.tracks.back(), 0);
    EXPECT_EQ(audio_.Count(4), 2);  // at the time-out and again at the switch (the cursor is on start)

    clock_.Advance(48000);
    Frame();
    EXPECT_EQ(IsSceneFlag(SceneFlag::kStory), 1) << "the story scrolls for 50 s";
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kTitle) == 1; }, 150));
    EXPECT_EQ(IsSceneFlag(SceneFlag::kStory), 0);
    ASSERT_EQ(audio_.fades.size(), 1u);
    EXPECT_EQ(audio_.fades.front(), 500);
    EXPECT_EQ(audio_.tracks.back(), 4);
}

TEST_F(GameFlowTest, ExitEndsTheProgramOneFrameAfterItIsConfirmedWithoutTheConfirmSound) {
    Frame({{DIK_DOWN}});
    EXPECT_EQ(GetTitleMenuChoice(), 1);
    Idle(200);
    Frame(kConfirm);
    EXPECT_EQ(audio_.Count(4), 0);
    EXPECT_FALSE(QuitPosted());
    EXPECT_FALSE(platform::IsWindowDestroyed(window_));
    Frame();
    EXPECT_TRUE(QuitPosted());
    EXPECT_TRUE(platform::IsWindowDestroyed(window_));
}

TEST_F(GameFlowTest, MenuMovesSoundOnlyWhenTheChoiceChanges) {
    Frame({{DIK_UP}});
    EXPECT_EQ(audio_.Count(12), 0);
    Idle(150);
    Frame({{DIK_DOWN}});
    EXPECT_EQ(audio_.Count(12), 1);
    Idle(150);
    Frame({{DIK_DOWN}});
    EXPECT_EQ(audio_.Count(12), 1);
    // Within the 100 ms gate the press is not even seen.
    Frame({{DIK_UP}});
    EXPECT_EQ(GetTitleMenuChoice(), 1);
    Idle(150);
    Frame({{DIK_UP}});
    EXPECT_EQ(GetTitleMenuChoice(), 0);
    EXPECT_EQ(audio_.Count(12), 2);
}

TEST_F(GameFlowTest, HoldingLeftTurnsTheShipFiveDegreesAFrameAndReleasingLeavesIt) {
    const double yaw = game_->Title().ShipYaw();
    for (int i = 0; i < 4; ++i) Frame({{DIK_LEFT}});
    EXPECT_NEAR(game_->Title().ShipYaw(), yaw + 20.0, 1e-3);
    // The next frame, 33 ms into the last 50 ms turn, still follows that turn; then the ship stays.
    Idle(500);
    EXPECT_NEAR(game_->Title().ShipYaw(), yaw + 15.0 + 5.0 * 33.0 / 50.0, 1e-3);
}

TEST_F(GameFlowTest, GameOverStopsTheStageWhenFadedAndShowsTheLostSignalFromFiveSeconds) {
    SetSceneFlag(SceneFlag::kTitle, 0);
    SetSceneFlag(SceneFlag::kGame, 1);
    SetSceneFlag(SceneFlag::kGameOver, 1);
    const std::uint32_t start = clock_.Ticks();
    Frame();
    EXPECT_EQ(game_->GameOver().Started(), 1);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGame), 1) << "the stage runs on behind the fade";
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kGame) == 0; }, 40));
    EXPECT_LE(clock_.Ticks() - start, 1000u);  // the fade started 100 ms back
    while (clock_.Ticks() - start < 4850) {
        Frame();
        EXPECT_EQ(game_->GameOver().SignalLostShown(), 0) << "at " << clock_.Ticks() - start << " ms";
    }
    EXPECT_EQ(game_->GameOver().Collapsing(), 1);
    Idle(200);
    EXPECT_EQ(game_->GameOver().SignalLostShown(), 1);
}

TEST_F(GameFlowTest, LeavingGameOverHidesThePressFromTheTitleRunningInTheSameFrame) {
    SetSceneFlag(SceneFlag::kTitle, 0);
    SetSceneFlag(SceneFlag::kGame, 1);
    SetSceneFlag(SceneFlag::kGameOver, 1);
    SetStage(3);
    Frame();
    Idle(5200);  // the game-over screen's input gate
    audio_.Clear();
    Frame(kConfirm);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGameOver), 0);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kTitle), 1);
    EXPECT_EQ(GetStage(), 1);
    ASSERT_EQ(audio_.tracks.size(), 1u);
    EXPECT_EQ(audio_.tracks.front(), 4);
    EXPECT_EQ(audio_.Count(4), 0) << "the title saw the confirm press";
    EXPECT_EQ(game_->GetShutter().Active(), 0);
    EXPECT_EQ(game_->GameOver().Started(), 0);
}

TEST_F(GameFlowTest, StageClearLeavesByItselfForTheNextStageCard) {
    SetSceneFlag(SceneFlag::kTitle, 0);
    SetSceneFlag(SceneFlag::kGame, 1);
    SetSceneFlag(SceneFlag::kGameClear, 1);
    SetNextStage(2);
    SetInputGate(clock_.Ticks(), 3000);  // as the battle controller leaves it when the final boss falls
    Frame();
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kStageTitle) == 1; }, 200));
    EXPECT_EQ(GetStage(), 2);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGame), 0);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGameClear), 0);
    EXPECT_EQ(audio_.tracks.back(), 5);
    EXPECT_EQ(audio_.Count(14), 1) << "the banner halves meet once";
    EXPECT_EQ(game_->StageClear().Started(), 0);
}

TEST_F(GameFlowTest, LastStageClearLeadsToTheStaffRollWhichStaysHiddenForItsFirstSecond) {
    SetSceneFlag(SceneFlag::kTitle, 0);
    SetSceneFlag(SceneFlag::kGame, 1);
    SetSceneFlag(SceneFlag::kGameClear, 1);
    SetSceneFlag(SceneFlag::kLastClear, 1);
    Frame(kConfirm);
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kStaff) == 1; }, 60));
    EXPECT_EQ(audio_.tracks.back(), 11);
    // The roll began on the frame before; the shutter has opened again just before its first second ends.
    const std::uint32_t rollBegan = clock_.Ticks() - kFrameMs;
    while (clock_.Ticks() < rollBegan + 980) Frame();
    ASSERT_LT(clock_.Ticks(), rollBegan + 1000);
    framework_->RunFrame(game_.get(), clock_.Ticks(), 30);
    const platform::Image firstSecond = Screen();
    EXPECT_EQ(DifferentPixels(firstSecond, RocketAlone()), 0) << "the credits showed during the first second";
    while (clock_.Ticks() < rollBegan + 3200) Frame();
    const platform::Image fadedIn = Screen();
    EXPECT_GT(DifferentPixels(fadedIn, RocketAlone()), 10000) << "the credits never faded in";

    Idle(2000);  // what is left of the staff roll's 5 s input gate
    Frame(kConfirm);
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kTitle) == 1; }, 60));
    EXPECT_EQ(IsSceneFlag(SceneFlag::kStaff), 0);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kLastClear), 0);
    EXPECT_EQ(GetStage(), 1);
    EXPECT_EQ(audio_.tracks.back(), 4);
}
