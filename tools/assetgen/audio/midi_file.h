#pragma once
// Standard MIDI File writing: track chunks built from events at absolute ticks, and the format-1 file
// around them. Every event is written with its own status byte (no running status at all), so a reader
// that lets meta events take over the running status still reads the files right.

#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen::audio {

class MidiTrackWriter {
public:
    // Events at the same tick keep this order: note-offs, then set-up and controllers, then note-ons,
    // so that a note struck again at the tick it ends is released first and set-up precedes the notes.
    enum Rank { kRankMeta = 0, kRankNoteOff = 1, kRankControl = 2, kRankNoteOn = 3 };

    void Meta(std::int64_t tick, std::uint8_t type, std::string_view data);
    void Tempo(std::int64_t tick, std::uint32_t microsPerQuarter);
    void TimeSignature(std::int64_t tick, int numerator, int denominatorPow2);
    void Channel(std::int64_t tick, Rank rank, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void Program(std::int64_t tick, int channel, int program);

    // The chunk ("MTrk", length, events, End-of-Track at endTick). Throws if an event lies past endTick.
    std::vector<std::uint8_t> Chunk(std::int64_t endTick) const;

private:
    struct Event {
        std::int64_t tick;
        int rank;
        std::size_t seq;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Event> events_;
};

void AppendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value);

// "MThd" (format 1, the track count, ticks per quarter note) followed by the chunks as given.
std::vector<std::uint8_t> SmfFile(std::uint16_t ticksPerQuarter, const std::vector<std::vector<std::uint8_t>>& chunks);

}  // namespace assetgen::audio
