#pragma once
// Builds Standard MIDI Files byte by byte for tests and benchmarks.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

inline void AppendVlq(std::vector<std::uint8_t>* out, std::uint32_t value) {
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1) out->push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
    out->push_back(groups[0]);
}

inline void AppendBe32(std::vector<std::uint8_t>* out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<std::uint8_t>(v >> shift));
}

class MidiTrack {
public:
    MidiTrack& Event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
        AppendVlq(&bytes_, delta);
        for (std::uint8_t b : bytes) bytes_.push_back(b);
        return *this;
    }
    MidiTrack& Raw(std::initializer_list<std::uint8_t> bytes) {
        for (std::uint8_t b : bytes) bytes_.push_back(b);
        return *this;
    }
    MidiTrack& NoteOn(std::uint32_t delta, int channel, int key, int velocity = 100) {
        return Event(delta, {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key),
                             static_cast<std::uint8_t>(velocity)});
    }
    MidiTrack& NoteOff(std::uint32_t delta, int channel, int key) {
        return Event(delta, {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 0});
    }
    MidiTrack& Control(std::uint32_t delta, int channel, int controller, int value) {
        return Event(delta, {static_cast<std::uint8_t>(0xB0 | channel), static_cast<std::uint8_t>(controller),
                             static_cast<std::uint8_t>(value)});
    }
    MidiTrack& Program(std::uint32_t delta, int channel, int program) {
        return Event(delta, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(program)});
    }
    MidiTrack& Tempo(std::uint32_t delta, std::uint32_t tempo) {
        return Event(delta, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(tempo >> 16),
                             static_cast<std::uint8_t>(tempo >> 8), static_cast<std::uint8_t>(tempo)});
    }
    MidiTrack& Meta(std::uint32_t delta, std::uint8_t type, const std::string& text) {
        AppendVlq(&bytes_, delta);
        bytes_.push_back(0xFF);
        bytes_.push_back(type);
        AppendVlq(&bytes_, static_cast<std::uint32_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    MidiTrack& Marker(std::uint32_t delta, const std::string& text) { return Meta(delta, 0x06, text); }
    MidiTrack& SysEx(std::uint32_t delta, std::initializer_list<std::uint8_t> body) {
        AppendVlq(&bytes_, delta);
        bytes_.push_back(0xF0);
        AppendVlq(&bytes_, static_cast<std::uint32_t>(body.size()));
        for (std::uint8_t b : body) bytes_.push_back(b);
        return *this;
    }
    MidiTrack& End(std::uint32_t delta = 0) { return Event(delta, {0xFF, 0x2F, 0x00}); }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// A format-1 file; `trackCount` overrides the header's count when given.
inline std::vector<std::uint8_t> BuildMidiFile(std::uint16_t division, const std::vector<MidiTrack>& tracks,
                                               int trackCount = -1) {
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    const auto count = static_cast<std::uint16_t>(trackCount >= 0 ? trackCount : static_cast<int>(tracks.size()));
    out.push_back(static_cast<std::uint8_t>(count >> 8));
    out.push_back(static_cast<std::uint8_t>(count));
    out.push_back(static_cast<std::uint8_t>(division >> 8));
    out.push_back(static_cast<std::uint8_t>(division));
    for (const MidiTrack& t : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        AppendBe32(&out, static_cast<std::uint32_t>(t.Bytes().size()));
        out.insert(out.end(), t.Bytes().begin(), t.Bytes().end());
    }
    return out;
}
