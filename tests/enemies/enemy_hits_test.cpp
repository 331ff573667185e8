// The player's shots, the bomb's blast and the ship's body against the enemies; the bomb's target; the
// waiting shots; and the new game.

#include <cmath>

#include "enemy_test_support.h"
#include "audio/sound_cues.h"

namespace {

using C = EnemyClass;

TEST_F(EnemyManagerTest, AStageOneEnemyDiesOnTheThirdHitWithOneSoundScoreAndExplosion) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 10, 10, 100, 0, 1, 10.0));
        t.Order(C::k01, 0, 10, 10, -10, 16000);
    });
    SetScore(40);
    Frame();
    EnemyRecord& e = Enemy(C::k01, 0);
    ASSERT_EQ(1, e.active);
    HitWithShot(e);
    HitWithShot(e);
    EXPECT_EQ(1, e.active);
    EXPECT_EQ(0, e.hitPoints);
    EXPECT_TRUE(audio_.sounds.empty());
    // Each hit spends the shot.
    EXPECT_EQ(0, playerShots_[3].active);
    HitWithShot(e);
    EXPECT_EQ(0, e.active);
    EXPECT_EQ(std::vector<int>{sound::kEnemyDown}, audio_.sounds);
    EXPECT_EQ(140, GetScore());
    ASSERT_EQ(1, manager_.ProgramExplosion().ActiveCount());
    EXPECT_DOUBLE_EQ(e.z, manager_.ProgramExplosion().Record(0).z);
    EXPECT_DOUBLE_EQ(e.x, manager_.ProgramExplosion().Record(0).x);
    // Dead enemies take no more hits.
    HitWithShot(e);
    EXPECT_EQ(1, playerShots_[3].active);
    EXPECT_EQ(140, GetScore());
}

TEST_F(EnemyManagerTest, TheBlastKillsEveryEnemyWithinFiftyOfTheTargetWithSoundTwo) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 0, 0, 100, 0));    // the target, the nearest
        t.AddEntry(Entry(1, C::k01, 50, 0, 100, 0));   // 50 + its radius 1 reaches it
        t.AddEntry(Entry(1, C::k01, 0, 0, 152, 0));    // just out of reach
        t.AddEntry(Entry(1, C::k04, -30, 0, 130, 0));  // another class, in reach
        for (int i = 0; i < 3; ++i) t.Order(C::k01, i, 0, 0, -10, 16000);
        t.Order(C::k04, 0, -30, 0, -10, 16000);
    });
    Frame();
    const std::vector<EnemyRecord> target = manager_.TargetList();
    ASSERT_EQ(1u, target.size());
    EXPECT_DOUBLE_EQ(100.0, target[0].z);
    // Without the blast nothing happens.
    manager_.CheckPlayerShots(clock_.Ticks(), 0);
    EXPECT_TRUE(audio_.sounds.empty());

    manager_.CheckPlayerShots(clock_.Ticks(), 1);
    EXPECT_EQ(0, Enemy(C::k01, 0).active);
    EXPECT_EQ(0, Enemy(C::k01, 1).active);
    EXPECT_EQ(1, Enemy(C::k01, 2).active);
    EXPECT_EQ(0, Enemy(C::k04, 0).active);
    EXPECT_EQ(3, audio_.Count(sound::kBlast));
    EXPECT_EQ(3u, audio_.sounds.size());
    EXPECT_EQ(300, GetScore());

    // The next update opens the blast's fireball at the target, once.
    manager_.Update(clock_.Ticks());
    const EffectRecord& lava = manager_.Blast().LavaRecord();
    ASSERT_EQ(1, lava.active);
    EXPECT_DOUBLE_EQ(100.0, lava.z);
    const std::uint32_t started = lava.start;
    clock_.Advance(kFrameMs);
    manager_.Update(clock_.Ticks());
    EXPECT_EQ(started, manager_.Blast().LavaRecord().start);
}

TEST_F(EnemyManagerTest, NoBlastOpensWhileTheTargetListHoldsNoEnemy) {
    Build([](EnemyTimetableSink&) {});
    EXPECT_DOUBLE_EQ(500.0, manager_.TargetList()[0].z);
    manager_.CheckPlayerShots(clock_.Ticks(), 1);
    manager_.Update(clock_.Ticks());
    EXPECT_EQ(0, manager_.Blast().LavaRecord().active);
}

TEST_F(EnemyManagerTest, TheBodyCheckTestsEveryActiveEnemyOfEachClass) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 20, 0, 100, 0));
        t.AddEntry(Entry(1, C::k01, 0, 0, 15.5, 0));  // on the ship, behind a far one of its class
        t.AddEntry(Entry(1, C::k02, 0, 0, 100, 0));
        t.Order(C::k01, 0, 20, 0, -10, 16000);
        t.Order(C::k01, 1, 0, 0, -10, 16000);
        t.Order(C::k02, 0, 0, 0, -10, 16000);
    });
    manager_.Update(clock_.Ticks());
    ship_.x = 0.0;
    manager_.SetPlayerState(ship_);
    EXPECT_EQ(1, *manager_.BodyHit()) << "a far enemy of its class does not shield the one on the ship";
    *manager_.BodyHit() = 0;
    Enemy(C::k01, 1).z = 100.0;

    // Another class's enemy on the ship.
    Enemy(C::k02, 0).z = 15.5;
    manager_.SetPlayerState(ship_);
    EXPECT_EQ(1, *manager_.BodyHit());
    // The flag stays until the ship takes it.
    Enemy(C::k02, 0).z = 100.0;
    manager_.SetPlayerState(ship_);
    EXPECT_EQ(1, *manager_.BodyHit());
    *manager_.BodyHit() = 0;
    manager_.SetPlayerState(ship_);
    EXPECT_EQ(0, *manager_.BodyHit());

    // A dead enemy lying on the ship does not count.
    Enemy(C::k01, 1).z = 15.5;
    Enemy(C::k01, 1).active = 0;
    manager_.SetPlayerState(ship_);
    EXPECT_EQ(0, *manager_.BodyHit());
}

TEST_F(EnemyManagerTest, TheTargetListGivesTheNearestActiveEnemyOrDepth500) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 1, 2, 150, 0));
        t.AddEntry(Entry(1, C::k04, 3, 4, 120, 0));
        t.AddEntry(Entry(2, C::k05, 5, 6, 100, 0));  // nearer, but another stage's
        t.Order(C::k01, 0, 1, 2, -10, 16000);
        t.Order(C::k04, 0, 3, 4, -10, 16000);
        t.Order(C::k05, 0, 5, 6, -10, 16000);
    });
    EXPECT_DOUBLE_EQ(500.0, manager_.TargetList()[0].z);
    manager_.Update(clock_.Ticks());
    std::vector<EnemyRecord> target = manager_.TargetList();
    ASSERT_EQ(1u, target.size());
    EXPECT_DOUBLE_EQ(120.0, target[0].z);
    EXPECT_DOUBLE_EQ(3.0, target[0].x);
    Enemy(C::k04, 0).active = 0;
    EXPECT_DOUBLE_EQ(150.0, manager_.TargetList()[0].z);
    Enemy(C::k01, 0).active = 0;
    EXPECT_DOUBLE_EQ(500.0, manager_.TargetList()[0].z);
}

TEST_F(EnemyManagerTest, AShotWhoseEnemyDiesBeforeItsFirstLaunchNeverFlies) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 3, 10, 200, 0));
        t.Order(C::k01, 0, 3, 10, -10, 12000);
    });
    Frame();
    Frame();
    EnemyRecord& e = Enemy(C::k01, 0);
    const EnemyShotRecord& shot = ShotOf(e);
    // While it waits it is inactive, so the ship's hit check passes over it, and its tracks hold the
    // place it was made at, not undefined keys.
    EXPECT_EQ(0, shot.active);
    EXPECT_FALSE(manager_.Launched(0));
    EXPECT_FLOAT_EQ(200.0f, manager_.Shots().FlightZ(0).KeyValue(0));
    EXPECT_FLOAT_EQ(200.0f, manager_.Shots().FlightZ(0).KeyValue(1));
    EXPECT_FLOAT_EQ(3.0f, manager_.Shots().FlightX(0).KeyValue(1));

    for (int i = 0; i < 3; ++i) HitWithShot(e);
    ASSERT_EQ(0, e.active);
    for (int i = 0; i < 200; ++i) {
        Frame();
        ASSERT_EQ(0, shot.active) << i;
    }
    EXPECT_FALSE(manager_.Launched(0));
    EXPECT_DOUBLE_EQ(200.0, shot.z);
}

TEST_F(EnemyManagerTest, ANewGameRestoresEveryRecordInPlaceKeepingTheOrdersAttitudes) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k02, -10, 0, 100, 0, 2, -10.0));
        t.Order(C::k02, 0, 10, 5, -10, 14000);
    });
    EnemyRecord* enemy = &Enemy(C::k02, 0);
    EnemyShotRecord* shot = &manager_.ShotRecords()[0];
    const double facedYaw = enemy->yaw;
    ASSERT_NE(-10.0 * 0.017453293005625408, facedYaw);
    for (int i = 0; i < 10; ++i) Frame();
    ASSERT_TRUE(manager_.Launched(0));
    ship_.x = enemy->x;
    ship_.y = enemy->y;
    ship_.z = enemy->z;
    manager_.SetPlayerState(ship_);
    ASSERT_EQ(1, *manager_.BodyHit());
    for (int i = 0; i < 3; ++i) HitWithShot(*enemy);
    ASSERT_EQ(1, manager_.ProgramExplosion().ActiveCount());

    manager_.ResetForNewGame();
    EXPECT_EQ(enemy, &Enemy(C::k02, 0));
    EXPECT_EQ(shot, &manager_.ShotRecords()[0]);
    EXPECT_EQ(0, enemy->active);
    EXPECT_EQ(0, enemy->spawned);
    EXPECT_EQ(2, enemy->hitPoints);
    EXPECT_DOUBLE_EQ(-10.0, enemy->x);
    EXPECT_DOUBLE_EQ(100.0, enemy->z);
    EXPECT_DOUBLE_EQ(facedYaw, enemy->yaw);
    EXPECT_EQ(0, shot->active);
    EXPECT_DOUBLE_EQ(100.0, shot->z);
    EXPECT_FALSE(manager_.Launched(0));
    EXPECT_EQ(0, *manager_.BodyHit());
    EXPECT_EQ(0, manager_.ProgramExplosion().ActiveCount());

    // The game replays: it appears again and fires again on its first frame.
    Frame();
    EXPECT_EQ(1, enemy->active);
    Frame();
    EXPECT_TRUE(manager_.Launched(0));
}

}  // namespace
