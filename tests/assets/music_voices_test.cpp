// How many synthesiser voices the songs keep busy, estimated from the files alone. A voice does not end at
// its note-off: it rings on through its release, and with the game's soundfont a string ensemble note
// starts five voices that ring for seconds, a ride cymbal ten seconds. Layers of such notes cut notes at
// the synthesiser's 256 voices and cost the audio callback dearly, so each song is held to about 48
// voices on average and 128 at its busiest, as it plays: once through, then its loop again.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "assetgen/audio/song.h"
#include "assetgen/audio/songs/songs.h"
#include "audio/midi_parser.h"

namespace {

namespace fs = std::filesystem;
using assetgen::audio::Note;
using assetgen::audio::Part;
using assetgen::audio::Song;

struct PatchCost {
    float voices;  // started by one note
    float ring;    // seconds each rings on after the note-off
};

// The soundfont the game finds first (TimGM6mb), as `korvex-music-render --patch-costs on` measures it:
// General MIDI programs 0-127, then the drum keys 35-81 of the standard kit.
// clang-format off
constexpr PatchCost kPrograms[128] = {
    {1.0, 1.0}, {1.0, 1.0}, {2.0, 0.9}, {2.0, 1.0}, {2.0, 0.4}, {1.0, 0.4}, {1.0, 0.2}, {1.0, 0.0},
    {1.0, 3.2}, {1.0, 17.4}, {1.0, 6.0}, {1.0, 1.4}, {1.0, 1.8}, {2.0, 1.6}, {1.0, 9.7}, {2.0, 1.5},
    {1.0, 0.2}, {1.0, 0.2}, {2.0, 0.2}, {2.0, 0.7}, {2.0, 0.3}, {2.0, 0.2}, {1.0, 0.2}, {2.0, 0.1},
    {1.0, 0.6}, {1.0, 0.3}, {1.0, 0.2}, {1.0, 0.5}, {1.0, 0.2}, {1.2, 0.2}, {1.2, 0.2}, {1.0, 0.2},
    {1.0, 0.3}, {1.0, 0.2}, {1.0, 0.1}, {1.0, 0.2}, {1.0, 0.1}, {1.0, 0.1}, {1.0, 0.2}, {2.0, 0.2},
    {1.0, 0.3}, {1.0, 0.4}, {1.0, 0.5}, {1.0, 0.6}, {2.0, 0.9}, {1.0, 2.7}, {1.0, 2.5}, {1.0, 3.4},
    {5.2, 2.3}, {4.2, 2.6}, {2.0, 3.6}, {2.0, 2.8}, {3.0, 1.2}, {2.0, 0.8}, {1.0, 1.9}, {2.0, 1.4},
    {1.0, 0.5}, {1.0, 0.3}, {1.0, 0.3}, {1.0, 0.2}, {4.0, 0.9}, {1.0, 0.3}, {2.0, 0.5}, {1.0, 0.5},
    {1.0, 0.3}, {1.0, 0.3}, {1.0, 0.4}, {1.0, 0.3}, {1.0, 0.6}, {1.0, 0.4}, {1.0, 0.2}, {1.0, 0.4},
    {1.0, 0.3}, {1.0, 0.6}, {1.0, 0.1}, {1.0, 0.2}, {2.0, 0.1}, {1.0, 1.0}, {0.8, 0.4}, {1.0, 0.3},
    {2.0, 0.4}, {2.0, 0.4}, {2.0, 0.2}, {2.0, 0.2}, {1.8, 0.1}, {2.0, 0.3}, {2.0, 1.2}, {2.0, 0.0},
    {2.5, 3.2}, {1.0, 2.1}, {2.0, 1.2}, {2.0, 3.2}, {2.0, 2.6}, {2.0, 2.8}, {2.0, 1.5}, {2.0, 1.8},
    {1.0, 9.6}, {2.0, 5.2}, {2.0, 4.2}, {2.0, 2.3}, {2.0, 3.9}, {2.0, 3.9}, {2.0, 2.1}, {2.0, 3.1},
    {1.0, 4.2}, {1.0, 0.8}, {1.0, 1.0}, {1.0, 2.5}, {1.0, 1.3}, {2.0, 0.4}, {1.0, 0.4}, {1.0, 0.2},
    {1.0, 3.2}, {1.0, 1.1}, {1.0, 3.2}, {1.0, 0.0}, {1.0, 5.3}, {1.0, 3.5}, {1.0, 0.6}, {1.0, 0.2},
    {1.0, 0.0}, {2.0, 0.1}, {1.0, 9.7}, {1.0, 0.0}, {1.0, 0.0}, {1.0, 1.2}, {2.0, 1.7}, {2.0, 0.9},
};
constexpr float kDrumRing[47] = {
    0.0, 0.0, 0.1, 0.1, 0.1, 0.2, 3.4, 0.0, 3.2, 0.0, 2.9, 4.7,
    2.6, 2.3, 7.3, 2.1, 9.8, 4.4, 9.8, 1.1, 3.7, 0.0, 6.4, 4.7,
    8.3, 0.1, 0.0, 0.1, 2.8, 1.6, 2.3, 2.2, 1.4, 1.7, 0.0, 0.0,
    0.5, 0.6, 0.0, 0.2, 0.0, 0.0, 0.0, 0.1, 0.1, 0.0, 3.0,
};
// clang-format on

PatchCost Cost(int channel, int program, int key) {
    if (channel != 9) return kPrograms[program & 127];
    // The other kits of that soundfont sound most keys in stereo pairs that ring as long as the standard's.
    float voices = program == 0 || program == 32 ? 1.0f : 2.0f;
    return {voices, key >= 35 && key <= 81 ? kDrumRing[key - 35] : 1.0f};
}

struct VoiceEstimate {
    double average = 0;
    double peak = 0;
};

// The song played once through and then its loop once more; every note holds its voices from its note-on
// to its note-off plus its ring.
VoiceEstimate EstimateVoices(const std::vector<std::uint8_t>& bytes) {
    MidiSong song;
    if (!ParseMidiFile(bytes.data(), bytes.size(), &song)) return {};
    std::vector<std::uint64_t> ticks = MidiRecordTicks(song);
    double secondsPerTick = 0.5 / song.division;
    struct Sounding {
        std::uint64_t tick;
        PatchCost cost;
    };
    std::array<int, 16> program{};
    std::map<int, std::vector<Sounding>> open;  // channel * 128 + key
    struct Span {
        std::uint64_t on, off;
        PatchCost cost;
    };
    std::vector<Span> spans;
    for (std::uint32_t i = 0; i < song.recordCount; ++i) {
        const MidiEvent& e = song.records[i];
        if (e.b[0] == kMidiMetaStatus && e.b[1] == kMidiMetaTempo) {
            secondsPerTick = MidiTempoAt(song, i) / 1e6 / song.division;  // the songs set it once, at 0
        }
        if (e.b[0] < 0x80 || e.b[0] >= 0xF0) continue;
        int kind = e.b[0] & 0xF0, channel = e.b[0] & 0x0F, slot = channel * 128 + e.b[1];
        if (kind == 0xC0) program[static_cast<std::size_t>(channel)] = e.b[1];
        if (kind == 0x90 && e.b[2] > 0) {
            open[slot].push_back({ticks[i], Cost(channel, program[static_cast<std::size_t>(channel)], e.b[1])});
        } else if ((kind == 0x80 || kind == 0x90) && !open[slot].empty()) {
            spans.push_back({open[slot].front().tick, ticks[i], open[slot].front().cost});
            open[slot].erase(open[slot].begin());
        }
    }
    const std::uint64_t end = ticks.empty() ? 0 : ticks.back();
    std::vector<std::pair<double, double>> steps;  // seconds, change of voices
    auto add = [&](const Span& s, double shift) {
        steps.push_back({shift + s.on * secondsPerTick, s.cost.voices});
        steps.push_back({shift + s.off * secondsPerTick + s.cost.ring, -s.cost.voices});
    };
    const double firstPass = end * secondsPerTick;
    const double loopShift = (end - song.loopStart) * secondsPerTick;
    for (const Span& s : spans) {
        add(s, 0);
        if (s.on >= song.loopStart) add(s, loopShift);
    }
    std::sort(steps.begin(), steps.end());
    const double length = firstPass + loopShift;
    VoiceEstimate out;
    double voices = 0, at = 0, area = 0;
    for (const auto& [when, change] : steps) {
        double t = std::min(when, length);
        area += voices * (t - at);
        at = t;
        voices += change;
        out.peak = std::max(out.peak, voices);
    }
    out.average = length > 0 ? area / length : 0;
    return out;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The estimate follows the synthesiser's own count (korvex-music-render) within about a tenth either way,
// so the average is held to 48 with that margin.
constexpr double kMostVoicesOnAverage = 52;
constexpr double kMostVoicesAtOnce = 128;

TEST(MusicVoices, EverySongKeepsTheSynthesiserWithinItsVoices) {
    for (int track = 0; track < 12; ++track) {
        char name[32];
        std::snprintf(name, sizeof name, "track%02d.mid", track);
        SCOPED_TRACE(name);
        std::vector<std::uint8_t> bytes = ReadBytes(fs::path(KORVEX_DATA_DIR) / "m" / name);
        ASSERT_FALSE(bytes.empty());
        VoiceEstimate v = EstimateVoices(bytes);
        EXPECT_GT(v.average, 5) << "every song sounds";
        EXPECT_LE(v.average, kMostVoicesOnAverage);
        EXPECT_LE(v.peak, kMostVoicesAtOnce);
    }
}

// A sixteenth-note ostinato of three-note chords, eight bars at 176: the texture that overloaded the last
// boss's song. On a string ensemble every note leaves five voices ringing for seconds; on violins the
// same notes cost a handful.
Song Ostinato(int program) {
    Song song;
    song.title = "ostinato";
    song.bpm = 176;
    song.loopTick = 0;
    song.endTick = 8 * song.BarTicks();
    Part part;
    part.name = "strings";
    part.program = program;
    for (std::int64_t t = 0; t < song.endTick; t += 120) {
        for (int key : {62, 65, 69}) part.Add(t, 90, key + static_cast<int>((t / 120) % 3), 90);
    }
    song.parts.push_back(part);
    return song;
}

TEST(MusicVoices, TheEstimateTellsARingingEnsembleFromShortStrokes) {
    VoiceEstimate ensemble = EstimateVoices(assetgen::audio::EncodeSong(Ostinato(48)));
    VoiceEstimate violins = EstimateVoices(assetgen::audio::EncodeSong(Ostinato(40)));
    EXPECT_GT(ensemble.average, kMostVoicesOnAverage);
    EXPECT_GT(ensemble.peak, kMostVoicesAtOnce);
    EXPECT_LT(violins.average, 20);
    EXPECT_LT(violins.peak, 20);
    // Held notes count for their whole length: three chords of one bar each keep three to six keys down.
    Song held = Ostinato(40);
    held.parts[0].notes.clear();
    for (int bar = 0; bar < 3; ++bar) {
        for (int key : {60, 64, 67}) held.parts[0].Add(bar * held.BarTicks(), held.BarTicks(), key + bar, 90);
    }
    VoiceEstimate chords = EstimateVoices(assetgen::audio::EncodeSong(held));
    EXPECT_GE(chords.peak, 3);
    EXPECT_LE(chords.peak, 6);
}

}  // namespace
