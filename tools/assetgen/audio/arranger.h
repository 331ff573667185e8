#pragma once
// The composer's desk: a song under construction with its key, its chord plan and the builders that turn
// the chords into parts (pads, bass lines, arpeggios, stabs, drum grooves with fills, motif-based melodies).

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "assetgen/audio/harmony.h"
#include "assetgen/audio/melody_line.h"
#include "assetgen/audio/rng.h"
#include "assetgen/audio/song.h"

namespace assetgen::audio {

// General MIDI drum keys.
namespace drum {
inline constexpr int kKick = 36, kSideStick = 37, kSnare = 38, kClap = 39, kSnare2 = 40, kLowTom = 41, kClosedHat = 42,
                     kMidLowTom = 45, kPedalHat = 44, kLowMidTom = 47, kOpenHat = 46, kHiMidTom = 48, kCrash = 49,
                     kHighTom = 50, kRide = 51, kChina = 52, kRideBell = 53, kTambourine = 54, kSplash = 55,
                     kCowbell = 56, kCrash2 = 57, kShaker = 70, kTriangle = 81, kOpenTriangle = 81, kLowFloorTom = 43;
}

// One bar (16 sixteenths) or more of a groove: a drum key and its steps per line. Step letters: X (127),
// x (105), o (85), g (50, ghost), '.' silence.
using DrumPattern = std::vector<std::pair<int, std::string_view>>;

enum class Fill { kNone, kSnare, kToms, kBuild, kStop };

struct PadStyle {
    int low = 52;
    int high = 76;
    int voices = 4;
    int velocity = 70;
    // Each chord restruck this often (0 = held for the whole chord).
    std::int64_t restrike = 0;
    // Held chords keep the keys they share with the next one sounding instead of striking them again, as
    // players tie common tones. Besides the smoother line, a tied key costs the synthesiser no second set
    // of voices ringing out after its release, which matters for patches that ring on for seconds.
    bool tie = false;
};

// What the letters of a pattern mean (see Arranger::Pattern).
enum class PatternVoice { kBass, kChord, kArp, kPower };

struct PatternStyle {
    PatternVoice voice = PatternVoice::kBass;
    int low = 36;    // bass: lowest root; chord/arp: bottom of the voicing range
    int high = 72;   // chord/arp: top of the voicing range
    int voices = 3;  // chord/arp: voicing size
    int velocity = 90;
    std::int64_t step = 120;  // ticks per pattern letter
    double legato = 0.9;
    std::int64_t echo = 0;  // a softer repeat this many ticks later (0 = none)
    int echoPercent = 45;   // its velocity, in percent of the note's
};

class Arranger {
public:
    Arranger(std::string title, double bpm, Key key, std::uint64_t seed);

    std::int64_t Bars(double bars) const { return static_cast<std::int64_t>(bars * static_cast<double>(BarTicks())); }
    std::int64_t BarTicks() const { return song_.BarTicks(); }
    const Key& key() const { return key_; }
    void SetKey(Key key) { key_ = key; }
    Rng& rng() { return rng_; }
    Harmony& harmony() { return harmony_; }

    // A part on its own channel; the returned index stays valid (the reference from part() may not).
    int AddPart(std::string name, int channel, int program, int volume, int pan, int reverb, int chorus = 0);
    Part& part(int index) { return song_.parts[static_cast<std::size_t>(index)]; }

    // Lays the progression over `bars` bars from `tick`; returns the section's end.
    std::int64_t Chords(std::int64_t tick, double bars, std::string_view progression);

    // Held chords, voiced close and moved by the smallest steps from one chord to the next.
    void Pad(int part, std::int64_t begin, std::int64_t end, const PadStyle& style);
    // A rhythmic figure over the chords, one letter per step, tiled from `begin`:
    //   bass  R root, O octave, 5 fifth, 3 third, 7 seventh (or octave), A approach to the next root
    //   chord x accented chord, o chord
    //   arp   0-9 voicing index (upwards through the octaves)
    //   power x/o root, fifth and octave from `low` (the guitar's power chord)
    //   all   '-' holds the previous note, '.' rests
    // Notes end at the next chord change; accents fall on the beats.
    void Pattern(int part, std::int64_t begin, std::int64_t end, std::string_view pattern, const PatternStyle& style);
    // The groove repeated bar by bar, a crash at the start if asked, the last bar's second half (or all of it
    // for kBuild) turned into the fill. velocityPercent scales every hit.
    void Drums(int part, std::int64_t begin, std::int64_t end, const DrumPattern& pattern, int velocityPercent,
               Fill fill = Fill::kNone, bool crashAtStart = false);
    void Hit(int part, std::int64_t tick, int key, int velocity, std::int64_t length = 120);

    // A motif placed at `tick`: its step 0 is the chord tone nearest `center`; other steps move along the
    // scale. Long and on-beat notes that clash with the chord are moved onto a chord tone. Returns the end.
    std::int64_t Motif(int part, std::int64_t tick, const Line& line, int center, int velocity, double legato = 0.9,
                       int transpose = 0);
    // A written line: steps count from the key's tonic key (transposed by `transpose` semitones).
    std::int64_t Theme(int part, std::int64_t tick, const Line& line, int velocity, double legato = 0.9,
                       int transpose = 0);
    // One sustained key (timpani rolls, drones, swells).
    void Hold(int part, std::int64_t tick, std::int64_t length, int key, int velocity);

    // Closes the song: the "L" marker at loopTick, every track's end at endTick.
    Song Finish(std::int64_t loopTick, std::int64_t endTick, double volumeScale);

private:
    int RootKey(const Chord& chord, int low) const;
    std::vector<int> Voicing(const Chord& chord, int low, int high, int voices, const std::vector<int>& previous) const;
    int Accent(std::int64_t tick, int velocity);

    Song song_;
    Key key_;
    Harmony harmony_;
    Rng rng_;
};

}  // namespace assetgen::audio
