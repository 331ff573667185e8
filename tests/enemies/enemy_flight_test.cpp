// Enemies arriving on the stage clock, flying their paths and firing their shots.

#include <cmath>

#include "enemy_test_support.h"

namespace {

using C = EnemyClass;

TEST_F(EnemyManagerTest, AnEnemyAt100FiresOnItsFirstFrameAndItsShotFliesAboutTwoSeconds) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 10, 10, 100, 0, 1, 10.0));
        t.Order(C::k01, 0, 10, 10, -10, 16000);
    });
    Frame();
    const EnemyRecord& e = Enemy(C::k01, 0);
    ASSERT_EQ(1, e.active);
    // It appeared at the end of the frame: its shot waits, unseen and harmless, for the first launch.
    EXPECT_EQ(0, ShotOf(e).active);
    EXPECT_FALSE(manager_.Launched(0));

    const std::uint32_t launchTick = Now();
    Frame();
    const EnemyShotRecord& shot = ShotOf(e);
    ASSERT_EQ(1, shot.active);
    ASSERT_TRUE(manager_.Launched(0));
    const KeyframeTrack& z = manager_.Shots().FlightZ(0);
    EXPECT_EQ(launchTick, z.Start());
    // Two units a frame over sqrt(D^2 + sideways^2) with D = z + 20 (about 120): about 2028 ms.
    EXPECT_NEAR(2026.0, static_cast<double>(z.Duration()), 6.0);
    EXPECT_NEAR(e.z, z.KeyValue(0), 1e-4);
    EXPECT_FLOAT_EQ(-10.0f, z.KeyValue(1));
    // Straight along its heading: 10 degrees of yaw carry it sin(10 deg) x D to the left.
    const double d = e.z + 20.0;
    EXPECT_NEAR(10.0 - std::sin(10.0 * 0.017453293) * d, manager_.Shots().FlightX(0).KeyValue(1), 2e-3);
    EXPECT_FLOAT_EQ(10.0f, manager_.Shots().FlightY(0).KeyValue(1));
    // Placed at its launch point in the launch frame, not thrown to the end of its flight.
    EXPECT_NEAR(e.z, shot.z, 1e-9);

    // No second shot while the first flies; relaunched on the first frame after its flight has ended.
    const std::uint32_t end = z.Start() + z.Duration();
    double lastZ = shot.z;
    while (Now() < end) {
        Frame();
        EXPECT_EQ(launchTick, manager_.Shots().FlightZ(0).Start());
        EXPECT_LT(shot.z, lastZ);
        lastZ = shot.z;
    }
    const std::uint32_t relaunch = Now();
    Frame();
    EXPECT_EQ(relaunch, manager_.Shots().FlightZ(0).Start());
}

TEST_F(EnemyManagerTest, AnEnemyAt200FiresOnlyOnceCloserThan150) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 3, 10, 200, 0));
        t.Order(C::k01, 0, 3, 10, -10, 12000);
    });
    const EnemyRecord& e = Enemy(C::k01, 0);
    int frames = 0;
    double zBefore = e.z;
    while (!manager_.Launched(0) && frames < 200) {
        zBefore = e.z;
        Frame();
        ++frames;
    }
    ASSERT_TRUE(manager_.Launched(0));
    // 50 units at 210 per 12 s: about 2.9 s, some 87 frames.
    EXPECT_NEAR(88, frames, 2);
    EXPECT_GE(zBefore, 150.0);
    EXPECT_LT(e.z, 150.0);
    EXPECT_NEAR(e.z, manager_.Shots().FlightZ(0).KeyValue(0), 1e-4);
}

TEST_F(EnemyManagerTest, AnAimedShotHeadsForTheShipWithAScatterOfWholeUnits) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k02, 0, 0, 100, 0, 2));
        t.Order(C::k02, 0, 0, 0, -10, 16000);
    });
    ship_.x = 3.0;
    ship_.y = -2.0;
    Frame();
    Frame();
    ASSERT_TRUE(manager_.Launched(0));
    const EnemyRecord& e = Enemy(C::k02, 0);
    const EnemyShotRecord& shot = ShotOf(e);
    const double dz = e.z - 15.0;
    EXPECT_NEAR(std::atan2(-3.0, dz), shot.yaw, 1e-6);
    EXPECT_NEAR(-std::atan2(2.0, dz), shot.pitch, 1e-6);
    const double d = e.z + 20.0;
    const double offX = manager_.Shots().FlightX(0).KeyValue(1) - (e.x - d * shot.yaw);
    const double offY = manager_.Shots().FlightY(0).KeyValue(1) - (e.y + d * shot.pitch);
    for (double off : {offX, offY}) {
        EXPECT_NEAR(std::round(off), off, 1e-3);
        EXPECT_GE(std::round(off), 0.0);
        EXPECT_LE(std::round(off), 5.0);
    }
}

TEST_F(EnemyManagerTest, AFrame40MsLateSpawnsTheEnemyWithItsTracks40MsAlong) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 3, 10, 200, 1000));
        t.Order(C::k01, 0, 3, 10, -10, 12000);
    });
    clock_.Set(kStart + 960u);
    Frame();
    ASSERT_EQ(0, Enemy(C::k01, 0).active);
    clock_.Set(kStart + 1040u);
    Frame();
    const EnemyRecord& e = Enemy(C::k01, 0);
    ASSERT_EQ(1, e.active);
    EXPECT_EQ(kStart + 1000u, manager_.Class(C::k01).TrackZ(0).Start());
    EXPECT_EQ(kStart + 1000u, manager_.Class(C::k01).TrackX(0).Start());
    // The next frame finds it 73 ms along its 12 s path.
    Frame();
    EXPECT_EQ(1, e.active);
    EXPECT_NEAR(200.0 - 210.0 * 73.0 / 12000.0, e.z, 1e-3);
}

TEST_F(EnemyManagerTest, ALateSpawnsDueTickIsReckonedAcrossTheTicksWrap) {
    // The stage starts 1024 ms before the tick count wraps to 0; the frame 40 ms late comes after it.
    const std::uint32_t stageStart = 0xFFFFFC00u;
    clock_.Set(stageStart);
    StartStageClock(clock_.Ticks());
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 3, 10, 200, 1000));
        t.Order(C::k01, 0, 3, 10, -10, 12000);
    });
    clock_.Set(stageStart + 1040u);
    Frame();
    ASSERT_EQ(1, Enemy(C::k01, 0).active);
    EXPECT_EQ(stageStart + 1000u, manager_.Class(C::k01).TrackZ(0).Start());
    // Nor does the wrap end its path early.
    for (int i = 0; i < 10; ++i) Frame();
    EXPECT_EQ(1, Enemy(C::k01, 0).active);
}

TEST_F(EnemyManagerTest, AnEntryOfTimeZeroStartsItsTracksExactlyAtTheStageStart) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k04, -8, 7, 200, 0, 1, -10.0));
        t.Order(C::k04, 0, -8, 10, -10, 16000);
    });
    Frame();
    EXPECT_EQ(kStart, manager_.Class(C::k04).TrackZ(0).Start());
    EXPECT_EQ(kStart, manager_.Class(C::k04).TrackAngle(0).Start());
}

TEST_F(EnemyManagerTest, EntriesOfAnotherStageNeverAppearWhateverTheClockSays) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(2, C::k01, 0, 0, 150, 0));
        t.AddEntry(Entry(1, C::k01, 5, 0, 150, 0));
        t.Order(C::k01, 0, 0, 0, -10, 14000);
        t.Order(C::k01, 1, 5, 0, -10, 14000);
    });
    for (std::uint32_t elapsed : {0u, 20000u, 105000u, 4000000u}) {
        clock_.Set(kStart + elapsed);
        Frame();
        EXPECT_EQ(0, Enemy(C::k01, 0).active) << elapsed;
        EXPECT_EQ(0, Enemy(C::k01, 0).spawned) << elapsed;
    }
    EXPECT_EQ(1, Enemy(C::k01, 1).spawned);

    SetStage(2);
    Frame();
    EXPECT_EQ(1, Enemy(C::k01, 0).active);
}

TEST_F(EnemyManagerTest, NoEntryAppearsDuringABossBattleAndADueOneAppearsAfterIt) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k03, 0, 0, 200, 500));
        t.Order(C::k03, 0, 0, 0, -10, 14000);
    });
    for (int i = 0; i < 10; ++i) Frame();
    SetBossBattleActive(1);
    BossTimerStart(clock_.Ticks());
    // The stage clock runs on through the battle until the battle is folded out of it.
    for (int i = 0; i < 60; ++i) Frame();
    EXPECT_GT(StageElapsed(), 500u);
    EXPECT_EQ(0, Enemy(C::k03, 0).spawned);

    BossTimerFold(clock_.Ticks());
    SetBossBattleActive(0);
    int frames = 0;
    while (!Enemy(C::k03, 0).active && frames++ < 20) Frame();
    ASSERT_EQ(1, Enemy(C::k03, 0).active);
    EXPECT_GE(StageElapsed(), 500u);
    EXPECT_LT(StageElapsed(), 500u + kFrameMs);
}

TEST_F(EnemyManagerTest, AnEntryWithoutAnOrderNeverComesOntoTheFieldNorBecomesTheTarget) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k02, 4, 2, 100, 0));
        t.AddEntry(Entry(1, C::k05, -4, 2, 100, 0));
    });
    Frame();
    EXPECT_EQ(0, Enemy(C::k02, 0).active + Enemy(C::k05, 0).active);
    EXPECT_DOUBLE_EQ(EnemyManager::kNoTargetDepth, manager_.TargetList()[0].z);
    Frame();
    for (const EnemyRecord* e : {&Enemy(C::k02, 0), &Enemy(C::k05, 0)}) {
        EXPECT_EQ(0, e->active);
        EXPECT_DOUBLE_EQ(100.0, e->z);
        EXPECT_DOUBLE_EQ(2.0, e->y);
        // Gone before it could fire, though it stood within range.
        EXPECT_EQ(0, ShotOf(*e).active);
    }
    EXPECT_DOUBLE_EQ(4.0, Enemy(C::k02, 0).x);
    EXPECT_DOUBLE_EQ(-4.0, Enemy(C::k05, 0).x);
}

TEST_F(EnemyManagerTest, OrdersPastAClassesEnemiesAreIgnored) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 0, 0, 100, 0));
        t.AddEntry(Entry(1, C::k04, 0, 0, 100, 0));
        t.Order(C::k01, 1, 0, 0, -10, 14000);
        t.Order(C::k01, -1, 0, 0, -10, 14000);
        t.Order(C::k04, 7, 0, 0, -10, 14000);
        t.Order(C::k02, 0, 0, 0, -10, 14000);
    });
    EXPECT_EQ(1u, manager_.Class(C::k01).Count());
    EXPECT_EQ(0, manager_.Class(C::k01).TrackZ(0).Count());
    EXPECT_EQ(0, manager_.Class(C::k04).TrackAngle(0).Count());
    EXPECT_EQ(0u, manager_.Class(C::k02).Count());
}

TEST_F(EnemyManagerTest, PathsEndAtDepthOneOrWhenTheirTrackRunsOut) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k01, 0, 0, 30, 0));
        t.Order(C::k01, 0, 0, 0, -10, 1000);
        // The one order in the game that ends in front of the ship.
        t.AddEntry(Entry(1, C::k05, 4, 6, 200, 0, 1, 10.0));
        t.Order(C::k05, 0, 4, 6, 10, 1000);
    });
    Frame();
    const EnemyRecord& dart = Enemy(C::k01, 0);
    const EnemyRecord& ship5 = Enemy(C::k05, 0);
    for (int i = 0; i < 40 && dart.active; ++i) {
        const double z = dart.z;
        Frame();
        if (!dart.active) {
            EXPECT_GT(z, 1.0);
        }
    }
    // The dart passed z = 1 some 270 ms before its track's end; its shot went with it.
    EXPECT_LT(Now() - kStart, 1000u - 200u);
    EXPECT_EQ(0, ShotOf(dart).active);
    EXPECT_EQ(1, ship5.active);
    while (Now() < kStart + 1000) Frame();
    EXPECT_EQ(1, ship5.active);
    Frame();
    EXPECT_EQ(0, ship5.active);
}

TEST_F(EnemyManagerTest, CirclingEnemiesTurnAroundTheirSpawnPointFacingTheirEndPoint) {
    Build([](EnemyTimetableSink& t) {
        t.AddEntry(Entry(1, C::k04, -8, 7, 200, 0, 1, -10.0));
        t.Order(C::k04, 0, -8, 10, -10, 16000);
        t.AddEntry(Entry(2, C::k02, -10, 0, 200, 0, 2, -10.0));
        t.Order(C::k02, 0, 10, 5, -10, 14000);
    });
    const EnemyRecord& drone = Enemy(C::k04, 0);
    // Straight up the slope towards its end point: no yaw, and pitched by the climb.
    EXPECT_DOUBLE_EQ(0.0, drone.yaw);
    EXPECT_NEAR(std::atan2(3.0, 210.0), drone.pitch, 1e-12);
    const EnemyRecord& saucer = Enemy(C::k02, 0);
    EXPECT_NEAR(std::atan2(-20.0, 210.0), saucer.yaw, 1e-12);
    EXPECT_NEAR(-std::atan2(-5.0, 210.0), saucer.pitch, 1e-12);

    Frame();
    std::vector<double> angles;
    for (int i = 0; i < 30; ++i) {
        Frame();
        EXPECT_NEAR(5.0, std::hypot(drone.x + 8.0, drone.y - 7.0), 1e-4);
        angles.push_back(std::atan2(drone.y - 7.0, drone.x + 8.0));
    }
    // A full turn takes 8 s: 33 ms is about 1.5 degrees.
    EXPECT_NEAR(33.0 / 8000.0 * 2.0 * 3.14159265, angles[1] - angles[0], 1e-3);
    EXPECT_NEAR(200.0 - 210.0 * (30.0 * 33.0) / 16000.0, drone.z, 1e-3);
}

}  // namespace
