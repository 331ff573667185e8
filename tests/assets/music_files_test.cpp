// The twelve songs as the game reads them: every file is where the music table looks, parses with the
// sequencer's own parser, loops where it was written to loop, releases every note before its end, and
// keeps to what the sequencer restores after a loop seek.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "assetgen/audio/smf_reader.h"
#include "assetgen/audio/songs/songs.h"
#include "audio/midi_parser.h"

namespace {

namespace fs = std::filesystem;
using assetgen::audio::SmfData;
using assetgen::audio::SmfEvent;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path TrackPath(int track) {
    char name[32];
    std::snprintf(name, sizeof name, "track%02d.mid", track);
    return fs::path(KORVEX_DATA_DIR) / "m" / name;
}

struct GameView {
    MidiSong song;
    std::vector<std::uint64_t> ticks;
    double secondsPerTick = 0;
};

GameView ParseWithGame(int track) {
    GameView v;
    std::vector<std::uint8_t> bytes = ReadBytes(TrackPath(track));
    EXPECT_TRUE(ParseMidiFile(bytes.data(), bytes.size(), &v.song)) << "track " << track;
    v.ticks = MidiRecordTicks(v.song);
    std::uint32_t tempo = 500000;
    for (std::uint32_t i = 0; i < v.song.recordCount; ++i) {
        const MidiEvent& e = v.song.records[i];
        if (e.b[0] == kMidiMetaStatus && e.b[1] == kMidiMetaTempo) {
            EXPECT_EQ(v.ticks[i], 0u) << "track " << track << ": tempo changes only at the start";
            tempo = MidiTempoAt(v.song, i);
        }
    }
    if (v.song.division > 0) v.secondsPerTick = tempo / 1e6 / v.song.division;
    return v;
}

TEST(MusicFiles, EveryTrackParsesWithTheSequencerAndLoopsWhereItWasWritten) {
    const std::vector<assetgen::audio::Song> songs = assetgen::audio::ComposeAllSongs();
    ASSERT_EQ(songs.size(), 12u);
    for (int track = 0; track < 12; ++track) {
        SCOPED_TRACE("track " + std::to_string(track));
        ASSERT_TRUE(fs::exists(TrackPath(track)));
        GameView v = ParseWithGame(track);
        ASSERT_GT(v.song.recordCount, 0u);
        EXPECT_EQ(v.song.division, 480);
        EXPECT_EQ(v.song.loopStart, static_cast<std::uint64_t>(songs[static_cast<std::size_t>(track)].loopTick));
        EXPECT_TRUE(v.song.sysex.empty()) << "a sysex would be re-sent at every loop";
        EXPECT_LE(v.song.patches.size(), kMaxSongPatches);
    }
}

TEST(MusicFiles, LoopLengthsFitTheScenes) {
    // Seconds of music from the loop start to the end: stage songs 1-3 minutes, bosses 40-90 s, the
    // card short, the game-over loop nothing but its silent tail.
    struct Expect {
        int track;
        double min, max;
    };
    const Expect expect[] = {{0, 45, 120}, {1, 60, 180}, {2, 60, 180}, {3, 60, 180}, {4, 45, 120}, {5, 8, 30},
                             {6, 40, 90},  {7, 40, 90},  {8, 40, 90},  {9, 40, 90},  {10, 1, 10},  {11, 45, 180}};
    for (const Expect& e : expect) {
        SCOPED_TRACE("track " + std::to_string(e.track));
        GameView v = ParseWithGame(e.track);
        ASSERT_GT(v.song.recordCount, 0u);
        double loopSeconds = (v.ticks.back() - v.song.loopStart) * v.secondsPerTick;
        EXPECT_GE(loopSeconds, e.min);
        EXPECT_LE(loopSeconds, e.max);
    }
    // The title card loops whole; every other song has a lead-in that plays once.
    EXPECT_EQ(ParseWithGame(5).song.loopStart, 0u);
    for (int track : {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11}) EXPECT_GT(ParseWithGame(track).song.loopStart, 0u);
}

TEST(MusicFiles, EveryNoteIsReleasedAndNoneCrossesTheLoopStart) {
    for (int track = 0; track < 12; ++track) {
        SCOPED_TRACE("track " + std::to_string(track));
        GameView v = ParseWithGame(track);
        std::map<int, std::vector<std::uint64_t>> sounding;  // channel * 128 + key -> ticks of open note-ons
        int crossing = 0;
        for (std::uint32_t i = 0; i < v.song.recordCount; ++i) {
            const MidiEvent& e = v.song.records[i];
            int kind = e.b[0] & 0xF0;
            int key = (e.b[0] & 0x0F) * 128 + e.b[1];
            if (kind == 0x90 && e.b[2] > 0) sounding[key].push_back(v.ticks[i]);
            if (kind == 0x80 || (kind == 0x90 && e.b[2] == 0)) {
                ASSERT_FALSE(sounding[key].empty()) << "note-off without a note-on at tick " << v.ticks[i];
                std::uint64_t on = sounding[key].front();
                sounding[key].erase(sounding[key].begin());
                if (on < v.song.loopStart && v.ticks[i] > v.song.loopStart) ++crossing;
            }
        }
        EXPECT_EQ(crossing, 0) << "notes held into the loop start are not struck again after the seek";
        for (const auto& [note, open] : sounding) {
            EXPECT_TRUE(open.empty()) << "channel " << note / 128 << " key " << note % 128 << " never released";
        }
    }
}

TEST(MusicFiles, TheGameOverJingleFallsSilentBeforeItsLoop) {
    GameView v = ParseWithGame(10);
    std::uint64_t lastNoteOff = 0;
    for (std::uint32_t i = 0; i < v.song.recordCount; ++i) {
        const MidiEvent& e = v.song.records[i];
        int kind = e.b[0] & 0xF0;
        if (kind == 0x90 && e.b[2] > 0) {
            EXPECT_LT(v.ticks[i], v.song.loopStart);
        }
        if (kind == 0x80) lastNoteOff = std::max(lastNoteOff, v.ticks[i]);
    }
    EXPECT_GT(v.song.loopStart, lastNoteOff);
    // Long enough for the last chord to die away before the silence loops.
    EXPECT_GE((v.song.loopStart - lastNoteOff) * v.secondsPerTick, 0.5);
    double jingle = lastNoteOff * v.secondsPerTick;
    EXPECT_GT(jingle, 3.0);
    EXPECT_LT(jingle, 12.0);
}

TEST(MusicFiles, FilesKeepToWhatTheSequencerRestoresAfterALoop) {
    // Strictly read: equal End-of-Track ticks, status bytes restated, the tempo and every part's set-up
    // at tick 0 before the marker, bank 0, and no controller that a loop seek would leave behind.
    const std::set<int> restored = {0, 7, 10, 91, 93};
    for (int track = 0; track < 12; ++track) {
        SCOPED_TRACE("track " + std::to_string(track));
        SmfData smf = assetgen::audio::ReadSmf(ReadBytes(TrackPath(track)));
        EXPECT_EQ(smf.format, 1);
        EXPECT_FALSE(smf.usedRunningStatus);
        ASSERT_GE(smf.tracks.size(), 2u);
        for (const auto& t : smf.tracks) EXPECT_EQ(t.endTick, smf.tracks.front().endTick);
        bool tempoAtZero = false;
        for (const SmfEvent& e : smf.tracks.front().events) {
            if (e.status == 0xFF && e.data1 == 0x51 && e.tick == 0) tempoAtZero = true;
        }
        EXPECT_TRUE(tempoAtZero);
        std::set<int> channels;
        for (std::size_t i = 1; i < smf.tracks.size(); ++i) {
            int channel = -1;
            bool program = false, volume = false;
            for (const SmfEvent& e : smf.tracks[i].events) {
                if (e.status == 0xFF) continue;
                ASSERT_LT(e.status, 0xF0);
                int kind = e.status & 0xF0;
                if (channel < 0) channel = e.status & 0x0F;
                EXPECT_EQ(e.status & 0x0F, channel) << "one channel per track";
                EXPECT_NE(kind, 0xE0) << "pitch bend is not restored after a loop";
                if (kind == 0xC0) {
                    EXPECT_EQ(e.tick, 0);
                    program = true;
                }
                if (kind == 0xB0) {
                    EXPECT_TRUE(restored.count(e.data1)) << "controller " << int(e.data1);
                    EXPECT_EQ(e.tick, 0) << "set-up only at the start, so a loop finds it unchanged";
                    if (e.data1 == 0) {
                        EXPECT_EQ(e.data2, 0) << "bank 0";
                    }
                    if (e.data1 == 7) volume = e.data2 > 0;
                }
            }
            EXPECT_TRUE(program);
            EXPECT_TRUE(volume);
            EXPECT_TRUE(channels.insert(channel).second) << "channel " << channel << " used twice";
        }
    }
}

TEST(MusicFiles, DrumsPlayOnlyOnTheDrumChannel) {
    // Every song with a kit plays it on channel 10 (index 9); its notes are kit keys, not a melody.
    int songsWithDrums = 0;
    for (int track = 0; track < 12; ++track) {
        SmfData smf = assetgen::audio::ReadSmf(ReadBytes(TrackPath(track)));
        for (std::size_t i = 1; i < smf.tracks.size(); ++i) {
            bool drums = false;
            for (const SmfEvent& e : smf.tracks[i].events) {
                if ((e.status & 0xF0) == 0x90 && (e.status & 0x0F) == 9) {
                    drums = true;
                    EXPECT_GE(e.data1, 35);
                    EXPECT_LE(e.data1, 81);
                }
            }
            songsWithDrums += drums;
        }
    }
    EXPECT_GE(songsWithDrums, 9);
}

}  // namespace
