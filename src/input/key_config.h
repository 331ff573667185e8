#pragma once
// "KeyConfig.txt": the joystick button numbers (0..31) of buttons 1, 2 and 3.

#include <array>
#include <cstdint>
#include <string_view>

// A button whose number the file does not give; it never reports.
inline constexpr std::int32_t kButtonUnmapped = -1;

using KeyConfig = std::array<std::int32_t, 3>;

// Reads the text as the format "%d%c%d%c%d%c" reads it: each number is decimal, after any white space
// and with an optional sign, and is followed by exactly one character of any kind. Where the format
// stops yielding, that number and the ones after it stay unmapped. A number too large for 32 bits
// saturates, which keeps it out of range rather than wrapping onto a real button.
KeyConfig ParseKeyConfig(std::string_view text);
