// The stage in the running game with its enemies and bosses: the whole game object stepped frame by
// frame with a manual clock, from GAME START through a stage's bosses to the next stage's card.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/registry.h"
#include "platform/input/dik_codes.h"
#include "scenes/game_flow_support.h"

namespace {

using platform::DIK_Z;

class GameBattleTest : public GameFlowTest {
protected:
    void StartGame(int stage) {
        game_->SetStartStage(stage);
        Frame(Keys{{DIK_Z}});
        ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kStageTitle) == 1; }, 60));
        Idle(2300);
        Frame(Keys{{DIK_Z}});
        ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kGame) == 1; }, 60));
        audio_.Clear();
    }
    // Frames until a boss is in battle, the ship's life held full (enemies fire at it meanwhile).
    bool UntilBattle(int maxFrames) {
        for (int i = 0; i < maxFrames && !IsBossBattleActive(); ++i) {
            game_->Ship().StateRecord()->life = PlayerState::kFullLife;
            Frame();
        }
        return IsBossBattleActive() != 0;
    }
    int ActiveEnemies() {
        int n = 0;
        for (EnemyClass c : {EnemyClass::k01, EnemyClass::k02, EnemyClass::k03, EnemyClass::k04, EnemyClass::k05}) {
            for (const EnemyRecord& e : game_->Enemies().Records(c)) n += e.active;
        }
        return n;
    }
};

TEST_F(GameBattleTest, TimetableIsLoadedWithEveryEnemyOnTheRadar) {
    const std::size_t perClass[5] = {99, 48, 15, 52, 15};
    int perStage[4] = {};
    int k = 0;
    for (EnemyClass c : {EnemyClass::k01, EnemyClass::k02, EnemyClass::k03, EnemyClass::k04, EnemyClass::k05}) {
        EXPECT_EQ(game_->Enemies().Records(c).size(), perClass[k++]);
        for (const EnemyRecord& e : game_->Enemies().Records(c)) ++perStage[e.stage];
    }
    EXPECT_EQ(perStage[1], 83);
    EXPECT_EQ(perStage[2], 99);
    EXPECT_EQ(perStage[3], 47);
    EXPECT_EQ(game_->GetConsole().RadarTargetCount(), 229u);
    EXPECT_EQ(game_->Enemies().ShotRecords().size(), 229u);
}

TEST_F(GameBattleTest, FirstWaveComesAtTheStartAndTheFirstBossAt80SecondsWithItsIntroduction) {
    StartGame(1);
    Idle(200);
    EXPECT_GT(ActiveEnemies(), 0) << "the first wave is due at the stage's start";

    // Most of the first 80 s in one step; the waves due meanwhile arrive late, partway along.
    clock_.Advance(78000);
    ASSERT_TRUE(UntilBattle(200));
    EXPECT_GE(StageElapsed(), 80000u);
    EXPECT_LT(StageElapsed(), 80000u + 2 * kFrameMs);
    EXPECT_EQ(IsCameraCutInActive(), 1);
    EXPECT_EQ(GetCameraCutInIndex(), 1);
    EXPECT_TRUE(std::none_of(audio_.tracks.begin(), audio_.tracks.end(), [](int t) { return t >= 6; }))
        << "the first boss keeps the stage's music";
    EXPECT_EQ(game_->Bosses().GetBoss(0).Body().active, 1);
    // The introduction ends by itself; the gauge fills in for the fight.
    ASSERT_TRUE(FramesUntil([] { return IsCameraCutInActive() == 0; }, 200));
    Idle(8000);
    EXPECT_LT(*game_->GetConsole().BossGaugeValue(), 10);
}

TEST_F(GameBattleTest, FinalBossOfStageOneFallingLeadsToTheNextCardWithoutAPress) {
    StartGame(1);
    clock_.Advance(78000);
    ASSERT_TRUE(UntilBattle(200));
    const std::int32_t before = GetScore();
    game_->Bosses().GetBoss(0).Body().life = 0;
    Frame();
    EXPECT_EQ(IsBossBattleActive(), 0);
    EXPECT_EQ(GetScore() - before, 10000);
    EXPECT_EQ(*game_->Stage1().Stage1Flag(), 1);

    clock_.Advance(78000);
    ASSERT_TRUE(UntilBattle(200));
    EXPECT_EQ(game_->Bosses().GetBoss(1).Body().active, 1);
    EXPECT_EQ(audio_.tracks.back(), 6);
    ASSERT_TRUE(FramesUntil([] { return IsCameraCutInActive() == 0; }, 300));
    game_->Bosses().GetBoss(1).Body().life = 0;
    Frame();
    EXPECT_EQ(IsSceneFlag(SceneFlag::kGameClear), 1);
    EXPECT_EQ(GetNextStage(), 2);
    ASSERT_EQ(audio_.fades.size(), 1u);
    EXPECT_EQ(audio_.fades.back(), 2000);
    ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kStageTitle) == 1; }, 250)) << "no press needed";
    EXPECT_EQ(GetStage(), 2);
    EXPECT_EQ(audio_.tracks.back(), 5);
}

}  // namespace

namespace {

TEST_F(GameBattleTest, NewRecordIsOnDiskAsSoonAsGameOverIsLeft) {
    ASSERT_EQ(workDir_->ReadFile("score.txt"), "10000");
    StartGame(1);
    AddScore(12000);
    Frame();
    game_->Ship().StateRecord()->life = 0;
    Frame();
    ASSERT_EQ(IsSceneFlag(SceneFlag::kGameOver), 1);
    EXPECT_EQ(workDir_->ReadFile("score.txt"), "10000") << "nothing is written while the game runs on";
    Idle(5200);
    Frame(Keys{{DIK_Z}});
    ASSERT_EQ(IsSceneFlag(SceneFlag::kTitle), 1);
    EXPECT_EQ(workDir_->ReadFile("score.txt"), "12000");
}

TEST_F(GameBattleTest, GameWithoutANewRecordLeavesTheFileAsItWas) {
    workDir_->WriteFile("score.txt", "  50000 points\n");
    game_.reset();
    game_ = std::make_unique<GameApp>();
    ASSERT_TRUE(platform::SUCCEEDED(game_->Load(framework_->Device(), framework_->Sprite(), window_, clock_.Ticks())));
    StartGame(1);
    AddScore(9000);
    game_->Ship().StateRecord()->life = 0;
    Frame();
    Idle(5200);
    Frame(Keys{{DIK_Z}});
    ASSERT_EQ(IsSceneFlag(SceneFlag::kTitle), 1);
    game_.reset();  // the save at the program's end too
    EXPECT_EQ(workDir_->ReadFile("score.txt"), "  50000 points\n");
}

}  // namespace
