#include "core/track_phase.h"

float TrackPhase(std::uint32_t start, std::uint32_t duration, std::uint32_t t) {
    if (duration == 0) return 1.0f;
    double phase;
    if (t > start) {
        std::uint32_t r = (t - start) % duration;
        phase = static_cast<double>(r) / static_cast<double>(duration);
    } else {
        std::uint32_t r = (start - t) % duration;
        phase = 1.0 - static_cast<double>(r) / static_cast<double>(duration);
    }
    return static_cast<float>(phase);
}

int TrackSegment(const float* times, int count, float phase) {
    if (count <= 0 || phase < times[0]) return -1;
    int segment = -1;
    for (int i = 0; i < count && times[i] <= phase; ++i) segment = i;
    return segment;
}
