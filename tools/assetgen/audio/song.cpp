#include "assetgen/audio/song.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "assetgen/audio/midi_file.h"

namespace assetgen::audio {

void Part::Add(std::int64_t tick, std::int64_t length, int key, int velocity) {
    if (length <= 0) return;
    notes.push_back({tick, length, key, std::clamp(velocity, 1, 127)});
}

std::uint32_t Song::MicrosPerQuarter() const { return static_cast<std::uint32_t>(std::lround(60000000.0 / bpm)); }

namespace {

void Fail(const Song& song, const std::string& what) { throw std::logic_error(song.title + ": " + what); }

// Notes of one key on one channel must not overlap: a second note-on of a sounding key would be cut by the
// first one's note-off. Shorten the earlier note to end where the next begins.
std::vector<Note> WithoutOverlaps(std::vector<Note> notes) {
    std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) {
        if (a.key != b.key) return a.key < b.key;
        return a.tick < b.tick;
    });
    std::vector<Note> out;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        Note n = notes[i];
        if (i + 1 < notes.size() && notes[i + 1].key == n.key && notes[i + 1].tick < n.tick + n.length) {
            n.length = notes[i + 1].tick - n.tick;
        }
        if (n.length > 0) out.push_back(n);
    }
    std::stable_sort(out.begin(), out.end(), [](const Note& a, const Note& b) { return a.tick < b.tick; });
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeSong(const Song& song) {
    if (song.endTick <= 0 || song.loopTick < 0 || song.loopTick >= song.endTick) Fail(song, "bad loop or end");
    std::vector<std::vector<std::uint8_t>> chunks;

    MidiTrackWriter conductor;
    conductor.Meta(0, 0x03, song.title);
    conductor.TimeSignature(0, song.beatsPerBar, 2);
    conductor.Tempo(0, song.MicrosPerQuarter());
    if (song.loopTick > 0) conductor.Meta(song.loopTick, 0x06, "L");
    chunks.push_back(conductor.Chunk(song.endTick));

    std::map<int, const Part*> channels;
    for (const Part& part : song.parts) {
        if (part.channel < 0 || part.channel > 15) Fail(song, part.name + ": bad channel");
        if (!channels.emplace(part.channel, &part).second) Fail(song, part.name + ": channel used twice");
        auto ch = static_cast<std::uint8_t>(part.channel);
        MidiTrackWriter w;
        w.Meta(0, 0x03, part.name);
        int volume = static_cast<int>(std::lround(part.volume * song.volumeScale));
        w.Channel(0, MidiTrackWriter::kRankControl, 0xB0 | ch, 0, 0);  // bank 0
        w.Program(0, part.channel, part.program);
        w.Channel(0, MidiTrackWriter::kRankControl, 0xB0 | ch, 7,
                  static_cast<std::uint8_t>(std::clamp(volume, 0, 127)));
        w.Channel(0, MidiTrackWriter::kRankControl, 0xB0 | ch, 10, static_cast<std::uint8_t>(part.pan));
        w.Channel(0, MidiTrackWriter::kRankControl, 0xB0 | ch, 91, static_cast<std::uint8_t>(part.reverb));
        w.Channel(0, MidiTrackWriter::kRankControl, 0xB0 | ch, 93, static_cast<std::uint8_t>(part.chorus));
        for (const ControlChange& c : part.controls) {
            if (c.controller < 0 || c.controller > 127 || c.value < 0 || c.value > 127) Fail(song, "bad controller");
            w.Channel(c.tick, MidiTrackWriter::kRankControl, 0xB0 | ch, static_cast<std::uint8_t>(c.controller),
                      static_cast<std::uint8_t>(c.value));
        }
        for (const Note& n : WithoutOverlaps(part.notes)) {
            if (n.key < 0 || n.key > 127) Fail(song, part.name + ": key out of range");
            std::int64_t off = n.tick + n.length;
            if (n.tick < song.loopTick && off > song.loopTick) Fail(song, part.name + ": note across the loop start");
            if (off > song.endTick) Fail(song, part.name + ": note past the end");
            w.Channel(n.tick, MidiTrackWriter::kRankNoteOn, 0x90 | ch, static_cast<std::uint8_t>(n.key),
                      static_cast<std::uint8_t>(n.velocity));
            w.Channel(off, MidiTrackWriter::kRankNoteOff, 0x80 | ch, static_cast<std::uint8_t>(n.key), 64);
        }
        chunks.push_back(w.Chunk(song.endTick));
    }
    return SmfFile(kTicksPerQuarter, chunks);
}

}  // namespace assetgen::audio
