#pragma once
// A joystick or game pad as a digital pad, its three buttons named by "KeyConfig.txt".

#include <cstdint>

#include "app/input_state.h"
#include "platform/core/window.h"

class Joystick {
public:
    // Reads "KeyConfig.txt"; when it cannot be opened, shows the message and posts the quit.
    Joystick();
    ~Joystick();
    Joystick(const Joystick&) = delete;
    Joystick& operator=(const Joystick&) = delete;

    // 1 when a joystick is attached and ready, 0 otherwise (the keyboard is used then).
    int Init(platform::WindowHandle window);
    void Poll(InputState* state);

private:
    platform::WindowHandle window_ = nullptr;
    std::int32_t repeatCounter_ = 0;
    std::int32_t buttons_[3] = {-1, -1, -1};  // -1: unmapped, never reports
    bool ready_ = false;
};
