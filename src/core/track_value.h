#pragma once
// Reading a track the way every caller does: keep what you had when the track cannot answer.

#include <cstdint>

#include "core/keyframe_track.h"
#include "core/play_once.h"
#include "core/step_track.h"

inline float TrackValue(const KeyframeTrack& track, std::uint32_t tick, float fallback = 0.0f) {
    float v = fallback;
    int clamped = 0;
    track.Evaluate(tick, &v, &clamped);
    return v;
}

inline float TrackValue(const StepTrack& track, std::uint32_t tick, float fallback = 0.0f) {
    float v = fallback;
    int clamped = 0;
    track.Evaluate(tick, &v, &clamped);
    return v;
}

// A play-once pass has run out once its start plus its duration is reached (play_once::Reached).
inline bool TrackRunOut(std::uint32_t start, std::uint32_t duration, std::uint32_t now) {
    return play_once::Reached(now, start + duration);
}

// Sets n keys from (time, value) pairs.
template <typename Track, std::size_t N>
void SetKeys(Track& track, const float (&keys)[N][2]) {
    for (std::size_t i = 0; i < N; ++i) track.SetKey(static_cast<int>(i), keys[i][0], keys[i][1]);
}
