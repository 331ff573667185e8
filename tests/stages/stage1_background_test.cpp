#include "stages/stage1_background.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "stage_clock_fixture.h"

namespace {

// The building placed at x 10, z 600.
constexpr std::size_t kBuildingAt600 = 4;

class Stage1Test : public StageClockTest {
protected:
    void SetUp() override {
        StageClockTest::SetUp();
        stage_ = std::make_unique<Stage1Background>();
        stage_->Reset(clock_.Ticks());
        start_ = Now();
    }

    float BuildingZ() { return stage_->Buildings()[kBuildingAt600].z; }

    std::unique_ptr<Stage1Background> stage_;
    std::uint32_t start_ = 0;
};

TEST_F(Stage1Test, BuildingComesOnAt20UnitsASecondAndWaitsOutABattle) {
    ASSERT_EQ(10.0f, stage_->Buildings()[kBuildingAt600].x);
    StepAt(*stage_, start_, 15000);
    EXPECT_NEAR(300.0f, BuildingZ(), 0.01f);

    // A battle of 10 s: the building keeps its place.
    SetBossBattleActive(1);
    BossTimerStart(clock_.Ticks());
    for (std::uint32_t ms = 15033; ms < 25000; ms += 33) StepAt(*stage_, start_, ms);
    EXPECT_NEAR(300.0f, BuildingZ(), 0.01f);

    // Won: the flag stays up for a while, yet the building goes on from where it stood, once.
    StepAt(*stage_, start_, 25000);
    BossTimerFold(clock_.Ticks());
    SetBossBattleActive(0);
    SetBossBattleEnded(1);
    StepAt(*stage_, start_, 25000);
    EXPECT_NEAR(300.0f, BuildingZ(), 0.01f);
    EXPECT_EQ(start_ + 10000, stage_->BuildingTrack(kBuildingAt600).Start());
    for (std::uint32_t ms = 25033; ms < 30000; ms += 33) StepAt(*stage_, start_, ms);
    StepAt(*stage_, start_, 30000);
    EXPECT_NEAR(200.0f, BuildingZ(), 0.01f);

    SetBossBattleEnded(0);
    StepAt(*stage_, start_, 35000);
    EXPECT_NEAR(100.0f, BuildingZ(), 0.01f);
    // Every track was moved by the battle, not only this one.
    EXPECT_EQ(start_ + 10000, stage_->BuildingTrack(0).Start());
    EXPECT_EQ(start_ + 10000, stage_->BuildingTrack(Stage1Background::kBuildingCount - 1).Start());
}

TEST_F(Stage1Test, ASecondBattleEndMovesTheTracksAgain) {
    for (std::uint32_t battleStart : {5000u, 12000u}) {
        StepAt(*stage_, start_, battleStart);
        SetBossBattleActive(1);
        BossTimerStart(clock_.Ticks());
        StepAt(*stage_, start_, battleStart + 2000);
        BossTimerFold(clock_.Ticks());
        SetBossBattleActive(0);
        SetBossBattleEnded(1);
        StepAt(*stage_, start_, battleStart + 2000);
        StepAt(*stage_, start_, battleStart + 2033);
        SetBossBattleEnded(0);
        StepAt(*stage_, start_, battleStart + 2066);
    }
    EXPECT_EQ(start_ + 4000, stage_->BuildingTrack(kBuildingAt600).Start());
    StepAt(*stage_, start_, 19000);
    EXPECT_NEAR(600.0f - 0.02f * 15000.0f, BuildingZ(), 0.01f);
}

TEST_F(Stage1Test, BuildingsToppleAwayFromTheCentreLineTwoDegreesAFrame) {
    auto buildings = stage_->Buildings();
    Frame(*stage_);
    for (const BuildingItem& b : buildings) EXPECT_EQ(b.x > 0.0f ? 2.0 : -2.0, b.roll) << "x " << b.x;
    Frames(*stage_, 43);
    EXPECT_EQ(88.0, buildings[kBuildingAt600].roll);
    Frames(*stage_, 10);
    for (const BuildingItem& b : buildings) EXPECT_EQ(b.x > 0.0f ? 90.0 : -90.0, b.roll) << "x " << b.x;
    // The tower on the centre line (x 0) falls to the left.
    EXPECT_EQ(0.0f, buildings[7].x);
    EXPECT_EQ(-90.0, buildings[7].roll);
}

TEST_F(Stage1Test, TheBaseConfinesTheFlightAreaOnceNearerThan280) {
    std::uint32_t confinedAt = 0;
    for (std::uint32_t ms = 50000; ms < 60000 && confinedAt == 0; ms += 100) {
        StepAt(*stage_, start_, ms);
        if (IsFlightAreaConfined()) confinedAt = ms;
    }
    // (1300 - 280) / 1435 of the base's 80 s: 56.86 s.
    EXPECT_GT(confinedAt, 56864u);
    EXPECT_LE(confinedAt, 56964u);
    EXPECT_LT(stage_->LandmarkZ(), 280.0f);
    EXPECT_EQ(1, stage_->LandmarkVisible());

    stage_->Reset(clock_.Ticks());
    EXPECT_EQ(0, IsFlightAreaConfined());
    EXPECT_EQ(1300.0f, stage_->LandmarkZ());
}

TEST_F(Stage1Test, NoConfinementWhileABattleRuns) {
    StepAt(*stage_, start_, 50000);
    SetBossBattleActive(1);
    StepAt(*stage_, start_, 60000);
    EXPECT_EQ(0, IsFlightAreaConfined());
    SetBossBattleActive(0);
    StepAt(*stage_, start_, 60033);
    EXPECT_EQ(1, IsFlightAreaConfined());
}

TEST_F(Stage1Test, ResetPutsTheItemsBackInPlace) {
    std::vector<const BuildingItem*> addresses;
    for (const BuildingItem& b : stage_->Buildings()) addresses.push_back(&b);
    std::uint8_t* flag = stage_->Stage1Flag();
    *flag = 1;
    Frames(*stage_, 60);
    stage_->Buildings()[3].standing = 1;

    stage_->Reset(clock_.Ticks());
    const std::uint32_t restart = Now();
    auto buildings = stage_->Buildings();
    for (std::size_t i = 0; i < buildings.size(); ++i) {
        EXPECT_EQ(addresses[i], &buildings[i]);
        EXPECT_EQ(0.0, buildings[i].roll);
        EXPECT_EQ(0, buildings[i].standing);
        EXPECT_EQ(restart, stage_->BuildingTrack(i).Start());
    }
    EXPECT_EQ(600.0f, buildings[kBuildingAt600].z);
    EXPECT_EQ(flag, stage_->Stage1Flag());
    EXPECT_EQ(0, *flag);
    EXPECT_EQ(0.0f, stage_->GroundScroll());
}

TEST_F(Stage1Test, GroundScrollRestartsPastOne) {
    // A millisecond a frame keeps the base far away for the thousand frames this needs.
    for (int i = 0; i < 990; ++i) {
        stage_->Step(clock_.Ticks());
        clock_.Advance(1);
    }
    EXPECT_NEAR(0.99f, stage_->GroundScroll(), 0.001f);
    float last = stage_->GroundScroll();
    while (stage_->GroundScroll() >= last) {
        last = stage_->GroundScroll();
        stage_->Step(clock_.Ticks());
        clock_.Advance(1);
    }
    EXPECT_GT(last, 0.999f);
    EXPECT_EQ(0.005f, stage_->GroundScroll());
}

}  // namespace
