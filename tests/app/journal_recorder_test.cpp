// The journal written as the game goes: every record on disk as soon as it is made, and a stop at the
// largest journal a replay reads rather than one it would refuse.

#include "app/journal_recorder.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

Journal ReadBack(const TempWorkDir& dir) {
    const std::string bytes = dir.ReadFile("run.kvj");
    Journal read;
    EXPECT_EQ(JournalError::kNone,
              ParseJournal(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &read));
    return read;
}

JournalFrame FrameAt(std::uint32_t ticks, int key) {
    JournalFrame frame;
    frame.ticks = ticks;
    frame.input.SetKey(key, true);
    return frame;
}

TEST(JournalRecorderTest, EachFrameIsOnDiskAtOnceAndTheJournalStopsWhereAReplayStops) {
    TempWorkDir dir;
    Journal header;
    header.seed = 99;
    header.startTicks = 1000;
    JournalRecorder recorder(3);
    EXPECT_FALSE(recorder.Open(dir.Path().string())) << "a folder is no journal";
    ASSERT_TRUE(recorder.Open((dir.Path() / "run.kvj").string()));

    ASSERT_TRUE(recorder.Frame(header, FrameAt(1033, 0x2C)));
    recorder.TitleQuit();
    ASSERT_TRUE(recorder.Frame(header, FrameAt(1066, 0xC8)));
    // As a kill would leave it: the frames so far, and the quit before the second.
    const Journal cut = ReadBack(dir);
    EXPECT_TRUE(cut.endedEarly);
    EXPECT_EQ(cut.seed, 99u);
    EXPECT_EQ(cut.frames.size(), 2u);
    EXPECT_EQ(cut.titleQuits, std::vector<std::uint32_t>{1});

    ASSERT_TRUE(recorder.Frame(header, FrameAt(1100, 0x2D)));
    EXPECT_TRUE(recorder.Full());
    EXPECT_FALSE(recorder.Frame(header, FrameAt(1133, 0x2E)));
    EXPECT_EQ(recorder.Frames(), 3u);
    ASSERT_TRUE(recorder.Finish(header));
    const Journal whole = ReadBack(dir);
    EXPECT_FALSE(whole.endedEarly);
    EXPECT_EQ(whole.frames.back(), FrameAt(1100, 0x2D));
}

}  // namespace
