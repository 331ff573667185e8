#pragma once
// A clock that stands still for the length of a frame. A recorded run must replay exactly, yet the game
// reads the tick many times per frame: latched, every read in the frame gives the one reading taken
// at its start, so a journal needs only that reading to reproduce them all.
//
// Only the thread that latched sees the latched time, and only until the latch is released: the
// music and sound threads, and the frame loop's pacing between frames, read the source clock, so the
// music keeps its timing and the loop never waits on a clock that does not move. A latch to a given
// tick (a replay's) moves the tick line they read by the same step, so a song started from a frame and
// timed by the music thread sees one line of time; microseconds are always the source's.

#include <atomic>
#include <cstdint>
#include <thread>

#include "platform/core/clock.h"

namespace platform {

class FrameLatchedClock final : public Clock {
public:
    explicit FrameLatchedClock(Clock& source) : source_(source) {}

    // Latches the source's reading of now; returns the tick that the frame will read.
    std::uint32_t LatchNow();
    // Latches a given tick (a replay's), with the source's microseconds of now.
    void Latch(std::uint32_t ticks);
    // Reads pass through to the source again.
    void Release();
    bool Latched() const { return latched_.load(); }

    // Outside the latch: the source's tick moved onto the line of the last latched tick.
    std::uint32_t Ticks() const override;
    std::uint64_t Micros() const override;
    // Waiting is real time: the source's sleep.
    void Sleep(std::uint32_t ms) override { source_.Sleep(ms); }

private:
    void Hold(std::uint32_t ticks);
    bool Reads() const { return latched_.load() && std::this_thread::get_id() == owner_.load(); }

    Clock& source_;
    std::atomic<bool> latched_{false};
    std::atomic<std::thread::id> owner_{};
    std::atomic<std::uint32_t> ticks_{0};
    // Latched tick minus the source's tick at the latch; wraps with the tick.
    std::atomic<std::uint32_t> offset_{0};
    std::atomic<std::uint64_t> micros_{0};
};

}  // namespace platform
