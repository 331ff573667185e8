// "score.txt": the record as one decimal number.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "fuzz_check.h"
#include "hud/high_score_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::int32_t score = ParseHighScore(text);
    FUZZ_REQUIRE(score >= 0);
    // Written back and read again, the score stays itself.
    FUZZ_REQUIRE(ParseHighScore(FormatHighScore(score)) == score);

    // Against the C library, which stops at a NUL where the reader does not: a saturating strtoll, clamped
    // to the scores there are.
    if (text.find('\0') != std::string::npos) return 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    FUZZ_REQUIRE(score == std::clamp<long long>(value, 0, std::numeric_limits<std::int32_t>::max()));
    return 0;
}
