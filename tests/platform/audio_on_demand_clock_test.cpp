// The reference clock without a thread of its own: the thread waiting on the advised semaphore keeps
// the deadlines itself, once per period, as the clock's own thread would have released them.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/audio/counting_semaphore.h"
#include "platform/audio/system_reference_clock.h"
#include "platform/core/clock.h"

namespace {

using platform::CountingSemaphore;
using platform::SystemReferenceClock;
using namespace std::chrono_literals;

// A sequencer's playback thread: takes the semaphore and counts its wake-ups until told to stop.
class Waiter {
public:
    explicit Waiter(CountingSemaphore& sem)
        : sem_(sem), thread_([this] {
              for (;;) {
                  sem_.Acquire();
                  if (stop_) return;
                  ++wakeups_;
              }
          }) {}
    ~Waiter() {
        stop_ = true;
        sem_.Release(1);
        thread_.join();
    }
    int Wakeups() const { return wakeups_; }
    // Waits (real time, bounded) until the wake-ups reach `count`; answers them.
    int AwaitAtLeast(int count) const {
        for (int i = 0; i < 2000 && wakeups_ < count; ++i) std::this_thread::sleep_for(1ms);
        return wakeups_;
    }

private:
    CountingSemaphore& sem_;
    std::atomic<bool> stop_{false};
    std::atomic<int> wakeups_{0};
    std::thread thread_;
};

int ThreadCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) ++n;
    return n;
}

TEST(OnDemandReferenceClock, WakesTheWaiterOncePerMillisecondOnAManualClock) {
    platform::ManualClock manual(7000);
    platform::ScopedClock scoped(manual);
    CountingSemaphore sem(0, 100000);
    const int threadsBefore = ThreadCount();
    SystemReferenceClock clock(SystemReferenceClock::Drive::kOnDemand);
    EXPECT_EQ(threadsBefore, ThreadCount());  // no thread of its own
    Waiter waiter(sem);
    const std::uint32_t cookie = clock.AdvisePeriodic(clock.GetTime() + 1000, 1000, &sem);
    ASSERT_NE(0u, cookie);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(0, waiter.Wakeups());  // the first deadline is not reached yet
    for (int ms = 1; ms <= 30; ++ms) {
        manual.Advance(1);
        ASSERT_EQ(ms, waiter.AwaitAtLeast(ms)) << "after " << ms << " ms";
    }
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(30, waiter.Wakeups());  // never more than one per millisecond
    // A wake-up held up catches up every deadline it missed at once, and the schedule holds.
    manual.Advance(10);
    EXPECT_EQ(40, waiter.AwaitAtLeast(40));
    manual.AdvanceMicros(999);
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(40, waiter.Wakeups());
    manual.AdvanceMicros(1);
    EXPECT_EQ(41, waiter.AwaitAtLeast(41));
    // Unadvised, the waiter sleeps on whatever the time does.
    clock.Unadvise(cookie);
    EXPECT_EQ(0u, clock.ActiveAdvices());
    manual.Advance(20);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(41, waiter.Wakeups());
}

TEST(OnDemandReferenceClock, AWaiterWithNothingAdvisedStartsWhenAnAdviceComes) {
    platform::ManualClock manual(3000);
    platform::ScopedClock scoped(manual);
    // The semaphore outlives the clock and its advices, as the sequencer's does.
    CountingSemaphore sem(0, 100000);
    SystemReferenceClock clock(SystemReferenceClock::Drive::kOnDemand);
    Waiter waiter(sem);
    std::this_thread::sleep_for(10ms);  // the waiter is asleep with no deadline at all
    clock.AdvisePeriodic(clock.GetTime(), 1000, &sem);
    EXPECT_EQ(1, waiter.AwaitAtLeast(1));  // the start itself is a deadline
    manual.Advance(5);
    EXPECT_EQ(6, waiter.AwaitAtLeast(6));
}

TEST(OnDemandReferenceClock, TryingTheSemaphoreReleasesWhatIsDueAndTheClockCanGoFirst) {
    platform::ManualClock manual(1000);
    platform::ScopedClock scoped(manual);
    CountingSemaphore sem(0, 100000);
    {
        SystemReferenceClock clock(SystemReferenceClock::Drive::kOnDemand);
        clock.AdvisePeriodic(clock.GetTime() + 500, 1000, &sem);
        EXPECT_FALSE(sem.TryAcquire());
        manual.Advance(3);  // deadlines at +0.5, +1.5 and +2.5 ms
        int taken = 0;
        while (sem.TryAcquire()) ++taken;
        EXPECT_EQ(3, taken);
    }
    // The clock is gone with its advice still on: the semaphore no longer asks it.
    manual.Advance(5);
    EXPECT_FALSE(sem.TryAcquire());
    sem.Release(1);
    EXPECT_TRUE(sem.TryAcquire());
}

TEST(OnDemandReferenceClock, KeepsTimeWithRealTimeThroughTheWaiter) {
    CountingSemaphore sem(0, 100000);
    SystemReferenceClock clock(SystemReferenceClock::Drive::kOnDemand);
    Waiter waiter(sem);
    const std::uint64_t start = clock.GetTime();
    const std::uint32_t cookie = clock.AdvisePeriodic(start, 1000, &sem);
    std::this_thread::sleep_for(300ms);
    const auto due = static_cast<int>((clock.GetTime() - start) / 1000);
    // Deadlines are absolute: however late the waiter was scheduled, it catches up every one passed...
    const int count = waiter.AwaitAtLeast(due);
    const auto dueNow = static_cast<int>((clock.GetTime() - start) / 1000);
    clock.Unadvise(cookie);
    EXPECT_GE(count, due);
    // ...and never runs ahead of the time.
    EXPECT_LE(count, dueNow + 1);
}

}  // namespace
