#include "hud/high_score_file.h"

#include <limits>

#include "platform/core/game_path.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

std::int32_t ParseHighScore(std::string_view text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kMax) value = kMax + 1;  // stays above the range however many digits follow
    }
    if (negative) return 0;
    return static_cast<std::int32_t>(value > kMax ? kMax : value);
}

std::string FormatHighScore(std::int32_t score) { return std::to_string(score); }

platform::ReplacementLock LockHighScoreFile() {
    return platform::ReplacementLock(platform::ResolveGamePath(kHighScoreFile));
}

bool ReadHighScoreFile(std::int32_t* score) {
    std::string text;
    if (!platform::ReadWholeFile(platform::ResolveGamePath(kHighScoreFile), &text)) return false;
    if (score) *score = ParseHighScore(text);
    return true;
}

bool WriteHighScoreFile(std::int32_t score) {
    return platform::ReplaceFileAtomically(platform::ResolveGamePath(kHighScoreFile), FormatHighScore(score));
}

void RemoveHighScoreLeftovers() {
    const platform::ReplacementLock lock = LockHighScoreFile();
    platform::RemoveLeftoverTemporaries(platform::ResolveGamePath(kHighScoreFile));
}
