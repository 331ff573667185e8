#pragma once
// The sceneries stepped without a device on a manual clock: Step moves them and never needs the
// device. The registry starts fresh for every test.

#include <gtest/gtest.h>

#include <cstdint>

#include "core/registry.h"
#include "platform/core/clock.h"

class StageClockTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kFrameMs = 33;

    void SetUp() override {
        ResetRegistry();
        StartStageClock(clock_.Ticks());
    }
    void TearDown() override { ResetRegistry(); }

    // One stepped frame, then the clock moves on by one frame.
    template <typename Scenery>
    void Frame(Scenery& scenery) {
        UpdateStageClock(clock_.Ticks());
        scenery.Step(clock_.Ticks());
        clock_.Advance(kFrameMs);
    }
    template <typename Scenery>
    void Frames(Scenery& scenery, int count) {
        for (int i = 0; i < count; ++i) Frame(scenery);
    }
    // Steps once at `ms` after `from` (the clock only moves forwards).
    template <typename Scenery>
    void StepAt(Scenery& scenery, std::uint32_t from, std::uint32_t ms) {
        clock_.Set(from + ms);
        UpdateStageClock(clock_.Ticks());
        scenery.Step(clock_.Ticks());
    }

    std::uint32_t Now() const { return clock_.Ticks(); }

    platform::ManualClock clock_{100000};
    platform::ScopedClock scopedClock_{clock_};
};
