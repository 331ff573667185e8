#include "audio/music.h"

#include <gtest/gtest.h>

#include <thread>

#include "core/log.h"
#include "audio/midi_builder.h"
#include "audio/sequencer_fixture.h"
#include "platform/core/text_encoding.h"

namespace {

using GeneMusic::testing::Inspect;

std::string SongFile(int firstKey) {
    MidiTrack t;
    t.Tempo(0, 500000).Control(0, 0, 7, 100);
    for (int i = 0; i < 40; ++i) t.NoteOn(i ? 240 : 0, 0, firstKey + i % 12).NoteOff(0, 0, firstKey + i % 12);
    t.End(240);
    const auto bytes = BuildMidiFile(480, {t});
    return {bytes.begin(), bytes.end()};
}

class MusicTest : public SequencerTest {
protected:
    explicit MusicTest(RecordingOptions options = {}) : SequencerTest(std::move(options)) {}
    void TearDown() override {
        MusicShutdown();
        LogClose();
        SequencerTest::TearDown();
    }
    void WriteTracks(std::initializer_list<int> tracks) {
        for (int track : tracks) {
            std::string name = MusicTrackFile(track);
            std::replace(name.begin(), name.end(), '\\', '/');
            dir_.WriteFile(name, SongFile(40 + 2 * track));
        }
    }
    void OpenLog() {
        LogSetFile("Log.txt");
        LogOpen();
    }
    std::string LogText() {
        LogClose();
        return platform::Cp932ToUtf8(dir_.ReadFile("Log.txt"));
    }
};

TEST_F(MusicTest, StartupLoadsTheTwelveFilesByTrackNumber) {
    WriteTracks({0, 4, 11});
    MusicStartup(-2);
    EXPECT_EQ(MusicTrackSlot(0), 0);
    EXPECT_EQ(MusicTrackSlot(4), 1);
    EXPECT_EQ(MusicTrackSlot(11), 2);
    for (int track : {1, 2, 3, 5, 6, 7, 8, 9, 10}) EXPECT_EQ(MusicTrackSlot(track), -1) << track;
    EXPECT_STREQ(MusicTrackFile(7), "m\\track07.mid");
    EXPECT_EQ(MusicTrackFile(12), nullptr);
    // The default collection was asked for, so every play downloads the song's instruments.
    EXPECT_TRUE(Inspect().downloadOnPlay);
}

TEST_F(MusicTest, PlayingAMissingTrackLeavesTheMusicPlaying) {
    WriteTracks({0});
    MusicStartup(-2);
    MusicPlayTrack(0);
    Step(300);
    const std::size_t before = NoteOns().size();
    MusicPlayTrack(1);
    MusicPlayTrack(12);
    MusicPlayTrack(-1);
    Step(600);
    EXPECT_EQ(Inspect().currentSlot, MusicTrackSlot(0));
    EXPECT_GT(NoteOns().size(), before + 1);
}

TEST_F(MusicTest, TheTitleTrackStartedDuringAFadeCancelsIt) {
    WriteTracks({0, 4});
    MusicStartup(-2);
    MusicPlayTrack(0);
    Step(500);
    MusicFadeOut(500);
    Step(200);
    EXPECT_TRUE(Inspect().fadingOut);
    midi_.Log().Clear();
    MusicPlayTrack(4);
    EXPECT_FALSE(Inspect().fadingOut);
    Step(1000);  // well past the end of the fade
    EXPECT_TRUE(Inspect().playing);
    EXPECT_EQ(Inspect().currentSlot, MusicTrackSlot(4));
    // Full volume again, and no further fade steps.
    std::vector<int> volumes;
    for (const RecordedMessage& m : Messages()) {
        if (m.Status() == 0xB0 && m.D1() == 7) volumes.push_back(m.D2());
    }
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.back(), 100);
    EXPECT_EQ(std::count_if(volumes.begin(), volumes.end(), [](int v) { return v > 0 && v < 100; }), 0);
    EXPECT_FALSE(NoteOns().empty());
}

TEST_F(MusicTest, LogLinesAreWrittenInCodePage932) {
    WriteTracks({0, 3});
    OpenLog();
    MusicStartup(-2);
    MusicShutdown();
    LogClose();
    const std::string raw = dir_.ReadFile("Log.txt");
    const std::string expected =
        "GeneMusicクラスの初期化\n"
        "ミュージック用メモリ確保\n"
        "　　　最大ミュージック数 [ 16 ]\n"
        "　■ DirectMusicオブジェクトを生成\n"
        "＞MIDI出力先を[Recording port]に設定します\n"
        "GeneMusicクラスの解放\n"
        "Music Destroy [ No.0 ]\n"
        "Music Destroy [ No.1 ]\n"
        "　■ DirectMusicを解体\n"
        "　■ DirectMusicPortを解体\n"
        "　■ DirectMusicBufferを解体\n"
        "　■ 遅延時間クロックを解体\n"
        "　■ 同期用タイマーを解体\n"
        "　■ DirectMusicLoaderを解体\n";
    EXPECT_EQ(raw, platform::Utf8ToCp932(expected));
    // Spot checks of the code page itself: ideographic space 81 40, black square 81 A1, "＞" 81 84.
    const std::string square = "\x81\x40\x81\xA1 DirectMusic";
    EXPECT_NE(raw.find(square), std::string::npos);
    EXPECT_NE(raw.find("\x81\x84MIDI"), std::string::npos);
}

class FailingPortTest : public MusicTest {
protected:
    FailingPortTest() : MusicTest(Failing()) {}
    static RecordingOptions Failing() {
        RecordingOptions options;
        options.createPortResult = 0x102;
        return options;
    }
};

TEST_F(FailingPortTest, AFailedPortIsLoggedAndTheGameGoesOnSilent) {
    WriteTracks({4});
    OpenLog();
    MusicStartup(-2);
    EXPECT_EQ(MusicTrackSlot(4), 0);
    MusicPlayTrack(4);
    MusicFadeOut(100);
    Step(300);
    EXPECT_TRUE(Messages().empty());
    MusicShutdown();
    const std::string log = LogText();
    EXPECT_NE(log.find("＞MIDI出力先を[Recording port]に設定します\nError:ポート作成失敗しとるでげす 102\n"),
              std::string::npos);
    EXPECT_EQ(log.find("DirectMusicPortを解体"), std::string::npos);
    EXPECT_NE(log.find("　■ DirectMusicを解体\n"), std::string::npos);
}

// The real playback thread and a real reference clock thread, on real time.
class ThreadedMusicTest : public ::testing::Test {
protected:
    static RecordingOptions Threaded() {
        RecordingOptions options;
        options.clockByCaller = false;
        return options;
    }
    TempWorkDir dir_;
    ScopedRecordingMidi midi_{Threaded()};
};

TEST_F(ThreadedMusicTest, ThePlaybackThreadPlaysOnRealTimeAndLogsItsEnd) {
    dir_.WriteFile("m/track04.mid", SongFile(50));
    LogSetFile("Log.txt");
    LogOpen();
    MusicStartup(-2);
    EXPECT_TRUE(Inspect().threadRunning);
    MusicPlayTrack(4);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    MusicShutdown();
    LogClose();
    // Notes every 250 ms after the 100 ms start delay.
    std::vector<std::uint64_t> ons;
    for (const RecordedMessage& m : midi_.Log().Snapshot()) {
        if (m.IsNoteOn()) ons.push_back(m.time);
    }
    ASSERT_GE(ons.size(), 2u);
    EXPECT_NEAR(static_cast<double>(ons[1] - ons[0]) / 1000.0, 250.0, 80.0);
    const std::string log = platform::Cp932ToUtf8(dir_.ReadFile("Log.txt"));
    EXPECT_NE(log.find("GeneMusicクラスの解放\n＞MIDIスレッドを終了します\nMusic Destroy [ No.0 ]\n"),
              std::string::npos);
}

}  // namespace
