#pragma once
// Reading a play-once pass of a track at a tick. The track itself answers its own start millisecond with
// the last key and its end millisecond with the first one again; an attack that starts a pass and reads
// it in the same frame would see its entries jump. Here the pass holds its first key up to and including
// its start, and its last key from its end on.

#include <cstdint>

#include "core/keyframe_track.h"
#include "core/track_value.h"

inline float PassValue(const KeyframeTrack& track, std::uint32_t tick) {
    if (track.Count() <= 0) return 0.0f;
    const auto since = static_cast<std::int32_t>(tick - track.Start());
    if (since <= 0) return track.KeyValue(0);
    if (static_cast<std::uint32_t>(since) >= track.Duration()) return track.KeyValue(track.Count() - 1);
    return TrackValue(track, tick, track.KeyValue(0));
}

// The pass has begun (its start is at or before the tick).
inline bool PassBegun(const KeyframeTrack& track, std::uint32_t tick) {
    return static_cast<std::int32_t>(tick - track.Start()) >= 0;
}

// The pass has run out: its start plus its duration is at or before the tick.
inline bool PassOver(const KeyframeTrack& track, std::uint32_t tick) {
    return static_cast<std::int32_t>(tick - (track.Start() + track.Duration())) >= 0;
}

// Makes a track a play-once pass of `ms` with two keys.
inline void SetPass(KeyframeTrack& track, std::uint32_t ms, float from, float to) {
    track.SetKeyCount(2);
    track.SetKey(0, 0.0f, from);
    track.SetKey(1, 1.0f, to);
    track.SetDuration(ms);
    track.SetLooping(0);
}
