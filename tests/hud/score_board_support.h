#pragma once
// A score board in a folder of its own (its destructor may write score.txt), with a manual clock,
// the registry reset and message boxes caught.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "hud/score_board.h"
#include "platform/core/clock.h"
#include "support/temp_dir.h"

class ScoreBoardTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The files in the working folder, sorted.
    std::vector<std::string> FolderEntries() const;
    // True once the load-failure convention has posted the quit.
    bool QuitPosted();

    platform::ManualClock clock_{50000};
    platform::ScopedClock scopedClock_{clock_};
    TempWorkDir dir_;
    // Message boxes as (text, caption).
    std::vector<std::pair<std::string, std::string>> messages_;
};

// The digits that pieces of one picture draw on the row at y, left to right, read back through the
// digit rectangles; a rectangle that is no digit reads as '?'.
std::string DigitsOnRow(const std::vector<ScoreBoard::Piece>& pieces, ScoreBoard::Picture picture, float y);
// Their x positions, in the same order.
std::vector<float> XsOnRow(const std::vector<ScoreBoard::Piece>& pieces, ScoreBoard::Picture picture, float y);
std::optional<ScoreBoard::Piece> FindBanner(const std::vector<ScoreBoard::Piece>& pieces);
