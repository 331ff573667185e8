#pragma once
// The game's main theme, shared by the title (in D minor, heroic) and the staff roll (resolved, in major).
// Steps count from the tonic along the key's scale.

#include "assetgen/audio/melody_line.h"

namespace assetgen::audio::theme {

// Eight bars over i bVI bIII bVII | i bVI iv V (minor); the question rises to the seventh, the answer
// climbs to the octave and falls back to the dominant.
inline Line Statement() {
    return ParseLine(
        "0q 4d 3e 4q | 5d 4e 3q 2q | 2q 1e 2e 4q 6q | 6H rq |"
        "0q 4d 3e 4q | 5d 4e 5q 7q | 7d 5e 3q 5q | 4H rq");
}

// The same with the climax lifted: the fourth bar climbs on, the last lands on the upper tonic's neighbour.
inline Line Climax() {
    return ParseLine(
        "0q 4d 3e 4q | 5d 4e 3q 2q | 2q 1e 2e 4q 6q | 6q 7q 8h |"
        "9q 8d 7e 8q | 10d 9e 8q 7q | 7d 5e 3q 5q | 4h 6#q 7q");
}

// The bridge, over bVI bVII i i | iv bVII bIII V.
inline Line Bridge() { return ParseLine("5h 4q 2q | 2q 4q 6h | 7w | 7q 8q 9q 7q | 8h 7q 5q | 6H 8q | 9h 8q 6q | 8w"); }

}  // namespace assetgen::audio::theme
