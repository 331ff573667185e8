#include "input/key_config.h"

#include <cstddef>
#include <limits>

namespace {

bool IsFormatSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One "%d": false when no number can be read at pos.
bool ReadNumber(std::string_view text, std::size_t* pos, std::int32_t* value) {
    std::size_t p = *pos;
    while (p < text.size() && IsFormatSpace(text[p])) ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
    if (p >= text.size() || !IsDigit(text[p])) return false;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; p < text.size() && IsDigit(text[p]); ++p) {
        if (magnitude <= kLimit) magnitude = magnitude * 10 + (text[p] - '0');
    }
    if (magnitude > kLimit) magnitude = kLimit;
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    *value = static_cast<std::int32_t>(signedValue > std::numeric_limits<std::int32_t>::max()
                                           ? std::numeric_limits<std::int32_t>::max()
                                           : signedValue);
    *pos = p;
    return true;
}

}  // namespace

KeyConfig ParseKeyConfig(std::string_view text) {
    KeyConfig config = {kButtonUnmapped, kButtonUnmapped, kButtonUnmapped};
    std::size_t pos = 0;
    for (std::int32_t& button : config) {
        if (!ReadNumber(text, &pos, &button)) break;
        // The separator, any single character; at the end of the text the format stops after this number.
        if (pos >= text.size()) break;
        ++pos;
    }
    return config;
}
