#include "platform/core/frame_latched_clock.h"

namespace platform {

std::uint32_t FrameLatchedClock::LatchNow() {
    // The source is read once: reading it again for the offset could step it by a tick.
    latched_.store(false);
    micros_.store(source_.Micros());
    const std::uint32_t ticks = source_.Ticks() + offset_.load();
    Hold(ticks);
    return ticks;
}

void FrameLatchedClock::Latch(std::uint32_t ticks) {
    latched_.store(false);
    micros_.store(source_.Micros());
    offset_.store(ticks - source_.Ticks());
    Hold(ticks);
}

void FrameLatchedClock::Hold(std::uint32_t ticks) {
    ticks_.store(ticks);
    owner_.store(std::this_thread::get_id());
    latched_.store(true);
}

void FrameLatchedClock::Release() { latched_.store(false); }

std::uint32_t FrameLatchedClock::Ticks() const { return Reads() ? ticks_.load() : source_.Ticks() + offset_.load(); }

std::uint64_t FrameLatchedClock::Micros() const { return Reads() ? micros_.load() : source_.Micros(); }

}  // namespace platform
