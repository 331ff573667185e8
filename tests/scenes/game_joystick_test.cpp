// The game played with a pad that is pulled out in the middle of a stage and plugged in again.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/registry.h"
#include "platform/input/input_injection.h"
#include "scenes/game_flow_support.h"

namespace {

class GameJoystickTest : public GameFlowTest {
protected:
    GameJoystickTest() { options_.joystick = true; }

    // The pad pushed right with the fire button (button 0 in the game's key configuration) held.
    static void PushRightAndFire() {
        platform::JoystickState s;
        s.x = platform::kJoystickAxisMax;
        s.buttons[0] = platform::kButtonDownBit;
        platform::SetSyntheticJoystickState(s);
    }

    int ShotsInFlight() {
        const auto& shots = game_->Ship().Gun().Shots();
        return static_cast<int>(
            std::count_if(shots.begin(), shots.end(), [](const PlayerShot& s) { return s.active; }));
    }
};

TEST_F(GameJoystickTest, PlayGoesOnWhileThePadIsOutAndItSteersAgainOnceBack) {
    ASSERT_EQ(GetInputDeviceKind(), 1) << "the pad was not taken as the input device";
    SetSceneFlag(SceneFlag::kTitle, 0);
    SetStage(1);
    game_->Ship().ResetForNewGame(clock_.Ticks());
    SetSceneFlag(SceneFlag::kGame, 1);
    StartStageClock(clock_.Ticks());
    PushRightAndFire();
    for (int i = 0; i < 10; ++i) Frame();
    const double steered = game_->Ship().State().x;
    EXPECT_GT(steered, 0.5) << "the pad never steered the ship";
    EXPECT_GT(ShotsInFlight(), 0);

    platform::DetachSyntheticJoystick();
    Frame();
    const double atLoss = game_->Ship().State().x;
    const std::uint32_t stageClock = StageElapsed();
    // Long enough for every shot in flight to be gone.
    for (int i = 0; i < 120; ++i) Frame();
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGame), 1);
    EXPECT_GT(StageElapsed(), stageClock + 100 * kFrameMs) << "the stage stood still without its pad";
    EXPECT_LE(game_->Ship().State().x, atLoss) << "a pad that is gone still steers";
    EXPECT_EQ(ShotsInFlight(), 0) << "a pad that is gone still fires";
    EXPECT_TRUE(messages_.empty());

    platform::AttachSyntheticJoystick();
    const double beforeReturn = game_->Ship().State().x;
    for (int i = 0; i < 5; ++i) Frame();
    EXPECT_GT(game_->Ship().State().x, beforeReturn + 0.2) << "the pad was not taken up again";
    EXPECT_GT(ShotsInFlight(), 0);
}

}  // namespace
