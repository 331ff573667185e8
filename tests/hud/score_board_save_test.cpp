// The high score is the one thing the game keeps: every way of losing or spoiling it.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "core/registry.h"
#include "hud/high_score_file.h"
#include "platform/core/atomic_file.h"
#include "score_board_support.h"

namespace fs = std::filesystem;

namespace {

const std::pair<std::string, std::string> kSaveFailed{"エラー", "書き込めません"};

// One run: the board reads the file, a game reaches `score`, the board is destroyed at the end.
void PlayRun(std::int32_t score) {
    ScoreBoard board;
    ASSERT_TRUE(board.ReadHighScore());
    SetScore(score);
    board.Step(0);
}

// Runs `beside` on a thread of its own while a save is between its read of score.txt and its rename,
// and lets the save go on once `beside` waits for it (or has ended without waiting). True when it waited.
bool WaitsForASaveUnderWay(ScoreBoard* saving, const std::function<void()>& beside) {
    std::mutex mutex;
    std::condition_variable changed;
    bool waiting = false, ended = false;
    std::atomic<int> renames{0};
    std::thread other;
    platform::SetLockWaitHook([&](const std::string&) {
        std::lock_guard<std::mutex> lock(mutex);
        waiting = true;
        changed.notify_all();
    });
    platform::SetReplaceFileHook([&](const std::string&) {
        if (renames++ > 0) return true;  // the other's own
        other = std::thread([&] {
            beside();
            std::lock_guard<std::mutex> lock(mutex);
            ended = true;
            changed.notify_all();
        });
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return waiting || ended; });
        return true;
    });
    EXPECT_TRUE(saving->SaveHighScore());
    other.join();
    platform::SetReplaceFileHook({});
    platform::SetLockWaitHook({});
    return waiting;
}

}  // namespace

TEST(HighScoreText, ReadsLikeScanfButCheckedAndClamped) {
    EXPECT_EQ(ParseHighScore("12345"), 12345);
    EXPECT_EQ(ParseHighScore(" 777xyz"), 777);
    EXPECT_EQ(ParseHighScore("\n\t +42\r\n"), 42);
    EXPECT_EQ(ParseHighScore("abc"), 0);
    EXPECT_EQ(ParseHighScore(""), 0);
    EXPECT_EQ(ParseHighScore("-500"), 0);
    EXPECT_EQ(ParseHighScore("2147483647"), 2147483647);
    EXPECT_EQ(ParseHighScore("2147483648"), 2147483647);
    EXPECT_EQ(ParseHighScore("99999999999"), 2147483647);
    EXPECT_EQ(ParseHighScore("000000000000000000000000123"), 123);
    EXPECT_EQ(ParseHighScore("-99999999999"), 0);
}

TEST_F(ScoreBoardTest, NewRecordIsWrittenExactlyAndAnyOtherRunLeavesTheFileByteForByte) {
    dir_.WriteFile("score.txt", "10000");
    PlayRun(12000);
    EXPECT_EQ(dir_.ReadFile("score.txt"), "12000");

    // Neither a lower score nor a record read from an oddly written file rewrites it.
    dir_.WriteFile("score.txt", " 12000 best\n");
    PlayRun(9000);
    EXPECT_EQ(dir_.ReadFile("score.txt"), " 12000 best\n");
    PlayRun(12000);
    EXPECT_EQ(dir_.ReadFile("score.txt"), " 12000 best\n");

    dir_.WriteFile("score.txt", "99999999999");
    PlayRun(5);
    EXPECT_EQ(dir_.ReadFile("score.txt"), "99999999999");
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"score.txt"});
}

TEST_F(ScoreBoardTest, FileWithoutANumberCountsAsReadWithARecordOfZero) {
    dir_.WriteFile("score.txt", "abc");
    {
        ScoreBoard board;
        ASSERT_TRUE(board.ReadHighScore());
        EXPECT_TRUE(board.HighScoreRead());
        EXPECT_EQ(board.HighScore(), 0);
        SetScore(100);
        board.Step(0);
    }
    EXPECT_EQ(dir_.ReadFile("score.txt"), "100");
    EXPECT_FALSE(QuitPosted());
}

TEST_F(ScoreBoardTest, UnreadableFileEndsTheProgramAndIsNeverWritten) {
    {
        ScoreBoard board;
        EXPECT_FALSE(board.ReadHighScore());
        EXPECT_FALSE(board.HighScoreRead());
        SetScore(500);
        board.Step(0);
        EXPECT_TRUE(board.SaveHighScore()) << "nothing to keep: the record was never known";
    }
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].first, "score.txtロスト");
    EXPECT_EQ(messages_[0].second, "メッセージ");
    EXPECT_TRUE(QuitPosted());
    EXPECT_TRUE(FolderEntries().empty()) << "no file may appear in place of the lost one";

    // A folder in the file's place is as unreadable, and stays as it is.
    fs::create_directory("score.txt");
    {
        ScoreBoard board;
        EXPECT_FALSE(board.ReadHighScore());
        SetScore(500);
        board.Step(0);
    }
    EXPECT_TRUE(fs::is_directory("score.txt"));
    EXPECT_TRUE(QuitPosted());
}

TEST_F(ScoreBoardTest, ReadOnlyFileStaysAsItIsAndTheFailureIsToldOncePerRecord) {
    dir_.WriteFile("score.txt", "10000");
    ::chmod("score.txt", 0444);
    {
        ScoreBoard board;
        ASSERT_TRUE(board.ReadHighScore());
        SetScore(12000);
        board.Step(0);
        EXPECT_FALSE(board.SaveHighScore());  // a game ended
        EXPECT_FALSE(board.SaveHighScore());  // another one, no better
        EXPECT_EQ(messages_, (std::vector<std::pair<std::string, std::string>>{kSaveFailed}));
        SetScore(13000);
        board.Step(0);
        EXPECT_FALSE(board.SaveHighScore());
        EXPECT_EQ(messages_.size(), 2u);
    }  // and at the end of the run: same record, not told again
    EXPECT_EQ(messages_.size(), 2u);
    EXPECT_EQ(dir_.ReadFile("score.txt"), "10000");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"score.txt"});
}

TEST_F(ScoreBoardTest, FolderPutInTheFilesPlaceDuringTheRunStaysAsItIs) {
    dir_.WriteFile("score.txt", "10000");
    {
        ScoreBoard board;
        ASSERT_TRUE(board.ReadHighScore());
        fs::remove("score.txt");
        fs::create_directory("score.txt");
        SetScore(12000);
        board.Step(0);
    }
    EXPECT_EQ(messages_, (std::vector<std::pair<std::string, std::string>>{kSaveFailed}));
    EXPECT_TRUE(fs::is_directory("score.txt"));
    EXPECT_TRUE(fs::is_empty("score.txt"));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"score.txt"});
}

TEST_F(ScoreBoardTest, SaveInterruptedBeforeTheRenameKeepsTheOldRecordAndALaterSaveSucceeds) {
    dir_.WriteFile("score.txt", "10000");
    ScoreBoard board;
    ASSERT_TRUE(board.ReadHighScore());
    SetScore(12000);
    board.Step(0);

    platform::SetReplaceFileHook([](const std::string&) { return false; });
    EXPECT_FALSE(board.SaveHighScore());
    platform::SetReplaceFileHook({});
    EXPECT_EQ(dir_.ReadFile("score.txt"), "10000");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"score.txt"});
    EXPECT_EQ(messages_, (std::vector<std::pair<std::string, std::string>>{kSaveFailed}));

    EXPECT_TRUE(board.SaveHighScore());
    EXPECT_EQ(dir_.ReadFile("score.txt"), "12000");
}

TEST_F(ScoreBoardTest, RecordSavedWhenAGameEndsIsOnDiskBeforeTheRunEnds) {
    dir_.WriteFile("score.txt", "10000");
    ScoreBoard board;
    ASSERT_TRUE(board.ReadHighScore());
    SetScore(15000);
    board.Step(0);
    EXPECT_TRUE(board.SaveHighScore());  // game over left for the title
    EXPECT_EQ(dir_.ReadFile("score.txt"), "15000");

    // The next game does worse: nothing to write. Were the program killed now, a new start would
    // still find the record.
    SetScore(300);
    board.Step(0);
    EXPECT_TRUE(board.SaveHighScore());
    ScoreBoard nextStart;
    ASSERT_TRUE(nextStart.ReadHighScore());
    EXPECT_EQ(nextStart.HighScore(), 15000);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ScoreBoardTest, AGameBesideAnotherNeverLowersTheRecordAndCutOffSavesAreClearedAtStart) {
    dir_.WriteFile("score.txt", "10000");
    dir_.WriteFile(".score.txt.tmp-a1B2c3", "12");      // a save cut off by a power cut
    dir_.WriteFile(".score.txt.tmp-a1B2c3.txt", "12");  // not of the save's own pattern
    {
        ScoreBoard first;
        ScoreBoard second;  // reads 10000 too, and ends after the first saved its better record
        ASSERT_TRUE(first.ReadHighScore() && second.ReadHighScore());
        EXPECT_EQ(FolderEntries(), (std::vector<std::string>{".score.txt.tmp-a1B2c3.txt", "score.txt"}));
        SetScore(12000);
        second.Step(0);
        SetScore(15000);
        first.Step(0);
        EXPECT_TRUE(first.SaveHighScore());
    }
    EXPECT_EQ(dir_.ReadFile("score.txt"), "15000");
}


// Two games end at once: the better record is saved while the other game is between reading score.txt
// and renaming its lower one over it. The better one waits, reads the lower one and saves over it.
TEST_F(ScoreBoardTest, ASaveBetweenAnothersReadAndRenameWaitsAndTheBetterRecordStays) {
    dir_.WriteFile("score.txt", "10000");
    ScoreBoard lower;
    ScoreBoard better;
    ASSERT_TRUE(lower.ReadHighScore() && better.ReadHighScore());
    SetScore(15000);
    better.Step(0);
    SetScore(12000);
    lower.Step(0);
    EXPECT_TRUE(WaitsForASaveUnderWay(&lower, [&] { EXPECT_TRUE(better.SaveHighScore()); }));
    EXPECT_EQ(dir_.ReadFile("score.txt"), "15000");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"score.txt"}) << "the lock file stays behind";
}

// A game starting while another saves clears the leftovers only after the save: a temporary file under
// way is no leftover.
TEST_F(ScoreBoardTest, ClearingLeftoversAtStartWaitsForASaveUnderWay) {
    dir_.WriteFile("score.txt", "10000");
    ScoreBoard saving;
    ASSERT_TRUE(saving.ReadHighScore());
    SetScore(12000);
    saving.Step(0);
    dir_.WriteFile(".score.txt.tmp-a1B2c3", "12");  // a save cut off by a power cut
    EXPECT_TRUE(WaitsForASaveUnderWay(&saving, [] { EXPECT_TRUE(ScoreBoard().ReadHighScore()); }));
    EXPECT_EQ(dir_.ReadFile("score.txt"), "12000");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"score.txt"});
}
