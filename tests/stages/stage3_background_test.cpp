#include "stages/stage3_background.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "stage_clock_fixture.h"

namespace {

class Stage3Test : public StageClockTest {
protected:
    void SetUp() override {
        StageClockTest::SetUp();
        stage_ = std::make_unique<Stage3Background>();
        stage_->Reset(clock_.Ticks());
        start_ = Now();
    }

    // Asks for a change of pictures as a defeated middle boss does.
    static void RaiseChange(std::int32_t next) {
        SetNextSceneryVariant(next);
        SetSceneryChangePending(1);
    }

    std::unique_ptr<Stage3Background> stage_;
    std::uint32_t start_ = 0;
};

TEST_F(Stage3Test, ChangeOfPicturesTakesTheNextVariantOnceHalfWayThroughTheFade) {
    RaiseChange(2);
    Frame(*stage_);
    EXPECT_EQ(0, IsSceneryChangePending());
    int framesUntilChange = 0;
    double lowest = 1.0;
    while (GetSceneryVariant() == 1 && framesUntilChange < 100) {
        Frame(*stage_);
        ++framesUntilChange;
        lowest = std::min(lowest, stage_->Fade());
    }
    // 16 frames of 33 ms: the first frame 500 ms or more after the change was taken.
    EXPECT_EQ(16, framesUntilChange);
    EXPECT_EQ(2, GetSceneryVariant());
    EXPECT_LT(lowest, 0.05);

    // Once handed over, the variant is not copied again (a scene change sets it back to 1).
    SetSceneryVariant(1);
    Frames(*stage_, 30);
    EXPECT_EQ(1, GetSceneryVariant());
    EXPECT_EQ(1.0, stage_->Fade());
}

TEST_F(Stage3Test, ANewGameStartsAtTheFirstSetWhateverTheLastGameLeft) {
    // The last game ended in the middle of a fade towards the planet.
    RaiseChange(4);
    Frames(*stage_, 5);
    SetSceneryVariant(1);
    stage_->Reset(clock_.Ticks());
    Frames(*stage_, 40);
    EXPECT_EQ(1, GetSceneryVariant());
    EXPECT_EQ(1.0, stage_->Fade());

    // A change never taken is dropped by the reset as well.
    RaiseChange(3);
    stage_->Reset(clock_.Ticks());
    Frames(*stage_, 40);
    EXPECT_EQ(1, GetSceneryVariant());
}

TEST_F(Stage3Test, VariantsOutsideOneToThreeWearTheFirstSet) {
    EXPECT_EQ(1, SceneryTextureSet(1));
    EXPECT_EQ(2, SceneryTextureSet(2));
    EXPECT_EQ(3, SceneryTextureSet(3));
    for (std::int32_t stray : {0, 4, 5, -1, 1000}) EXPECT_EQ(1, SceneryTextureSet(stray)) << stray;
}

TEST_F(Stage3Test, PetalsBurstOutwardAndRetireBehindTheShip) {
    auto petals = stage_->Petals();
    auto spread = [&](std::size_t k) { return std::hypot(petals[k].x, petals[k].y - 10.0); };
    // The first flower (z 200) has a pass of 10.5 s; its petals burst from 4.95 s to 7.05 s.
    StepAt(*stage_, start_, 4900);
    EXPECT_NEAR(102.0, petals[0].z, 0.01);
    for (std::size_t k = 0; k < 5; ++k) EXPECT_NEAR(5.0, spread(k), 0.01);
    StepAt(*stage_, start_, 7050);
    for (std::size_t k = 0; k < 5; ++k) EXPECT_NEAR(15.0, spread(k), 0.05);
    // Outward along the petal's own direction from the centre.
    const double d = 72.0 * 2 * std::numbers::pi / 180.0;
    EXPECT_NEAR(15.0 * std::cos(d), petals[2].x, 0.05);
    EXPECT_NEAR(10.0 + 15.0 * std::sin(d), petals[2].y, 0.05);

    StepAt(*stage_, start_, 10400);  // z -8
    EXPECT_EQ(1, petals[0].active);
    EXPECT_GT(spread(0), 16.0);
    EXPECT_LT(spread(0), 35.0);
    StepAt(*stage_, start_, 10480);  // z -9.6
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(0, petals[k].active);
    // The next flower at z 400 comes on.
    EXPECT_EQ(1, petals[15].active);
}

TEST_F(Stage3Test, ResetPutsThePetalsBackInPlace) {
    std::vector<const PetalItem*> addresses;
    std::vector<double> xs;
    for (const PetalItem& p : stage_->Petals()) {
        addresses.push_back(&p);
        xs.push_back(p.x);
    }
    StepAt(*stage_, start_, 12000);
    stage_->Reset(clock_.Ticks());
    auto petals = stage_->Petals();
    for (std::size_t i = 0; i < petals.size(); ++i) {
        EXPECT_EQ(addresses[i], &petals[i]);
        EXPECT_EQ(xs[i], petals[i].x);
        EXPECT_EQ(1, petals[i].active);
    }
    EXPECT_EQ(Now(), stage_->PetalZTrack(0).Start());
    EXPECT_EQ(Now(), stage_->PetalXTrack(129).Start());
}

TEST_F(Stage3Test, PetalsWaitOutABattle) {
    auto petals = stage_->Petals();
    StepAt(*stage_, start_, 4000);
    SetBossBattleActive(1);
    BossTimerStart(clock_.Ticks());
    StepAt(*stage_, start_, 9000);
    EXPECT_NEAR(120.0, petals[0].z, 0.01);
    BossTimerFold(clock_.Ticks());
    SetBossBattleActive(0);
    SetBossBattleEnded(1);
    StepAt(*stage_, start_, 9000);
    StepAt(*stage_, start_, 11000);
    EXPECT_NEAR(80.0, petals[0].z, 0.01);
    EXPECT_EQ(start_ + 5000, stage_->PetalYTrack(0).Start());
}

}  // namespace
