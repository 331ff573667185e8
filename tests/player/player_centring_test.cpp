// The ship's centring byte has two owners: the glide of a confined flight, and a boss's capture, which
// only freezes the movement buttons. Without a device, on a manual clock in 33 ms frames.

#include <gtest/gtest.h>

#include "core/input_state.h"
#include "core/registry.h"
#include "platform/core/clock.h"
#include "player/player.h"

namespace {

class PlayerCentringTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        ship_.ResetForNewGame(clock_.Ticks());
    }
    void TearDown() override { ResetRegistry(); }

    void Frames(int n, const InputState& input) {
        for (int i = 0; i < n; ++i) {
            ship_.SetInput(input);
            ship_.Control(clock_.Ticks());
            clock_.Advance(33);
        }
    }
    PlayerState& State() { return *ship_.StateRecord(); }

    platform::ManualClock clock_{200000};
    platform::ScopedClock scoped_{clock_};
    Player ship_;
    InputState right_{0, 0, kInputRight, 0, 0, 0, 0};
};

TEST_F(PlayerCentringTest, CaptureCentringFreezesTheButtonsWithoutGlidingOrLettingGo) {
    Frames(30, right_);
    ASSERT_NEAR(3.0, State().x, 1e-9);
    // Held by a black hole: the byte is the capture's until the capture clears it.
    State().centring = 1;
    Frames(90, right_);
    EXPECT_NEAR(3.0, State().x, 1e-9) << "no glide towards the centre, no button moves the ship";
    EXPECT_EQ(1, State().centring);
    State().centring = 0;
    Frames(10, right_);
    EXPECT_NEAR(4.0, State().x, 1e-9);
}

TEST_F(PlayerCentringTest, AConfinedFlightEndedMidGlideStillFinishesItsGlide) {
    Frames(20, right_);
    SetFlightAreaConfined(1);
    Frames(1, right_);
    ASSERT_EQ(1, State().centring);
    SetFlightAreaConfined(0);
    Frames(61, InputState{});
    EXPECT_EQ(0, State().centring);
    EXPECT_NEAR(0.0, State().x, 1e-6);
    Frames(10, right_);
    EXPECT_NEAR(1.0, State().x, 1e-9);
}

TEST_F(PlayerCentringTest, AStageResetCuttingAGlideShortFreesTheButtons) {
    Frames(20, right_);
    SetFlightAreaConfined(1);
    Frames(5, right_);
    ASSERT_EQ(1, State().centring);
    SetFlightAreaConfined(0);
    ship_.ResetForStage(clock_.Ticks());
    EXPECT_EQ(0, State().centring);
    const double x = State().x;
    Frames(10, right_);
    EXPECT_NEAR(x + 1.0, State().x, 1e-9);
}

}  // namespace
