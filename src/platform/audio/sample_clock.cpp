#include "platform/audio/sample_clock.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform {

SampleClock::SampleClock(double sampleRate, double bandwidthHz) : rate_(sampleRate), bandwidth_(bandwidthHz) {}

void SampleClock::Reset(std::uint64_t firstFrame, std::uint32_t frames, std::uint64_t nowMicros) {
    started_ = true;
    blockFrames_ = frames;
    f0_ = firstFrame;
    nominal_ = frames * 1e6 / rate_;
    period_ = nominal_;
    t0_ = static_cast<double>(nowMicros);
    t1_ = t0_ + period_;
    // Second-order loop (critically damped) with the given bandwidth at this block rate.
    const double omega = 2.0 * std::numbers::pi * bandwidth_ * (nominal_ * 1e-6);
    b_ = std::numbers::sqrt2 * omega;
    c_ = omega * omega;
}

void SampleClock::OnBlock(std::uint64_t firstFrame, std::uint32_t frames, std::uint64_t nowMicros) {
    if (frames == 0) return;
    const double now = static_cast<double>(nowMicros);
    const double limit = std::max(4.0 * nominal_, 20000.0);
    if (!started_ || frames != blockFrames_ || firstFrame != f0_ + blockFrames_ || std::fabs(now - t1_) > limit) {
        Reset(firstFrame, frames, nowMicros);
        return;
    }
    const double error = now - t1_;
    t0_ = t1_;
    t1_ += b_ * error + period_;
    period_ = std::clamp(period_ + c_ * error, 0.9 * nominal_, 1.1 * nominal_);
    f0_ = firstFrame;
}

double SampleClock::FrameAt(std::uint64_t micros) const {
    const double span = t1_ - t0_;
    if (!started_ || span <= 0) return static_cast<double>(f0_);
    return static_cast<double>(f0_) + (static_cast<double>(micros) - t0_) * blockFrames_ / span;
}

}  // namespace platform
