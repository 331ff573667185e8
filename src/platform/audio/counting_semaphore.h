#pragma once
// A counting semaphore whose count is capped: releases past the maximum are dropped rather than being
// undefined behaviour, so a clock that keeps releasing while nobody waits cannot overflow it.
//
// A timer may be attached: then whoever waits on the semaphore releases the timer's due deadlines
// itself and sleeps until the next one, so periodic wake-ups cost the waiting thread alone.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace platform {

class CountingSemaphore;

// Deadlines that release a semaphore, kept by someone without a thread of their own.
class SemaphoreTimer {
public:
    virtual ~SemaphoreTimer() = default;
    // Releases `semaphore` for every one of its deadlines the time has reached; answers the microseconds
    // until its next deadline, or nothing when it has none.
    virtual std::optional<std::uint64_t> ReleaseDueFor(CountingSemaphore* semaphore) = 0;
};

class CountingSemaphore {
public:
    CountingSemaphore(std::uint32_t initial, std::uint32_t maximum);
    CountingSemaphore(const CountingSemaphore&) = delete;
    CountingSemaphore& operator=(const CountingSemaphore&) = delete;

    void Release(std::uint32_t count = 1);
    // Waits without time limit until the count is above zero, then takes one.
    void Acquire();
    bool TryAcquire();
    // What has been released and not taken; deadlines of an attached timer count once a waiter saw them.
    std::uint32_t Count() const;

    // The timer's deadlines are released by Acquire and TryAcquire from now on. A timer is attached at
    // most once (attaching it again tells the waiters of a new deadline); Detach returns only when no
    // waiter is using it any more.
    void AttachTimer(SemaphoreTimer* timer);
    void DetachTimer(SemaphoreTimer* timer);
    // A waiter asks the timers again (a deadline was added).
    void TimersChanged();

private:
    std::optional<std::uint64_t> ReleaseTimersDue();

    mutable std::mutex mutex_;
    std::condition_variable available_;
    std::uint32_t count_;
    std::uint32_t maximum_;
    std::uint64_t timerChanges_ = 0;  // under mutex_
    // Held while a waiter asks the timers, so a timer is never used after it was detached.
    std::mutex timersInUse_;
    std::vector<SemaphoreTimer*> timers_;  // under timersInUse_
};

}  // namespace platform
