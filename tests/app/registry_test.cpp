#include <gtest/gtest.h>

#include "app/registry.h"
#include "platform/core/clock.h"

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRegistry(); }
    void TearDown() override { ResetRegistry(); }
    platform::ManualClock clock{50000};
    platform::ScopedClock scoped{clock};
};

const char* const kFlags[] = {"title", "story", "stagetitle", "game", "gameover", "gameclear", "lclear", "staff"};

}  // namespace

TEST_F(RegistryTest, SceneFlagsAreIndependentAndUnknownNamesAreIgnored) {
    for (const char* f : kFlags) EXPECT_EQ(IsSceneFlag(f), 0) << f;
    for (std::size_t i = 0; i < std::size(kFlags); ++i) {
        SetSceneFlag(kFlags[i], 1);
        for (std::size_t j = 0; j < std::size(kFlags); ++j) {
            EXPECT_EQ(IsSceneFlag(kFlags[j]), j <= i ? 1 : 0) << "after setting " << kFlags[i] << ": " << kFlags[j];
        }
    }
    SetSceneFlag("game", 0);
    for (const char* g : kFlags) EXPECT_EQ(IsSceneFlag(g), std::string(g) == "game" ? 0 : 1) << g;
    SetSceneFlag("Title", 0);
    SetSceneFlag("bogus", 0);
    SetSceneFlag(nullptr, 0);
    EXPECT_EQ(IsSceneFlag("title"), 1);
    EXPECT_EQ(IsSceneFlag("bogus"), 0);
    EXPECT_EQ(IsSceneFlag(nullptr), 0);
}

TEST_F(RegistryTest, StartsAtZeroExceptTheSceneryVariants) {
    EXPECT_EQ(GetStage(), 0);
    EXPECT_EQ(GetScore(), 0);
    EXPECT_EQ(GetSceneryVariant(), 1);
    EXPECT_EQ(GetNextSceneryVariant(), 1);
    EXPECT_EQ(GetInputState(), InputState{});
    AddScore(100);
    AddScore(10000);
    EXPECT_EQ(GetScore(), 10100);
    SetCameraCutIn(1, 6);
    EXPECT_EQ(IsCameraCutInActive(), 1);
    EXPECT_EQ(GetCameraCutInIndex(), 6);
}

TEST_F(RegistryTest, InputSnapshotIsFilledThroughItsStorageAndCleared) {
    InputStateStorage()->button1 = kInputButton1;
    InputStateStorage()->left = kInputLeft;
    EXPECT_EQ(GetInputState().button1, 5);
    EXPECT_EQ(GetInputState().left, 4);
    ClearInputState();
    EXPECT_EQ(GetInputState(), InputState{});
}

TEST_F(RegistryTest, InputGateOpensOnlyStrictlyAfterItsLength) {
    SetInputGate(100);
    EXPECT_FALSE(InputGateExpired());
    clock.Advance(100);
    EXPECT_FALSE(InputGateExpired());
    clock.Advance(1);
    EXPECT_TRUE(InputGateExpired());
    SetInputGate(0);
    EXPECT_FALSE(InputGateExpired());
    clock.Advance(1);
    EXPECT_TRUE(InputGateExpired());
}

TEST_F(RegistryTest, BossTimerFoldLeavesTheBattleOutOfStageTime) {
    StartStageClock();
    clock.Advance(20000);
    BossTimerStart();
    clock.Advance(40000);
    EXPECT_EQ(BossTimerElapsed(), 40000u);
    EXPECT_EQ(BossTimerFold(), 40000u);
    clock.Advance(5000);
    UpdateStageClock();
    EXPECT_EQ(StageElapsed(), 25000u);  // 65 s of wall clock, less the 40 s battle
}

TEST_F(RegistryTest, StageElapsedOnlyMovesWhenSampled) {
    StartStageClock();
    clock.Advance(1234);
    EXPECT_EQ(StageElapsed(), 0u);
    UpdateStageClock();
    EXPECT_EQ(StageElapsed(), 1234u);
}
