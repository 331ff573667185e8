#include "core/track3.h"

#include "core/play_once.h"
#include "core/track_value.h"

void Track3::SetStart(std::uint32_t tick) {
    x.SetStart(tick);
    y.SetStart(tick);
    z.SetStart(tick);
}

void Track3::MakePass(int keys, std::uint32_t ms) {
    play_once::Make(x, keys, ms);
    play_once::Make(y, keys, ms);
    play_once::Make(z, keys, ms);
}

TrackPoint Track3::Pass(std::uint32_t now) const {
    return {play_once::Value(x, now), play_once::Value(y, now), play_once::Value(z, now)};
}

TrackPoint Track3::Value(std::uint32_t now, TrackPoint fallback) const {
    return {TrackValue(x, now, fallback.x), TrackValue(y, now, fallback.y), TrackValue(z, now, fallback.z)};
}
