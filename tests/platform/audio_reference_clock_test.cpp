#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/audio/counting_semaphore.h"
#include "platform/audio/system_reference_clock.h"
#include "platform/core/clock.h"

namespace {

using platform::SystemReferenceClock;

TEST(SystemReferenceClock, ReleasesOncePerPeriodFromTheStartIncludingMissedDeadlines) {
    platform::ManualClock manual(5000);
    platform::ScopedClock scoped(manual);
    SystemReferenceClock clock(SystemReferenceClock::Drive::kByCaller);
    platform::CountingSemaphore sem(0, 100000);
    EXPECT_EQ(clock.GetTime(), 5000000u);
    const std::uint32_t cookie = clock.AdvisePeriodic(clock.GetTime() + 500, 1000, &sem);
    ASSERT_NE(cookie, 0u);
    clock.ReleaseDue();
    EXPECT_EQ(sem.Count(), 0u);  // the start is not reached yet
    manual.AdvanceMicros(500);
    clock.ReleaseDue();
    EXPECT_EQ(sem.Count(), 1u);
    manual.AdvanceMicros(999);
    clock.ReleaseDue();
    EXPECT_EQ(sem.Count(), 1u);
    manual.AdvanceMicros(1);
    clock.ReleaseDue();
    EXPECT_EQ(sem.Count(), 2u);
    // A wake-up held up for a second releases every deadline it missed, and the schedule holds.
    manual.Advance(1000);
    clock.ReleaseDue();
    EXPECT_EQ(sem.Count(), 1002u);
    manual.AdvanceMicros(999);
    clock.ReleaseDue();
    EXPECT_EQ(sem.Count(), 1002u);
    clock.Unadvise(cookie);
    manual.Advance(50);
    clock.ReleaseDue();
    EXPECT_EQ(sem.Count(), 1002u);
    EXPECT_EQ(clock.ActiveAdvices(), 0u);
    EXPECT_EQ(clock.AdvisePeriodic(0, 0, &sem), 0u);  // no period, no wake-ups
}

TEST(SystemReferenceClock, ItsThreadWakesEveryMillisecondOnRealTime) {
    SystemReferenceClock clock;
    platform::CountingSemaphore sem(0, 100000);
    const std::uint64_t start = clock.GetTime();
    const std::uint32_t cookie = clock.AdvisePeriodic(start, 1000, &sem);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::uint64_t elapsed = clock.GetTime() - start;
    const std::uint32_t count = sem.Count();
    clock.Unadvise(cookie);
    // Deadlines are absolute, so however the thread was scheduled the count follows the time passed.
    EXPECT_GE(count + 3, elapsed / 1000);
    EXPECT_LE(count, elapsed / 1000 + 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const std::uint32_t after = sem.Count();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_LE(sem.Count(), after);  // stopped
}

}  // namespace
