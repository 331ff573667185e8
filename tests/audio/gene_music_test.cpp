#include "audio/gene_music.h"

#include <gtest/gtest.h>

#include <chrono>

#include "audio/midi_builder.h"
#include "audio/sequencer_fixture.h"

namespace {

using GeneMusic::testing::Inspect;

int Count(const std::vector<RecordedMessage>& messages, auto predicate) {
    return static_cast<int>(std::count_if(messages.begin(), messages.end(), predicate));
}

// Notes on channel 0 every `every` ticks from tick 0, `count` of them, keys from 40 up; 480 ticks a beat.
std::vector<std::uint8_t> Pulse(int count, std::uint32_t every, std::uint32_t tempo = 500000) {
    MidiTrack t;
    t.Tempo(0, tempo).Control(0, 0, 7, 100);
    for (int i = 0; i < count; ++i) t.NoteOn(i ? every - 10 : 0, 0, 40 + i % 60).NoteOff(10, 0, 40 + i % 60);
    t.End(10);
    return BuildMidiFile(480, {t});
}

TEST_F(SequencerTest, PlayWaitsTheStartDelayThenTicksFollowTheTempo) {
    Start();
    const std::int32_t slot = Load(Pulse(3, 480));
    ASSERT_EQ(slot, 0);
    const std::uint64_t playedAt = NowMs();
    GeneMusic::Play(slot);
    // The channel set-up goes out at once: program, bank, pan, reverb, chorus, volume, twice for 16 channels.
    EXPECT_EQ(Count(Messages(), [](const RecordedMessage& m) { return m.IsProgram(); }), 32);
    Step(99);
    EXPECT_TRUE(NoteOns().empty());
    Step(1200);
    const auto notes = NoteOns();
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0].first - playedAt, 100u);
    EXPECT_EQ(notes[1].first - playedAt, 600u);  // 480 ticks at 500000 us a beat
    EXPECT_EQ(notes[2].first - playedAt, 1100u);
}

TEST_F(SequencerTest, TempoChangesTheTickRateAndAZeroTempoIsIgnored) {
    Start();
    MidiTrack t;
    t.Tempo(0, 1000000).NoteOn(0, 0, 60).NoteOn(480, 0, 61);
    t.Event(0, {0xFF, 0x51, 0x00}).NoteOn(480, 0, 62).End(480);
    GeneMusic::Play(Load(BuildMidiFile(480, {t})));
    const std::uint64_t playedAt = NowMs();
    Step(2300);
    const auto notes = NoteOns();
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[0].first - playedAt, 100u);
    EXPECT_EQ(notes[1].first - playedAt, 1100u);
    EXPECT_EQ(notes[2].first - playedAt, 2100u);
    EXPECT_EQ(Inspect().tempo, 1000000u);
}

TEST_F(SequencerTest, SameTickEventsOfTwoTracksGoOutInChunkOrder) {
    Start();
    MidiTrack a, b;
    a.Control(0, 0, 7, 100).NoteOn(480, 0, 71).End(480);
    b.NoteOn(480, 1, 70).End(480);
    GeneMusic::Play(Load(BuildMidiFile(480, {a, b})));
    Step(700);
    const auto notes = NoteOns();
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].second, 71);
    EXPECT_EQ(notes[1].second, 70);
    EXPECT_EQ(notes[0].first, notes[1].first);
}

TEST_F(SequencerTest, LoopSeeksSilentlyToTheMarkerAndTheNotesThereSound) {
    Start();
    MidiTrack conductor, notes;
    conductor.Tempo(0, 500000).Control(0, 0, 7, 90).Program(0, 0, 30).Marker(4800, "L").End(4800);
    notes.NoteOn(0, 0, 60).NoteOn(2400, 0, 61).NoteOn(2400, 0, 62).NoteOn(2400, 0, 63).End(2400);
    GeneMusic::Play(Load(BuildMidiFile(480, {conductor, notes})));
    Step(10100);  // the first pass: 9600 ticks take 10 s
    midi_.Log().Clear();
    Step(3000);
    const auto messages = Messages();
    // The loop resends the channel set-up, with the program and volume the seek recorded.
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.front().IsProgram());
    const std::uint64_t loopAt = messages.front().time / 1000;
    EXPECT_EQ(Count(messages, [&](const RecordedMessage& m) { return m.IsProgram() && m.time / 1000 == loopAt; }), 32);
    EXPECT_EQ(Count(messages, [](const RecordedMessage& m) { return m.Status() == 0xC0 && m.D1() == 30; }), 2);
    EXPECT_EQ(
        Count(messages, [](const RecordedMessage& m) { return m.Status() == 0xB0 && m.D1() == 7 && m.D2() == 90; }), 2);
    // Nothing before the marker sounds; the notes at 4800 and after do, on time.
    const auto ons = NoteOns();
    ASSERT_EQ(ons.size(), 2u);
    EXPECT_EQ(ons[0].second, 62);
    EXPECT_LE(ons[0].first - loopAt, 2u);
    EXPECT_EQ(ons[1].second, 63);
    // The first tick after a loop goes out on the wake-up after the one that looped.
    EXPECT_NEAR(static_cast<double>(ons[1].first - ons[0].first), 2500.0, 1.0);
}

TEST_F(SequencerTest, WithoutAMarkerTheSongStartsAgainFromTheBeginning) {
    Start();
    MidiTrack t;
    t.NoteOn(0, 0, 60).NoteOn(480, 0, 62).End(480);
    GeneMusic::Play(Load(BuildMidiFile(480, {t})));
    Step(1100);  // 960 ticks: the song ends 1000 ms after the start delay
    midi_.Log().Clear();
    Step(600);
    const auto messages = Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.front().IsProgram());
    const auto ons = NoteOns();
    ASSERT_GE(ons.size(), 2u);
    EXPECT_EQ(ons[0].second, 60);
    EXPECT_EQ(ons[1].second, 62);
}

TEST_F(SequencerTest, PlayingTheSameSlotAgainStopsAndRestartsWithTheDelay) {
    Start();
    const std::int32_t slot = Load(Pulse(20, 240));
    GeneMusic::Play(slot);
    Step(400);
    midi_.Log().Clear();
    const std::uint64_t secondPlay = NowMs();
    GeneMusic::Play(slot);
    const auto stopped = Messages();
    // The stop mutes every channel and sends all notes off, then the set-up follows.
    EXPECT_EQ(Count(stopped, [](const RecordedMessage& m) { return m.IsControl(7) && m.D2() == 0; }), 16);
    EXPECT_EQ(Count(stopped, [](const RecordedMessage& m) { return m.IsControl(123); }), 16);
    Step(300);
    const auto ons = NoteOns();
    ASSERT_FALSE(ons.empty());
    EXPECT_EQ(ons[0].first - secondPlay, 100u);
    EXPECT_EQ(ons[0].second, 40);  // from the start again
}

TEST_F(SequencerTest, FadeOutLowersTheVolumeStepByStepThenStops) {
    Start();
    GeneMusic::Play(Load(Pulse(200, 480)));
    Step(500);
    midi_.Log().Clear();
    const std::uint64_t fadeAt = NowMs();
    EXPECT_TRUE(GeneMusic::FadeOut(2000));
    Step(2000);
    EXPECT_TRUE(Inspect().playing);
    std::vector<std::pair<std::uint64_t, int>> steps;  // channel 0's volume as sent
    for (const RecordedMessage& m : Messages()) {
        if (m.Status() == 0xB0 && m.D1() == 7) steps.emplace_back(m.time / 1000, m.D2());
    }
    ASSERT_GE(steps.size(), 89u);
    EXPECT_LE(steps.size(), 90u);
    EXPECT_EQ(steps.front().second, 99);
    EXPECT_LE(steps.back().second, 11);
    for (std::size_t i = 1; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].second, steps[i - 1].second - 1);
        EXPECT_GE(steps[i].first - steps[i - 1].first, 22u);
        EXPECT_LE(steps[i].first - steps[i - 1].first, 23u);
    }
    EXPECT_LE(steps.front().first - fadeAt, 23u);
    midi_.Log().Clear();
    Step(1);  // the wake-up after the 2000th
    const auto end = Messages();
    EXPECT_EQ(Count(end, [](const RecordedMessage& m) { return m.IsControl(7) && m.D2() == 0; }), 32);
    EXPECT_EQ(Count(end, [](const RecordedMessage& m) { return m.IsControl(123); }), 32);
    EXPECT_FALSE(Inspect().playing);
    EXPECT_EQ(Inspect().currentSlot, -1);
    EXPECT_FALSE(Inspect().timerRunning);
    midi_.Log().Clear();
    Step(500);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SequencerTest, AFadeGoesOnThroughALoopAndStillEndsTheSong) {
    Start();
    GeneMusic::Play(Load(Pulse(2, 240)));  // loops every 270 ms
    Step(300);
    midi_.Log().Clear();
    GeneMusic::FadeOut(2000);
    int ms = 0;
    while (Inspect().playing && ms < 2100) {
        Step(1);
        ++ms;
    }
    // Restarting the timer at each loop and tempo event brings one extra wake-up, and each wake-up is a
    // step of the fade, so it ends a little early.
    EXPECT_GT(ms, 1950);
    EXPECT_LE(ms, 2001);
    std::vector<int> volumes;  // channel 0's volume as sent, the set-ups at the loops included
    for (const RecordedMessage& m : Messages()) {
        if (m.Status() == 0xB0 && m.D1() == 7) volumes.push_back(m.D2());
    }
    ASSERT_GT(volumes.size(), 89u);
    for (std::size_t i = 1; i < volumes.size(); ++i) EXPECT_LE(volumes[i], volumes[i - 1]) << i;
    EXPECT_EQ(volumes.back(), 0);
    EXPECT_LE(volumes[volumes.size() - 3], 11);  // the last fade step before the two mutes
}

TEST_F(SequencerTest, AStalledThreadCatchesUpWithoutNoteOnsThenResendsTheSetUp) {
    Start();
    GeneMusic::Play(Load(Pulse(200, 48)));
    Step(1000);
    midi_.Log().Clear();
    clock_.Advance(1000);
    midi_.Clock()->ReleaseDue();
    EXPECT_EQ(GeneMusic::testing::RunPendingWakeups(), 1000);
    const auto m = Messages();
    const auto soundOff = std::find_if(m.begin(), m.end(), [](const RecordedMessage& x) { return x.IsControl(120); });
    ASSERT_NE(soundOff, m.end());
    EXPECT_EQ(Count(m, [](const RecordedMessage& x) { return x.IsControl(120); }), 16);
    const auto setup = std::find_if(soundOff, m.end(), [](const RecordedMessage& x) { return x.IsProgram(); });
    ASSERT_NE(setup, m.end());
    EXPECT_EQ(std::count_if(soundOff, setup, [](const RecordedMessage& x) { return x.IsNoteOn(); }), 0);
    EXPECT_GT(std::count_if(soundOff, setup, [](const RecordedMessage& x) { return (x.Status() & 0xF0) == 0x80; }), 10);
    EXPECT_EQ(std::count_if(setup, m.end(), [](const RecordedMessage& x) { return x.IsProgram(); }), 32);
    EXPECT_FALSE(Inspect().catchingUp);
    // Back on the clock: the next pulse sounds as usual.
    midi_.Log().Clear();
    Step(60);
    EXPECT_FALSE(NoteOns().empty());
}

TEST_F(SequencerTest, APauseReleasesEveryNoteAndTheResumeGoesOnFromTheSamePlace) {
    Start();
    GeneMusic::Play(Load(Pulse(20, 480)));  // a note every 500 ms of the song
    Step(800);
    clock_.Advance(3);
    midi_.Clock()->ReleaseDue();  // wake-ups the timer gave just before the pause
    const std::uint64_t position = Inspect().position;
    midi_.Log().Clear();
    GeneMusic::Pause();
    Step(60000);
    GeneMusic::Pause();
    EXPECT_EQ(Inspect().position, position);
    EXPECT_EQ(Messages().size(), 48u);
    for (int c : {64, 123, 120}) EXPECT_EQ(Count(Messages(), [c](auto& m) { return m.IsControl(c) && !m.D2(); }), 16);
    const std::uint64_t resumedAt = NowMs();
    GeneMusic::Resume();
    Step(600);  // 703 ms of the song had gone: the note at 1000 ms is the next
    EXPECT_EQ(NoteOns(resumedAt), (std::vector<std::pair<std::uint64_t, int>>{{resumedAt + 297, 42}}));
}

TEST_F(SequencerTest, AnAuditionWhilePausedPlaysOnAndTheResumeGoesOnFromWhereThePauseStood) {
    Start();
    GeneMusic::Play(Load(Pulse(20, 480)));
    Step(800);
    clock_.Advance(3);
    midi_.Clock()->ReleaseDue();
    const std::uint64_t position = Inspect().position;
    GeneMusic::Pause();
    Step(5000);
    const std::uint64_t auditionAt = NowMs();
    GeneMusic::Audition();
    Step(1500);
    EXPECT_EQ(NoteOns(auditionAt).size(), 3u) << "the song is heard while the panel is open";
    // A pause again (the title's panel, a second audition) holds the same place.
    GeneMusic::Pause();
    EXPECT_EQ(Inspect().position, position);
    GeneMusic::Audition();
    Step(700);
    const std::uint64_t resumedAt = NowMs();
    GeneMusic::Resume();
    EXPECT_EQ(Inspect().position, position);
    Step(600);
    EXPECT_EQ(NoteOns(resumedAt), (std::vector<std::pair<std::uint64_t, int>>{{resumedAt + 297, 42}}));
}

class DownloadTest : public SequencerTest {
protected:
    DownloadTest() : SequencerTest(Collection()) {}
    static RecordingOptions Collection() {
        RecordingOptions options;
        options.collectionPatches = {0, 0x80000000u, 5};
        return options;
    }
};

TEST_F(DownloadTest, EachPlayDownloadsTheSongsInstrumentsFallingBackToBankZero) {
    Start();
    GeneMusic::LoadCollection(nullptr);
    EXPECT_TRUE(Inspect().downloadOnPlay);
    MidiTrack t;
    t.Program(0, 0, 5).Control(0, 1, 0, 8).Program(0, 1, 5).Program(0, 2, 100).End(10);
    GeneMusic::Play(Load(BuildMidiFile(480, {t})));
    std::vector<std::uint32_t> downloads;
    {
        std::lock_guard<std::mutex> lock(midi_.Log().mutex);
        downloads = midi_.Log().downloads;
        EXPECT_EQ(midi_.Log().compacts, 1);
    }
    const std::vector<std::uint32_t> expected = {0, 0x80000000u, 5, 0x080005, 0x80000000u};
    EXPECT_EQ(downloads, expected);
}

TEST_F(SequencerTest, SlotsAndUnloading) {
    GeneMusic::SetMaxSongs(16);
    Start();
    const auto song = Pulse(4, 480);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(Load(song), i);
    EXPECT_EQ(Load(song), -1);  // more than 16 songs
    EXPECT_EQ(Load({1, 2, 3}), -1);
    EXPECT_FALSE(GeneMusic::Unload(-1));
    GeneMusic::Play(3);
    Step(200);
    EXPECT_TRUE(GeneMusic::Unload(3));
    EXPECT_EQ(Inspect().currentSlot, -1);
    EXPECT_FALSE(GeneMusic::Unload(3));
    EXPECT_EQ(Load(song), 3);  // the lowest free slot
    GeneMusic::Play(-1);       // nothing at all
    GeneMusic::Play(99);       // outside the slots: nothing either
    EXPECT_EQ(Inspect().currentSlot, -1);
    GeneMusic::SetMaxSongs(64);
}

TEST_F(SequencerTest, HostileTimingNeverHangsThePlaybackThread) {
    Start();
    // One microsecond a beat at 32767 ticks a beat: 32 million ticks a millisecond, and a loop marker
    // hundreds of millions of ticks in.
    MidiTrack conductor, notes;
    conductor.Tempo(0, 1).Marker(0x0FFFFFFF, "L").Marker(0x0FFFFFFF, "x").End(0x0FFFFFFF);
    notes.NoteOn(0, 0, 60).NoteOn(0x0FFFFFFF, 0, 61).NoteOn(0x0FFFFFFF, 0, 62).End(0x0FFFFFFF);
    GeneMusic::Play(Load(BuildMidiFile(32767, {conductor, notes})));
    const auto start = std::chrono::steady_clock::now();
    Step(400);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_TRUE(Inspect().playing);
    // It loops, seeking to the marker each time; the note before the marker sounded only the first time.
    int programs = 0;
    for (const RecordedMessage& m : Messages()) programs += m.Status() == 0xC0 ? 1 : 0;
    EXPECT_GT(programs / 32, 3);
    EXPECT_EQ(Count(Messages(), [](const RecordedMessage& m) { return m.IsNoteOn() && m.D1() == 60; }), 1);
}

TEST_F(SequencerTest, StopAndDestroyWithNothingPlayingAreHarmless) {
    GeneMusic::Stop();
    EXPECT_TRUE(GeneMusic::FadeOut(100));
    GeneMusic::Destroy();
    Start();
    GeneMusic::Stop();
    EXPECT_TRUE(GeneMusic::FadeOut(100));
    Step(200);
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
