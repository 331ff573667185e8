#pragma once
// A Standard MIDI File as the sequencer plays it: every track merged into one time-ordered list of
// 8-byte records, followed by a sentinel whose delta is 0xFFFFFFFF.

#include <cstdint>
#include <vector>

// One record: `delta` ticks after the previous record, then four bytes b0-b3.
//   Channel message: b0 = status (0x80-0xEF, or a system status 0xF1-0xFE read as one), b1, b2 its data
//     bytes (b2 = 0 for program change and channel pressure), b3 = 0.
//   System exclusive: b0 = 0xF0, b1-b2 = index of its block (little-endian). Blocks past index 0xFFFF
//     are ignored records.
//   Tempo: b0 = 0xFF, b1 = 0x51; the next two records are carriers (delta 0, b0 = 0) holding the
//     tempo's low and high 16 bits in their b1-b2 (little-endian).
//   Marker (first track only): b0 = 0xFF, b1 = 6, b2-b3 = offset of its text in the marker pool. A
//     marker whose text would start past offset 0xFFFF is an ignored record (a loop marker still counts).
//   Ignored: b0 = 0 (any other meta event; it keeps its delta so that time still counts).
struct MidiEvent {
    std::uint32_t delta;
    std::uint8_t b[4];
};
static_assert(sizeof(MidiEvent) == 8);

inline constexpr std::uint32_t kMidiSentinelDelta = 0xFFFFFFFFu;
inline constexpr std::uint8_t kMidiMetaStatus = 0xFF;
inline constexpr std::uint8_t kMidiSysExStatus = 0xF0;
inline constexpr std::uint8_t kMidiMetaTempo = 0x51;
inline constexpr std::uint8_t kMidiMetaMarker = 0x06;
inline constexpr std::size_t kMaxSongPatches = 10000;

// 0xF0 followed by the event's bytes as the file stores them (ending with the file's own 0xF7).
struct SysExBlock {
    std::vector<std::uint8_t> data;
    std::uint32_t length = 0;  // data.size()
};

struct MidiSong {
    // Playback state.
    std::uint32_t cursor = 0;    // next record to dispatch
    std::uint64_t position = 0;  // ticks dispatched since the start

    std::uint16_t division = 0;     // ticks per quarter note
    std::vector<char> markerTexts;  // first track's marker texts, each NUL-terminated
    std::uint32_t recordCount = 0;
    std::vector<MidiEvent> records;  // recordCount records, then the sentinel
    std::vector<SysExBlock> sysex;
    std::uint64_t loopStart = 0;         // tick of the last marker "L" of the first track; 0 = none
    std::vector<std::uint32_t> patches;  // patch numbers used (program, bank, drum flag), at most 10000

    bool HasRecordsLeft() const { return cursor < recordCount; }
    void Rewind() {
        cursor = 0;
        position = 0;
    }
};

// The tempo (microseconds per quarter note) held by the carriers after the tempo record at `index`.
std::uint32_t MidiTempoAt(const MidiSong& song, std::uint32_t index);
