#include "app/command_line.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
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
}

// Each of these ends the program with one line before a window opens, so a typing mistake never
// starts a full-screen game.
TEST(CommandLineTest, MistakesAreToldNotIgnored) {
    const std::pair<std::initializer_list<const char*>, const char*> cases[] = {
        {{"--stage", "4"}, "--stage takes 1, 2 or 3, not 4"},
        {{"--stage=0"}, "--stage takes 1, 2 or 3, not 0"},
        {{"--stage", "2x"}, "--stage takes 1, 2 or 3, not 2x"},
        {{"--stage"}, "--stage needs a number (1, 2 or 3)"},
        {{"--stage", "--window"}, "--stage needs a number (1, 2 or 3)"},
        {{"--window", "--record"}, "--record needs a file name"},
        {{"--record", "--window"}, "--record needs a file name"},
        {{"--replay", "/w"}, "--replay needs a file name"},
        {{"--replay="}, "--replay needs a file name"},
        {{"--fast"}, "--fast goes only with --replay FILE"},
        {{"--record", "a.kvj", "--fast"}, "--fast goes only with --replay FILE"},
        {{"--windowed"}, "unknown option --windowed"},
        {{"/x"}, "unknown option /x"},
        {{"stage1.kvj"}, "unexpected argument stage1.kvj"},
    };
    for (const auto& [args, text] : cases) {
        const CommandLine cl = Parse(args);
        EXPECT_EQ(cl.action, CommandLine::Action::kMistake) << text;
        EXPECT_EQ(cl.mistake, text);
    }
    EXPECT_EQ(AnswerCommandLine(Parse({"--stage", "9"}), "1"), 2);
    EXPECT_EQ(AnswerCommandLine(Parse({"--window"}), "1"), -1);
}

TEST(CommandLineTest, HelpAndVersionAnswerAtOnce) {
    EXPECT_EQ(Parse({"--window", "--help", "--bogus"}).action, CommandLine::Action::kHelp);
    EXPECT_EQ(Parse({"-h"}).action, CommandLine::Action::kHelp);
    EXPECT_EQ(Parse({"--version"}).action, CommandLine::Action::kVersion);
    EXPECT_EQ(Parse({"--bogus", "--help"}).action, CommandLine::Action::kMistake);
}

TEST(CommandLineTest, RelativeJournalPathsAreTakenFromTheCallersFolder) {
    CommandLine cl = Parse({"--record", "runs/a.kvj"});
    ResolveJournalPaths(&cl, "/home/p/src");
    EXPECT_EQ(cl.recordPath, "/home/p/src/runs/a.kvj");
    cl = Parse({"--replay", "/tmp/b.kvj", "--fast"});
    ResolveJournalPaths(&cl, "/home/p/src");
    EXPECT_EQ(cl.replayPath, "/tmp/b.kvj");
    // Started without the scripts (or with a folder that is no absolute path): the working folder's.
    for (const char* caller : {static_cast<const char*>(nullptr), "", "rel"}) {
        cl = Parse({"--replay", "b.kvj"});
        ResolveJournalPaths(&cl, caller);
        EXPECT_EQ(cl.replayPath, "b.kvj");
    }
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
}

}  // namespace
