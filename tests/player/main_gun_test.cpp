#include "player/main_gun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/core/clock.h"

namespace {

constexpr std::uint32_t kFrameMs = 33;

InputState Fire() {
    InputState codes;
    codes.button1 = kInputButton1;
    return codes;
}

class MainGunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ship_ = PlayerState::NewGame();
        gun_.Reset();
    }
    // One frame of the game: the expiry before the ship moves, then the shots' step and the firing.
    int Frame(const InputState& codes) {
        gun_.Expire(clock_.Ticks());
        gun_.Step(clock_.Ticks());
        const int fired = gun_.Fire(clock_.Ticks(), codes, ship_);
        clock_.Advance(kFrameMs);
        return fired;
    }

    platform::ManualClock clock_{100000};
    platform::ScopedClock scoped_{clock_};
    PlayerState ship_;
    MainGun gun_;
};

TEST_F(MainGunTest, FiresOnlyOnTheFireCodeAndTakesTheShipsPlaceAndAttitude) {
    InputState others;
    others.button2 = kInputButton2;
    others.button3 = kInputButton3;
    EXPECT_EQ(-1, gun_.Fire(clock_.Ticks(), others, ship_));
    EXPECT_EQ(0, gun_.ActiveCount());

    ship_.x = 2.0;
    ship_.y = -1.0;
    ship_.yaw = 10.0;
    ship_.pitch = -5.0;
    ship_.roll = 30.0;
    ASSERT_EQ(0, gun_.Fire(clock_.Ticks(), Fire(), ship_));
    const PlayerShot& shot = gun_.Shots()[0];
    EXPECT_EQ(1, shot.active);
    EXPECT_DOUBLE_EQ(2.0, shot.x);
    EXPECT_DOUBLE_EQ(-1.0, shot.y);
    EXPECT_DOUBLE_EQ(15.0, shot.z);
    EXPECT_DOUBLE_EQ(10.0, shot.yaw);
    EXPECT_DOUBLE_EQ(-5.0, shot.pitch);
    EXPECT_DOUBLE_EQ(30.0, shot.roll);
    EXPECT_EQ(PlayerShot::kMainGunDamage, shot.damage);
    EXPECT_DOUBLE_EQ(PlayerShot::kMainGunExtent, shot.rh);
    // One shot per call, into the next free record.
    EXPECT_EQ(1, gun_.Fire(clock_.Ticks(), Fire(), ship_));

    // A wrecked ship's shot never flies, and its record is taken again by the next shot.
    ship_.alive = 0;
    EXPECT_EQ(2, gun_.Fire(clock_.Ticks(), Fire(), ship_));
    EXPECT_EQ(0, gun_.Shots()[2].active);
    EXPECT_EQ(2, gun_.Fire(clock_.Ticks(), Fire(), ship_));
}

TEST_F(MainGunTest, TwentyFramesOfFireGiveTwentyShotsAndTheFirstIsClearedAfter400Ms) {
    std::vector<int> fired;
    for (int frame = 0; frame < 20; ++frame) fired.push_back(Frame(Fire()));
    // The first shot flies through 12 frames (396 ms); the 13th expiry (429 ms) frees its record, which
    // that frame's shot takes again, and so on down the pool.
    for (int frame = 0; frame < 20; ++frame) EXPECT_EQ(frame < 13 ? frame : frame - 13, fired[frame]) << frame;

    // The limit to the millisecond: alive 399 ms after its launch, cleared at 400 ms.
    gun_.Reset();
    ASSERT_EQ(0, gun_.Fire(clock_.Ticks(), Fire(), ship_));
    clock_.Advance(399);
    gun_.Expire(clock_.Ticks());
    EXPECT_EQ(1, gun_.Shots()[0].active);
    clock_.Advance(1);
    gun_.Expire(clock_.Ticks());
    EXPECT_EQ(0, gun_.Shots()[0].active);
    EXPECT_DOUBLE_EQ(0.0, gun_.Shots()[0].z);
    EXPECT_DOUBLE_EQ(PlayerShot::kMainGunExtent, gun_.Shots()[0].rv);
}

TEST_F(MainGunTest, FiringEveryFrameNeverHasMoreThanThirteenAliveAndNeverRunsDry) {
    int most = 0;
    for (int frame = 0; frame < 150; ++frame) {
        ASSERT_GE(Frame(Fire()), 0) << "the pool ran dry at frame " << frame;
        most = std::max(most, gun_.ActiveCount());
    }
    EXPECT_EQ(13, most);
}

TEST_F(MainGunTest, ShotsFlyFromThreeAheadTowards183AheadAlongTheShipsHeading) {
    ship_.x = 1.0;
    ship_.y = 2.0;
    ship_.yaw = 10.0;
    ship_.pitch = 10.0;
    ASSERT_EQ(0, gun_.Fire(clock_.Ticks(), Fire(), ship_));
    const PlayerShot& shot = gun_.Shots()[0];
    const double yaw = 10.0 * 0.017453293;

    clock_.Advance(1);
    gun_.Step(clock_.Ticks());
    EXPECT_NEAR(18.0 + 200.0 * 0.002, shot.z, 1e-3);

    // Half way through its 500 ms: the depth is at 0.5 / 0.9 of its way, the sides half way.
    clock_.Advance(249);
    gun_.Step(clock_.Ticks());
    EXPECT_NEAR(18.0 + 180.0 * 0.5 / 0.9, shot.z, 1e-3);
    EXPECT_NEAR(1.0 + (3.0 * std::sin(yaw) + 180.0 * std::tan(yaw)) / 2.0, shot.x, 1e-4);
    // Pitching up (positive pitch) sends the shot down the screen.
    EXPECT_NEAR(2.0 - (3.0 * std::sin(yaw) + 180.0 * std::tan(yaw)) / 2.0, shot.y, 1e-4);

    double lastZ = shot.z;
    for (int frame = 0; frame < 4; ++frame) {
        clock_.Advance(kFrameMs);
        gun_.Step(clock_.Ticks());
        EXPECT_GT(shot.z, lastZ);
        EXPECT_LT(shot.z, 15.0 + 183.0);
        lastZ = shot.z;
    }
}

}  // namespace
