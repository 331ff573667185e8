#include "platform/input/axis_mapping.h"

#include <algorithm>

namespace platform {

namespace {
constexpr std::int64_t kRawMin = -32768;
constexpr std::int64_t kRawSpan = 65535;  // 32767 - (-32768)
constexpr std::int64_t kSpan = kJoystickAxisMax - kJoystickAxisMin;
}  // namespace

std::int32_t ScaleAxis(int raw) {
    const std::int64_t clamped = std::clamp<std::int64_t>(raw, kRawMin, kRawMin + kRawSpan);
    const std::int64_t steps = ((clamped - kRawMin) * kSpan + kRawSpan / 2) / kRawSpan;
    return static_cast<std::int32_t>(steps + kJoystickAxisMin);
}

void ApplyDirectionalPad(bool up, bool down, bool left, bool right, JoystickState* state) {
    if (up != down) state->y = up ? kJoystickAxisMin : kJoystickAxisMax;
    if (left != right) state->x = left ? kJoystickAxisMin : kJoystickAxisMax;
}

}  // namespace platform
