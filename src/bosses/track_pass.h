#pragma once
// Reading play-once tracks as a pass that plays forward. A track read in its start millisecond answers
// its last key (phase 1) and at start + duration its first key again; attacks that start a track and read
// it in the same frame, or test for its end, read it through these instead. Ticks are compared by their
// signed difference, so a start in the future counts as not yet started.

#include <cstdint>

#include "core/keyframe_track.h"
#include "core/step_track.h"
#include "core/track_value.h"

namespace track_pass {

inline bool Started(std::uint32_t start, std::uint32_t now) { return static_cast<std::int32_t>(now - start) >= 0; }

inline bool RunOut(const KeyframeTrack& track, std::uint32_t now) {
    return Started(track.Start() + track.Duration(), now);
}

// The first key up to and at the start, the last key from the end on, the keys in between.
inline float PassValue(const KeyframeTrack& track, std::uint32_t now) {
    if (track.Count() <= 0) return 0.0f;
    if (!Started(track.Start() + 1, now)) return track.KeyValue(0);
    if (RunOut(track, now)) return track.KeyValue(track.Count() - 1);
    return TrackValue(track, now);
}

// A looping step track: its first key in its start millisecond, as a whole pass later.
inline float HopValue(const StepTrack& track, std::uint32_t now) {
    return TrackValue(track, now == track.Start() ? now + track.Duration() : now);
}

}  // namespace track_pass
