#include "app/main_loop.h"

#include <cmath>

#include "platform/core/clock.h"

MainLoop::MainLoop() : windowStart_(platform::GetTickCount()) {}

bool MainLoop::Pass(const LoopPorts& ports, int* exitCode) {
    // Every waiting event is taken before the frame: sleeping a millisecond per event, as a message
    // loop on the old system did, would let a moving mouse starve the frames.
    if (ports.pumpMessages && ports.pumpMessages(exitCode)) return true;

    if (ports.minimisedOrHidden && ports.minimisedOrHidden()) {
        if (ports.hidden) ports.hidden(platform::GetTickCount());
        platform::Sleep(1);
        return false;
    }

    ++frameCounter_;
    if (ports.runFrame) ports.runFrame(platform::GetTickCount(), measuredFps_);

    // The pacing's own readings: the frame has ended and its tick is no longer in use.
    std::uint32_t now = platform::GetTickCount();
    std::uint32_t elapsed = now - windowStart_;
    const double target = static_cast<double>(frameCounter_) * kFramePeriodMs;
    while (static_cast<double>(elapsed) < target) {
        now = platform::GetTickCount();
        // One sleep up to the frame's slot rather than a wake-up every millisecond on the way there: the
        // loop leaves at the same tick, with a twentieth of the wake-ups.
        const double ahead = target - static_cast<double>(now - windowStart_);
        platform::Sleep(ahead > 1.0 ? static_cast<std::uint32_t>(std::ceil(ahead)) : 1u);
        elapsed = now - windowStart_;
    }
    if (elapsed >= 1000) {
        measuredFps_ = static_cast<std::int32_t>(frameCounter_);
        windowStart_ = now;
        frameCounter_ = 0;
    }
    platform::Sleep(1);
    return false;
}

int MainLoop::Run(const LoopPorts& ports) {
    int exitCode = 0;
    while (!Pass(ports, &exitCode)) {
    }
    return exitCode;
}
