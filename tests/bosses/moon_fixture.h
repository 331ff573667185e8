#pragma once
// The stage-3 moons in their battles: the roster fixture on stage 3, with a moon brought in on its own
// and helpers to step until something happens and to steer the next random choice.

#include <cstdint>

#include "bosses/roster_fixture.h"
#include "platform/core/random.h"

class MoonTest : public RosterTest {
protected:
    static constexpr std::uint32_t kEntryAt[3] = {61000, 62000, 63000};

    void SetUp() override {
        RosterTest::SetUp();
        BeginStage(3);
    }
    // Brings moon `index` (4, 5 or 6) in by itself; the clock then stands at the entry tick. The moons
    // before it are marked as met so that they do not enter first.
    void EnterMoon(int index) {
        // A battle left running by an earlier part of the test must not hold the entry back.
        SetBossBattleActive(0);
        for (int i = 4; i < index; ++i) roster_.GetBoss(i).Body().appeared = 1;
        StageClockAt(kEntryAt[index - 4]);
        entryTick_ = clock_.Ticks();
        roster_.Step(entryTick_);
        roster_.Battle(entryTick_);
        ASSERT_EQ(1, roster_.GetBoss(index).Body().active);
        SetCameraCutIn(0, 0);
    }
    // The tick of the frame just stepped (Step moves the clock on after the frame).
    std::uint32_t LastFrameTick() const { return platform::GetTickCount() - kFrameMs; }
    // One frame with the ship held at (x, y); the life it lost.
    std::int32_t StepWithShipAt(double x, double y) {
        ship_.x = x;
        ship_.y = y;
        const std::int32_t before = ship_.life;
        Step();
        return before - ship_.life;
    }
};
