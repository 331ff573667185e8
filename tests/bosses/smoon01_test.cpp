// The first moon in its battle: the swords first, laid out in an L, coming forward and sweeping from
// 1500 ms, humming once a frame and costing 20 where they pass; the hundred staggered shots, each spent
// when its flight ends and all at the attack's end.

#include <vector>

#include "bosses/moon_fixture.h"
#include "bosses/smoon01.h"
#include "audio/sound_cues.h"

namespace {

class Smoon01Test : public MoonTest {
protected:
    Smoon01& Moon() { return static_cast<Smoon01&>(roster_.GetBoss(4)); }
    BulletPool& Bars() { return Moon().List(Smoon01::kBarList); }
    BulletPool& Shots() { return Moon().List(Smoon01::kShotList); }
    int LiveBars() {
        int n = 0;
        for (const BossBullet& b : Bars()) n += b.alive;
        return n;
    }
    int LiveShots() {
        int n = 0;
        for (const BossBullet& s : Shots()) n += s.alive;
        return n;
    }
    // Enters and steps to the launch of the swords; returns the launch tick.
    std::uint32_t ToBars() {
        EnterMoon(4);
        EXPECT_GE(StepsUntil([&] { return Moon().BarsRunning(); }), 0);
        return LastFrameTick();
    }
};

TEST_F(Smoon01Test, FirstAttackIsTheSwordsInAnLThreeSecondsAfterEntry) {
    for (std::uint32_t seed : {1u, 5u, 99u}) {
        BeginStage(3);
        platform::Srand(seed);
        const std::uint32_t launch = ToBars();
        EXPECT_GT(launch - entryTick_, 3000u) << "seed " << seed;
        EXPECT_LE(launch - entryTick_, 3000u + kFrameMs) << "seed " << seed;
        EXPECT_EQ(0, LiveShots());
        EXPECT_EQ(0, audio_.Count(sound::kBossShots));
        ASSERT_EQ(12u, Bars().Size());
        for (std::size_t i = 0; i < 12; ++i) {
            const BossBullet& bar = Bars()[i];
            const double x = i < 8 ? 5.0 * static_cast<double>(i) - 15.0 : -20.0;
            const double y = i < 8 ? 10.0 : 5.0 - 5.0 * static_cast<double>(i - 8);
            EXPECT_EQ(1, bar.alive) << i;
            EXPECT_DOUBLE_EQ(x, bar.x) << i;
            EXPECT_DOUBLE_EQ(y, bar.y) << i;
            EXPECT_DOUBLE_EQ(40.0, bar.z) << i;
            EXPECT_EQ(20, bar.damage) << i;
        }
        SetBossBattleActive(0);
    }
}

TEST_F(Smoon01Test, SwordsStandStillFor1500MsThenComeForwardSweepAndAreSwitchedOffAtTheEnd) {
    const std::uint32_t launch = ToBars();
    // Still in place up to 1500 ms after the launch.
    clock_.Set(launch + 1500);
    Step();
    EXPECT_DOUBLE_EQ(40.0, Bars()[0].z);
    EXPECT_DOUBLE_EQ(10.0, Bars()[0].y);
    Step();
    EXPECT_LT(Bars()[0].z, 40.0) << "moving after 1500 ms";
    // Forward by 3000 ms, half-way through the sweep at 4500 ms.
    clock_.Set(launch + 4500);
    Step();
    EXPECT_DOUBLE_EQ(Smoon01::kBarNearZ, Bars()[0].z);
    EXPECT_NEAR(10.0 + 0.5 * (Smoon01::kRowEndY - 10.0), Bars()[3].y, 1e-5);
    EXPECT_DOUBLE_EQ(0.0, Bars()[3].x);
    EXPECT_NEAR(-20.0 + 0.5 * (Smoon01::kColumnEndX + 20.0), Bars()[9].x, 1e-5);
    EXPECT_DOUBLE_EQ(0.0, Bars()[9].y);
    // Out on the first frame at or after 6000 ms, when the sweep has run out.
    clock_.Set(launch + 5999);
    Step();
    EXPECT_EQ(12, LiveBars());
    EXPECT_EQ(1, Moon().Attacking());
    clock_.Set(launch + 6000);
    Step();
    EXPECT_EQ(0, LiveBars());
    EXPECT_EQ(0, Moon().Attacking());
}

TEST_F(Smoon01Test, TheSwordsHumOnceAFrameWhileTheyAreOut) {
    ToBars();
    int frames = 1;  // the launch frame already hummed
    EXPECT_EQ(1, audio_.Count(sound::kBossSweep));
    while (LiveBars() > 0 && frames < 400) {
        const int before = audio_.Count(sound::kBossSweep);
        Step();
        const int hums = audio_.Count(sound::kBossSweep) - before;
        EXPECT_LE(hums, 1) << "frame " << frames;
        if (LiveBars() > 0) {
            EXPECT_EQ(1, hums) << "frame " << frames;
        }
        frames += LiveBars() > 0 ? 1 : 0;
    }
    // 6000 ms of swords at 33 ms a frame.
    EXPECT_EQ(static_cast<int>((6000 + kFrameMs - 1) / kFrameMs), frames);
    EXPECT_EQ(frames, audio_.Count(sound::kBossSweep));
    Steps(10);
    EXPECT_EQ(frames, audio_.Count(sound::kBossSweep)) << "silent once the swords are gone";
}

TEST_F(Smoon01Test, ASwordCostsTwentyWhereItPassesAndAShipBetweenThemIsSpared) {
    struct Case {
        double x, y;
        std::int32_t lost;
    };
    // In the column's path at y 0 (but between the row's swords); in the row's path at x 0 (between the
    // column's); in the gaps of both.
    for (const Case c : {Case{2.5, 0.0, 20}, Case{0.0, -3.0, 20}, Case{2.5, 2.5, 0}, Case{-7.5, -2.5, 0}}) {
        BeginStage(3);
        ToBars();
        ship_ = PlayerState::NewGame();
        const std::int32_t start = ship_.life;
        audio_.sounds.clear();
        while (LiveBars() > 0) StepWithShipAt(c.x, c.y);
        EXPECT_EQ(c.lost, start - ship_.life) << c.x << "," << c.y;
        EXPECT_EQ(c.lost / 20, audio_.Count(3)) << c.x << "," << c.y;
        SetBossBattleActive(0);
    }
}

TEST_F(Smoon01Test, TheShotsLeaveTenMsApartAreSpentAsTheirFlightEndsAndAllAtTheEnd) {
    ToBars();
    SeedDrawingFirst(0, 2);  // the shots after the swords
    ASSERT_GE(StepsUntil([&] { return Moon().ShotsRunning(); }), 0);
    const std::uint32_t launch = LastFrameTick();
    EXPECT_EQ(1, audio_.Count(sound::kBossShots));
    EXPECT_EQ(100, LiveShots());
    for (std::size_t i = 0; i < Smoon01::kShotCount; ++i) {
        EXPECT_EQ(launch + 10u * static_cast<std::uint32_t>(i), Moon().ShotDepth(i).Start()) << i;
    }
    // The blade spins while the shots fly.
    roster_.Step(clock_.Ticks());
    EXPECT_NE(0.0, Moon().Body().roll);

    // Shot i is out on the first frame at or after its flight's end, launch + 10 i + 2000.
    clock_.Set(launch + 2000 + 495);
    Step();
    for (std::size_t i = 0; i < Smoon01::kShotCount; ++i) {
        EXPECT_EQ(i * 10 + 2000 > 2495 ? 1 : 0, Shots()[i].alive) << i;
    }
    clock_.Set(launch + 2990);
    Step();
    EXPECT_EQ(0, LiveShots());

    // The attack itself lasts as long as the spin's pass, 7900 ms after the launch.
    clock_.Set(launch + 7899);
    Step();
    EXPECT_EQ(1, Moon().ShotsRunning());
    clock_.Set(launch + 7900);
    Step();
    EXPECT_EQ(0, Moon().Attacking());
    roster_.Step(clock_.Ticks());
    EXPECT_EQ(0.0, Moon().Body().roll);
}

TEST_F(Smoon01Test, AShotReachesTheShipWhereItWasAimedAndCostsTwenty) {
    ToBars();
    SeedDrawingFirst(0, 2);
    ship_.x = -4.0;
    ship_.y = -3.0;
    ASSERT_GE(StepsUntil([&] { return Moon().ShotsRunning(); }), 0);
    const std::int32_t start = ship_.life;
    int frames = 0;
    std::vector<std::int32_t> losses;
    while (Moon().ShotsRunning() && frames < 300) {
        // The ship holds still: the shots scattered less than a unit and a half from it reach it.
        const std::int32_t lost = StepWithShipAt(-4.0, -3.0);
        if (lost != 0) losses.push_back(lost);
        ++frames;
    }
    ASSERT_FALSE(losses.empty()) << "no shot reached the ship";
    for (std::int32_t lost : losses) EXPECT_EQ(20, lost);
    EXPECT_EQ(start - 20 * static_cast<std::int32_t>(losses.size()), ship_.life);
}

}  // namespace
