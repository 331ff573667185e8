#include "platform/audio/counting_semaphore.h"

#include <algorithm>
#include <chrono>

namespace platform {

CountingSemaphore::CountingSemaphore(std::uint32_t initial, std::uint32_t maximum)
    : count_(std::min(initial, maximum)), maximum_(maximum) {}

void CountingSemaphore::Release(std::uint32_t count) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        count_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{count_} + count, maximum_));
    }
    available_.notify_one();
}

std::optional<std::uint64_t> CountingSemaphore::ReleaseTimersDue() {
    // The timers release through Release, so mutex_ must not be held here.
    std::lock_guard<std::mutex> use(timersInUse_);
    std::optional<std::uint64_t> soonest;
    for (SemaphoreTimer* timer : timers_) {
        const std::optional<std::uint64_t> next = timer->ReleaseDueFor(this);
        if (next && (!soonest || *next < *soonest)) soonest = next;
    }
    return soonest;
}

void CountingSemaphore::Acquire() {
    for (;;) {
        std::uint64_t changesSeen;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (count_ > 0) {
                --count_;
                return;
            }
            changesSeen = timerChanges_;
        }
        const std::optional<std::uint64_t> next = ReleaseTimersDue();
        std::unique_lock<std::mutex> lock(mutex_);
        auto ready = [&] { return count_ > 0 || timerChanges_ != changesSeen; };
        if (!next) {
            available_.wait(lock, ready);
        } else if (*next > 0) {
            available_.wait_for(lock, std::chrono::microseconds(*next), ready);
        }
        // Whatever woke the wait, the loop takes a count or asks the timers again.
    }
}

bool CountingSemaphore::TryAcquire() {
    ReleaseTimersDue();
    std::lock_guard<std::mutex> lock(mutex_);
    if (count_ == 0) return false;
    --count_;
    return true;
}

std::uint32_t CountingSemaphore::Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return count_;
}

void CountingSemaphore::AttachTimer(SemaphoreTimer* timer) {
    {
        std::lock_guard<std::mutex> use(timersInUse_);
        if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end()) timers_.push_back(timer);
    }
    // Attached before or not, the timer may have a new deadline sooner than the one being waited for.
    TimersChanged();
}

void CountingSemaphore::DetachTimer(SemaphoreTimer* timer) {
    std::lock_guard<std::mutex> use(timersInUse_);
    std::erase(timers_, timer);
}

void CountingSemaphore::TimersChanged() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++timerChanges_;
    }
    available_.notify_all();
}

}  // namespace platform
