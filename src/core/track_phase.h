#pragma once
// The arithmetic both kinds of track share: where a tick falls within a pass, and which key segment
// that position lies in.

#include <cstdint>

// Phase of tick t in a pass that starts at start and lasts duration ms: in [0, 1) after the start,
// in (0, 1] at and before it (exactly 1.0 at the start tick), 1.0 for a zero duration.
float TrackPhase(std::uint32_t start, std::uint32_t duration, std::uint32_t t);

// Index of the last key whose time is at or below the phase, scanning from the first and stopping at
// the first key time above it; -1 when the phase lies below the first key.
int TrackSegment(const float* times, int count, float phase);
