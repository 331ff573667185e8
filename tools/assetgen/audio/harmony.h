#pragma once
// Keys, chords and progressions as the composer writes them: roman numerals relative to the tonic
// ("i bVI bIII bVII", "IVmaj7", "V7/2" for half a bar, "i*2" for two bars).

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen::audio {

using Mode = std::array<int, 7>;
inline constexpr Mode kMajor = {0, 2, 4, 5, 7, 9, 11};
inline constexpr Mode kMinor = {0, 2, 3, 5, 7, 8, 10};
inline constexpr Mode kDorian = {0, 2, 3, 5, 7, 9, 10};
inline constexpr Mode kLydian = {0, 2, 4, 6, 7, 9, 11};
inline constexpr Mode kMixolydian = {0, 2, 4, 5, 7, 9, 10};
inline constexpr Mode kHarmonicMinor = {0, 2, 3, 5, 7, 8, 11};
inline constexpr Mode kPhrygian = {0, 1, 3, 5, 7, 8, 10};

struct Key {
    int tonic = 60;  // a MIDI key; its pitch class is the tonic, its octave the melody's home
    Mode mode = kMajor;

    // The key `steps` scale degrees above (below, if negative) the tonic key.
    int Degree(int steps) const;
    // The scale degree index (from the tonic, any octave) of the scale key nearest to `key`.
    int NearestDegree(int key) const;
    bool InScale(int key) const;
};

struct Chord {
    int root = 0;                  // pitch class (0 = C) once laid; semitones above the tonic straight from ParseChord
    std::vector<int> tones;        // semitones above the root, the root (0) first
    bool Contains(int key) const;  // pitch-class test
};

// Parses one roman numeral: optional b/#, I..VII (upper case major, lower case minor), then an optional
// quality: "7", "maj7", "sus2", "sus4", "add9", "o" (diminished), "+" (augmented), "5" (power chord).
Chord ParseChord(std::string_view text);

struct ChordSpan {
    std::int64_t tick;
    std::int64_t length;
    Chord chord;
};

class Harmony {
public:
    // Lays a progression from `tick`, repeated until `endTick`; returns endTick. Each numeral lasts one bar
    // unless it carries "/n" (n beats) or "*n" (n bars).
    std::int64_t Lay(std::int64_t tick, std::int64_t endTick, std::string_view progression, std::int64_t barTicks,
                     int tonicKey);
    const ChordSpan& At(std::int64_t tick) const;
    // The chord after the one sounding at `tick` (or the same one at the very end).
    const ChordSpan& Next(std::int64_t tick) const;
    std::vector<ChordSpan> Within(std::int64_t begin, std::int64_t end) const;

private:
    std::vector<ChordSpan> spans_;
};

}  // namespace assetgen::audio
