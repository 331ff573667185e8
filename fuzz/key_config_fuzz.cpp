// "KeyConfig.txt": three button numbers, read as the C library reads "%d%c%d%c%d%c".

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "input/key_config.h"

namespace {

// True when no run of digits is long enough to overflow 32 bits, where the C library's "%d" is undefined.
bool NumbersFit(std::string_view text) {
    std::size_t run = 0;
    for (const char c : text) {
        run = (c >= '0' && c <= '9') ? run + 1 : 0;
        if (run > 9) return false;
    }
    return true;
}

// The same reading with strtoll, which saturates; clamped to 32 bits as the reader promises.
KeyConfig Saturating(const std::string& text) {
    KeyConfig config = {kButtonUnmapped, kButtonUnmapped, kButtonUnmapped};
    const char* p = text.c_str();
    for (std::int32_t& button : config) {
        char* end = nullptr;
        const long long value = std::strtoll(p, &end, 10);
        if (end == p) break;
        button = static_cast<std::int32_t>(std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(),
                                                                 std::numeric_limits<std::int32_t>::max()));
        if (*end == '\0') break;
        p = end + 1;
    }
    return config;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const KeyConfig config = ParseKeyConfig(text);
    // The C library stops at a NUL, where the reader goes on through the whole file.
    if (text.find('\0') != std::string::npos) return 0;

    FUZZ_REQUIRE(config == Saturating(text));
    if (NumbersFit(text)) {
        KeyConfig expected = {kButtonUnmapped, kButtonUnmapped, kButtonUnmapped};
        char separators[3];
        std::sscanf(text.c_str(), "%d%c%d%c%d%c", &expected[0], &separators[0], &expected[1], &separators[1],
                    &expected[2], &separators[2]);
        FUZZ_REQUIRE(config == expected);
    }
    return 0;
}
