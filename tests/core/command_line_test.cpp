#include "core/command_line.h"

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

// Each ends the program with one line before a window opens: a typing mistake never starts a full-screen game.
TEST(CommandLineTest, MistakesAreToldNotIgnored) {
    for (auto args : std::initializer_list<std::initializer_list<const char*>>{
             {"--stage", "0"}, {"--stage", "2x"}, {"--stage=4"}, {"--stage"}, {"--stage", "--window"}, {"--record"},
             {"--replay", "/w"}, {"--replay="}, {"--fast"}, {"--record", "a", "--fast"}, {"-x"}, {"a.kvj"},
             {"--frame-hashes", "h.txt"}, {"--replay", "a", "--frame-hashes"}}) {
        EXPECT_EQ(Parse(args).action, CommandLine::Action::kMistake) << *args.begin() << " " << args.size();
    }
    EXPECT_EQ(Parse({"--window", "--help", "--bogus"}).action, CommandLine::Action::kHelp);
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

    const CommandLine replay = Parse({"--replay=--x.kvj", "--fast"});
    EXPECT_EQ("--x.kvj", replay.replayPath);  // after '=' the file name is taken as it stands
    EXPECT_TRUE(replay.fast);
    EXPECT_EQ("y.kvj", Parse({"--fast", "--replay=y.kvj"}).replayPath);
    EXPECT_EQ(CommandLine::Action::kPlay, Parse({"--fast", "--replay", "/tmp/y.kvj"}).action);
    EXPECT_EQ("h.txt", Parse({"--replay", "y.kvj", "--frame-hashes", "h.txt"}).frameHashPath);
}

}  // namespace
