// The damage flash's 500 ms: a second hit does not restart it, its immunity ends by time even when
// it is not stepped, and its step retires it.

#include <gtest/gtest.h>

#include "effects/damage_flash.h"
#include "platform/core/clock.h"

namespace {

constexpr std::uint32_t kFrameMs = 33;

class DamageFlashTest : public ::testing::Test {
protected:
    platform::ManualClock clock_{7000};
    platform::ScopedClock scoped_{clock_};
    DamageFlash flash_;
};

TEST_F(DamageFlashTest, ASecondHitWithinTheFlashKeepsItsStart) {
    flash_.Spawn(clock_.Ticks());
    const std::uint32_t start = flash_.Record().start;
    EXPECT_EQ(7000u, start);
    for (int frame = 0; frame < 10; ++frame) {
        clock_.Advance(kFrameMs);
        flash_.Step(clock_.Ticks());
        flash_.Spawn(clock_.Ticks());
    }
    EXPECT_EQ(start, flash_.Record().start);
    EXPECT_TRUE(flash_.Showing(clock_.Ticks()));
}

TEST_F(DamageFlashTest, ShowingEndsAfterFiveHundredMillisecondsWithoutAStep) {
    EXPECT_FALSE(flash_.Showing(clock_.Ticks()));
    flash_.Spawn(clock_.Ticks());
    const std::uint32_t start = clock_.Ticks();
    EXPECT_TRUE(flash_.Showing(start));
    EXPECT_TRUE(flash_.Showing(start + 500));
    EXPECT_FALSE(flash_.Showing(start + 501));
    // Still active: only the step retires it, yet the immunity is over, and a new hit flashes anew.
    EXPECT_EQ(1, flash_.Record().active);
    clock_.Advance(600);
    flash_.Spawn(clock_.Ticks());
    EXPECT_EQ(clock_.Ticks(), flash_.Record().start);
    EXPECT_TRUE(flash_.Showing(clock_.Ticks()));
}

TEST_F(DamageFlashTest, TheStepRetiresItAtTheFirstFramePastFiveHundred) {
    flash_.Spawn(clock_.Ticks());
    // Frames at 33, 66, ... 495 ms keep it; the one at 528 ms ends it.
    for (int frame = 1; frame <= 15; ++frame) {
        clock_.Advance(kFrameMs);
        flash_.Step(clock_.Ticks());
        ASSERT_EQ(1, flash_.Record().active) << "frame " << frame;
    }
    clock_.Advance(kFrameMs);
    flash_.Step(clock_.Ticks());
    EXPECT_EQ(0, flash_.Record().active);
    EXPECT_FALSE(flash_.Showing(clock_.Ticks()));

    // A hit after it ended starts a new flash.
    flash_.Spawn(clock_.Ticks());
    EXPECT_EQ(clock_.Ticks(), flash_.Record().start);
    EXPECT_TRUE(flash_.Showing(clock_.Ticks()));
}

TEST_F(DamageFlashTest, ResetEndsAShowingFlash) {
    flash_.Spawn(clock_.Ticks());
    clock_.Advance(100);
    flash_.Reset();
    EXPECT_FALSE(flash_.Showing(clock_.Ticks()));
    flash_.Spawn(clock_.Ticks());
    EXPECT_EQ(clock_.Ticks(), flash_.Record().start);
}

}  // namespace
