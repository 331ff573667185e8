// Standard MIDI files as the sequencer reads them.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/midi_parser.h"
#include "fuzz_check.h"

namespace {

// The largest delta a track can write (four 7-bit groups). The merge takes each record's delta from the
// event before it in time, which is never further back than the same track's previous event, so a larger
// delta means the merge put events out of order.
constexpr std::uint32_t kMaxTrackDelta = 0x0FFFFFFF;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MidiSong song;
    if (!ParseMidiFile(data, size, &song)) return 0;
    FUZZ_REQUIRE(song.division != 0);
    FUZZ_REQUIRE(song.recordCount > 0);
    FUZZ_REQUIRE(song.records.size() == std::size_t{song.recordCount} + 1);
    FUZZ_REQUIRE(song.records.back().delta == kMidiSentinelDelta);
    FUZZ_REQUIRE(song.patches.size() <= kMaxSongPatches);
    FUZZ_REQUIRE(song.HasRecordsLeft());

    const std::vector<std::uint64_t> ticks = MidiRecordTicks(song);
    FUZZ_REQUIRE(ticks.size() == song.recordCount);

    std::size_t sysexRecords = 0;
    // The loop point is the time of one of the records (its marker, kept or ignored).
    bool loopPointFound = song.loopStart == 0;
    for (std::uint32_t i = 0; i < song.recordCount; ++i) {
        const MidiEvent& rec = song.records[i];
        FUZZ_REQUIRE(rec.delta <= kMaxTrackDelta);
        FUZZ_REQUIRE(i == 0 || ticks[i] >= ticks[i - 1]);
        if (ticks[i] == song.loopStart) loopPointFound = true;
        const std::uint8_t status = rec.b[0];
        if (status == kMidiSysExStatus) {
            const std::size_t index = rec.b[1] | (rec.b[2] << 8);
            FUZZ_REQUIRE(index == sysexRecords);
            FUZZ_REQUIRE(index < song.sysex.size());
            const SysExBlock& block = song.sysex[index];
            FUZZ_REQUIRE(block.length == block.data.size() && !block.data.empty());
            FUZZ_REQUIRE(block.data[0] == kMidiSysExStatus);
            ++sysexRecords;
        } else if (status == kMidiMetaStatus && rec.b[1] == kMidiMetaTempo) {
            // Two carriers follow at the same tick, inside the song.
            FUZZ_REQUIRE(std::uint64_t{i} + 2 < song.recordCount);
            FUZZ_REQUIRE(song.records[i + 1].delta == 0 && song.records[i + 1].b[0] == 0);
            FUZZ_REQUIRE(song.records[i + 2].delta == 0 && song.records[i + 2].b[0] == 0);
            (void)MidiTempoAt(song, i);
            i += 2;
        } else if (status == kMidiMetaStatus) {
            FUZZ_REQUIRE(rec.b[1] == kMidiMetaMarker);
            // The offset is the start of one NUL-terminated text of the pool.
            const std::size_t offset = rec.b[2] | (rec.b[3] << 8);
            FUZZ_REQUIRE(offset < song.markerTexts.size());
            FUZZ_REQUIRE(offset == 0 || song.markerTexts[offset - 1] == '\0');
        } else if (status != 0) {
            FUZZ_REQUIRE(status >= 0x80 && status != 0xF0 && status != 0xFF);
            FUZZ_REQUIRE(rec.b[3] == 0);
        }
    }
    FUZZ_REQUIRE(sysexRecords == song.sysex.size());
    FUZZ_REQUIRE(loopPointFound);
    FUZZ_REQUIRE(song.markerTexts.empty() || song.markerTexts.back() == '\0');
    return 0;
}
