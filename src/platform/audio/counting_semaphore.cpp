#include "platform/audio/counting_semaphore.h"

#include <algorithm>

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

void CountingSemaphore::Acquire() {
    std::unique_lock<std::mutex> lock(mutex_);
    available_.wait(lock, [this] { return count_ > 0; });
    --count_;
}

bool CountingSemaphore::TryAcquire() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (count_ == 0) return false;
    --count_;
    return true;
}

std::uint32_t CountingSemaphore::Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return count_;
}

}  // namespace platform
