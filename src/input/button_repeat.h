#pragma once
// Button 1 (fire, and confirm on the screens) repeats slowly while held: it is reported only when the
// counter is 0, which then restarts it at 5, and every poll ends by counting down. Held, it is
// reported on the first polled frame and then on every fifth.

#include <cstdint>

#include "core/input_state.h"

inline constexpr std::int32_t kButton1RepeatFrames = 5;

inline void ReportButton1(bool held, std::int32_t* counter, InputState* state) {
    if (held && *counter == 0) {
        state->button1 = kInputButton1;
        *counter = kButton1RepeatFrames;
    }
}

// The held controls but button 1 into the snapshot; fields of released controls are left as they are.
inline void CopyHeldButButton1(const InputState& held, InputState* state) {
    for (std::int32_t InputState::*field :
         {&InputState::up, &InputState::down, &InputState::right, &InputState::left, &InputState::button2,
          &InputState::button3}) {
        if (held.*field != 0) state->*field = held.*field;
    }
}

inline void CountDownButton1(std::int32_t* counter) {
    if (*counter > 0) --*counter;
}
