#include "app/command_line.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

CommandLine Parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"korvex"};
    argv.insert(argv.end(), args.begin(), args.end());
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLineTest, WindowAndStartStage) {
    EXPECT_FALSE(Parse({}).windowed);
    EXPECT_EQ(Parse({}).startStage, 1);
    EXPECT_TRUE(Parse({"/w"}).windowed);
    EXPECT_TRUE(Parse({"/f", "--window"}).windowed);
    EXPECT_EQ(Parse({"--stage", "3"}).startStage, 3);
    EXPECT_EQ(Parse({"--window", "--stage=2"}).startStage, 2);
    const CommandLine both = Parse({"--stage", "2", "--window"});
    EXPECT_EQ(both.startStage, 2);
    EXPECT_TRUE(both.windowed);
    // Of --window and --fullscreen the later wins.
    EXPECT_TRUE(Parse({"--window", "--fullscreen"}).fullScreen && !Parse({"--window", "--fullscreen"}).windowed);
    EXPECT_TRUE(Parse({"--fullscreen", "/w"}).windowed && !Parse({"--fullscreen", "/w"}).fullScreen);
}

TEST(CommandLineTest, StageOutsideOneToThreeLeavesTheGameAsItIs) {
    for (const char* bad : {"0", "4", "-1", "12", "", "x", "2x"}) {
        EXPECT_EQ(Parse({"--stage", bad}).startStage, 1) << bad;
    }
    EXPECT_EQ(Parse({"--stage"}).startStage, 1);
    const CommandLine missing = Parse({"--stage", "--window"});
    EXPECT_EQ(missing.startStage, 1);
    EXPECT_TRUE(missing.windowed) << "an option after a missing stage number is still read";
}

}  // namespace

namespace {

TEST(CommandLineTest, RecordReplayAndFast) {
    const CommandLine none = Parse({"--window"});
    EXPECT_TRUE(none.recordPath.empty());
    EXPECT_TRUE(none.replayPath.empty());
    EXPECT_FALSE(none.fast);

    const CommandLine record = Parse({"--record", "run.kvj", "--stage", "2"});
    EXPECT_EQ("run.kvj", record.recordPath);
    EXPECT_EQ(2, record.startStage);
    EXPECT_EQ("a/b.kvj", Parse({"--record=a/b.kvj"}).recordPath);

    const CommandLine replay = Parse({"--replay", "--x.kvj", "--fast"});
    EXPECT_EQ("--x.kvj", replay.replayPath);  // the file name is taken as it stands
    EXPECT_TRUE(replay.fast);
    EXPECT_EQ("y.kvj", Parse({"--fast", "--replay=y.kvj"}).replayPath);
    // No file name after the option: nothing to record.
    EXPECT_TRUE(Parse({"--record"}).recordPath.empty());
}

}  // namespace
