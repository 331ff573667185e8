#include "platform/core/frame_latched_clock.h"

#include <gtest/gtest.h>

#include <thread>

using platform::FrameLatchedClock;
using platform::ManualClock;

namespace {

// A source whose every tick read finds a millisecond gone: as the real clock may between two reads.
class CreepingClock final : public platform::Clock {
public:
    std::uint32_t Ticks() const override { return static_cast<std::uint32_t>(++ticks_); }
    std::uint64_t Micros() const override { return ticks_ * 1000; }
    void Sleep(std::uint32_t ms) override { ticks_ += ms; }

private:
    mutable std::uint64_t ticks_ = 5000;
};

std::uint32_t TicksOnAnotherThread(const platform::Clock& clock) {
    std::uint32_t seen = 0;
    std::thread([&] { seen = clock.Ticks(); }).join();
    return seen;
}

TEST(FrameLatchedClockTest, AFrameReadsOneTickWhileTheSourceMoves) {
    ManualClock source(20000);
    FrameLatchedClock clock(source);
    EXPECT_FALSE(clock.Latched());
    EXPECT_EQ(20000u, clock.LatchNow());
    const std::uint64_t micros = clock.Micros();
    source.Advance(25);
    EXPECT_EQ(20000u, clock.Ticks());
    EXPECT_EQ(micros, clock.Micros());
    // Sleeping inside a frame is real waiting, and the frame still reads its tick.
    clock.Sleep(5);
    EXPECT_EQ(20030u, source.Ticks());
    EXPECT_EQ(20000u, clock.Ticks());

    clock.Release();
    EXPECT_FALSE(clock.Latched());
    EXPECT_EQ(20030u, clock.Ticks());
    EXPECT_EQ(source.Micros(), clock.Micros());
    EXPECT_EQ(20030u, clock.LatchNow());
}

TEST(FrameLatchedClockTest, OtherThreadsReadTheSourceDuringTheFrame) {
    ManualClock source(1000);
    FrameLatchedClock clock(source);
    clock.LatchNow();
    source.Advance(40);
    EXPECT_EQ(1000u, clock.Ticks());
    EXPECT_EQ(1040u, TicksOnAnotherThread(clock));
    std::uint64_t micros = 0;
    std::thread([&] { micros = clock.Micros(); }).join();
    EXPECT_EQ(1040000u, micros);
}

TEST(FrameLatchedClockTest, AGivenTickMovesTheLineTheOthersRead) {
    ManualClock source(3000);
    FrameLatchedClock clock(source);
    clock.Latch(90000);  // a replayed frame's tick
    EXPECT_EQ(90000u, clock.Ticks());
    source.Advance(10);
    EXPECT_EQ(90010u, TicksOnAnotherThread(clock));
    clock.Release();
    EXPECT_EQ(90010u, clock.Ticks());
    // Microseconds stay the source's: the sound's time line is never moved.
    EXPECT_EQ(source.Micros(), clock.Micros());
    // A tick before the source's wraps as the tick does.
    clock.Latch(5);
    source.Advance(20);
    EXPECT_EQ(25u, TicksOnAnotherThread(clock));
}

TEST(FrameLatchedClockTest, LatchingNowNeverDriftsFromTheSource) {
    CreepingClock source;
    FrameLatchedClock clock(source);
    for (int frame = 0; frame < 100; ++frame) {
        const std::uint32_t latched = clock.LatchNow();
        clock.Release();
        // The source's next read is one tick on from the one latched: the latch read it once, and no
        // offset crept in between the two lines.
        EXPECT_EQ(latched + 1, source.Ticks()) << "frame " << frame;
    }
}

TEST(FrameLatchedClockTest, InstalledItServesTheGameWideClock) {
    ManualClock source(7000);
    FrameLatchedClock clock(source);
    platform::ScopedClock scoped(clock);
    clock.LatchNow();
    source.Advance(33);
    EXPECT_EQ(7000u, platform::GetTickCount());
    EXPECT_EQ(7000u, platform::TimeGetTime());
    platform::Sleep(3);
    EXPECT_EQ(7036u, source.Ticks());
    clock.Release();
    EXPECT_EQ(7036u, platform::GetTickCount());
}

}  // namespace
