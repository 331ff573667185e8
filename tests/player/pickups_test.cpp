#include "player/pickups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/registry.h"
#include "platform/core/clock.h"
#include "audio/scene_audio.h"
#include "support/recording_audio.h"
#include "support/ship_life_of.h"
#include "audio/sound_cues.h"

namespace {

constexpr std::uint32_t kFrameMs = 33;

class PickupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        InstallSceneAudio(&audio_);
        SetStage(1);
        StartStageClock(clock_.Ticks());
        pickups_.Reset(clock_.Ticks());
        ship_ = PlayerState::NewGame();
    }
    void TearDown() override {
        InstallSceneAudio(nullptr);
        ResetRegistry();
    }

    // The clock moves on by one frame, then the pickups' step of the next frame.
    void Frame() {
        clock_.Advance(kFrameMs);
        UpdateStageClock(clock_.Ticks());
        pickups_.Update(clock_.Ticks());
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
    // The ship placed on a pickup.
    void ShipOn(const PickupRecord& r) {
        ship_.x = r.x;
        ship_.y = r.y;
        ship_.z = r.z;
    }
    PickupRecord& Ring(int i) { return pickups_.Rings()[static_cast<std::size_t>(i)]; }
    PickupRecord& Item(int i) { return pickups_.BombItems()[static_cast<std::size_t>(i)]; }

    platform::ManualClock clock_{100000};
    platform::ScopedClock scoped_{clock_};
    RecordingAudio audio_;
    Pickups pickups_;
    PlayerState ship_;
    ShipLifeOf life_{&ship_};
};

TEST_F(PickupsTest, EveryStagesPickupsArePlacedAndTheLastTwoBombItemsAreNot) {
    int shownRings = 0, shownItems = 0;
    for (int i = 0; i < Pickups::kSlots; ++i) {
        shownRings += Ring(i).shown;
        shownItems += Item(i).shown;
    }
    EXPECT_EQ(10, shownRings);
    EXPECT_EQ(8, shownItems);

    // A reset puts back what a stage used up, in the same records.
    PickupRecord* first = &Ring(0);
    Ring(0).taken = 1;
    Ring(0).shown = 0;
    Ring(0).z = 3.0;
    pickups_.Reset(clock_.Ticks());
    EXPECT_EQ(first, &Ring(0));
    EXPECT_EQ(1, Ring(0).shown);
    EXPECT_EQ(0, Ring(0).taken);
    EXPECT_DOUBLE_EQ(850.0, Ring(0).z);
}

TEST_F(PickupsTest, OnlyTheCurrentStagesPickupsMoveAfterTheirAppearanceAt20UnitsPerSecond) {
    Frames(3);  // 99 ms: not yet due
    EXPECT_DOUBLE_EQ(850.0, Ring(0).z);
    Frame();
    EXPECT_LT(Ring(0).z, 850.0);
    // 30 frames are 990 ms.
    Frames(26);
    EXPECT_NEAR(850.0 - 20.0 * 0.99, Ring(0).z, 1e-3);
    EXPECT_NEAR(300.0 - 20.0 * 0.99, Item(0).z, 1e-3);
    // Another stage's pickups wait where they were placed, and cannot be taken.
    EXPECT_DOUBLE_EQ(800.0, Ring(3).z);
    ShipOn(Ring(3));
    pickups_.Collect(clock_.Ticks(), ship_, life_);
    EXPECT_EQ(0, Ring(3).taken);
    EXPECT_TRUE(audio_.sounds.empty());
}

TEST_F(PickupsTest, ARingGivesFiftyLifeUpTo223AndLeavesASparkleOfSixteenCells) {
    Frame();
    ship_.life = 100;
    ShipOn(Ring(0));
    pickups_.Collect(clock_.Ticks(), ship_, life_);
    EXPECT_EQ(1, Ring(0).taken);
    EXPECT_EQ(150, ship_.life);
    EXPECT_EQ(1, audio_.Count(sound::kRing));
    EXPECT_EQ(1, pickups_.SparkleEffects().ActiveCount());
    // Taken once only.
    pickups_.Collect(clock_.Ticks(), ship_, life_);
    EXPECT_EQ(150, ship_.life);
    EXPECT_EQ(1, audio_.Count(sound::kRing));

    ship_.life = 200;
    ShipOn(Ring(1));
    pickups_.Collect(clock_.Ticks(), ship_, life_);
    EXPECT_EQ(223, ship_.life);
    ship_.life = 223;
    ShipOn(Ring(2));
    pickups_.Collect(clock_.Ticks(), ship_, life_);
    EXPECT_EQ(223, ship_.life);
    EXPECT_EQ(3, audio_.Count(sound::kRing));
    EXPECT_EQ(3, pickups_.SparkleEffects().ActiveCount());

    // The sparkles follow the ship and play one cell per frame; the 16th frame ends them.
    ship_.x = -3.0;
    for (int frame = 1; frame <= 16; ++frame) {
        clock_.Advance(kFrameMs);
        pickups_.StepSparkles(clock_.Ticks(), ship_);
        const SparkleRecord& s = pickups_.SparkleEffects().Record(0);
        if (frame < 16) {
            ASSERT_EQ(1, s.active) << frame;
            EXPECT_DOUBLE_EQ(-3.0, s.x);
            EXPECT_DOUBLE_EQ(0.25 * (frame % 4), s.u) << frame;
            EXPECT_DOUBLE_EQ(0.25 * (frame / 4), s.v) << frame;
            EXPECT_NEAR(1.0 - 0.05 * frame, s.scale, 1e-9);
        }
    }
    EXPECT_EQ(0, pickups_.SparkleEffects().ActiveCount());
}

TEST_F(PickupsTest, ABombItemAtAFullStockIsTakenWithItsSoundButAddsNothing) {
    Frame();
    ship_.bombs = 5;
    ShipOn(Item(0));
    pickups_.Collect(clock_.Ticks(), ship_, life_);
    EXPECT_EQ(1, Item(0).taken);
    EXPECT_EQ(5, ship_.bombs);
    EXPECT_EQ(1, audio_.Count(sound::kBombItem));
    EXPECT_EQ(0, pickups_.SparkleEffects().ActiveCount());

    ship_.bombs = 2;
    ShipOn(Item(1));
    pickups_.Collect(clock_.Ticks(), ship_, life_);
    EXPECT_EQ(3, ship_.bombs);
    EXPECT_EQ(2, audio_.Count(sound::kBombItem));
    EXPECT_EQ(0, audio_.Count(sound::kRing));
}

TEST_F(PickupsTest, CollectedPickupsShrinkAwayAndBombItemsRiseAndFade) {
    Frames(4);  // due
    ShipOn(Ring(0));
    pickups_.Collect(clock_.Ticks(), ship_, life_);
    ShipOn(Item(0));
    pickups_.Collect(clock_.Ticks(), ship_, life_);
    const double itemY = Item(0).y;
    Frame();
    EXPECT_LT(Ring(0).scaleX, 1.0);
    EXPECT_GT(Ring(0).scaleX, 0.9);
    EXPECT_DOUBLE_EQ(Ring(0).scaleX, Ring(0).scaleZ);
    EXPECT_NEAR(itemY + 0.05, Item(0).y, 1e-9);
    EXPECT_NEAR(0.95, Item(0).alpha, 1e-9);
    // 1000 ms of shrinking: gone on the 31st frame after the collection (1023 ms).
    Frames(29);
    EXPECT_EQ(1, Ring(0).shown);
    Frame();
    EXPECT_EQ(0, Ring(0).shown);
    EXPECT_EQ(0, Item(0).shown);
    // An untouched neighbour is still there.
    EXPECT_EQ(1, Ring(1).shown);
}

TEST_F(PickupsTest, APickupThatPassesTheShipIsGone) {
    // Bomb item 0 drifts from 300 to below 1 in about 14.95 s.
    Frames(450);  // 14.85 s
    EXPECT_EQ(1, Item(0).shown);
    EXPECT_GT(Item(0).z, 1.0);
    Frames(6);
    EXPECT_EQ(0, Item(0).shown);
}

TEST_F(PickupsTest, PickupsStandStillDuringABattleAndResumeWhereTheyStopped) {
    Frames(30);
    const double before = Ring(0).z;
    SetBossBattleActive(1);
    BossTimerStart(clock_.Ticks());
    Frames(150);  // about 5 s of battle
    EXPECT_DOUBLE_EQ(before, Ring(0).z);

    SetBossBattleActive(0);
    SetBossBattleEnded(1);
    Frame();
    EXPECT_EQ(0, IsBossBattleEnded());
    // Its tracks moved on by the battle's length: it goes on from where it stood, without a jump.
    EXPECT_NEAR(before, Ring(0).z, 1e-3);
    // And only once: the next 30 frames drift 0.99 s.
    Frames(30);
    EXPECT_NEAR(before - 20.0 * 0.99, Ring(0).z, 1e-3);
}

TEST_F(PickupsTest, TheEndOfABattleIsClearedEveryFrameEvenWithNoPickupLeft) {
    for (PickupRecord& r : pickups_.Rings()) r.shown = 0;
    for (PickupRecord& r : pickups_.BombItems()) r.shown = 0;
    SetBossBattleEnded(1);
    Frame();
    EXPECT_EQ(0, IsBossBattleEnded());
    SetBossBattleEnded(1);
    SetStage(2);  // before any pickup is due as well
    StartStageClock(clock_.Ticks());
    pickups_.Update(clock_.Ticks());
    EXPECT_EQ(0, IsBossBattleEnded());
}

}  // namespace
