#include "audio/midi_parser.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <unordered_set>

namespace {

std::uint32_t ReadBe32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::uint16_t ReadBe16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

// The largest system-exclusive index or marker text offset a record's two bytes hold.
constexpr std::size_t kMaxRecordField = 0xFFFF;

// One event as read from its track, before the tracks are merged.
struct RawEvent {
    std::uint64_t tick;
    std::uint32_t track;
    std::uint32_t seq;  // how many events of the same track came before it at the same tick
    std::uint8_t status;
    std::uint8_t d1;
    std::uint8_t d2;
    std::uint8_t metaType;
    std::uint32_t dataOffset;  // a system-exclusive or meta event's bytes, in the file
    std::uint32_t dataLength;
};

class TrackReader {
public:
    TrackReader(const std::uint8_t* bytes, std::size_t begin, std::size_t end)
        : bytes_(bytes), pos_(begin), end_(end) {}

    std::size_t Left() const { return end_ - pos_; }

    // A variable-length number: 7 bits a byte, most significant group first. Standard MIDI Files use at
    // most four bytes; a longer one, or one cut off by the chunk's end, is malformed.
    bool ReadNumber(std::uint32_t* value) {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            if (pos_ >= end_) return false;
            const std::uint8_t b = bytes_[pos_++];
            v = (v << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) {
                *value = v;
                return true;
            }
        }
        return false;
    }

    // Any byte of 0x80 or above becomes the running status, whatever it is; a data byte before the first
    // status has nothing to run on and is malformed. The event must lie wholly inside the chunk.
    bool ReadEvent(RawEvent* ev) {
        if (pos_ >= end_) return false;
        const std::uint8_t first = bytes_[pos_];
        if (first >= 0x80) {
            runningStatus_ = first;
            ++pos_;
        } else if (runningStatus_ == 0) {
            return false;
        }
        const std::uint8_t status = runningStatus_;
        *ev = RawEvent{};
        ev->status = status;
        if (status >= 0xC0 && status <= 0xDF) {
            if (Left() < 1) return false;
            ev->d1 = bytes_[pos_++];
        } else if (status == 0xF0) {
            return ReadBlock(ev);
        } else if (status == 0xFF) {
            if (Left() < 1) return false;
            ev->metaType = bytes_[pos_++];
            return ReadBlock(ev);
        } else if (status != 0xFE) {
            if (Left() < 2) return false;
            ev->d1 = bytes_[pos_++];
            ev->d2 = bytes_[pos_++];
        }
        return true;
    }

private:
    bool ReadBlock(RawEvent* ev) {
        std::uint32_t n = 0;
        if (!ReadNumber(&n) || n > Left()) return false;
        ev->dataOffset = static_cast<std::uint32_t>(pos_);
        ev->dataLength = n;
        pos_ += n;
        return true;
    }

    const std::uint8_t* bytes_;
    std::size_t pos_;
    std::size_t end_;
    std::uint8_t runningStatus_ = 0;
};

// A track is read while at least two bytes are left after its delta, as the merge of the original reads
// it; the first malformed event ends it.
void ReadTrack(const std::uint8_t* bytes, std::size_t begin, std::size_t end, std::uint32_t track,
               std::vector<RawEvent>* out) {
    TrackReader reader(bytes, begin, end);
    std::uint32_t delta = 0;
    if (!reader.ReadNumber(&delta)) return;
    std::uint64_t tick = delta;
    std::uint64_t previousTick = 0;
    std::uint32_t seq = 0;
    bool first = true;
    while (reader.Left() >= 2) {
        RawEvent ev;
        if (!reader.ReadEvent(&ev)) return;
        seq = (!first && tick == previousTick) ? seq + 1 : 0;
        first = false;
        previousTick = tick;
        ev.tick = tick;
        ev.track = track;
        ev.seq = seq;
        // 0xFE takes its turn in the merge but leaves no record.
        if (ev.status != 0xFE) out->push_back(ev);
        if (reader.Left() < 2 || !reader.ReadNumber(&delta)) return;
        tick += delta;
    }
}

class SongBuilder {
public:
    SongBuilder(const std::uint8_t* bytes, MidiSong* song) : bytes_(bytes), song_(song) {
        song_->patches = {0, 0x80000000u};
        known_.insert(song_->patches.begin(), song_->patches.end());
    }

    void Add(const RawEvent& ev) {
        MidiEvent rec{static_cast<std::uint32_t>(ev.tick - previousTick_), {0, 0, 0, 0}};
        previousTick_ = ev.tick;
        if (ev.status == kMidiSysExStatus) {
            AddSysEx(ev, &rec);
        } else if (ev.status == kMidiMetaStatus) {
            if (ev.metaType == kMidiMetaTempo) {
                AddTempo(ev, rec);
                return;
            }
            AddMeta(ev, &rec);
        } else {
            AddChannel(ev, &rec);
        }
        song_->records.push_back(rec);
    }

private:
    void AddChannel(const RawEvent& ev, MidiEvent* rec) {
        rec->b[0] = ev.status;
        rec->b[1] = ev.d1;
        rec->b[2] = ev.d2;
        const int channel = ev.status & 0x0F;
        if ((ev.status & 0xF0) == 0xB0 && ev.status < 0xF0) {
            if (ev.d1 == 0) bankMsb_[channel] = ev.d2;
            if (ev.d1 == 32) bankLsb_[channel] = ev.d2;
        } else if ((ev.status & 0xF0) == 0xC0) {
            std::uint32_t patch = ((std::uint32_t{bankMsb_[channel]} << 8) | bankLsb_[channel]) << 8 | ev.d1;
            if (channel == 9) patch |= 0x80000000u;
            if (song_->patches.size() < kMaxSongPatches && known_.insert(patch).second) song_->patches.push_back(patch);
        }
    }

    void AddSysEx(const RawEvent& ev, MidiEvent* rec) {
        // The record has 16 bits for the block's index: any block past that is an ignored record.
        if (song_->sysex.size() > kMaxRecordField) return;
        const auto index = static_cast<std::uint16_t>(song_->sysex.size());
        SysExBlock block;
        block.data.reserve(ev.dataLength + 1);
        block.data.push_back(kMidiSysExStatus);
        block.data.insert(block.data.end(), bytes_ + ev.dataOffset, bytes_ + ev.dataOffset + ev.dataLength);
        block.length = ev.dataLength + 1;
        song_->sysex.push_back(std::move(block));
        rec->b[0] = kMidiSysExStatus;
        rec->b[1] = static_cast<std::uint8_t>(index & 0xFF);
        rec->b[2] = static_cast<std::uint8_t>(index >> 8);
    }

    void AddTempo(const RawEvent& ev, MidiEvent rec) {
        // Three bytes in a sound file; more are read as one number of which the last four bytes count.
        std::uint32_t tempo = 0;
        for (std::uint32_t i = 0; i < ev.dataLength; ++i) tempo = (tempo << 8) | bytes_[ev.dataOffset + i];
        rec.b[0] = kMidiMetaStatus;
        rec.b[1] = kMidiMetaTempo;
        song_->records.push_back(rec);
        song_->records.push_back(
            MidiEvent{0, {0, static_cast<std::uint8_t>(tempo), static_cast<std::uint8_t>(tempo >> 8), 0}});
        song_->records.push_back(
            MidiEvent{0, {0, static_cast<std::uint8_t>(tempo >> 16), static_cast<std::uint8_t>(tempo >> 24), 0}});
    }

    void AddMeta(const RawEvent& ev, MidiEvent* rec) {
        if (ev.track != 0 || ev.metaType != kMidiMetaMarker) return;  // an ignored record, b0 = 0
        const char* text = reinterpret_cast<const char*>(bytes_ + ev.dataOffset);
        if (ev.dataLength == 1 && text[0] == 'L') song_->loopStart = ev.tick;
        // The record has 16 bits for the text's offset: a marker starting past that keeps its time (and
        // its loop point) but not its text.
        if (song_->markerTexts.size() > kMaxRecordField) return;
        const auto offset = static_cast<std::uint16_t>(song_->markerTexts.size());
        song_->markerTexts.insert(song_->markerTexts.end(), text, text + ev.dataLength);
        song_->markerTexts.push_back('\0');
        rec->b[0] = kMidiMetaStatus;
        rec->b[1] = kMidiMetaMarker;
        rec->b[2] = static_cast<std::uint8_t>(offset & 0xFF);
        rec->b[3] = static_cast<std::uint8_t>(offset >> 8);
    }

    const std::uint8_t* bytes_;
    MidiSong* song_;
    std::unordered_set<std::uint32_t> known_;
    std::uint8_t bankMsb_[16] = {};
    std::uint8_t bankLsb_[16] = {};
    std::uint64_t previousTick_ = 0;
};

}  // namespace

bool ParseMidiFile(const std::uint8_t* bytes, std::size_t size, MidiSong* song) {
    // Event offsets are kept in 32 bits; no song comes near 4 GB.
    if (!bytes || !song || size < 14 || size > 0xFFFFFFFFu) return false;
    *song = MidiSong{};
    const std::uint32_t headerLength = ReadBe32(bytes + 4);
    const std::uint16_t trackCount = ReadBe16(bytes + 10);
    song->division = ReadBe16(bytes + 12);
    if (trackCount == 0 || song->division == 0) return false;

    std::vector<RawEvent> events;
    std::uint64_t start = 8 + std::uint64_t{headerLength};
    for (std::uint32_t t = 0; t < trackCount; ++t) {
        if (start + 8 > size) return false;
        const std::uint32_t length = ReadBe32(bytes + start + 4);
        const std::uint64_t end = start + 8 + length;
        if (end > size) return false;
        ReadTrack(bytes, static_cast<std::size_t>(start + 8), static_cast<std::size_t>(end), t, &events);
        start = end;
    }
    if (events.empty()) return false;

    // Events due at the same tick go in rounds: each track gives one event a round, in chunk order.
    std::sort(events.begin(), events.end(), [](const RawEvent& a, const RawEvent& b) {
        return std::tie(a.tick, a.seq, a.track) < std::tie(b.tick, b.seq, b.track);
    });
    std::size_t count = 1;
    for (const RawEvent& ev : events) count += (ev.status == kMidiMetaStatus && ev.metaType == kMidiMetaTempo) ? 3 : 1;
    song->records.reserve(count);
    SongBuilder builder(bytes, song);
    for (const RawEvent& ev : events) builder.Add(ev);
    song->recordCount = static_cast<std::uint32_t>(song->records.size());
    song->records.push_back(MidiEvent{kMidiSentinelDelta, {0, 0, 0, 0}});
    return true;
}

std::uint32_t MidiTempoAt(const MidiSong& song, std::uint32_t index) {
    if (std::uint64_t{index} + 2 >= song.records.size()) return 0;
    const MidiEvent& low = song.records[index + 1];
    const MidiEvent& high = song.records[index + 2];
    return std::uint32_t{low.b[1]} | (std::uint32_t{low.b[2]} << 8) | (std::uint32_t{high.b[1]} << 16) |
           (std::uint32_t{high.b[2]} << 24);
}

std::vector<std::uint64_t> MidiRecordTicks(const MidiSong& song) {
    std::vector<std::uint64_t> ticks;
    ticks.reserve(song.recordCount);
    std::uint64_t tick = 0;
    for (std::uint32_t i = 0; i < song.recordCount && i < song.records.size(); ++i) {
        tick += song.records[i].delta;
        ticks.push_back(tick);
    }
    return ticks;
}
