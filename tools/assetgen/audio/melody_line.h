#pragma once
// Melodic lines as the composer writes them, one token per note: a scale step (negative below), optional
// accidentals (#, b), then duration letters that add up (s 16th, e 8th, t dotted 8th, q quarter, d dotted
// quarter, h half, H dotted half, w whole): "0e 2e 4q 3e 2e 0h". A rest is "r" with durations: "rq".
// Motifs are varied as lines: inverted, shifted, given a new ending, ornamented.

#include <cstdint>
#include <string_view>
#include <vector>

#include "assetgen/audio/rng.h"

namespace assetgen::audio {

struct LineNote {
    int step = 0;
    int accidental = 0;  // semitones
    int ticks = 0;
    bool rest = false;
};

using Line = std::vector<LineNote>;

Line ParseLine(std::string_view text);
std::int64_t LineTicks(const Line& line);

Line Shifted(Line line, int steps);
// Mirrors every step about the first note's step.
Line Inverted(Line line);
// The last sounding note moved to `step`.
Line EndingOn(Line line, int step);
// A few inner notes moved by a step or two and a long note split into a neighbour figure; the first and
// last notes and the rhythm's total stay as they were.
Line Ornamented(Line line, Rng& rng, double amount);
// Durations doubled.
Line Augmented(Line line);
Line Joined(Line a, const Line& b);

}  // namespace assetgen::audio
