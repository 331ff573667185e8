#pragma once
// A strict Standard MIDI File reader, to check what the composer wrote: exact chunk IDs and lengths, a PPQ
// division, End-of-Track last in every track, and every status byte written out after a meta event.

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen::audio {

struct SmfEvent {
    std::int64_t tick = 0;
    int track = 0;
    std::uint8_t status = 0;  // 0x80-0xEF channel message, 0xFF meta, 0xF0 sysex
    std::uint8_t data1 = 0;   // meta: the type
    std::uint8_t data2 = 0;
    std::string text;  // meta and sysex payload
};

struct SmfTrack {
    std::vector<SmfEvent> events;  // without the End-of-Track
    std::int64_t endTick = 0;      // tick of the End-of-Track
};

struct SmfData {
    int format = 0;
    int division = 0;
    std::vector<SmfTrack> tracks;
    bool usedRunningStatus = false;

    // Every track's events merged by tick, simultaneous events in chunk order.
    std::vector<SmfEvent> Merged() const;
    // Tick of the first track's last marker "L", or 0.
    std::int64_t LoopTick() const;
    std::uint32_t FirstTempo() const;  // 500000 when there is none
};

// Throws std::runtime_error with the reason when the bytes are not a well-formed file.
SmfData ReadSmf(const std::vector<std::uint8_t>& bytes);

}  // namespace assetgen::audio
