#pragma once
// A counting semaphore whose count is capped: releases past the maximum are dropped rather than being
// undefined behaviour, so a clock that keeps releasing while nobody waits cannot overflow it.

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

class CountingSemaphore {
public:
    CountingSemaphore(std::uint32_t initial, std::uint32_t maximum);
    CountingSemaphore(const CountingSemaphore&) = delete;
    CountingSemaphore& operator=(const CountingSemaphore&) = delete;

    void Release(std::uint32_t count = 1);
    // Waits without time limit until the count is above zero, then takes one.
    void Acquire();
    bool TryAcquire();
    std::uint32_t Count() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable available_;
    std::uint32_t count_;
    std::uint32_t maximum_;
};

}  // namespace platform
