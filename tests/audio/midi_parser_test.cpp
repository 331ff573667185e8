#include "audio/midi_parser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "audio/midi_builder.h"

namespace {

MidiSong Parse(const std::vector<std::uint8_t>& bytes) {
    MidiSong song;
    EXPECT_TRUE(ParseMidiFile(bytes.data(), bytes.size(), &song));
    return song;
}

// The channel messages of a song as (absolute tick, status, d1).
std::vector<std::tuple<std::uint64_t, int, int>> ChannelEvents(const MidiSong& song) {
    std::vector<std::tuple<std::uint64_t, int, int>> out;
    const auto ticks = MidiRecordTicks(song);
    for (std::uint32_t i = 0; i < song.recordCount; ++i) {
        const MidiEvent& r = song.records[i];
        if (r.b[0] >= 0x80 && r.b[0] < 0xF0) out.emplace_back(ticks[i], r.b[0], r.b[1]);
    }
    return out;
}

TEST(MidiParser, MergesTracksInTimeOrderWithSameTickEventsInChunkOrder) {
    MidiTrack first, second;
    first.NoteOn(0, 0, 60).NoteOff(96, 0, 60).NoteOn(0, 0, 62).End();
    second.NoteOn(48, 1, 70).NoteOn(48, 1, 72).End();
    const MidiSong song = Parse(BuildMidiFile(96, {first, second}));
    EXPECT_EQ(song.division, 96);
    const std::vector<std::tuple<std::uint64_t, int, int>> expected = {
        {0, 0x90, 60}, {48, 0x91, 70}, {96, 0x80, 60}, {96, 0x91, 72}, {96, 0x90, 62}};
    EXPECT_EQ(ChannelEvents(song), expected);
    // Records at one tick follow each other with delta 0; the sentinel closes the list.
    EXPECT_EQ(song.records[song.recordCount].delta, kMidiSentinelDelta);
    EXPECT_EQ(song.records.size(), song.recordCount + 1u);
}

TEST(MidiParser, RunningStatusAndOneDataByteMessages) {
    MidiTrack t;
    t.NoteOn(0, 2, 60).Raw({10, 64, 90}).Program(0, 2, 5).Raw({0x00, 0xD2, 0x40}).End();
    const MidiSong song = Parse(BuildMidiFile(480, {t}));
    const std::vector<std::tuple<std::uint64_t, int, int>> expected = {
        {0, 0x92, 60}, {10, 0x92, 64}, {10, 0xC2, 5}, {10, 0xD2, 0x40}};
    EXPECT_EQ(ChannelEvents(song), expected);
    EXPECT_EQ(song.records[2].b[2], 0);  // program change has no second data byte
}

TEST(MidiParser, TempoBytes07A120GiveHalfASecondPerQuarterNote) {
    MidiTrack t;
    t.Event(0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}).NoteOn(0, 0, 60).End();
    const MidiSong song = Parse(BuildMidiFile(480, {t}));
    ASSERT_GE(song.recordCount, 4u);
    EXPECT_EQ(song.records[0].b[0], 0xFF);
    EXPECT_EQ(song.records[0].b[1], 0x51);
    // Two carriers with delta 0 and b0 = 0 hold the low and high 16 bits.
    EXPECT_EQ(song.records[1].delta, 0u);
    EXPECT_EQ(song.records[1].b[0], 0);
    EXPECT_EQ(song.records[2].b[0], 0);
    EXPECT_EQ(MidiTempoAt(song, 0), 500000u);
    EXPECT_EQ(song.records[3].b[0], 0x90);
}

TEST(MidiParser, LoopMarkerOfTheFirstTrackOnlyAndTheLastOneWins) {
    MidiTrack conductor, notes;
    conductor.Marker(0, "intro").Marker(2400, "L").Marker(2400, "L").Marker(100, "LL").End();
    notes.Marker(0, "L").NoteOn(4800, 0, 60).End();
    const MidiSong song = Parse(BuildMidiFile(480, {conductor, notes}));
    EXPECT_EQ(song.loopStart, 4800u);
    // Markers keep their text in the pool; the second track's marker is an ignored record.
    std::vector<std::string> texts;
    int ignored = 0;
    for (std::uint32_t i = 0; i < song.recordCount; ++i) {
        const MidiEvent& r = song.records[i];
        if (r.b[0] == 0xFF && r.b[1] == 6) texts.emplace_back(&song.markerTexts[r.b[2] | (r.b[3] << 8)]);
        if (r.b[0] == 0) ++ignored;
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"intro", "L", "L", "LL"}));
    EXPECT_EQ(ignored, 3);  // the second track's marker and the two end-of-track events
}

TEST(MidiParser, IgnoredMetaEventsKeepTheirTime) {
    MidiTrack t;
    t.Meta(100, 0x03, "name").NoteOn(50, 0, 60).End();
    const MidiSong song = Parse(BuildMidiFile(480, {t}));
    EXPECT_EQ(std::get<0>(ChannelEvents(song).at(0)), 150u);
}

TEST(MidiParser, PatchListHoldsEachPatchOnceWithBankAndDrumFlag) {
    MidiTrack t;
    t.Program(0, 9, 5).Program(10, 9, 5).Program(10, 9, 5);
    t.Control(0, 1, 0, 2).Control(0, 1, 32, 3).Program(0, 1, 40).Program(5, 1, 40).End();
    const MidiSong song = Parse(BuildMidiFile(480, {t}));
    const std::vector<std::uint32_t> expected = {0, 0x80000000u, 0x80000005u, 0x00020328u};
    EXPECT_EQ(song.patches, expected);
}

TEST(MidiParser, SystemExclusiveBlocksKeepTheirBytesAfterF0) {
    MidiTrack t;
    t.SysEx(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7}).SysEx(10, {0x41, 0xF7}).End();
    const MidiSong song = Parse(BuildMidiFile(480, {t}));
    ASSERT_EQ(song.sysex.size(), 2u);
    EXPECT_EQ(song.sysex[0].data, (std::vector<std::uint8_t>{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
    EXPECT_EQ(song.sysex[0].length, 6u);
    EXPECT_EQ(song.records[1].b[0], 0xF0);
    EXPECT_EQ(song.records[1].b[1] | (song.records[1].b[2] << 8), 1);
}

// Crafted files: each must be refused or read only as far as it is sound, without reading outside the
// buffer (the sanitizer build checks that) and without hanging.
struct HostileCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    bool refused;
    int channelEvents;  // when read
};

std::vector<std::uint8_t> WithTrackBytes(std::initializer_list<std::uint8_t> body, int trackCount = 1,
                                         std::uint16_t division = 480) {
    MidiTrack t;
    t.Raw(body);
    return BuildMidiFile(division, {t}, trackCount);
}

std::vector<HostileCase> HostileCases() {
    std::vector<HostileCase> cases;
    cases.push_back({"empty", {}, true, 0});
    cases.push_back({"header cut short", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0}, true, 0});
    cases.push_back({"no track chunk", WithTrackBytes({0x00, 0x90, 60, 100}, 0), true, 0});
    cases.push_back({"division 0", WithTrackBytes({0x00, 0x90, 60, 100}, 1, 0), true, 0});
    cases.push_back({"more tracks declared than present", WithTrackBytes({0x00, 0x90, 60, 100}, 3), true, 0});
    {
        auto b = WithTrackBytes({0x00, 0x90, 60, 100});
        b[4] = 0xFF, b[5] = 0xFF, b[6] = 0xFF, b[7] = 0xF0;  // header length past everything
        cases.push_back({"header length past the end", b, true, 0});
    }
    {
        // A chunk whose length + 8 is below the file size but that still runs past the end.
        MidiTrack a, b;
        a.NoteOn(0, 0, 60).NoteOff(10, 0, 60).End();
        b.NoteOn(0, 1, 60).End();
        auto bytes = BuildMidiFile(480, {a, b});
        const std::size_t second = 14 + 8 + a.Bytes().size();
        bytes[second + 7] = static_cast<std::uint8_t>(b.Bytes().size() + 6);
        cases.push_back({"second chunk longer than what is left", bytes, true, 0});
    }
    {
        auto bytes = WithTrackBytes({0x00, 0x90, 60, 100});
        bytes[18] = 0x7F;  // track length 2 GB
        cases.push_back({"chunk length 2 GB", bytes, true, 0});
    }
    cases.push_back({"note data past the chunk end", WithTrackBytes({0x00, 0x90, 60, 100, 0x10, 0x80, 60}), false, 1});
    cases.push_back({"system exclusive longer than the chunk",
                     WithTrackBytes({0x00, 0x90, 60, 100, 0x00, 0xF0, 0x7F, 1, 2}), false, 1});
    cases.push_back({"meta longer than the chunk",
                     WithTrackBytes({0x00, 0x90, 60, 100, 0x00, 0xFF, 0x01, 0x8F, 0x7F, 'a'}), false, 1});
    cases.push_back({"endless delta",
                     WithTrackBytes({0x00, 0x90, 60, 100, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x90, 1, 1}), false, 1});
    cases.push_back({"endless meta length",
                     WithTrackBytes({0x00, 0x90, 60, 100, 0x00, 0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00}), false,
                     1});
    cases.push_back(
        {"running status with no status yet", WithTrackBytes({0x00, 60, 100, 0x00, 0x90, 60, 100}), true, 0});
    cases.push_back(
        {"status FE, then running status", WithTrackBytes({0x00, 0xFE, 0x00, 0x90, 60, 100, 0x00, 62, 100}), false, 2});
    cases.push_back({"tempo cut off at the end",
                     WithTrackBytes({0x00, 0x90, 60, 100, 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1}), false, 1});
    cases.push_back({"tempo with no bytes", WithTrackBytes({0x00, 0xFF, 0x51, 0x00, 0x00, 0x90, 60, 100}), false, 1});
    cases.push_back({"only a delta", WithTrackBytes({0x81, 0x00}), true, 0});
    return cases;
}

// Found by fuzzing: the record's 16-bit offset wrapped, pointing the marker after 64 KB of texts into the
// middle of the first one.
TEST(MidiParser, MarkersPastTheSixteenBitPoolOffsetKeepTheirTimeButNotTheirText) {
    MidiTrack t;
    t.Marker(0, std::string(0xFFFE, 'A')).Marker(10, "B").Marker(10, "L").NoteOn(10, 0, 60).End();
    const MidiSong song = Parse(BuildMidiFile(480, {t}));
    // "B" starts at 0xFFFF, the last offset there is; "L" would start at 0x10001.
    ASSERT_EQ(song.markerTexts.size(), 0x10001u);
    EXPECT_EQ(song.records[1].b[0], 0xFF);
    EXPECT_EQ(song.records[1].b[2] | (song.records[1].b[3] << 8), 0xFFFF);
    EXPECT_STREQ(&song.markerTexts[0xFFFF], "B");
    EXPECT_EQ(song.records[2].b[0], 0);
    EXPECT_EQ(song.loopStart, 20u);
    EXPECT_EQ(std::get<0>(ChannelEvents(song).at(0)), 30u);
}

TEST(MidiParser, SystemExclusiveBlocksPastTheSixteenBitIndexAreIgnoredRecords) {
    MidiTrack t;
    for (int i = 0; i < 0x10001; ++i) t.SysEx(1, {0xF7});
    t.NoteOn(1, 0, 60).End();
    const MidiSong song = Parse(BuildMidiFile(480, {t}));
    ASSERT_EQ(song.sysex.size(), 0x10000u);
    const MidiEvent& last = song.records[0xFFFF];
    EXPECT_EQ(last.b[0], 0xF0);
    EXPECT_EQ(last.b[1] | (last.b[2] << 8), 0xFFFF);
    EXPECT_EQ(song.records[0x10000].b[0], 0);
    EXPECT_EQ(std::get<0>(ChannelEvents(song).at(0)), 0x10002u);
}

TEST(MidiParser, HostileFilesAreRefusedOrReadAsFarAsTheyAreSound) {
    for (const HostileCase& c : HostileCases()) {
        SCOPED_TRACE(c.name);
        MidiSong song;
        const bool ok = ParseMidiFile(c.bytes.empty() ? nullptr : c.bytes.data(), c.bytes.size(), &song);
        EXPECT_EQ(ok, !c.refused);
        if (ok) {
            EXPECT_EQ(static_cast<int>(ChannelEvents(song).size()), c.channelEvents);
            EXPECT_EQ(song.records.back().delta, kMidiSentinelDelta);
        }
    }
}

TEST(MidiParser, TempoAtTheVeryEndStillHasItsCarriers) {
    MidiTrack t;
    t.NoteOn(0, 0, 60).Tempo(480, 600000);
    const MidiSong song = Parse(BuildMidiFile(480, {t}));
    ASSERT_EQ(song.recordCount, 4u);
    EXPECT_EQ(MidiTempoAt(song, 1), 600000u);
    EXPECT_EQ(song.records[4].delta, kMidiSentinelDelta);
}

TEST(MidiParser, PatchListStopsAtTenThousandWithoutSlowingDown) {
    MidiTrack t;
    for (int i = 0; i < 30000; ++i) {
        t.Control(0, 0, 0, (i >> 7) & 0x7F).Program(1, 0, i & 0x7F);
    }
    t.End();
    const auto bytes = BuildMidiFile(480, {t});
    const auto start = std::chrono::steady_clock::now();
    const MidiSong song = Parse(bytes);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(song.patches.size(), kMaxSongPatches);
    EXPECT_LT(took, std::chrono::seconds(20));  // a linear search per program change would take minutes here
}

TEST(MidiParser, ManyTinyTracksMergeQuickly) {
    std::vector<MidiTrack> tracks(20000);
    for (std::size_t i = 0; i < tracks.size(); ++i) tracks[i].NoteOn(static_cast<std::uint32_t>(i % 7), 0, 60);
    const MidiSong song = Parse(BuildMidiFile(480, tracks));
    EXPECT_EQ(song.recordCount, 20000u);
}

TEST(MidiParser, RandomlyDamagedFilesNeverReadOutsideTheBuffer) {
    MidiTrack conductor, notes;
    conductor.Tempo(0, 500000).Marker(0, "L").SysEx(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7}).End(1920);
    for (int i = 0; i < 32; ++i) notes.NoteOn(i ? 60 : 0, i % 16, 40 + i).NoteOff(60, i % 16, 40 + i);
    notes.End();
    const auto good = BuildMidiFile(480, {conductor, notes});
    std::mt19937 rng(1234);
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        auto bytes = good;
        const int damage = 1 + static_cast<int>(rng() % 6);
        for (int d = 0; d < damage; ++d) bytes[14 + rng() % (bytes.size() - 14)] = static_cast<std::uint8_t>(rng());
        if (round % 3 == 0) bytes.resize(14 + rng() % (bytes.size() - 14));
        // An exact-size copy, so that the sanitizer sees any read past the end.
        std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
        MidiSong song;
        if (ParseMidiFile(exact.data(), exact.size(), &song)) {
            ++parsed;
            ASSERT_EQ(song.records.size(), song.recordCount + 1u);
            for (std::uint32_t i = 0; i < song.recordCount; ++i) {
                const MidiEvent& r = song.records[i];
                if (r.b[0] == 0xF0) {
                    ASSERT_LT(static_cast<std::size_t>(r.b[1] | (r.b[2] << 8)), song.sysex.size());
                }
            }
        }
    }
    EXPECT_GT(parsed, 0);
}

}  // namespace
