#include "platform/audio/peak_limiter.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr double kAttackSeconds = 0.001;
constexpr double kReleaseSeconds = 0.15;
// Longer than a period of the lowest bass, so that the gain does not follow the waveform itself.
constexpr double kHoldSeconds = 0.025;
// Peaks this near the envelope keep it held: the sampled peaks of a steady loud tone differ a little
// from one period to the next, and the gain should not breathe with them.
constexpr float kStillLoud = 0.9f;

float Knee(float v) {
    const float a = std::fabs(v);
    if (!(a > PeakLimiter::kThreshold)) return v;
    constexpr float kRoom = PeakLimiter::kCeiling - PeakLimiter::kThreshold;
    const float shaped = PeakLimiter::kThreshold + kRoom * std::tanh((a - PeakLimiter::kThreshold) / kRoom);
    return std::copysign(shaped, v);
}

}  // namespace

PeakLimiter::PeakLimiter(int sampleRate) {
    const double rate = std::max(1, sampleRate);
    attack_ = static_cast<float>(std::exp(-1.0 / (kAttackSeconds * rate)));
    release_ = static_cast<float>(std::exp(-1.0 / (kReleaseSeconds * rate)));
    holdFrames_ = static_cast<int>(kHoldSeconds * rate);
}

void PeakLimiter::Process(float* stereo, int frames) {
    for (int i = 0; i < frames; ++i) {
        float& left = stereo[2 * i];
        float& right = stereo[2 * i + 1];
        const float peak = std::max(std::fabs(left), std::fabs(right));
        if (peak >= envelope_) {
            envelope_ = peak;
            holdLeft_ = holdFrames_;
        } else if (peak >= envelope_ * kStillLoud) {
            holdLeft_ = holdFrames_;
        } else if (holdLeft_ > 0) {
            --holdLeft_;
        } else {
            envelope_ = std::max(envelope_ * release_, peak);  // in this order a NaN cannot stick
        }
        const float target = envelope_ > kThreshold ? kThreshold / envelope_ : 1.0f;
        // Down smoothly, up at the envelope's own pace (it already falls smoothly).
        gain_ = target < gain_ ? target + (gain_ - target) * attack_ : target;
        if (gain_ == 1.0f && peak <= kThreshold) continue;  // the quiet case: untouched, to the bit
        left = Knee(left * gain_);
        right = Knee(right * gain_);
    }
}

}  // namespace platform
