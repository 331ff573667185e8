#pragma once
// The system reference clock: wake-ups at absolute deadlines (start + k x period), so a late wake-up
// never shifts the ones after it; every deadline passed releases the semaphore once, and a wake-up that
// was held up releases all the deadlines it missed at once.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio/reference_clock.h"

namespace platform {

class SystemReferenceClock final : public ReferenceClock {
public:
    // kOwnThread: a high-priority thread sleeps to each deadline on the monotonic clock.
    // kByCaller: no thread; whoever moves the time (a test with a ManualClock) calls ReleaseDue.
    enum class Drive { kOwnThread, kByCaller };

    explicit SystemReferenceClock(Drive drive = Drive::kOwnThread);
    ~SystemReferenceClock() override;
    SystemReferenceClock(const SystemReferenceClock&) = delete;
    SystemReferenceClock& operator=(const SystemReferenceClock&) = delete;

    std::uint64_t GetTime() const override;
    std::uint32_t AdvisePeriodic(std::uint64_t start, std::uint64_t period, CountingSemaphore* semaphore) override;
    void Unadvise(std::uint32_t cookie) override;

    // Releases every deadline the current time has reached.
    void ReleaseDue();
    std::size_t ActiveAdvices() const;

private:
    struct Advice {
        std::uint32_t cookie;
        std::uint64_t next;
        std::uint64_t period;
        CountingSemaphore* semaphore;
    };

    void Run();
    void ReleaseDueLocked(std::uint64_t now);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Advice> advices_;
    std::uint32_t nextCookie_ = 1;
    bool quit_ = false;
    std::thread thread_;
};

}  // namespace platform
