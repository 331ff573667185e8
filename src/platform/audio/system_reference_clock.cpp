#include "platform/audio/system_reference_clock.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "platform/audio/counting_semaphore.h"
#include "platform/audio/thread_priority.h"
#include "platform/core/clock.h"

namespace platform {

SystemReferenceClock::SystemReferenceClock(Drive drive) : drive_(drive) {
    if (drive == Drive::kOwnThread) thread_ = std::thread([this] { Run(); });
}

SystemReferenceClock::~SystemReferenceClock() {
    if (drive_ == Drive::kOnDemand) {
        std::lock_guard<std::mutex> attach(attachment_);
        std::vector<Advice> left;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            left.swap(advices_);
        }
        for (const Advice& a : left) a.semaphore->DetachTimer(this);
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

std::uint64_t SystemReferenceClock::GetTime() const { return CurrentClock().Micros(); }

std::uint32_t SystemReferenceClock::AdvisePeriodic(std::uint64_t start, std::uint64_t period,
                                                   CountingSemaphore* semaphore) {
    if (period == 0 || !semaphore) return 0;
    std::lock_guard<std::mutex> attach(attachment_);
    std::uint32_t cookie;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        cookie = nextCookie_++;
        if (nextCookie_ == 0) nextCookie_ = 1;
        advices_.push_back({cookie, start, period, semaphore});
    }
    changed_.notify_all();
    // Outside mutex_: a waiter holds the semaphore's timers while it asks this clock.
    if (drive_ == Drive::kOnDemand) semaphore->AttachTimer(this);
    return cookie;
}

void SystemReferenceClock::Unadvise(std::uint32_t cookie) {
    std::lock_guard<std::mutex> attach(attachment_);
    CountingSemaphore* unused = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it =
            std::find_if(advices_.begin(), advices_.end(), [cookie](const Advice& a) { return a.cookie == cookie; });
        if (it == advices_.end()) return;
        CountingSemaphore* semaphore = it->semaphore;
        advices_.erase(it);
        const bool stillAdvised = std::any_of(advices_.begin(), advices_.end(),
                                              [semaphore](const Advice& a) { return a.semaphore == semaphore; });
        if (!stillAdvised) unused = semaphore;
    }
    if (drive_ == Drive::kOnDemand && unused) unused->DetachTimer(this);
}

void SystemReferenceClock::ReleaseDue() {
    std::lock_guard<std::mutex> lock(mutex_);
    ReleaseDueLocked(CurrentClock().Micros());
}

std::size_t SystemReferenceClock::ActiveAdvices() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return advices_.size();
}

void SystemReferenceClock::ReleaseDueLocked(std::uint64_t now) {
    for (Advice& a : advices_) {
        if (now < a.next) continue;
        const std::uint64_t due = (now - a.next) / a.period + 1;
        a.semaphore->Release(static_cast<std::uint32_t>(std::min<std::uint64_t>(due, 0xFFFFFFFFu)));
        a.next += due * a.period;
    }
}

std::optional<std::uint64_t> SystemReferenceClock::ReleaseDueFor(CountingSemaphore* semaphore) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::uint64_t now = CurrentClock().Micros();
    std::optional<std::uint64_t> wait;
    for (Advice& a : advices_) {
        if (a.semaphore != semaphore) continue;
        if (now >= a.next) {
            const std::uint64_t due = (now - a.next) / a.period + 1;
            a.semaphore->Release(static_cast<std::uint32_t>(std::min<std::uint64_t>(due, 0xFFFFFFFFu)));
            a.next += due * a.period;
        }
        if (!wait || a.next - now < *wait) wait = a.next - now;
    }
    return wait;
}

void SystemReferenceClock::Run() {
    RaiseThreadPriority();
    NameThisThread("korvex-refclock");
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (advices_.empty()) {
            changed_.wait(lock);
            continue;
        }
        std::uint64_t earliest = std::numeric_limits<std::uint64_t>::max();
        for (const Advice& a : advices_) earliest = std::min(earliest, a.next);
        const std::uint64_t now = CurrentClock().Micros();
        if (now < earliest) {
            // The deadline is on the platform clock's line; the wait is on the monotonic clock it runs from.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::microseconds(earliest - now);
            changed_.wait_until(lock, deadline);
            continue;
        }
        ReleaseDueLocked(now);
    }
}

}  // namespace platform
