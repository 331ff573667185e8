#pragma once
// The system reference clock: wake-ups at absolute deadlines (start + k x period), so a late wake-up
// never shifts the ones after it; every deadline passed releases the semaphore once, and a wake-up that
// was held up releases all the deadlines it missed at once.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/audio/counting_semaphore.h"
#include "platform/audio/reference_clock.h"

namespace platform {

class SystemReferenceClock final : public ReferenceClock, private SemaphoreTimer {
public:
    // kOwnThread: a high-priority thread sleeps to each deadline on the monotonic clock.
    // kByCaller: no thread; whoever moves the time (a test with a ManualClock) calls ReleaseDue.
    // kOnDemand: no thread; the thread waiting on an advised semaphore releases the deadlines as it
    //   waits (the semaphore is released only while somebody waits on it or tries it).
    enum class Drive { kOwnThread, kByCaller, kOnDemand };

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
    std::optional<std::uint64_t> ReleaseDueFor(CountingSemaphore* semaphore) override;

    const Drive drive_;
    // Taken before mutex_ while a semaphore is attached or detached, so that an advice and an unadvice
    // for one semaphore cannot leave it detached with an advice on it.
    std::mutex attachment_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Advice> advices_;
    std::uint32_t nextCookie_ = 1;
    bool quit_ = false;
    std::thread thread_;
};

}  // namespace platform
