#include "soak/soak_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/registry.h"
#include "platform/core/clock.h"
#include "scenes/game_flow_support.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(SoakRecordChecks, TheFirstFieldThatIsNotANumberIsNamed) {
    EXPECT_EQ(FirstNonFinite(PlayerState::NewGame()), "");
    PlayerState ship = PlayerState::NewGame();
    ship.speedZ = -kInf;
    EXPECT_EQ(FirstNonFinite(ship), "speedZ");
    EnemyRecord enemy;
    enemy.homeY = kNaN;
    enemy.rz = kNaN;
    EXPECT_EQ(FirstNonFinite(enemy), "homeY");
    EnemyShotRecord shot;
    shot.roll = kInf;
    EXPECT_EQ(FirstNonFinite(shot), "roll");
    PlayerShot gun;
    gun.rv = kNaN;
    EXPECT_EQ(FirstNonFinite(gun), "rv");
    PickupRecord ring;
    ring.alpha = kNaN;
    EXPECT_EQ(FirstNonFinite(ring), "alpha");
    BodyRecord body;
    EXPECT_EQ(FirstNonFinite(body), "");
    body.pitch = kNaN;
    EXPECT_EQ(FirstNonFinite(body), "pitch");
    BossBullet bullet;
    bullet.angles[2] = kInf;
    EXPECT_EQ(FirstNonFinite(bullet), "angles[2]");
}

TEST(SoakInputLock, ALockMayLastTheLimitButNotLonger) {
    platform::ManualClock clock(1000);
    platform::ScopedClock scoped(clock);
    ResetRegistry();
    InputLockWatch watch(10000);
    EXPECT_EQ(watch.Update(true, 1000), "");
    EXPECT_EQ(watch.Update(true, 11000), "");
    EXPECT_NE(watch.Update(true, 11001).find("input held back for 10001 ms"), std::string::npos);
    // A free frame starts the count again.
    EXPECT_EQ(watch.Update(false, 11034), "");
    EXPECT_EQ(watch.Update(true, 11067), "");
    EXPECT_EQ(watch.Update(true, 21067), "");

    SetInputGate(clock.Ticks(), 500);
    EXPECT_TRUE(InputLocked(clock.Ticks()));
    clock.Advance(501);
    EXPECT_FALSE(InputLocked(clock.Ticks()));
    SetCameraCutIn(1, 3);
    EXPECT_TRUE(InputLocked(clock.Ticks()));
    ResetRegistry();
}

TEST(SoakMemory, GrowthPastTheSlackAfterTheWarmUpIsReported) {
    MemoryWatch watch(2, 1000);
    EXPECT_EQ(watch.Sample(5000), "");
    EXPECT_EQ(watch.Sample(90000), "") << "the warm-up samples are never judged";
    EXPECT_EQ(watch.Sample(10000), "");
    EXPECT_EQ(watch.Sample(11000), "");
    EXPECT_EQ(watch.Sample(9000), "");
    EXPECT_NE(watch.Sample(10001).find("from 9000 to 10001"), std::string::npos);
    EXPECT_EQ(watch.First(), 5000u);
    EXPECT_EQ(watch.Last(), 10001u);
    EXPECT_EQ(watch.Samples(), 6);
    EXPECT_GT(AllocatedBytes(), 0u);
}

using SoakGameChecks = GameFlowTest;

TEST_F(SoakGameChecks, ABadNumberAnywhereIsFoundAndNamed) {
    ASSERT_EQ(CheckRecordsFinite(*game_), "");
    game_->Enemies().Records(EnemyClass::k03)[2].z = kNaN;
    EXPECT_EQ(CheckRecordsFinite(*game_), "enemy class 3[2].z");
    game_->Enemies().Records(EnemyClass::k03)[2].z = 0.0;
    game_->Ship().Items().BombItems()[4].rh = kInf;
    EXPECT_EQ(CheckRecordsFinite(*game_), "bomb item[4].rh");
    game_->Ship().Items().BombItems()[4].rh = 1.0;
    BossBullet& bullet = game_->Bosses().GetBoss(5).List(0)[1];
    bullet.work[1] = kNaN;
    EXPECT_EQ(CheckRecordsFinite(*game_), "boss 5 list 0 bullet[1].work[1]");
    bullet.work[1] = 0.0;
    game_->Ship().StateRecord()->y = kNaN;
    EXPECT_EQ(CheckRecordsFinite(*game_), "ship.y");
    game_->Ship().StateRecord()->y = 0.0;
    EXPECT_EQ(CheckRecordsFinite(*game_), "");
}

TEST_F(SoakGameChecks, PoolsThatChangeAndCountersOutOfRangeAreReported) {
    PoolWatch pools;
    pools.Capture(*game_);
    EXPECT_EQ(pools.Check(*game_), "");
    game_->Ship().StateRecord()->bombs = 6;
    EXPECT_EQ(pools.Check(*game_), "ship holds 6 bombs");
    game_->Ship().StateRecord()->bombs = 1;
    game_->Ship().StateRecord()->life = PlayerState::kFullLife + 1;
    EXPECT_NE(pools.Check(*game_).find("above full"), std::string::npos);
    game_->Ship().StateRecord()->life = PlayerState::kFullLife;
    std::vector<EnemyShotRecord>& shots = game_->Enemies().ShotRecords();
    const std::size_t size = shots.size();
    shots.pop_back();
    EXPECT_EQ(pools.Check(*game_),
              "enemy shots holds " + std::to_string(size - 1) + " records, not " + std::to_string(size));
}

TEST_F(SoakGameChecks, TwoBossesInPlayAreReported) {
    EXPECT_EQ(CheckOneBossBattle(*game_), "");
    game_->Bosses().GetBoss(2).Body().active = 1;
    EXPECT_EQ(CheckOneBossBattle(*game_), "");
    game_->Bosses().GetBoss(6).Body().active = 1;
    EXPECT_EQ(CheckOneBossBattle(*game_), "bosses in play at once: 2 6");
    game_->Bosses().GetBoss(2).Body().active = 0;
    game_->Bosses().GetBoss(6).Body().active = 0;
}

}  // namespace
