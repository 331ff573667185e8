#include "core/step_track.h"

#include "core/track_phase.h"

void StepTrack::Reserve(int n) {
    if (count_ >= n) return;
    count_ = n;
    times_ = std::make_unique<float[]>(static_cast<std::size_t>(n));
    values_ = std::make_unique<float[]>(static_cast<std::size_t>(n));
}

int StepTrack::SetKey(int index, float time, float value) {
    if (index >= 0 && index < count_) {
        times_[static_cast<std::size_t>(index)] = time;
        values_[static_cast<std::size_t>(index)] = value;
    }
    return index;
}

std::uint32_t StepTrack::SetStart(std::uint32_t tick) { return start_ = tick; }

void StepTrack::SetDuration(std::uint32_t ms) { duration_ = ms; }

std::uint32_t StepTrack::SetLooping(std::uint32_t flag) { return looping_ = flag; }

int StepTrack::Evaluate(std::uint32_t tick, float* value, int* clamped) const {
    if (!value || !clamped || count_ <= 0) return 0;
    if (!looping_) {
        if (tick < start_) {
            *value = values_[0];
            *clamped = 1;
            return 1;
        }
        if (tick > start_ + duration_) {
            *value = values_[static_cast<std::size_t>(count_ - 1)];
            *clamped = 1;
            return 1;
        }
    }
    float phase = TrackPhase(start_, duration_, tick);
    int s = TrackSegment(times_.get(), count_, phase);
    *clamped = 0;
    if (s < 0) {
        *value = values_[0];
    } else if (s < count_ - 1) {
        *value = values_[static_cast<std::size_t>(s)];
    } else {
        *value = values_[static_cast<std::size_t>(count_ - 1)];
    }
    return 1;
}
