#pragma once
// The keyboard as a digital pad: arrows, Z, X and C fill the per-frame snapshot.

#include <cstdint>
#include <memory>

#include "app/input_state.h"
#include "platform/core/window.h"
#include "platform/input/keyboard_device.h"

class Keyboard {
public:
    Keyboard() = default;
    ~Keyboard();
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    void Init(platform::WindowHandle window);
    // Stores the code of every pressed control into its field; fields of released controls are left as they are.
    void Poll(InputState* state);

private:
    platform::WindowHandle window_ = nullptr;
    std::unique_ptr<platform::KeyboardDevice> device_;
    std::int32_t repeatCounter_ = 0;
};
