#pragma once
// Maps platform-clock time to output sample frames. The audio callback reports, for each block, the
// frame it starts at and the time it was called; a delay-locked loop filters the jitter of those calls
// and follows the device's true rate, so a time stamp maps to the same frame whatever the callback's
// wake-up was like. A jump (a stall, a changed block size) re-anchors the map.

#include <cstdint>

namespace platform {

class SampleClock {
public:
    explicit SampleClock(double sampleRate, double bandwidthHz = 0.5);

    void OnBlock(std::uint64_t firstFrame, std::uint32_t frames, std::uint64_t nowMicros);
    // The frame at which `micros` falls; meaningful once a block has been reported.
    double FrameAt(std::uint64_t micros) const;
    bool Started() const { return started_; }
    // The filtered length of one frame in microseconds (the device's rate as seen by the platform clock).
    double MicrosPerFrame() const { return (t1_ - t0_) / blockFrames_; }

private:
    void Reset(std::uint64_t firstFrame, std::uint32_t frames, std::uint64_t nowMicros);

    double rate_;
    double bandwidth_;
    bool started_ = false;
    std::uint32_t blockFrames_ = 1;
    std::uint64_t f0_ = 0;  // first frame of the current block
    double t0_ = 0;         // filtered time of f0_
    double t1_ = 0;         // predicted time of the next block
    double period_ = 0;     // filtered block period
    double nominal_ = 0;
    double b_ = 0;
    double c_ = 0;
};

}  // namespace platform
