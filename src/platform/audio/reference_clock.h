#pragma once
// A reference clock: a time in microseconds on the platform clock's time line, and periodic wake-ups
// delivered by releasing a counting semaphore.

#include <cstdint>

namespace platform {

class CountingSemaphore;

class ReferenceClock {
public:
    virtual ~ReferenceClock() = default;
    virtual std::uint64_t GetTime() const = 0;
    // Releases `semaphore` once when the clock reaches `start` and then once every `period` microseconds,
    // until Unadvise. Returns a non-zero cookie, or 0 when this clock gives no wake-ups.
    virtual std::uint32_t AdvisePeriodic(std::uint64_t start, std::uint64_t period, CountingSemaphore* semaphore) = 0;
    virtual void Unadvise(std::uint32_t cookie) = 0;
};

}  // namespace platform
