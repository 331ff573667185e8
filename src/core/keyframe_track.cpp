#include "core/keyframe_track.h"

#include "core/track_phase.h"

void KeyframeTrack::SetKeyCount(int n) {
    count_ = n;
    values_.reset();
    times_.reset();
    if (n > 0) {
        times_ = std::make_unique<float[]>(static_cast<std::size_t>(n));
        values_ = std::make_unique<float[]>(static_cast<std::size_t>(n));
    }
}

int KeyframeTrack::SetKey(int index, float time, float value) {
    if (index >= 0 && index < count_) {
        times_[static_cast<std::size_t>(index)] = time;
        values_[static_cast<std::size_t>(index)] = value;
    }
    return index;
}

std::uint32_t KeyframeTrack::SetStart(std::uint32_t tick) { return start_ = tick; }

void KeyframeTrack::SetDuration(std::uint32_t ms) { duration_ = ms; }

std::uint32_t KeyframeTrack::SetLooping(std::uint32_t flag) { return looping_ = flag; }

bool KeyframeTrack::Clamp(std::uint32_t tick, float* value, int* clamped) const {
    if (looping_) return false;
    if (tick < start_) {
        *value = values_[0];
        *clamped = 1;
        return true;
    }
    if (tick > start_ + duration_) {
        *value = values_[static_cast<std::size_t>(count_ - 1)];
        *clamped = 1;
        return true;
    }
    return false;
}

int KeyframeTrack::Evaluate(std::uint32_t tick, float* value, int* clamped) const {
    if (!value || !clamped || count_ <= 0) return 0;
    if (Clamp(tick, value, clamped)) return 1;
    *value = ValueAt(TrackPhase(start_, duration_, tick));
    *clamped = 0;
    return 1;
}

float KeyframeTrack::ValueAt(float phase) const {
    int s = TrackSegment(times_.get(), count_, phase);
    if (s < 0) return values_[0];
    if (s < count_ - 1) {
        auto i = static_cast<std::size_t>(s);
        return values_[i] + (values_[i + 1] - values_[i]) / (times_[i + 1] - times_[i]) * (phase - times_[i]);
    }
    return values_[static_cast<std::size_t>(count_ - 1)];
}

int KeyframeTrack::EvaluateBezier(std::uint32_t tick, float* value, int* clamped) const {
    if (!value || !clamped || count_ <= 0) return 0;
    if (Clamp(tick, value, clamped)) return 1;
    *value = BezierAt(TrackPhase(start_, duration_, tick));
    *clamped = 0;
    return 1;
}

float KeyframeTrack::BezierAt(float p) const {
    int s = TrackSegment(times_.get(), count_, p);
    if (s < 0) return values_[0];
    if (s < count_ - 1 && count_ >= 4) {
        float q = 1.0f - p;
        return q * q * q * values_[0] + 3.0f * q * q * p * values_[1] + 3.0f * q * p * p * values_[2] +
               p * p * p * values_[3];
    }
    // Fewer than four keys cannot make the curve; the last key holds, as at the end of a pass.
    return values_[static_cast<std::size_t>(count_ - 1)];
}
