// The stage-2 final boss in its battle: its entry, the capture holes and the capture the controller runs,
// the fans and their beams, the meteors, the choice of attacks near its end, and its death.

#include <algorithm>
#include <cmath>
#include <set>

#include "bosses/boss05.h"
#include "bosses/roster_fixture.h"
#include "platform/core/random.h"

namespace {

using Attack = Boss05::Attack;

class Boss05Test : public RosterTest {
protected:
    void SetUp() override {
        RosterTest::SetUp();
        BeginStage(2);
        ShipAway();
    }
    void BeginStage2() {
        BeginStage(2);
        SetBossBattleActive(0);
        // The stage's first boss has had its battle.
        roster_.GetBoss(2).Body().appeared = 1;
    }
    // Enters the boss at its time; the clock then stands one frame after the entry tick.
    void Enter() {
        BeginStage2();
        ShipAway();
        StageClockAt(120000);
        entryTick_ = clock_.Ticks();
        Step();
        ASSERT_EQ(1, Body().active);
    }
    Boss05& Boss() { return static_cast<Boss05&>(roster_.GetBoss(3)); }
    BodyRecord& Body() { return roster_.GetBoss(3).Body(); }
    BossBullet& Hole(int j) { return Boss().List(Boss05::kHoleList)[static_cast<std::size_t>(j)]; }
    BossBullet& Fan(int i) { return Boss().List(Boss05::kFanList)[static_cast<std::size_t>(i)]; }
    BossBullet& Meteor(int i) { return Boss().List(Boss05::kMeteorList)[static_cast<std::size_t>(i)]; }
    // Top left, clear of the holes, the fans' rack and the meteors' lanes.
    void ShipAway() {
        ship_ = PlayerState::NewGame();
        ship_.x = -10.0;
        ship_.y = 8.0;
    }
    void ShipOn(const BossBullet& b) {
        ship_.x = b.x;
        ship_.y = b.y;
    }
    // Lets the running attack end with `next` chosen after it (the end's draw is the only one in its frame).
    void EndWithNext(Attack next) {
        const int among = Body().life < Boss05::kLowLife ? 2 : 3;
        const std::uint32_t seed = SeedDrawingFirst(static_cast<int>(next), among);
        ASSERT_TRUE(Boss().Running());
        int frames = 0;
        while (Boss().Running() && frames++ < 1000) {
            platform::Srand(seed);
            Step();
        }
        ASSERT_FALSE(Boss().Running());
        ASSERT_EQ(next, Boss().NextAttack());
    }
    // The first attack (the holes) at full size, the ship over hole 1: captured in that battle step.
    std::uint32_t CaptureAtFullSize() {
        Enter();
        EXPECT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
        const std::uint32_t opened = Boss().HoleGrowth().Start();
        clock_.Set(opened + 2000);
        roster_.Step(clock_.Ticks());
        ShipOn(Hole(1));
        roster_.Battle(clock_.Ticks());
        EXPECT_EQ(1, roster_.Captured());
        clock_.Advance(kFrameMs);
        return roster_.CaptureTrack().Start();
    }
};

TEST_F(Boss05Test, EntersAtTheStageTwoClockWithItsMusicIntroductionAndLists) {
    BeginStage2();
    StageClockAt(119967);
    Step();
    EXPECT_EQ(0, Body().active);
    Step();
    EXPECT_EQ(1, Body().active);
    EXPECT_EQ((std::vector<int>{7}), audio_.tracks);
    EXPECT_EQ(4, GetCameraCutInIndex());
    EXPECT_EQ(400, Body().life);
    EXPECT_EQ(4u, Boss().List(Boss05::kFanList).Size());
    EXPECT_GE(Boss().List(Boss05::kMeteorList).Size(), 1u);
    EXPECT_EQ(4u, Boss().List(Boss05::kHoleList).Size());
    EXPECT_EQ(4u, Boss().ExtraBullets().size());
    Step();
    EXPECT_DOUBLE_EQ(2.0, Body().y);
    EXPECT_DOUBLE_EQ(40.0, Body().z);
    // The fans rest on the rack behind the body's top.
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(Body().x - 3.0 + 2.0 * i, Fan(i).x, 1e-9);
        EXPECT_DOUBLE_EQ(5.0, Fan(i).y);
        EXPECT_DOUBLE_EQ(43.0, Fan(i).z);
    }
}

TEST_F(Boss05Test, FirstAttackOpensTheHolesWhichGrowHoldAndCloseOverTenSeconds) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
    const std::uint32_t opened = Boss().HoleGrowth().Start();
    EXPECT_GT(opened - entryTick_, 3000u);
    EXPECT_LE(opened - entryTick_, 3000u + kFrameMs);
    for (int j = 0; j < 4; ++j) EXPECT_EQ(1, Hole(j).alive) << j;

    const std::pair<std::uint32_t, double> sizes[] = {{1000, 0.6}, {2000, 1.0}, {5000, 1.0}, {8000, 1.0}, {9000, 0.6}};
    for (auto [at, size] : sizes) {
        clock_.Set(opened + at);
        roster_.Step(clock_.Ticks());
        for (int j = 1; j < 4; ++j) {
            EXPECT_NEAR(size, Hole(j).sx, 1e-4) << at << " ms, hole " << j;
            EXPECT_NEAR(size * Boss05::kHoleRadius, Hole(j).rv, 1e-4);
            // Each hole lies on its black hole.
            EXPECT_DOUBLE_EQ(Boss().BlackHole(j).x, Hole(j).x);
            EXPECT_DOUBLE_EQ(Boss().BlackHole(j).y, Hole(j).y);
        }
        // Entry 0 lies on the black hole under the body.
        EXPECT_DOUBLE_EQ(Body().x, Hole(0).x);
        EXPECT_DOUBLE_EQ(Body().y - 6.0, Hole(0).y);
        EXPECT_DOUBLE_EQ(Body().z - 4.0, Hole(0).z);
    }
    clock_.Set(opened + 9999);
    roster_.Step(clock_.Ticks());
    EXPECT_EQ(1, Hole(1).alive);
    clock_.Set(opened + 10000);
    roster_.Step(clock_.Ticks());
    for (int j = 0; j < 4; ++j) EXPECT_EQ(0, Hole(j).alive) << j;
    EXPECT_FALSE(Boss().Running());
}

TEST_F(Boss05Test, EntryZeroUnderTheBodyHurtsAndTheHolesCaptureWithoutHurting) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
    clock_.Set(Boss().HoleGrowth().Start() + 2000);
    roster_.Step(clock_.Ticks());
    // Just inside and just outside the reach of the hole under the body.
    const double reach = Boss05::kHoleRadius + ship_.rv;
    ship_.x = Hole(0).x - reach - 0.01;
    ship_.y = Hole(0).y;
    roster_.Battle(clock_.Ticks());
    EXPECT_EQ(223, ship_.life);
    ship_.x = Hole(0).x - reach + 0.01;
    roster_.Battle(clock_.Ticks());
    EXPECT_EQ(223 - Boss05::kHoleDamage, ship_.life);
    EXPECT_EQ(0, roster_.Captured());

    clock_.Advance(600);
    roster_.Step(clock_.Ticks());
    ship_.x = Hole(2).x;
    ship_.y = Hole(2).y + reach + 0.01;
    roster_.Battle(clock_.Ticks());
    EXPECT_EQ(0, roster_.Captured());
    ship_.y = Hole(2).y + reach - 0.01;
    roster_.Battle(clock_.Ticks());
    EXPECT_EQ(1, roster_.Captured());
    EXPECT_EQ(223 - Boss05::kHoleDamage, ship_.life) << "a capture costs nothing until it ends";
    EXPECT_EQ(1, audio_.Count(3));
}

TEST_F(Boss05Test, CapturedShipGoesToDepth45UnseenAndComesBackTwentyLifeShort) {
    const std::uint32_t caught = CaptureAtFullSize();
    EXPECT_EQ(1, ship_.centring);
    EXPECT_EQ(1, Body().holdPosition);
    EXPECT_TRUE(Boss().CaptureHeld());
    const double heldX = Body().x;
    audio_.sounds.clear();

    int deepFrames = 0, goneFrames = 0;
    while (roster_.Captured() && platform::GetTickCount() - caught < 5000) {
        const std::uint32_t t = platform::GetTickCount() - caught;
        Step();
        if (!roster_.Captured()) {
            EXPECT_GE(t, 4000u);
            break;
        }
        EXPECT_DOUBLE_EQ(heldX, Body().x) << "the body waits at " << t;
        EXPECT_EQ(223, ship_.life);
        if (t >= 1600 && t <= 3000) {
            EXPECT_NEAR(45.0, ship_.z, 1e-4) << t;
            ++deepFrames;
        }
        if (t < 1330 || (t > 3170 && t < 4000)) {
            EXPECT_EQ(1, ship_.alive) << t;
        }
        if (t > 1340 && t < 3160) {
            EXPECT_EQ(0, ship_.alive) << t;
            ++goneFrames;
        }
    }
    EXPECT_GE(deepFrames, 40);
    EXPECT_GE(goneFrames, 50);
    EXPECT_EQ(0, roster_.Captured());
    EXPECT_DOUBLE_EQ(15.0, ship_.z);
    EXPECT_EQ(1, ship_.alive);
    EXPECT_EQ(0, ship_.centring);
    EXPECT_EQ(223 - BossRoster::kCaptureLife, ship_.life);
    EXPECT_EQ((std::vector<int>{3}), audio_.sounds);
    EXPECT_TRUE(roster_.HitEffects().Showing(platform::GetTickCount()));
    // The body sways on from where it stopped.
    EXPECT_EQ(0, Body().holdPosition);
    ShipAway();
    Step();
    EXPECT_NEAR(heldX, Body().x, 0.2);
    EXPECT_NE(heldX, Body().x);
}

TEST_F(Boss05Test, NoSecondCaptureWhileOneRuns) {
    const std::uint32_t caught = CaptureAtFullSize();
    Steps(10);
    ShipOn(Hole(2));
    Steps(10);
    EXPECT_EQ(caught, roster_.CaptureTrack().Start());
    ShipOn(Hole(3));
    ASSERT_GE(StepsUntil([&] { return roster_.Captured() == 0; }), 0);
    EXPECT_EQ(223 - BossRoster::kCaptureLife, ship_.life);
    EXPECT_EQ(1, audio_.Count(3));
}

TEST_F(Boss05Test, FansWaitForACaptureToEndAndTheSwayThenGoesOnWithoutAJump) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
    const std::uint32_t opened = Boss().HoleGrowth().Start();
    // Caught late: the capture outlasts the holes and the fans' gate.
    clock_.Set(opened + 9500);
    roster_.Step(clock_.Ticks());
    ShipOn(Hole(1));
    roster_.Battle(clock_.Ticks());
    ASSERT_EQ(1, roster_.Captured());
    const double heldX = Body().x;
    clock_.Advance(kFrameMs);
    EndWithNext(Attack::kFans);
    while (roster_.Captured()) {
        EXPECT_FALSE(Boss().Running()) << "no fans while the ship is held";
        Step();
    }
    EXPECT_GT(platform::GetTickCount() - opened, 10000u + 3000u) << "the fans' gate was open during the capture";
    ShipAway();
    ASSERT_GE(StepsUntil([&] { return Boss().Running(); }, 5), 0);
    EXPECT_NEAR(heldX, Body().x, 0.2);
    // After the fans the sway carries on from where the capture stopped it.
    ASSERT_GE(StepsUntil([&] { return !Boss().Running(); }), 0);
    Step();
    EXPECT_NEAR(heldX, Body().x, 0.3);
}

TEST_F(Boss05Test, FansFlyFourDifferentPathsToDepthTwentyAndTheirBeamsHitTheShip) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
    static constexpr float kLastX[5] = {5, -3, 7, 2, 6};
    static constexpr float kLastY[5] = {-5, 3, 7, -2, 6};
    for (std::uint32_t round = 0; round < 6; ++round) {
        EndWithNext(Attack::kFans);
        platform::Srand(100 + round);
        ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
        std::set<int> paths;
        for (int i = 0; i < 4; ++i) paths.insert(Boss().PathOf(i));
        EXPECT_EQ(4u, paths.size()) << "round " << round;
        EXPECT_EQ(1, Body().holdPosition);

        const std::uint32_t launch = Boss().FanDepth(0).Start();
        clock_.Set(launch + Boss05::kFanFlightMs);
        roster_.Step(clock_.Ticks());
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(20.0, Fan(i).z, 1e-4);
            EXPECT_NEAR(kLastX[Boss().PathOf(i)], Fan(i).x, 1e-4);
            EXPECT_NEAR(kLastY[Boss().PathOf(i)], Fan(i).y, 1e-4);
        }
        EXPECT_TRUE(Boss().Returning());
        for (int i = 0; i < 4; ++i) EXPECT_EQ(1, Boss().FanBeam(i).alive);
    }
    // A beam crossing the ship's plane costs the fan beams' damage.
    ship_.life = 223;
    const std::uint32_t fired = platform::GetTickCount();
    clock_.Set(fired + 200);
    roster_.Step(clock_.Ticks());
    const BossBullet& beam = Boss().FanBeam(0);
    ASSERT_NEAR(15.0, beam.z, 0.5);
    ship_.x = beam.x;
    ship_.y = beam.y;
    roster_.Battle(clock_.Ticks());
    EXPECT_EQ(223 - Boss05::kFanBeamDamage, ship_.life);
    // The return ends the attack: beams off, the body free.
    clock_.Set(fired + Boss05::kFanReturnDelay + Boss05::kFanReturnMs);
    ShipAway();
    roster_.Step(clock_.Ticks());
    EXPECT_FALSE(Boss().Running());
    EXPECT_EQ(0, Body().holdPosition);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(0, Boss().FanBeam(i).alive);
}

TEST_F(Boss05Test, MeteorsStartWithinFourSecondsAndTheShowerLastsUntilTheLastHasCrossed) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
    EndWithNext(Attack::kMeteors);
    ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
    const std::uint32_t launch = platform::GetTickCount() - kFrameMs;
    std::uint32_t latest = 0;
    for (int i = 0; i < Boss05::kMeteorCount; ++i) {
        EXPECT_EQ(1, Meteor(i).alive);
        const std::uint32_t delay = Boss().MeteorDepth(i).Start() - launch;
        EXPECT_LT(delay, 4000u);
        latest = std::max(latest, delay);
    }
    EXPECT_EQ(latest, Boss().MeteorDepth(Boss().LastMeteor()).Start() - launch);

    // Meteor 0 in the ship's plane hurts by the meteors' damage.
    ASSERT_GE(StepsUntil([&] { return std::abs(Meteor(0).z - 15.0) < 0.5; }), 0);
    ShipOn(Meteor(0));
    roster_.Battle(clock_.Ticks());
    EXPECT_EQ(223 - Boss05::kMeteorDamage, ship_.life);
    ShipAway();

    const std::uint32_t over = Boss().MeteorDepth(Boss().LastMeteor()).Start() + Boss05::kMeteorMs;
    clock_.Set(over - 1);
    roster_.Step(clock_.Ticks());
    EXPECT_TRUE(Boss().Running());
    clock_.Set(over);
    roster_.Step(clock_.Ticks());
    EXPECT_FALSE(Boss().Running());
    for (int i = 0; i < Boss05::kMeteorCount; ++i) EXPECT_EQ(0, Meteor(i).alive);
}

TEST_F(Boss05Test, BelowTenLifeTheHolesAreNeverChosenAgain) {
    for (std::int32_t life : {400, 9}) {
        Enter();
        platform::Srand(12345);
        ASSERT_GE(StepsUntil([&] { return Boss().Running(); }), 0);
        Body().life = life;
        std::vector<Attack> chosen;
        bool was = true;
        for (int frame = 0; frame < 20000 && chosen.size() < 20; ++frame) {
            Step();
            ship_.life = 223;
            if (Boss().Running() && !was) chosen.push_back(Boss().NextAttack());
            was = Boss().Running();
            ShipAway();
        }
        ASSERT_EQ(20u, chosen.size());
        const auto holes = std::count(chosen.begin(), chosen.end(), Attack::kHoles);
        if (life < Boss05::kLowLife) {
            EXPECT_EQ(0, holes);
            EXPECT_GT(std::count(chosen.begin(), chosen.end(), Attack::kFans), 0);
            EXPECT_GT(std::count(chosen.begin(), chosen.end(), Attack::kMeteors), 0);
        } else {
            EXPECT_GT(holes, 0);
        }
    }
}

TEST_F(Boss05Test, KilledMidCaptureTheShipIsLetGoAndAStageResetLetsItGoToo) {
    CaptureAtFullSize();
    clock_.Advance(2000);
    Step();
    ASSERT_EQ(0, ship_.alive);
    ASSERT_NEAR(45.0, ship_.z, 1e-4);
    KillWithShot(3);
    Step();
    EXPECT_EQ(0, Body().active);
    EXPECT_EQ(0, roster_.Captured());
    EXPECT_DOUBLE_EQ(15.0, ship_.z);
    EXPECT_EQ(1, ship_.alive);
    EXPECT_EQ(0, ship_.centring);
    EXPECT_EQ(223, ship_.life) << "let go without the capture's cost";

    CaptureAtFullSize();
    clock_.Advance(2000);
    Step();
    ASSERT_NEAR(45.0, ship_.z, 1e-4);
    BeginStage(3);
    EXPECT_EQ(0, roster_.Captured());
    EXPECT_FALSE(Boss().CaptureHeld());
    EXPECT_DOUBLE_EQ(15.0, ship_.z);
    EXPECT_EQ(1, ship_.alive);
    EXPECT_EQ(0, ship_.centring);
    // A ship with no life left stays down.
    ship_.life = 0;
    ship_.alive = 0;
    BeginStage(3);
    EXPECT_EQ(0, ship_.alive);
}

TEST_F(Boss05Test, ItsDeathFadesTheMusicAndClearsTheStageWithoutFoldingTheClock) {
    Enter();
    Steps(30);
    UpdateStageClock(clock_.Ticks());
    const std::uint32_t before = StageElapsed();
    ASSERT_GT(before, 120000u + 29 * kFrameMs);
    KillWithShot(3);
    Step();
    EXPECT_EQ(0, Body().active);
    EXPECT_EQ((std::vector<int>{2000}), audio_.fades);
    EXPECT_EQ(1, audio_.Count(13));
    EXPECT_EQ(StageEnd::kStageClear, lastEnd_);
    EXPECT_EQ(3, GetNextStage());
    EXPECT_EQ(1, roster_.Explosions().ActiveCount());
    UpdateStageClock(clock_.Ticks());
    EXPECT_GE(StageElapsed(), before) << "the battle stays in the stage's time";
    EXPECT_EQ(1, IsBossBattleActive());
}

}  // namespace
