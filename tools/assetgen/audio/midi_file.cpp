#include "assetgen/audio/midi_file.h"

#include <algorithm>
#include <stdexcept>

namespace assetgen::audio {

void AppendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1) out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
    out.push_back(groups[0]);
}

void MidiTrackWriter::Meta(std::int64_t tick, std::uint8_t type, std::string_view data) {
    Event e{tick, kRankMeta, events_.size(), {0xFF, type}};
    AppendVarLen(e.bytes, static_cast<std::uint32_t>(data.size()));
    e.bytes.insert(e.bytes.end(), data.begin(), data.end());
    events_.push_back(std::move(e));
}

void MidiTrackWriter::Tempo(std::int64_t tick, std::uint32_t microsPerQuarter) {
    const char data[3] = {static_cast<char>(microsPerQuarter >> 16), static_cast<char>(microsPerQuarter >> 8),
                          static_cast<char>(microsPerQuarter)};
    Meta(tick, 0x51, std::string_view(data, 3));
}

void MidiTrackWriter::TimeSignature(std::int64_t tick, int numerator, int denominatorPow2) {
    const char data[4] = {static_cast<char>(numerator), static_cast<char>(denominatorPow2), 24, 8};
    Meta(tick, 0x58, std::string_view(data, 4));
}

void MidiTrackWriter::Channel(std::int64_t tick, Rank rank, std::uint8_t status, std::uint8_t data1,
                              std::uint8_t data2) {
    if (status < 0x80 || status >= 0xF0 || data1 > 127 || data2 > 127) {
        throw std::invalid_argument("bad channel message");
    }
    Event e{tick, rank, events_.size(), {status, data1}};
    std::uint8_t kind = status & 0xF0;
    if (kind != 0xC0 && kind != 0xD0) e.bytes.push_back(data2);
    events_.push_back(std::move(e));
}

void MidiTrackWriter::Program(std::int64_t tick, int channel, int program) {
    Channel(tick, kRankControl, static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(program), 0);
}

std::vector<std::uint8_t> MidiTrackWriter::Chunk(std::int64_t endTick) const {
    std::vector<const Event*> order;
    order.reserve(events_.size());
    for (const Event& e : events_) {
        if (e.tick < 0 || e.tick > endTick) throw std::logic_error("MIDI event outside the song");
        order.push_back(&e);
    }
    std::stable_sort(order.begin(), order.end(), [](const Event* a, const Event* b) {
        if (a->tick != b->tick) return a->tick < b->tick;
        if (a->rank != b->rank) return a->rank < b->rank;
        return a->seq < b->seq;
    });
    std::vector<std::uint8_t> body;
    std::int64_t now = 0;
    for (const Event* e : order) {
        AppendVarLen(body, static_cast<std::uint32_t>(e->tick - now));
        now = e->tick;
        body.insert(body.end(), e->bytes.begin(), e->bytes.end());
    }
    AppendVarLen(body, static_cast<std::uint32_t>(endTick - now));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
    auto size = static_cast<std::uint32_t>(body.size());
    chunk.insert(chunk.end(), {static_cast<std::uint8_t>(size >> 24), static_cast<std::uint8_t>(size >> 16),
                               static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size)});
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<std::uint8_t> SmfFile(std::uint16_t ticksPerQuarter, const std::vector<std::vector<std::uint8_t>>& chunks) {
    auto count = static_cast<std::uint16_t>(chunks.size());
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    out.insert(out.end(),
               {static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count),
                static_cast<std::uint8_t>(ticksPerQuarter >> 8), static_cast<std::uint8_t>(ticksPerQuarter)});
    for (const auto& c : chunks) out.insert(out.end(), c.begin(), c.end());
    return out;
}

}  // namespace assetgen::audio
