#pragma once
// A composed song before it becomes a MIDI file: its parts (one track and one channel each), their notes
// and controller moves, the tempo, the loop start and the end.

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen::audio {

constexpr int kTicksPerQuarter = 480;
constexpr int kDrumChannel = 9;

struct Note {
    std::int64_t tick;
    std::int64_t length;
    int key;
    int velocity;
};

struct ControlChange {
    std::int64_t tick;
    int controller;
    int value;
};

struct Part {
    std::string name;
    int channel = 0;
    int program = 0;
    int volume = 100;  // CC7
    int pan = 64;      // CC10
    int reverb = 40;   // CC91
    int chorus = 0;    // CC93
    std::vector<Note> notes;
    std::vector<ControlChange> controls;

    void Add(std::int64_t tick, std::int64_t length, int key, int velocity);
};

struct Song {
    std::string title;
    double bpm = 120.0;
    int beatsPerBar = 4;
    std::int64_t loopTick = 0;  // where the "L" marker goes; 0 = the whole song loops
    std::int64_t endTick = 0;   // every track ends here, every note is released by here
    // Scales every part's CC7 so that the songs sit at one loudness.
    double volumeScale = 1.0;
    std::vector<Part> parts;

    std::int64_t BarTicks() const { return static_cast<std::int64_t>(beatsPerBar) * kTicksPerQuarter; }
    double Seconds(std::int64_t ticks) const { return ticks * 60.0 / (bpm * kTicksPerQuarter); }
    std::uint32_t MicrosPerQuarter() const;
};

// The Standard MIDI File of a song. Throws std::logic_error when the song would not loop cleanly: a note
// that crosses the loop start or outlasts the end, a key or velocity out of range, a part on the drum
// channel with the wrong flag, two parts on one channel.
std::vector<std::uint8_t> EncodeSong(const Song& song);

}  // namespace assetgen::audio
