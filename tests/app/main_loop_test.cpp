#include <gtest/gtest.h>

#include <vector>

#include "app/main_loop.h"
#include "platform/core/clock.h"

namespace {

// A loop whose frames take a given time and whose event source can post the quit or minimise.
struct Harness {
    platform::ManualClock clock{100000};
    platform::ScopedClock scoped{clock};
    std::vector<std::uint32_t> frameTicks;
    std::vector<std::int32_t> fpsSeen;
    std::uint32_t frameCost = 0;
    bool minimised = false;
    int quitAfterFrames = -1;
    LoopPorts ports;

    Harness() {
        ports.pumpMessages = [this](int* code) {
            if (quitAfterFrames >= 0 && static_cast<int>(frameTicks.size()) >= quitAfterFrames) {
                *code = 0;
                return true;
            }
            return false;
        };
        ports.minimisedOrHidden = [this] { return minimised; };
        ports.runFrame = [this](std::uint32_t now, std::int32_t fps) {
            // The frame is handed the tick of its start.
            EXPECT_EQ(clock.Ticks(), now);
            frameTicks.push_back(now);
            fpsSeen.push_back(fps);
            clock.Advance(frameCost);
        };
    }

    int FramesBetween(std::uint32_t from, std::uint32_t to) const {
        int n = 0;
        for (auto t : frameTicks) n += (t >= from && t < to);
        return n;
    }
};

}  // namespace

TEST(MainLoop, RunsThirtyFramesInEachOneSecondWindow) {
    Harness h;
    const std::uint32_t start = h.clock.Ticks();
    MainLoop loop;
    int code = -1;
    while (h.clock.Ticks() - start < 10000) ASSERT_FALSE(loop.Pass(h.ports, &code));
    for (int s = 1; s < 9; ++s) {
        EXPECT_NEAR(h.FramesBetween(start + 1000u * s, start + 1000u * (s + 1)), 30, 1) << "second " << s;
    }
    EXPECT_EQ(loop.MeasuredFrameRate(), 30);
    // Frames keep to their 33.3 ms slots: never two in the same slot, never a gap of two slots.
    for (std::size_t i = 1; i < h.frameTicks.size(); ++i) {
        std::uint32_t gap = h.frameTicks[i] - h.frameTicks[i - 1];
        EXPECT_GE(gap, 30u);
        EXPECT_LE(gap, 37u);
    }
}

TEST(MainLoop, ReportsZeroFramesPerSecondUntilTheFirstWindowCompletes) {
    Harness h;
    MainLoop loop;
    int code = 0;
    for (int i = 0; i < 30; ++i) loop.Pass(h.ports, &code);
    for (auto fps : h.fpsSeen) EXPECT_EQ(fps, 0);
    for (int i = 0; i < 5; ++i) loop.Pass(h.ports, &code);
    EXPECT_EQ(h.fpsSeen.back(), 30);
}

TEST(MainLoop, LateFramesCatchUpWithoutBeingSkipped) {
    Harness h;
    MainLoop loop;
    int code = 0;
    h.frameCost = 100;  // three slots' worth for each of the first five frames
    for (int i = 0; i < 5; ++i) loop.Pass(h.ports, &code);
    h.frameCost = 0;
    while (h.frameTicks.size() < 30) loop.Pass(h.ports, &code);
    // Once frames are cheap again they run back to back until the schedule is met.
    EXPECT_LE(h.frameTicks[6] - h.frameTicks[5], 2u);
    EXPECT_LE(h.frameTicks.back() - h.frameTicks.front(), 1000u);
    EXPECT_EQ(h.frameTicks.size(), 30u);
}

TEST(MainLoop, RunsNoFrameWhileMinimisedAndQuitsWhenTold) {
    Harness h;
    MainLoop loop;
    int code = -1;
    h.minimised = true;
    for (int i = 0; i < 100; ++i) EXPECT_FALSE(loop.Pass(h.ports, &code));
    EXPECT_TRUE(h.frameTicks.empty());
    h.minimised = false;
    h.quitAfterFrames = 3;
    EXPECT_EQ(loop.Run(h.ports), 0);
    EXPECT_EQ(h.frameTicks.size(), 3u);
}

namespace {

// Manual time that counts the sleeps taken on it.
class CountingClock final : public platform::Clock {
public:
    std::uint32_t Ticks() const override { return manual.Ticks(); }
    std::uint64_t Micros() const override { return manual.Micros(); }
    void Sleep(std::uint32_t ms) override {
        ++sleeps;
        manual.Sleep(ms);
    }
    platform::ManualClock manual{50000};
    int sleeps = 0;
};

}  // namespace

TEST(MainLoop, WaitsForEachSlotInAFewSleepsAndLeavesAtTheSameTicks) {
    CountingClock clock;
    platform::ScopedClock scoped(clock);
    std::vector<std::uint32_t> ticks;
    LoopPorts ports;
    ports.runFrame = [&](std::uint32_t now, std::int32_t) { ticks.push_back(now - 50000); };
    MainLoop loop;
    int code = 0;
    for (int i = 0; i < 90; ++i) loop.Pass(ports, &code);
    // Each frame waits past its slot's first whole tick, one more millisecond, and one after the window
    // check: 0, 33.3 -> 34 + 2, 66.7 -> 67 + 2, 100 + 2.
    ASSERT_GE(ticks.size(), 4u);
    EXPECT_EQ(0u, ticks[0]);
    EXPECT_EQ(36u, ticks[1]);
    EXPECT_EQ(69u, ticks[2]);
    EXPECT_EQ(102u, ticks[3]);
    // Three sleeps a frame at most, where a wake-up every millisecond would take over thirty.
    EXPECT_LE(clock.sleeps, 90 * 3);
}
