#include "platform/core/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace platform {

namespace {

std::uint64_t SteadyMicros() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

RealClock& TheRealClock() {
    // Never destroyed: the sound device's thread reads the clock until the program-wide sound bank
    // closes it, which is after main has returned and the function-local statics are gone.
    static RealClock* clock = new RealClock;
    return *clock;
}

std::atomic<Clock*> g_installed{nullptr};

}  // namespace

RealClock::RealClock() : originMicros_(SteadyMicros()) {}

std::uint32_t RealClock::Ticks() const {
    // Start a little above zero so that "start - 100 ms" style arithmetic never needs to wrap at once.
    return static_cast<std::uint32_t>(Micros() / 1000 + 10000);
}

std::uint64_t RealClock::Micros() const { return SteadyMicros() - originMicros_; }

void RealClock::Sleep(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

ManualClock::ManualClock(std::uint32_t startTicks) : micros_(static_cast<std::uint64_t>(startTicks) * 1000) {}

std::uint32_t ManualClock::Ticks() const { return static_cast<std::uint32_t>(micros_.load() / 1000); }

std::uint64_t ManualClock::Micros() const { return micros_.load(); }

void ManualClock::Sleep(std::uint32_t ms) { Advance(ms); }

void ManualClock::Advance(std::uint32_t ms) { micros_.fetch_add(static_cast<std::uint64_t>(ms) * 1000); }

void ManualClock::AdvanceMicros(std::uint64_t us) { micros_.fetch_add(us); }

void ManualClock::Set(std::uint32_t ticks) { micros_.store(static_cast<std::uint64_t>(ticks) * 1000); }

void InstallClock(Clock* clock) { g_installed.store(clock); }

Clock& CurrentClock() {
    Clock* c = g_installed.load();
    return c ? *c : TheRealClock();
}

Clock& SystemClock() { return TheRealClock(); }

std::uint32_t GetTickCount() { return CurrentClock().Ticks(); }

std::uint32_t TimeGetTime() { return CurrentClock().Ticks(); }

void Sleep(std::uint32_t ms) { CurrentClock().Sleep(ms); }

std::int64_t WallClockSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace platform
