#include "assetgen/audio/smf_reader.h"

#include <algorithm>
#include <stdexcept>

namespace assetgen::audio {

namespace {

class Cursor {
public:
    Cursor(const std::vector<std::uint8_t>& bytes, std::size_t pos, std::size_t end)
        : b_(bytes), pos_(pos), end_(end) {}
    bool AtEnd() const { return pos_ >= end_; }
    std::uint8_t Peek() const {
        if (pos_ >= end_) throw std::runtime_error("event runs past the chunk");
        return b_[pos_];
    }
    std::uint8_t Byte() {
        std::uint8_t v = Peek();
        ++pos_;
        return v;
    }
    std::uint32_t VarLen() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t c = Byte();
            v = (v << 7) | (c & 0x7F);
            if (!(c & 0x80)) return v;
        }
        throw std::runtime_error("variable-length number longer than 4 bytes");
    }
    std::string Bytes(std::uint32_t n) {
        if (end_ - pos_ < n) throw std::runtime_error("data runs past the chunk");
        std::string s(b_.begin() + static_cast<std::ptrdiff_t>(pos_),
                      b_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
        pos_ += n;
        return s;
    }

private:
    const std::vector<std::uint8_t>& b_;
    std::size_t pos_;
    std::size_t end_;
};

std::uint32_t Be32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) |
           b[at + 3];
}
int Be16(const std::vector<std::uint8_t>& b, std::size_t at) { return (b[at] << 8) | b[at + 1]; }

bool Id(const std::vector<std::uint8_t>& b, std::size_t at, const char* id) {
    return std::equal(id, id + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

SmfData ReadSmf(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 14 || !Id(bytes, 0, "MThd") || Be32(bytes, 4) != 6) throw std::runtime_error("bad header");
    SmfData smf;
    smf.format = Be16(bytes, 8);
    int count = Be16(bytes, 10);
    smf.division = Be16(bytes, 12);
    if (smf.division & 0x8000) throw std::runtime_error("SMPTE division");
    if (smf.division == 0) throw std::runtime_error("zero division");
    std::size_t pos = 14;
    for (int t = 0; t < count; ++t) {
        if (bytes.size() - pos < 8 || !Id(bytes, pos, "MTrk")) throw std::runtime_error("missing track chunk");
        std::uint32_t length = Be32(bytes, pos + 4);
        if (bytes.size() - pos - 8 < length) throw std::runtime_error("track chunk past the end of the file");
        Cursor c(bytes, pos + 8, pos + 8 + length);
        SmfTrack track;
        std::int64_t tick = 0;
        std::uint8_t running = 0;
        bool ended = false;
        while (!c.AtEnd()) {
            if (ended) throw std::runtime_error("data after End-of-Track");
            tick += c.VarLen();
            SmfEvent e;
            e.tick = tick;
            e.track = t;
            std::uint8_t status = c.Peek();
            if (status >= 0x80) {
                c.Byte();
            } else {
                if (running < 0x80 || running >= 0xF0) throw std::runtime_error("running status without a status");
                smf.usedRunningStatus = true;
                status = running;
            }
            e.status = status;
            if (status == 0xFF) {
                e.data1 = c.Byte();
                e.text = c.Bytes(c.VarLen());
                running = 0;
                if (e.data1 == 0x2F) {
                    ended = true;
                    track.endTick = tick;
                    continue;
                }
            } else if (status == 0xF0) {
                e.text = c.Bytes(c.VarLen());
                running = 0;
            } else if (status >= 0xF0) {
                throw std::runtime_error("system message inside a track");
            } else {
                running = status;
                e.data1 = c.Byte();
                std::uint8_t kind = status & 0xF0;
                if (kind != 0xC0 && kind != 0xD0) e.data2 = c.Byte();
                if (e.data1 > 127 || e.data2 > 127) throw std::runtime_error("data byte above 127");
            }
            track.events.push_back(std::move(e));
        }
        if (!ended) throw std::runtime_error("track without End-of-Track");
        smf.tracks.push_back(std::move(track));
        pos += 8 + length;
    }
    if (smf.tracks.empty()) throw std::runtime_error("no tracks");
    if (pos != bytes.size()) throw std::runtime_error("bytes after the last track");
    return smf;
}

std::vector<SmfEvent> SmfData::Merged() const {
    std::vector<SmfEvent> all;
    for (const SmfTrack& t : tracks) all.insert(all.end(), t.events.begin(), t.events.end());
    std::stable_sort(all.begin(), all.end(), [](const SmfEvent& a, const SmfEvent& b) {
        if (a.tick != b.tick) return a.tick < b.tick;
        return a.track < b.track;
    });
    return all;
}

std::int64_t SmfData::LoopTick() const {
    std::int64_t loop = 0;
    for (const SmfEvent& e : tracks.front().events) {
        if (e.status == 0xFF && e.data1 == 0x06 && e.text == "L") loop = e.tick;
    }
    return loop;
}

std::uint32_t SmfData::FirstTempo() const {
    for (const SmfEvent& e : Merged()) {
        if (e.status == 0xFF && e.data1 == 0x51 && e.text.size() == 3) {
            auto u = [&](int i) {
                return static_cast<std::uint32_t>(static_cast<std::uint8_t>(e.text[static_cast<std::size_t>(i)]));
            };
            return (u(0) << 16) | (u(1) << 8) | u(2);
        }
    }
    return 500000;
}

}  // namespace assetgen::audio
