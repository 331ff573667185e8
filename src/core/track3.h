#pragma once
// Three keyframe tracks for x, y and z that are started together and read together: a point's flight.
// Each axis keeps its own keys, and may keep its own duration.

#include <cstdint>

#include "core/keyframe_track.h"

struct TrackPoint {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct Track3 {
    KeyframeTrack x;
    KeyframeTrack y;
    KeyframeTrack z;

    void SetStart(std::uint32_t tick);
    // The three as play-once passes of `ms` with `keys` keys each (see play_once::Make).
    void MakePass(int keys, std::uint32_t ms);
    // The three read as play-once passes (play_once::Value).
    TrackPoint Pass(std::uint32_t now) const;
    // The three read as they stand (TrackValue), each keeping its fallback where it cannot answer.
    TrackPoint Value(std::uint32_t now, TrackPoint fallback = {}) const;
};
