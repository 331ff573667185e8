#include <gtest/gtest.h>

#include "core/registry.h"
#include "platform/core/clock.h"

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRegistry(); }
    void TearDown() override { ResetRegistry(); }
    platform::ManualClock clock{50000};
    platform::ScopedClock scoped{clock};
};

constexpr SceneFlag kFlags[] = {SceneFlag::kTitle,    SceneFlag::kStory,     SceneFlag::kStageTitle, SceneFlag::kGame,
                               SceneFlag::kGameOver, SceneFlag::kGameClear, SceneFlag::kLastClear,  SceneFlag::kStaff};

}  // namespace

TEST_F(RegistryTest, SceneFlagsAreIndependentAndValuesOutsideTheEightAreIgnored) {
    for (SceneFlag f : kFlags) EXPECT_EQ(IsSceneFlag(f), 0);
    for (std::size_t i = 0; i < std::size(kFlags); ++i) {
        SetSceneFlag(kFlags[i], 1);
        for (std::size_t j = 0; j < std::size(kFlags); ++j) {
            EXPECT_EQ(IsSceneFlag(kFlags[j]), j <= i ? 1 : 0) << "after setting " << i << ": " << j;
        }
    }
    SetSceneFlag(SceneFlag::kGame, 0);
    for (SceneFlag f : kFlags) EXPECT_EQ(IsSceneFlag(f), f == SceneFlag::kGame ? 0 : 1);
    const auto outside = static_cast<SceneFlag>(kSceneFlagCount);
    SetSceneFlag(outside, 0);
    EXPECT_EQ(IsSceneFlag(SceneFlag::kTitle), 1);
    EXPECT_EQ(IsSceneFlag(outside), 0);
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
    SetInputGate(clock.Ticks(), 100);
    EXPECT_FALSE(InputGateExpired(clock.Ticks()));
    clock.Advance(100);
    EXPECT_FALSE(InputGateExpired(clock.Ticks()));
    clock.Advance(1);
    EXPECT_TRUE(InputGateExpired(clock.Ticks()));
    SetInputGate(clock.Ticks(), 0);
    EXPECT_FALSE(InputGateExpired(clock.Ticks()));
    clock.Advance(1);
    EXPECT_TRUE(InputGateExpired(clock.Ticks()));
}

TEST_F(RegistryTest, BossTimerFoldLeavesTheBattleOutOfStageTime) {
    StartStageClock(clock.Ticks());
    clock.Advance(20000);
    BossTimerStart(clock.Ticks());
    clock.Advance(40000);
    EXPECT_EQ(BossTimerElapsed(clock.Ticks()), 40000u);
    EXPECT_EQ(BossTimerFold(clock.Ticks()), 40000u);
    clock.Advance(5000);
    UpdateStageClock(clock.Ticks());
    EXPECT_EQ(StageElapsed(), 25000u);  // 65 s of wall clock, less the 40 s battle
}

TEST_F(RegistryTest, StageElapsedOnlyMovesWhenSampled) {
    StartStageClock(clock.Ticks());
    clock.Advance(1234);
    EXPECT_EQ(StageElapsed(), 0u);
    UpdateStageClock(clock.Ticks());
    EXPECT_EQ(StageElapsed(), 1234u);
}
