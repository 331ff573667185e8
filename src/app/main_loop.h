#pragma once
// The frame loop: takes the system's events, runs one frame when the window is visible, and paces
// frames at 33.3332 ms within one-second windows. Time comes from the platform clock, events and
// frames through the ports, so tests run it with a manual clock and their own frame function. The
// loop reads the tick once at the start of each frame and hands it to the frame: nothing in the game
// reads a clock of its own.

#include <cstdint>
#include <functional>

struct LoopPorts {
    // Takes every waiting event; true (with the exit code) once the quit has been taken.
    std::function<bool(int* exitCode)> pumpMessages;
    std::function<bool()> minimisedOrHidden;
    // A pass with the window minimised or hidden, at the tick read for it: no frame is drawn.
    std::function<void(std::uint32_t now)> hidden;
    // Runs one frame at the tick read for it, with the measured frame rate (0 during the first second).
    std::function<void(std::uint32_t now, std::int32_t fps)> runFrame;
};

class MainLoop {
public:
    static constexpr double kFramePeriodMs = 33.3332;

    // Takes the start tick of the first one-second window.
    MainLoop();

    // One pass of the loop. Returns true when the quit was taken.
    bool Pass(const LoopPorts& ports, int* exitCode);
    // Passes until the quit; returns its exit code.
    int Run(const LoopPorts& ports);

    std::int32_t MeasuredFrameRate() const { return measuredFps_; }
    std::uint32_t FrameCounter() const { return frameCounter_; }

private:
    std::uint32_t frameCounter_ = 0;
    std::uint32_t windowStart_ = 0;
    std::int32_t measuredFps_ = 0;
};
