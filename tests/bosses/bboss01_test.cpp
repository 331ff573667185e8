// The first boss in its battle: the sway, the beam and its damage while wide, the pincer that freezes the
// body and aims where the ship was.

#include <cmath>

#include "bosses/bboss01.h"
#include "bosses/roster_fixture.h"
#include "platform/core/random.h"

namespace {

class Bboss01Test : public RosterTest {
protected:
    // Enters the boss; the clock then stands at the entry tick.
    void Enter() {
        StageClockAt(80000);
        entryTick_ = clock_.Ticks();
        roster_.Step(clock_.Ticks());
        roster_.Battle(clock_.Ticks());
        ASSERT_EQ(1, Body().active);
    }
    Bboss01& Boss() { return static_cast<Bboss01&>(roster_.GetBoss(0)); }
    BodyRecord& Body() { return roster_.GetBoss(0).Body(); }
    BossBullet& Beam() { return Boss().List(Bboss01::kBeamList)[0]; }
    BossBullet& Arm(int i) { return Boss().List(Bboss01::kArmList)[static_cast<std::size_t>(i)]; }
};

TEST_F(Bboss01Test, SwaysLeftCentreRightEveryEightSeconds) {
    Enter();
    const double expected[3] = {-5.0, 0.0, 5.0};
    for (int k = 0; k < 3; ++k) {
        clock_.Set(entryTick_ + 2000u * static_cast<std::uint32_t>(k + 1));
        roster_.Step(clock_.Ticks());
        EXPECT_NEAR(expected[k], Body().x, 1e-5) << (k + 1) * 2 << " s after entry";
        EXPECT_DOUBLE_EQ(5.0, Body().y);
        EXPECT_DOUBLE_EQ(40.0, Body().z);
    }
    // The arms ride beside the body, three units nearer the ship.
    EXPECT_NEAR(Body().x + 4.0, Arm(0).x, 1e-9);
    EXPECT_NEAR(Body().x - 4.0, Arm(1).x, 1e-9);
    EXPECT_DOUBLE_EQ(43.0, Arm(1).z);
}

TEST_F(Bboss01Test, FirstAttackIsAlwaysTheBeamEightSecondsAfterEntry) {
    for (std::uint32_t seed : {1u, 2u, 3u, 77u, 4242u}) {
        BeginStage(1);
        SetBossBattleActive(0);
        audio_.sounds.clear();
        Enter();
        platform::Srand(seed);
        const int steps = StepsUntil([&] { return Boss().Attacking() == 1; });
        ASSERT_GE(steps, 0) << "seed " << seed;
        EXPECT_EQ(1, Boss().BeamReady());
        EXPECT_EQ(1, Beam().alive);
        EXPECT_EQ(1, audio_.Count(8));
        EXPECT_EQ(0, audio_.Count(10));
        // It fires on the first frame more than 8000 ms after entry.
        const std::uint32_t firedAt = platform::GetTickCount() - kFrameMs;
        EXPECT_GT(firedAt - entryTick_, 8000u);
        EXPECT_LE(firedAt - entryTick_, 8000u + kFrameMs);
    }
}

TEST_F(Bboss01Test, BeamCostsThirtyOnlyWhileWide) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Beam().alive == 1; }), 0);
    int wideHits = 0, narrowOpenFrames = 0, frames = 0;
    while (Beam().alive == 1 && frames < 400) {
        // The ship keeps to the beam's line in the screen plane.
        ship_.x = Beam().x;
        ship_.y = Beam().y;
        roster_.Step(clock_.Ticks());
        const bool open = !roster_.HitEffects().Showing(platform::GetTickCount());
        const std::int32_t before = ship_.life;
        roster_.Battle(clock_.Ticks());
        const std::int32_t lost = before - ship_.life;
        if (Beam().alive && Beam().sx > 1.0) {
            if (lost > 0) {
                EXPECT_EQ(30, lost);
                ++wideHits;
            }
        } else {
            EXPECT_EQ(0, lost) << "width " << Beam().sx;
            if (Beam().alive && open) ++narrowOpenFrames;
        }
        ship_.life = 223;
        clock_.Advance(kFrameMs);
        ++frames;
    }
    // 5900 ms of beam: one hit per 500 ms of protection while wide, then the narrow tail does nothing.
    EXPECT_GE(wideHits, 9);
    EXPECT_GT(narrowOpenFrames, 0);
    EXPECT_EQ(0, Beam().alive);
    EXPECT_EQ(0, Boss().Attacking());
}

TEST_F(Bboss01Test, PincerFreezesTheBodyAimsWhereTheShipWasAndTheSwayResumesWithoutAJump) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Beam().alive == 1; }), 0);
    platform::Srand(SeedDrawingFirst(1, 2));
    ASSERT_GE(StepsUntil([&] { return Boss().ArmReady() == 1; }), 0);
    ship_.x = 3.0;
    ship_.y = -2.0;
    ASSERT_GE(StepsUntil([&] { return Boss().Attacking() == 1; }), 0);
    EXPECT_EQ(1, audio_.Count(10));
    EXPECT_EQ(1, Body().holdPosition);
    const double frozenX = Body().x;
    const std::uint32_t launch = Boss().ArmX(0).Start();

    // The ship flies off at once; the arms still close on where it was.
    ship_.x = -8.0;
    ship_.y = 6.0;
    clock_.Set(launch + 3000);
    roster_.Step(clock_.Ticks());
    const bool side = std::abs(Arm(0).x - 5.5) < 1e-4 && std::abs(Arm(0).y + 2.0) < 1e-4;
    const bool vertical = std::abs(Arm(0).x - 3.0) < 1e-4 && std::abs(Arm(0).y - 1.5) < 1e-4;
    EXPECT_TRUE(side || vertical) << Arm(0).x << "," << Arm(0).y;
    EXPECT_NEAR(0.0, Arm(0).z, 1e-4);
    EXPECT_DOUBLE_EQ(frozenX, Body().x);

    // Frozen for the 5000 ms of the pass: the first frame past it ends the pincer.
    clock_.Set(launch + kFrameMs);
    int frames = 0;
    while (Body().holdPosition == 1 && frames < 400) {
        EXPECT_DOUBLE_EQ(frozenX, Body().x);
        Step();
        ++frames;
    }
    EXPECT_EQ(152, frames);  // 152 x 33 ms = 5016 ms
    EXPECT_EQ(0, Boss().Attacking());
    ship_ = PlayerState::NewGame();
    Step();
    EXPECT_NEAR(frozenX, Body().x, 0.2);
    EXPECT_NE(frozenX, Body().x) << "the sway moves again";
}

TEST_F(Bboss01Test, ResetRestoresTheBeamAndTheFirstAttack) {
    Enter();
    ASSERT_GE(StepsUntil([&] { return Beam().alive == 1; }), 0);
    Beam().rz = 7.0;
    BeginStage(1);
    EXPECT_EQ(0, Beam().alive);
    EXPECT_DOUBLE_EQ(50.0, Beam().rz);
    EXPECT_EQ(1, Boss().BeamReady());
    EXPECT_EQ(0, Boss().ArmReady());
    EXPECT_EQ(0, Boss().Attacking());
    EXPECT_EQ(2u, Boss().List(Bboss01::kArmList).Size());
    EXPECT_EQ(1, Arm(1).alive);
}

}  // namespace
