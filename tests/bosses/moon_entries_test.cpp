// The three moons one after another: their entries on the stage clock, their introductions and music,
// and what each death does to the flower field's pictures.

#include <memory>

#include "bosses/moon_fixture.h"
#include "stages/stage3_background.h"

namespace {

class MoonEntryTest : public MoonTest {
protected:
    void SetUp() override {
        MoonTest::SetUp();
        SetSceneryVariant(1);
        scenery_ = std::make_unique<Stage3Background>();
        scenery_->Reset(clock_.Ticks());
    }
    // The game frame's order: the scenery, then the bosses and their battle.
    void GameStep() {
        UpdateStageClock(clock_.Ticks());
        scenery_->Step(clock_.Ticks());
        Step();
    }
    // Frames until the boss at `index` is in battle, or -1.
    int FramesUntilActive(int index) {
        for (int n = 0; n < 200; ++n) {
            if (roster_.GetBoss(index).Body().active == 1) return n;
            GameStep();
        }
        return -1;
    }
    // Kills the moon, then counts the frames until the ground wears `variant`.
    int KillAndCountFramesToVariant(int index, std::int32_t variant) {
        KillWithShot(index);
        GameStep();
        EXPECT_EQ(0, roster_.GetBoss(index).Body().active);
        EXPECT_EQ(variant, GetNextSceneryVariant());
        for (int n = 0; n < 100; ++n) {
            if (GetSceneryVariant() == variant) return n;
            GameStep();
        }
        return -1;
    }

    std::unique_ptr<Stage3Background> scenery_;
};

TEST_F(MoonEntryTest, MoonsEnterAtTheirTimesOneSecondAfterEachDeathAndEachDeathChangesTheGround) {
    StageClockAt(60999);
    GameStep();
    EXPECT_EQ(0, ActiveBosses());

    struct Expected {
        int index;
        std::int32_t kind;
        std::int32_t variant;
    };
    const Expected moons[3] = {{4, 5, 2}, {5, 7, 3}, {6, 7, 4}};
    StageClockAt(61000);
    int sinceDeath = 0;
    for (const Expected& m : moons) {
        const int frames = FramesUntilActive(m.index);
        if (m.index == 4) {
            EXPECT_EQ(1, frames) << "the first moon enters on the first frame at 61000";
        } else {
            // The clock was folded back to the last entry; one second of stage time later the next comes.
            EXPECT_GE(sinceDeath + frames, 1000 / static_cast<int>(kFrameMs)) << "moon " << m.index;
            EXPECT_LE(sinceDeath + frames, 1000 / static_cast<int>(kFrameMs) + 2) << "moon " << m.index;
        }
        ASSERT_EQ(1, roster_.GetBoss(m.index).Body().active);
        EXPECT_EQ(1, ActiveBosses());
        EXPECT_EQ(m.kind, GetCameraCutInIndex()) << "moon " << m.index;
        SetCameraCutIn(0, 0);
        GameStep();

        const int toVariant = KillAndCountFramesToVariant(m.index, m.variant);
        sinceDeath = toVariant;
        // The change is taken by the next scenery frame and handed over 500 ms into its fade.
        EXPECT_GE(toVariant, 500 / static_cast<int>(kFrameMs)) << "moon " << m.index;
        EXPECT_LE(toVariant, 500 / static_cast<int>(kFrameMs) + 2) << "moon " << m.index;
        EXPECT_EQ(m.variant, GetSceneryVariant());
        SetBossBattleEnded(0);
    }
    // Only the first moon brings music of its own.
    EXPECT_EQ(std::vector<int>{8}, audio_.tracks);
}

TEST_F(MoonEntryTest, OnlyTheThirdMoonFallsInAnExplosion) {
    const int expected[3] = {0, 0, 1};
    for (int index = 4; index <= 6; ++index) {
        EnterMoon(index);
        Steps(5);
        KillWithShot(index);
        roster_.Step(clock_.Ticks());
        roster_.Battle(clock_.Ticks());
        EXPECT_EQ(0, roster_.GetBoss(index).Body().active);
        EXPECT_EQ(expected[index - 4], roster_.Explosions().ActiveCount()) << "moon " << index;
        EXPECT_EQ(1, IsSceneryChangePending());
        EXPECT_EQ(index - 2, GetNextSceneryVariant());
        clock_.Advance(kFrameMs);
        BeginStage(3);
    }
}

}  // namespace
