#pragma once
// What one frame hands down to everything that runs in it: the tick the main loop read once at the
// frame's start, the measured frame rate and the input snapshot. Nothing below the loop reads a clock of
// its own, so every object in a frame sees the same instant, and a replay that supplies the recorded
// tick reproduces the frame exactly.

#include <cstdint>

#include "core/input_state.h"

struct Frame {
    std::uint32_t now = 0;
    // Frames counted in the last whole second; 0 during the first.
    std::int32_t fps = 0;
    InputState input{};
};
