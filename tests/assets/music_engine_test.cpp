// The composer's tools where a fault would not show in the finished songs until someone listened: the
// file writer refusing a song that would hang or gap at its loop, variable-length numbers, chords and
// lines as written, held chords tying their common tones, and the synthesiser's click-free start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "assetgen/audio/arranger.h"
#include "assetgen/audio/harmony.h"
#include "assetgen/audio/melody_line.h"
#include "assetgen/audio/midi_file.h"
#include "assetgen/audio/smf_reader.h"
#include "assetgen/audio/song.h"
#include "assetgen/audio/synth.h"

namespace {

using namespace assetgen::audio;

Song OneNoteSong(std::int64_t tick, std::int64_t length) {
    Song s;
    s.title = "test";
    s.loopTick = 1920;
    s.endTick = 3840;
    Part p;
    p.name = "p";
    p.Add(tick, length, 60, 100);
    s.parts.push_back(p);
    return s;
}

TEST(MusicEngine, TheWriterRefusesNotesThatWouldHangOrGapAtTheLoop) {
    EXPECT_NO_THROW(EncodeSong(OneNoteSong(0, 1920)));     // ends exactly at the marker
    EXPECT_NO_THROW(EncodeSong(OneNoteSong(1920, 1920)));  // ends exactly at the end
    EXPECT_THROW(EncodeSong(OneNoteSong(1800, 240)), std::logic_error);
    EXPECT_THROW(EncodeSong(OneNoteSong(3600, 480)), std::logic_error);
    Song twoOnOneChannel = OneNoteSong(0, 480);
    twoOnOneChannel.parts.push_back(twoOnOneChannel.parts.front());
    EXPECT_THROW(EncodeSong(twoOnOneChannel), std::logic_error);
}

TEST(MusicEngine, ARestruckKeyIsReleasedBeforeItSoundsAgain) {
    Song s = OneNoteSong(0, 960);
    s.parts[0].Add(480, 480, 60, 90);  // the same key again while the first still sounds
    SmfData smf = ReadSmf(EncodeSong(s));
    std::vector<std::pair<std::int64_t, int>> notes;  // tick, +1 on / -1 off
    for (const SmfEvent& e : smf.tracks[1].events) {
        if ((e.status & 0xF0) == 0x90) notes.push_back({e.tick, +1});
        if ((e.status & 0xF0) == 0x80) notes.push_back({e.tick, -1});
    }
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0], std::make_pair(std::int64_t{0}, 1));
    EXPECT_EQ(notes[1], std::make_pair(std::int64_t{480}, -1));
    EXPECT_EQ(notes[2], std::make_pair(std::int64_t{480}, 1));
    EXPECT_EQ(notes[3], std::make_pair(std::int64_t{960}, -1));
    EXPECT_EQ(smf.LoopTick(), 1920);
    EXPECT_EQ(smf.tracks[0].endTick, 3840);
    EXPECT_EQ(smf.tracks[1].endTick, 3840);
}

TEST(MusicEngine, VariableLengthNumbers) {
    auto encode = [](std::uint32_t v) {
        std::vector<std::uint8_t> out;
        AppendVarLen(out, v);
        return out;
    };
    EXPECT_EQ(encode(0), (std::vector<std::uint8_t>{0x00}));
    EXPECT_EQ(encode(0x7F), (std::vector<std::uint8_t>{0x7F}));
    EXPECT_EQ(encode(0x80), (std::vector<std::uint8_t>{0x81, 0x00}));
    EXPECT_EQ(encode(0x2000), (std::vector<std::uint8_t>{0xC0, 0x00}));
    EXPECT_EQ(encode(0x0FFFFFFF), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(MusicEngine, ChordsAndLinesAsWritten) {
    Chord flatSeven = ParseChord("bVII");
    EXPECT_EQ(flatSeven.root, 10);
    EXPECT_EQ(flatSeven.tones, (std::vector<int>{0, 4, 7}));
    Chord minorSeventh = ParseChord("ii7");
    EXPECT_EQ(minorSeventh.root, 2);
    EXPECT_EQ(minorSeventh.tones, (std::vector<int>{0, 3, 7, 10}));
    EXPECT_EQ(ParseChord("IVmaj7").tones, (std::vector<int>{0, 4, 7, 11}));
    EXPECT_THROW(ParseChord("X"), std::invalid_argument);

    Harmony h;
    h.Lay(0, 4 * 1920, "i V/2 bVI/2 iv*2", 1920, 57);  // A minor
    EXPECT_EQ(h.At(0).chord.root, 9);
    EXPECT_EQ(h.At(1920).chord.root, 4);        // E
    EXPECT_EQ(h.At(1920 + 960).chord.root, 5);  // F
    EXPECT_EQ(h.At(3 * 1920).chord.root, 2);    // D, the second bar of iv*2
    EXPECT_EQ(h.Next(0).tick, 1920);

    Line line = ParseLine("0e 2q -1#h rd 7w");
    ASSERT_EQ(line.size(), 5u);
    EXPECT_EQ(line[2].step, -1);
    EXPECT_EQ(line[2].accidental, 1);
    EXPECT_TRUE(line[3].rest);
    EXPECT_EQ(LineTicks(line), 240 + 480 + 960 + 720 + 1920);
    EXPECT_THROW(ParseLine("3"), std::invalid_argument);
    EXPECT_EQ(Inverted(ParseLine("2q 4q 1q"))[1].step, 0);

    Key aMinor{57, kMinor};
    EXPECT_EQ(aMinor.Degree(0), 57);
    EXPECT_EQ(aMinor.Degree(-1), 55);  // G below
    EXPECT_EQ(aMinor.Degree(9), 72);   // C an octave and a third up
    EXPECT_EQ(aMinor.NearestDegree(72), 9);
}

TEST(MusicEngine, HeldChordsTieTheirCommonTonesOnlyWhenAsked) {
    // C, A minor, F, then C again outside the pad: C and E carry into A minor, A and C into F.
    auto pad = [](bool tie) {
        Arranger a("pad", 120, Key{60, kMajor}, 7);
        int p = a.AddPart("strings", 0, 48, 100, 64, 40);
        a.Chords(0, 4, "I vi IV I");
        a.Pad(p, 0, a.Bars(3), {55, 72, 3, 80, 0, tie});
        return a.Finish(a.Bars(4) - 1, a.Bars(4), 1.0).parts[0].notes;
    };
    auto sounding = [](const std::vector<Note>& notes, std::int64_t tick) {
        std::vector<int> keys;
        for (const Note& n : notes) {
            if (n.tick <= tick && tick < n.tick + n.length) keys.push_back(n.key);
        }
        std::sort(keys.begin(), keys.end());
        return keys;
    };
    std::vector<Note> struck = pad(false), tied = pad(true);
    EXPECT_EQ(struck.size(), 9u);
    for (std::int64_t bar = 0; bar < 3; ++bar) {
        // The same chords sound either way, three keys of the bar's chord.
        std::int64_t middle = bar * 1920 + 960;
        EXPECT_EQ(sounding(tied, middle), sounding(struck, middle));
        ASSERT_EQ(sounding(tied, middle).size(), 3u);
    }
    for (const Note& n : struck) EXPECT_EQ(n.length, 1920) << "every key struck again at each chord";
    int across = 0;
    for (const Note& n : tied) {
        EXPECT_LE(n.tick + n.length, 3 * 1920) << "nothing held past the pad's end";
        for (std::int64_t change : {1920, 3840}) {
            if (n.tick < change && n.tick + n.length > change) {
                ++across;
                // A key held over a change belongs to both chords.
                bool before = false, after = false;
                for (const Note& s : struck) {
                    before |= s.key == n.key && s.tick == change - 1920;
                    after |= s.key == n.key && s.tick == change;
                }
                EXPECT_TRUE(before && after) << "key " << n.key << " at " << change;
            }
        }
    }
    EXPECT_EQ(across, 4);
    EXPECT_EQ(tied.size(), 5u);
}

TEST(MusicEngine, SynthFadesStartAtZeroAndSweepsReachTheirEnds) {
    Signal s = Tone(0.05, Wave::kSquare, Constant(440), 0.25);
    FadeIn(s, 0.003);
    EXPECT_EQ(s.front(), 0.0f);
    FadeOut(s, 0.003);
    EXPECT_LT(std::fabs(s.back()), 0.01f);
    Curve sweep = Sweep(1000, 100, 0.5);
    EXPECT_DOUBLE_EQ(sweep(0), 1000);
    EXPECT_NEAR(sweep(0.25), 316.2, 0.1);
    EXPECT_DOUBLE_EQ(sweep(2.0), 100);
    NormalizePeak(s, -6.0);
    float peak = 0;
    for (float v : s) peak = std::max(peak, std::fabs(v));
    EXPECT_NEAR(peak, 0.501, 0.001);
}

}  // namespace
