#include "score_board_support.h"

#include <algorithm>
#include <filesystem>

#include "core/registry.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"

void ScoreBoardTest::SetUp() {
    ResetRegistry();
    platform::SetMessageBoxHook(
        [this](const std::string& text, const std::string& caption) { messages_.emplace_back(text, caption); });
}

void ScoreBoardTest::TearDown() {
    platform::SetMessageBoxHook({});
    QuitPosted();
    ResetRegistry();
}

std::vector<std::string> ScoreBoardTest::FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool ScoreBoardTest::QuitPosted() {
    int code = -1;
    return platform::PumpMessages(&code);
}

namespace {

bool SameRect(const platform::Rect& a, const platform::Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

char DigitOf(const ScoreBoard::Piece& piece) {
    const platform::Rect* table =
        piece.picture == ScoreBoard::Picture::kSmallDigits ? ScoreBoard::kSmallDigits : ScoreBoard::kLargeDigits;
    for (int d = 0; d < 10; ++d) {
        if (SameRect(piece.source, table[d])) return static_cast<char>('0' + d);
    }
    return '?';
}

std::vector<const ScoreBoard::Piece*> Row(const std::vector<ScoreBoard::Piece>& pieces, ScoreBoard::Picture picture,
                                          float y) {
    std::vector<const ScoreBoard::Piece*> row;
    for (const auto& p : pieces) {
        if (p.picture == picture && p.y == y) row.push_back(&p);
    }
    std::stable_sort(row.begin(), row.end(), [](const auto* a, const auto* b) { return a->x < b->x; });
    return row;
}

}  // namespace

std::string DigitsOnRow(const std::vector<ScoreBoard::Piece>& pieces, ScoreBoard::Picture picture, float y) {
    std::string digits;
    for (const auto* p : Row(pieces, picture, y)) digits += DigitOf(*p);
    return digits;
}

std::vector<float> XsOnRow(const std::vector<ScoreBoard::Piece>& pieces, ScoreBoard::Picture picture, float y) {
    std::vector<float> xs;
    for (const auto* p : Row(pieces, picture, y)) xs.push_back(p->x);
    return xs;
}

std::optional<ScoreBoard::Piece> FindBanner(const std::vector<ScoreBoard::Piece>& pieces) {
    for (const auto& p : pieces) {
        if (p.picture == ScoreBoard::Picture::kBanner) return p;
    }
    return std::nullopt;
}
