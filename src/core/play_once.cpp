#include "core/play_once.h"

#include "core/track_phase.h"

namespace play_once {

void Make(KeyframeTrack& track, std::uint32_t ms) {
    track.SetDuration(ms);
    track.SetLooping(0);
}

void Make(KeyframeTrack& track, int keys, std::uint32_t ms) {
    track.SetKeyCount(keys);
    for (int i = 0; i < keys; ++i) {
        track.SetKey(i, keys > 1 ? static_cast<float>(i) / static_cast<float>(keys - 1) : 0.0f, 0.0f);
    }
    Make(track, ms);
}

void Make(KeyframeTrack& track, std::uint32_t ms, float from, float to) {
    track.SetKeyCount(2);
    track.SetKey(0, 0.0f, from);
    track.SetKey(1, 1.0f, to);
    Make(track, ms);
}

namespace {

// Where the pass stands: -1 at or before its start, 1 at or after its end, 0 within (phase set).
int Within(const KeyframeTrack& track, std::uint32_t now, float* phase) {
    const std::uint32_t since = now - track.Start();
    if (!Reached(now, track.Start() + 1)) return -1;
    if (Over(track, now)) return 1;
    // The phase the track itself gives a tick this far after its start.
    *phase = TrackPhase(0, track.Duration(), since);
    return 0;
}

}  // namespace

namespace {

// The first key up to and at the start, the last key from the end on, `at(phase)` in between.
template <typename At>
float Read(const KeyframeTrack& track, std::uint32_t now, At at) {
    if (track.Count() <= 0) return 0.0f;
    float phase = 0.0f;
    const int where = Within(track, now, &phase);
    if (where < 0) return track.KeyValue(0);
    if (where > 0) return track.KeyValue(track.Count() - 1);
    return at(phase);
}

}  // namespace

float Value(const KeyframeTrack& track, std::uint32_t now) {
    return Read(track, now, [&](float phase) { return track.ValueAt(phase); });
}

float BezierValue(const KeyframeTrack& track, std::uint32_t now) {
    return Read(track, now, [&](float phase) { return track.BezierAt(phase); });
}

}  // namespace play_once
