#pragma once
// The per-frame button snapshot. Each field holds its control's code while the control is reported
// and 0 otherwise; the codes differ so a field can be compared with its code.

#include <cstdint>

struct InputState {
    std::int32_t up = 0;       // 1
    std::int32_t down = 0;     // 2
    std::int32_t right = 0;    // 3
    std::int32_t left = 0;     // 4
    std::int32_t button1 = 0;  // 5: fire, and confirm on the screens
    std::int32_t button2 = 0;  // 6: dash
    std::int32_t button3 = 0;  // 7: bomb

    bool operator==(const InputState&) const = default;
};

inline constexpr std::int32_t kInputUp = 1;
inline constexpr std::int32_t kInputDown = 2;
inline constexpr std::int32_t kInputRight = 3;
inline constexpr std::int32_t kInputLeft = 4;
inline constexpr std::int32_t kInputButton1 = 5;
inline constexpr std::int32_t kInputButton2 = 6;
inline constexpr std::int32_t kInputButton3 = 7;
