#pragma once
// A keyframe track played once, read as a pass that runs forward from its start. The track read by
// itself answers its start tick with its last key and start + duration with its first again, and compares
// ticks without their sign; an attack that starts a pass and reads it in the same frame, or tests for its
// end, reads it through these instead.
//
// One rule for ticks everywhere here: tick `now` has reached tick `at` when the signed difference
// now - at is not negative. A pass that spans the wrap of the 32-bit tick reads as any other.

#include <cstdint>

#include "core/keyframe_track.h"

namespace play_once {

constexpr bool Reached(std::uint32_t now, std::uint32_t at) { return static_cast<std::int32_t>(now - at) >= 0; }

// Makes the track a play-once pass of `ms`, keeping its keys.
void Make(KeyframeTrack& track, std::uint32_t ms);
// The same with `keys` keys spread evenly over the pass, all 0 until set.
void Make(KeyframeTrack& track, int keys, std::uint32_t ms);
// The same with two keys, `from` at the start and `to` at the end.
void Make(KeyframeTrack& track, std::uint32_t ms, float from, float to);

// The pass has begun: its start is reached.
inline bool Begun(const KeyframeTrack& track, std::uint32_t now) { return Reached(now, track.Start()); }
// The pass has run out: its start plus its duration is reached.
inline bool Over(const KeyframeTrack& track, std::uint32_t now) {
    return Reached(now, track.Start() + track.Duration());
}

// The first key up to and at the start, the last key from the end on, the keys in between (linear, or as
// the curve over the first four keys). 0 for a track without keys.
float Value(const KeyframeTrack& track, std::uint32_t now);
float BezierValue(const KeyframeTrack& track, std::uint32_t now);

}  // namespace play_once
