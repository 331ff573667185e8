// When the bosses come in and what their deaths do to the stage: the entry times, the music, the
// introduction, the battle folded out of the stage clock, the stage clears.

#include "bosses/roster_fixture.h"

namespace {

TEST_F(RosterTest, FirstBossEntersOnTheFirstFrameAtItsTimeWithoutNewMusic) {
    StageClockAt(79999);
    Step();
    EXPECT_EQ(0, ActiveBosses());
    EXPECT_EQ(0, IsBossBattleActive());

    StageClockAt(80000);
    Step();
    const BodyRecord& body = roster_.GetBoss(0).Body();
    EXPECT_EQ(1, body.active);
    EXPECT_EQ(1, body.appeared);
    EXPECT_EQ(1, ActiveBosses());
    EXPECT_EQ(1, IsBossBattleActive());
    EXPECT_EQ(1, IsCameraCutInActive());
    EXPECT_EQ(1, GetCameraCutInIndex());
    EXPECT_TRUE(audio_.tracks.empty());
    EXPECT_EQ(200, body.life);
    EXPECT_EQ(200, body.lifeMax);
}

TEST_F(RosterTest, BossesOfOtherStagesAndBossesAlreadyMetDoNotEnter) {
    BeginStage(2);
    StageClockAt(80000);
    Step();
    // Stage 2's first boss (70000) comes in, never stage 1's.
    EXPECT_EQ(0, roster_.GetBoss(0).Body().active);
    EXPECT_EQ(1, roster_.GetBoss(2).Body().active);
    EXPECT_EQ(3, GetCameraCutInIndex());
    KillWithShot(2);
    Step();
    EXPECT_EQ(0, ActiveBosses());
    Steps(3);
    EXPECT_EQ(0, ActiveBosses()) << "a fallen boss never comes back in the same game";
}

TEST_F(RosterTest, FirstBossKilledAfterFortySecondsFoldsTheBattleOutOfTheStageClock) {
    StageClockAt(80000);
    Step();
    ASSERT_EQ(1, roster_.GetBoss(0).Body().active);
    const std::int32_t score = GetScore();
    clock_.Advance(40000 - kFrameMs);

    KillWithShot(0);
    Step();
    const BodyRecord& body = roster_.GetBoss(0).Body();
    EXPECT_EQ(0, body.active);
    EXPECT_EQ(0, body.life);
    EXPECT_EQ(1, audio_.Count(13));
    EXPECT_EQ(score + 10000, GetScore());
    EXPECT_EQ(1, roster_.Explosions().ActiveCount());
    EXPECT_EQ(1, stage1Flag_);
    EXPECT_EQ(0, IsBossBattleActive());
    EXPECT_EQ(1, IsBossBattleEnded());
    EXPECT_EQ(0, shot_.active) << "the shot that hit is spent";
    // One frame has passed since the death: the clock stands where the battle began, plus that frame.
    UpdateStageClock(clock_.Ticks());
    EXPECT_EQ(80000u + kFrameMs, StageElapsed());
    EXPECT_EQ(StageEnd::kNone, lastEnd_);
}

TEST_F(RosterTest, StageOneFinalBossEntersInTheOpenWithItsMusicAndItsDeathClearsTheStage) {
    StageClockAt(80000);
    Step();
    KillWithShot(0);
    Step();
    // The scenery takes the first battle's end; the stage-1 scenery confines the flight again.
    SetBossBattleEnded(0);
    SetFlightAreaConfined(1);

    StageClockAt(159999);
    Step();
    EXPECT_EQ(0, roster_.GetBoss(1).Body().active);
    StageClockAt(160000);
    Step();
    const BodyRecord& body = roster_.GetBoss(1).Body();
    ASSERT_EQ(1, body.active);
    EXPECT_EQ(std::vector<int>{6}, audio_.tracks);
    EXPECT_EQ(0, IsFlightAreaConfined());
    EXPECT_EQ(2, GetCameraCutInIndex());
    EXPECT_EQ(300, body.life);

    // Shielded, a shot only flashes it; once its last shield has fallen the shots hurt it.
    ShootAt(body);
    Step();
    EXPECT_EQ(300, body.life);
    for (BodyRecord& shield : roster_.GetBoss(1).ExtraBodies()) {
        shield.life = 0;
        ShootAt(shield);
        Step();
    }
    ShootAt(body);
    Step();
    EXPECT_EQ(299, body.life);

    KillWithShot(1);
    Step();
    EXPECT_EQ(0, body.active);
    EXPECT_EQ(std::vector<int>{2000}, audio_.fades);
    EXPECT_EQ(StageEnd::kStageClear, lastEnd_);
    EXPECT_EQ(2, GetNextStage());
    EXPECT_EQ(0, IsBossBattleActive());
    EXPECT_EQ(0, IsBossBattleEnded()) << "the stage is over; nothing resumes";
}

TEST_F(RosterTest, AfterAClockJumpTheBossesComeInOneBattleAtATime) {
    BeginStage(3);
    StageClockAt(100000);
    const std::int32_t expectedKinds[4] = {5, 7, 7, 6};
    for (int index = 4; index < 8; ++index) {
        Step();
        ASSERT_EQ(1, ActiveBosses()) << "boss " << index;
        ASSERT_EQ(1, roster_.GetBoss(index).Body().active);
        EXPECT_EQ(expectedKinds[index - 4], GetCameraCutInIndex());
        SetCameraCutIn(0, 0);
        Steps(10);
        KillWithShot(index);
        Step();
        EXPECT_EQ(0, ActiveBosses());
        // Each death folds only its own battle: the clock never runs backwards past the jump or wraps.
        UpdateStageClock(clock_.Ticks());
        EXPECT_GE(StageElapsed(), 100000u);
        EXPECT_LT(StageElapsed(), 100000u + 10 * kFrameMs);
    }
    EXPECT_EQ((std::vector<int>{8, 9}), audio_.tracks);
    EXPECT_EQ(StageEnd::kLastClear, lastEnd_);
}

TEST_F(RosterTest, MoonDeathsChangeTheGroundAndTheStageTwoFinalBossLeavesTheBattleStanding) {
    BeginStage(3);
    StageClockAt(61000);
    Step();
    KillWithShot(4);
    Step();
    EXPECT_EQ(1, IsSceneryChangePending());
    EXPECT_EQ(2, GetNextSceneryVariant());
    EXPECT_EQ(0, roster_.Explosions().ActiveCount()) << "a moon falls without an explosion";
    EXPECT_EQ(1, IsBossBattleEnded());

    BeginStage(2);
    StageClockAt(70000);
    Step();
    KillWithShot(2);
    Step();
    StageClockAt(120000);
    Step();
    ASSERT_EQ(1, roster_.GetBoss(3).Body().active);
    EXPECT_EQ(7, audio_.tracks.back());
    KillWithShot(3);
    Step();
    EXPECT_EQ(StageEnd::kStageClear, lastEnd_);
    EXPECT_EQ(3, GetNextStage());
    EXPECT_EQ(1, IsBossBattleActive()) << "the stage-clear screen ends this battle";
}

TEST_F(RosterTest, ResetPutsEveryBossBackWithoutRaisingTheIntroduction) {
    StageClockAt(80000);
    Step();
    ASSERT_EQ(1, IsCameraCutInActive());
    // Game over during the introduction: the camera director drops the request, then the stage resets.
    SetCameraCutIn(0, 0);
    BeginStage(1);
    EXPECT_EQ(0, IsCameraCutInActive());
    EXPECT_EQ(0, ActiveBosses());
    EXPECT_EQ(0, roster_.GetBoss(0).Body().appeared);
    EXPECT_EQ(200, roster_.GetBoss(0).Body().life);
    EXPECT_EQ(40.0, roster_.GetBoss(0).Body().z);
    SetBossBattleActive(0);
    Step();
    EXPECT_EQ(0, IsCameraCutInActive());
    EXPECT_EQ(0, ActiveBosses());
}

}  // namespace
