#include "player/homing_bomb.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/registry.h"
#include "platform/core/clock.h"

namespace {

constexpr std::uint32_t kFrameMs = 33;

InputState BombButton() {
    InputState codes;
    codes.button3 = kInputButton3;
    return codes;
}

EnemyRecord EnemyAt(double x, double y, double z) {
    EnemyRecord e;
    e.active = 1;
    e.x = x;
    e.y = y;
    e.z = z;
    return e;
}

BodyRecord BossAt(double x, double y, double z) {
    BodyRecord b;
    b.active = 1;
    b.x = x;
    b.y = y;
    b.z = z;
    return b;
}

class HomingBombTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        ship_ = PlayerState::NewGame();
        bomb_.Reset();
        enemies_ = {EnemyAt(4.0, 2.0, 115.0)};
        bosses_ = {BossAt(0.0, 0.0, 500.0)};
    }
    void TearDown() override { ResetRegistry(); }

    // The bomb's part of one frame as the game runs it: step, arm, launch while armed, expire.
    bool Frame(const InputState& codes) {
        bomb_.Step(clock_.Ticks());
        bomb_.Update(clock_.Ticks(), codes, ship_);
        const bool launched = bomb_.Armed() && bomb_.Launch(clock_.Ticks(), enemies_, bosses_, ship_);
        bomb_.Expire(clock_.Ticks());
        clock_.Advance(kFrameMs);
        return launched;
    }
    // Arms and launches at once; the clock stays where it is.
    bool ArmAndLaunch() {
        bomb_.Update(clock_.Ticks(), BombButton(), ship_);
        return bomb_.Armed() && bomb_.Launch(clock_.Ticks(), enemies_, bosses_, ship_);
    }

    platform::ManualClock clock_{100000};
    platform::ScopedClock scoped_{clock_};
    PlayerState ship_;
    HomingBomb bomb_;
    std::vector<EnemyRecord> enemies_;
    std::vector<BodyRecord> bosses_;
};

TEST_F(HomingBombTest, FliesToTheEnemyAndBlastsFor2500MsAfterArriving) {
    bomb_.Update(clock_.Ticks(), BombButton(), ship_);
    ASSERT_EQ(1, bomb_.Armed());
    const std::uint32_t launch = clock_.Ticks();
    ASSERT_TRUE(bomb_.LaunchAtEnemies(clock_.Ticks(), enemies_, ship_));
    EXPECT_EQ(0, bomb_.Armed());
    EXPECT_EQ(0, ship_.bombs);
    EXPECT_TRUE(bomb_.Flying());
    EXPECT_EQ(PlayerShot::kBombDamage, bomb_.Shot().damage);
    EXPECT_DOUBLE_EQ(PlayerShot::kBombExtent, bomb_.Shot().rh);
    EXPECT_DOUBLE_EQ(4.0, bomb_.BlastCentre().x);
    EXPECT_DOUBLE_EQ(115.0, bomb_.BlastCentre().z);

    // 15 frames (495 ms) in flight, closing on the enemy; the 16th frame (528 ms) finds it arrived.
    double lastZ = ship_.z;
    for (int frame = 1; frame <= 15; ++frame) {
        clock_.Advance(kFrameMs);
        bomb_.Step(clock_.Ticks());
        bomb_.Expire(clock_.Ticks());
        ASSERT_TRUE(bomb_.Flying()) << frame;
        EXPECT_EQ(0, bomb_.Blast());
        // It reaches the enemy's depth at 0.9 of its 500 ms (frame 14) and holds it to the end.
        if (frame < 14) {
            EXPECT_GT(bomb_.Shot().z, lastZ) << frame;
        }
        lastZ = bomb_.Shot().z;
    }
    // Sideways it is slower (800 ms).
    EXPECT_NEAR(115.0, bomb_.Shot().z, 1e-3);
    EXPECT_GT(bomb_.Shot().x, 0.0);
    EXPECT_LT(bomb_.Shot().x, 4.0);
    clock_.Advance(kFrameMs);
    bomb_.Expire(clock_.Ticks());
    EXPECT_FALSE(bomb_.Flying());
    EXPECT_EQ(1, bomb_.Blast());
    EXPECT_DOUBLE_EQ(PlayerShot::kBombExtent, bomb_.Shot().rv);

    // The blast ends 2500 ms after the arrival, not after the frame that saw it.
    const std::uint32_t arrival = launch + 500;
    clock_.Set(arrival + 2499);
    bomb_.Expire(clock_.Ticks());
    EXPECT_EQ(1, bomb_.Blast());
    clock_.Set(arrival + 2500);
    bomb_.Expire(clock_.Ticks());
    EXPECT_EQ(0, bomb_.Blast());
}

TEST_F(HomingBombTest, CannotBeArmedInFlightNorWithin2500MsOfTheArrival) {
    ship_.bombs = 3;
    const std::uint32_t launch = clock_.Ticks();
    ASSERT_TRUE(ArmAndLaunch());
    // Every millisecond of the flight, however early or late.
    for (std::uint32_t t = 1; t < 500; t += 7) {
        clock_.Set(launch + t);
        bomb_.Update(clock_.Ticks(), BombButton(), ship_);
        ASSERT_EQ(0, bomb_.Armed()) << t << " ms into the flight";
    }
    clock_.Set(launch + 500);
    bomb_.Expire(clock_.Ticks());
    for (std::uint32_t t = 0; t <= 2500; t += 100) {
        clock_.Set(launch + 500 + t);
        bomb_.Update(clock_.Ticks(), BombButton(), ship_);
        ASSERT_EQ(0, bomb_.Armed()) << t << " ms after the arrival";
    }
    clock_.Set(launch + 500 + 2501);
    bomb_.Update(clock_.Ticks(), BombButton(), ship_);
    EXPECT_EQ(1, bomb_.Armed());
    EXPECT_EQ(2, ship_.bombs) << "arming spends nothing";
}

TEST_F(HomingBombTest, HoldingTheButtonSpendsOneBombPerRealLaunch) {
    ship_.bombs = 3;
    int launches = 0;
    // 120 frames, about 4 s: a launch at once and one more once the first blast is over.
    for (int frame = 0; frame < 120; ++frame) {
        launches += Frame(BombButton()) ? 1 : 0;
        ASSERT_EQ(3 - launches, ship_.bombs) << frame;
    }
    EXPECT_EQ(2, launches);

    // With the stock empty the button arms nothing.
    ship_.bombs = 0;
    clock_.Advance(4000);
    bomb_.Expire(clock_.Ticks());
    bomb_.Update(clock_.Ticks(), BombButton(), ship_);
    EXPECT_EQ(0, bomb_.Armed());
}

TEST_F(HomingBombTest, AnEnemyBehindOrOutOfReachIsNotAimedAtAndTheStockIsKept) {
    for (double z : {0.0, -20.0, 500.0, 800.0}) {
        enemies_ = {EnemyAt(0.0, 0.0, z)};
        EXPECT_FALSE(ArmAndLaunch()) << z;
        EXPECT_EQ(0, bomb_.Armed()) << "disarmed whether or not it launched";
        EXPECT_FALSE(bomb_.Flying());
        EXPECT_EQ(1, ship_.bombs);
        // Still held on the next frame: armed again.
        clock_.Advance(kFrameMs);
        bomb_.Update(clock_.Ticks(), BombButton(), ship_);
        EXPECT_EQ(1, bomb_.Armed());
        bomb_.LaunchAtEnemies(clock_.Ticks(), {}, ship_);
        EXPECT_EQ(1, ship_.bombs) << "an empty list launches nothing";
    }
    // Only the first listed enemy counts.
    enemies_ = {EnemyAt(0.0, 0.0, 600.0), EnemyAt(0.0, 0.0, 100.0)};
    EXPECT_FALSE(ArmAndLaunch());
    enemies_ = {EnemyAt(0.0, 0.0, 499.5)};
    EXPECT_TRUE(ArmAndLaunch());
    EXPECT_EQ(0, ship_.bombs);
}

TEST_F(HomingBombTest, DuringABattleItFliesAtTheLockedOnBossAndBurstsJustAheadOfTheShip) {
    SetBossBattleActive(1);
    // Entry 0 at z = 500 means nothing is locked on.
    EXPECT_FALSE(ArmAndLaunch());
    EXPECT_EQ(1, ship_.bombs);
    bosses_ = {BossAt(6.0, 3.0, 0.0)};
    EXPECT_FALSE(ArmAndLaunch());

    bosses_ = {BossAt(6.0, 3.0, 120.0), BossAt(-6.0, 0.0, 60.0)};
    const std::uint32_t launch = clock_.Ticks();
    ASSERT_TRUE(ArmAndLaunch());
    EXPECT_EQ(0, ship_.bombs);
    clock_.Set(launch + 450);
    bomb_.Step(clock_.Ticks());
    EXPECT_NEAR(15.0 + 25.0, bomb_.Shot().z, 1e-4);
    EXPECT_GT(bomb_.Shot().x, 0.0);
    EXPECT_GT(bomb_.Shot().y, 0.0);
    clock_.Set(launch + 500);
    bomb_.Expire(clock_.Ticks());
    EXPECT_EQ(1, bomb_.Blast());
}

TEST_F(HomingBombTest, ResetClearsTheBombAndTheBlast) {
    ASSERT_TRUE(ArmAndLaunch());
    clock_.Advance(600);
    bomb_.Expire(clock_.Ticks());
    ASSERT_EQ(1, bomb_.Blast());
    bomb_.Reset();
    EXPECT_EQ(0, bomb_.Blast());
    EXPECT_FALSE(bomb_.Flying());
    // A new game's bomb may go at once.
    ship_.bombs = 1;
    EXPECT_TRUE(ArmAndLaunch());
}

}  // namespace
