#pragma once
// The last stage of the mixer: keeps the summed music and effects under full scale. Below the
// threshold the sound passes untouched; a peak above it turns the gain down (quickly, but over about a
// millisecond rather than at one sample, so the turn itself makes no click), holds it while the loud
// passage lasts, and lets it back up over about a tenth of a second. Whatever gets past the gain on the
// way down is rounded off by a soft knee that never reaches full scale. No look-ahead: the output
// keeps the timing of its input to the frame.

namespace platform {

class PeakLimiter {
public:
    // The level the gain brings peaks down to (-1 dBFS), and the level the soft knee never reaches.
    static constexpr float kThreshold = 0.891f;
    static constexpr float kCeiling = 0.989f;

    explicit PeakLimiter(int sampleRate);

    // Limits `frames` interleaved stereo frames in place; both channels share one gain, so the
    // stereo picture stays where it was.
    void Process(float* stereo, int frames);
    float Gain() const { return gain_; }

private:
    float attack_;   // per-frame factor by which the gain closes on a lower target
    float release_;  // per-frame factor of the envelope's fall once the hold is over
    int holdFrames_;
    float envelope_ = 0.0f;
    int holdLeft_ = 0;
    float gain_ = 1.0f;
};

}  // namespace platform
