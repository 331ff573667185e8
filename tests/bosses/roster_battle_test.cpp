// The battle controller: the bomb's blast on the locked-on boss, the boss's bullets on the ship and the
// protection after a hit, and the life gauge.

#include "bosses/bboss01.h"
#include "bosses/roster_fixture.h"

namespace {

class RosterBattleTest : public RosterTest {
protected:
    void SetUp() override {
        RosterTest::SetUp();
        StageClockAt(80000);
        Step();
        ASSERT_EQ(1, Body().active);
    }
    BodyRecord& Body() { return roster_.GetBoss(0).Body(); }
    BossBullet& Arm(int i) { return roster_.GetBoss(0).List(Bboss01::kArmList)[static_cast<std::size_t>(i)]; }
};

TEST_F(RosterBattleTest, BlastStrikesTheTargetedBossOncePerTargeting) {
    EXPECT_EQ(0, roster_.TargetHeld());
    Step(1);
    EXPECT_EQ(200, Body().life) << "no target has been handed to the bomb";

    const std::vector<BodyRecord> targets = roster_.Targets();
    ASSERT_EQ(1u, targets.size());
    EXPECT_DOUBLE_EQ(Body().x, targets[0].x);
    EXPECT_LT(targets[0].z, BossRoster::kNoTarget);
    EXPECT_EQ(1, roster_.TargetHeld());
    Step(1);
    EXPECT_EQ(150, Body().life);
    EXPECT_EQ(1, audio_.Count(2));
    EXPECT_EQ(0, roster_.TargetHeld());
    Step(1);
    Step(1);
    EXPECT_EQ(150, Body().life) << "a blast that stays open strikes only once";

    roster_.Targets();
    Step(1);
    EXPECT_EQ(100, Body().life);
}

TEST_F(RosterBattleTest, BlastOpensAtTheLockedOnBossAndNowhereWithoutOne) {
    Step(1);
    EXPECT_EQ(0, roster_.Blast().LavaRecord().active);
    const BodyRecord target = roster_.Targets()[0];
    roster_.SetSpecial(1);
    roster_.Step(clock_.Ticks());
    const EffectRecord& lava = roster_.Blast().LavaRecord();
    EXPECT_EQ(1, lava.active);
    EXPECT_DOUBLE_EQ(target.x, lava.x);
    EXPECT_DOUBLE_EQ(target.y, lava.y);
    EXPECT_DOUBLE_EQ(BossRoster::kBlastDepth, lava.z);
}

TEST_F(RosterBattleTest, ShieldedBossLosesNoLifeToShotsButFiftyToTheBlast) {
    Body().shielded = 1;
    ShootAt(Body());
    Step();
    EXPECT_EQ(200, Body().life);
    EXPECT_EQ(0, shot_.active) << "the shield still stops the shot";
    roster_.Targets();
    Step(1);
    EXPECT_EQ(150, Body().life) << "the blast goes through the shield";
    EXPECT_EQ(0, roster_.TargetHeld());
}

TEST_F(RosterBattleTest, TargetIsDroppedAtADeathAndAtReset) {
    roster_.Targets();
    KillWithShot(0);
    Step();
    EXPECT_EQ(0, roster_.TargetHeld());
    // With the boss gone the lock-on entry lies out of reach again.
    EXPECT_EQ(BossRoster::kNoTarget, roster_.Targets()[0].z);
    EXPECT_EQ(0, roster_.TargetHeld());

    BeginStage(1);
    StageClockAt(80000);
    Step();
    roster_.Targets();
    BeginStage(1);
    EXPECT_EQ(0, roster_.TargetHeld());
}

TEST_F(RosterBattleTest, SeveralHitsInOneFrameKillWithLifeZeroAndEmptyTheGauge) {
    Body().life = 1;
    PlayerShot second;
    roster_.AddPlayerShot(&second);
    ShootAt(Body(), 5);
    second = shot_;
    Step();
    EXPECT_EQ(0, Body().life);
    EXPECT_EQ(0, Body().active);
    EXPECT_EQ(1, audio_.Count(13));
    EXPECT_EQ(BossRoster::kGaugeEmpty, gauge_);
    EXPECT_EQ(0, roster_.GaugeFull());
}

TEST_F(RosterBattleTest, ArmHurtsAndTheFlashProtectsForItsTimeEvenUndrawn) {
    Step();
    ship_.x = Arm(0).x;
    ship_.y = Arm(0).y;
    ship_.z = Arm(0).z;
    const std::int32_t life = ship_.life;
    roster_.Battle(clock_.Ticks());
    EXPECT_EQ(life - 40, ship_.life);
    EXPECT_EQ(1, audio_.Count(3));
    // The flash is never drawn here; its 500 ms still end on time. 15 frames (495 ms) are protected.
    int frames = 0;
    while (ship_.life == life - 40 && frames < 100) {
        clock_.Advance(kFrameMs);
        ++frames;
        roster_.Battle(clock_.Ticks());
    }
    EXPECT_EQ(16, frames);
    EXPECT_EQ(life - 80, ship_.life);
    EXPECT_EQ(1, Arm(0).alive) << "an arm stays alive after it hits";
}

TEST_F(RosterBattleTest, GaugeFillsOverTwoHundredTwentyThreeFramesThenFollowsTheLife) {
    // The entry frame already ran one controller step.
    EXPECT_EQ(222, gauge_);
    Steps(221);
    EXPECT_EQ(1, gauge_);
    EXPECT_EQ(0, roster_.GaugeFull());
    Step();
    EXPECT_EQ(0, gauge_);
    EXPECT_EQ(1, roster_.GaugeFull());

    Body().life = 150;
    Step();
    EXPECT_EQ(55, gauge_);
    Body().life = 1;
    Step();
    EXPECT_EQ(221, gauge_);
    // A zero life at full strength is guarded, not divided by.
    Body().life = 10;
    Body().lifeMax = 0;
    Step();
    EXPECT_EQ(0, gauge_);
    Body().lifeMax = 200;
    KillWithShot(0);
    Step();
    EXPECT_EQ(223, gauge_);
    EXPECT_EQ(0, roster_.GaugeFull());
}

TEST_F(RosterBattleTest, DeathDuringTheFillInStillEmptiesTheGauge) {
    Steps(50);
    ASSERT_EQ(0, roster_.GaugeFull());
    ASSERT_LT(gauge_, 223);
    KillWithShot(0);
    Step();
    EXPECT_EQ(223, gauge_);
    EXPECT_EQ(0, roster_.GaugeFull());
}

TEST(RosterUnwired, BattleRunsWithoutShipGaugeOrSceneryByte) {
    platform::ManualClock clock{100000};
    platform::ScopedClock scoped{clock};
    RecordingAudio audio;
    InstallSceneAudio(&audio);
    ResetRegistry();
    SetStage(1);
    StartStageClock(clock.Ticks());
    BossRoster roster;
    roster.Reset(clock.Ticks());
    clock.Advance(80000);
    for (int i = 0; i < 400; ++i) {
        roster.Step(clock.Ticks());
        roster.SetSpecial(1);
        roster.Targets();
        roster.Battle(clock.Ticks());
        clock.Advance(33);
    }
    // Four blasts bring it down; its death writes through none of the missing pointers.
    const BodyRecord& body = roster.GetBoss(0).Body();
    EXPECT_EQ(1, body.appeared);
    EXPECT_EQ(0, body.active);
    EXPECT_EQ(0, body.life);
    EXPECT_EQ(4, audio.Count(2));
    EXPECT_EQ(1, audio.Count(13));
    InstallSceneAudio(nullptr);
    ResetRegistry();
}

}  // namespace
