#pragma once
// How a pad's raw controls become the two axes the game reads.

#include <cstdint>

#include "platform/input/joystick_state.h"

namespace platform {

// A raw axis (-32768..32767) onto -1000..+1000, rounded to the nearest step, so that both ends of the
// raw range (a digital pad, a stick pushed fully) land exactly on -1000 and +1000 and the centre on 0.
std::int32_t ScaleAxis(int raw);

// A directional pad steers like the stick pushed fully: a pressed direction sets its axis to the end
// value, over whatever the stick says. Opposite directions pressed together leave the axis alone.
void ApplyDirectionalPad(bool up, bool down, bool left, bool right, JoystickState* state);

}  // namespace platform
