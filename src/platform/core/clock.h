#pragma once
// The one source of time for the whole game: a millisecond tick count (the counterpart of GetTickCount
// and timeGetTime) and a sleep. Tests install a ManualClock so any scene can be stepped frame by frame.

#include <atomic>
#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary origin; wraps at 2^32 like the Windows tick count.
    virtual std::uint32_t Ticks() const = 0;
    // Microseconds on the same time line, for code that needs finer timing than a tick (music).
    virtual std::uint64_t Micros() const = 0;
    virtual void Sleep(std::uint32_t ms) = 0;
};

// Monotonic wall time.
class RealClock final : public Clock {
public:
    RealClock();
    std::uint32_t Ticks() const override;
    std::uint64_t Micros() const override;
    void Sleep(std::uint32_t ms) override;

private:
    std::uint64_t originMicros_;
};

// Time that moves only when told to. Sleep advances it, so a loop that waits in sleeps still
// reaches its deadline without real time passing. Safe to read from any thread.
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::uint32_t startTicks = 1000);
    std::uint32_t Ticks() const override;
    std::uint64_t Micros() const override;
    void Sleep(std::uint32_t ms) override;

    void Advance(std::uint32_t ms);
    void AdvanceMicros(std::uint64_t us);
    void Set(std::uint32_t ticks);

private:
    std::atomic<std::uint64_t> micros_;
};

// The clock every caller below reads. Starts as a RealClock; passing nullptr restores it.
void InstallClock(Clock* clock);
Clock& CurrentClock();
// The process's real clock, whichever clock is installed: the one a clock installed over it reads.
Clock& SystemClock();

std::uint32_t GetTickCount();
std::uint32_t TimeGetTime();
void Sleep(std::uint32_t ms);

// Seconds since the epoch, for seeding the random generator as the game does once at start-up.
std::int64_t WallClockSeconds();

// Installs a clock for the lifetime of a scope (tests).
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock) { InstallClock(&clock); }
    ~ScopedClock() { InstallClock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

}  // namespace platform
