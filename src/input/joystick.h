#pragma once
// A joystick or game pad as a digital pad, its three buttons named by "KeyConfig.txt".

#include <cstdint>
#include <memory>

#include "core/input_state.h"
#include "input/key_config.h"
#include "platform/core/window.h"
#include "platform/input/joystick_device.h"

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
    // Poll in its two halves, for a recorder or a replay between them: the device's state (true when it
    // gave one), then that state into the snapshot by the button numbers.
    bool Read(platform::JoystickState* js);
    void Apply(bool read, const platform::JoystickState& js, InputState* state);
    // The controls that state holds, button 1 without its repeat rule (see Keyboard::Held).
    InputState Held(bool read, const platform::JoystickState& js) const;

    // The button numbers of buttons 1, 2 and 3, as read from the file or as a replay sets them.
    const KeyConfig& ButtonNumbers() const { return buttons_; }
    void SetButtonNumbers(const KeyConfig& numbers) { buttons_ = numbers; }

private:
    bool ButtonHeld(const platform::JoystickState& js, int which) const;

    platform::WindowHandle window_ = nullptr;
    std::int32_t repeatCounter_ = 0;
    KeyConfig buttons_ = {kButtonUnmapped, kButtonUnmapped, kButtonUnmapped};
    std::unique_ptr<platform::JoystickDevice> device_;
};
