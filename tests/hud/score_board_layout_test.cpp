// What the board draws, read back from the pieces it hands to the sprite: which digits, where.

#include <gtest/gtest.h>

#include "core/registry.h"
#include "score_board_support.h"

using Picture = ScoreBoard::Picture;

namespace {

PlayerState WithLife(std::int32_t life) {
    PlayerState s = PlayerState::NewGame();
    s.life = life;
    return s;
}

}  // namespace

TEST_F(ScoreBoardTest, BannerShowsWhenTheScoreReachesTheRecordAndTheRecordFollowsTheScore) {
    dir_.WriteFile("score.txt", "12345");
    ScoreBoard board;
    ASSERT_TRUE(board.ReadHighScore());

    SetScore(12344);
    EXPECT_FALSE(FindBanner(board.Pieces(clock_.Ticks())));
    SetScore(12345);
    EXPECT_TRUE(FindBanner(board.Pieces(clock_.Ticks()))) << "equality counts as a new record";

    // Stepped without a device: the record rises with the score, shown from the next frame on.
    SetScore(20000);
    board.Step(clock_.Ticks());
    EXPECT_EQ(board.HighScore(), 20000);
    EXPECT_EQ(DigitsOnRow(board.Pieces(clock_.Ticks()), Picture::kLargeDigits, 50.0f), "20000");
    SetScore(0);
    board.Step(clock_.Ticks());
    EXPECT_EQ(board.HighScore(), 20000) << "the record never follows the score down";
}

TEST_F(ScoreBoardTest, BannerFadesInOverTwoSecondsAgainAndAgain) {
    dir_.WriteFile("score.txt", "0");
    ScoreBoard board;  // the banner's loop starts here
    ASSERT_TRUE(board.ReadHighScore());
    auto alphaAfter = [&](std::uint32_t ms) {
        const auto banner = FindBanner(board.Pieces(clock_.Ticks() + ms));
        return banner ? static_cast<int>(banner->colour >> 24) : -1;
    };
    EXPECT_EQ(alphaAfter(1), 0);
    EXPECT_EQ(alphaAfter(1000), 128);
    EXPECT_GT(alphaAfter(1990), 250);
    EXPECT_EQ(alphaAfter(2000), 0);
    EXPECT_EQ(alphaAfter(7000), 128);
    EXPECT_EQ(FindBanner(board.Pieces(clock_.Ticks()))->colour & 0xFFFFFFu, 0xFFFFFFu) << "white";
}

TEST_F(ScoreBoardTest, LifeInPercentAndFrameRateInSmallDigits) {
    ScoreBoard board;
    board.Update(30, WithLife(223));
    auto pieces = board.Pieces(clock_.Ticks());
    EXPECT_EQ(DigitsOnRow(pieces, Picture::kSmallDigits, 549.0f), "10030");
    EXPECT_EQ(XsOnRow(pieces, Picture::kSmallDigits, 549.0f), (std::vector<float>{245, 255, 265, 530, 540}));

    // 111 of 223 is 49 percent, drawn from 250; its third place is the end of the text and stays empty.
    // A frame rate of three digits shows its first two.
    board.Update(123, WithLife(111));
    pieces = board.Pieces(clock_.Ticks());
    EXPECT_EQ(DigitsOnRow(pieces, Picture::kSmallDigits, 549.0f), "4912");
    EXPECT_EQ(XsOnRow(pieces, Picture::kSmallDigits, 549.0f), (std::vector<float>{250, 260, 530, 540}));

    board.Update(0, WithLife(0));
    pieces = board.Pieces(clock_.Ticks());
    EXPECT_EQ(DigitsOnRow(pieces, Picture::kSmallDigits, 549.0f), "00");
    EXPECT_EQ(XsOnRow(pieces, Picture::kSmallDigits, 549.0f), (std::vector<float>{250, 530}));
}

TEST_F(ScoreBoardTest, LargeDigitsStepThirtyPixelsWithTheTwoMovedLeft) {
    ScoreBoard board;
    SetScore(2);
    const float two = XsOnRow(board.Pieces(clock_.Ticks()), Picture::kLargeDigits, 150.0f).at(0);
    SetScore(3);
    const float three = XsOnRow(board.Pieces(clock_.Ticks()), Picture::kLargeDigits, 150.0f).at(0);
    EXPECT_EQ(three - two, 7.0f);
    EXPECT_EQ(three, 40.0f);

    // Only the first nine digits fit.
    SetScore(1234567890);
    const auto pieces = board.Pieces(clock_.Ticks());
    EXPECT_EQ(DigitsOnRow(pieces, Picture::kLargeDigits, 150.0f), "123456789");
    EXPECT_EQ(XsOnRow(pieces, Picture::kLargeDigits, 150.0f),
              (std::vector<float>{40, 63, 100, 130, 160, 190, 220, 250, 280}));
    // The high score (0 before any file was read) sits on its own row.
    EXPECT_EQ(DigitsOnRow(pieces, Picture::kLargeDigits, 50.0f), "0");
}
