#pragma once
// What a joystick gives the game: two axes in -1000..+1000 (a pad or stick pushed fully reads exactly
// the end value) and 32 button bytes with the high bit set while a button is held.

#include <array>
#include <cstdint>

namespace platform {

inline constexpr int kJoystickButtonCount = 32;
inline constexpr std::int32_t kJoystickAxisMin = -1000;
inline constexpr std::int32_t kJoystickAxisMax = 1000;
inline constexpr std::uint8_t kButtonDownBit = 0x80;

struct JoystickState {
    std::int32_t x = 0;  // -1000 left .. +1000 right
    std::int32_t y = 0;  // -1000 up .. +1000 down
    std::array<std::uint8_t, kJoystickButtonCount> buttons{};
};

}  // namespace platform
