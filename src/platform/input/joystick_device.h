#pragma once
// One joystick or game pad as an immediate-mode device, held exclusively and read only while the
// game's window is in the foreground.

#include <memory>

#include "platform/core/window.h"
#include "platform/input/foreground_acquisition.h"
#include "platform/input/input_result.h"
#include "platform/input/joystick_state.h"

namespace platform {

class JoystickSource;

class JoystickDevice {
public:
    // The first joystick attached now (the synthetic one of the tests comes first); null when there is none.
    static std::unique_ptr<JoystickDevice> OpenFirst(WindowHandle window);
    ~JoystickDevice();
    JoystickDevice(const JoystickDevice&) = delete;
    JoystickDevice& operator=(const JoystickDevice&) = delete;

    // Never answers kInputLost: a caller may retry for as long as it does.
    InputResult Acquire();
    void Unacquire() { acquisition_.Unacquire(); }
    // Takes the device's newest state; kOk when it may be read.
    InputResult Poll();
    // Fills the state when it answers kOk; leaves it untouched otherwise.
    InputResult GetState(JoystickState* state);

private:
    JoystickDevice(WindowHandle window, std::unique_ptr<JoystickSource> source);

    std::unique_ptr<JoystickSource> source_;
    ForegroundAcquisition acquisition_;
};

}  // namespace platform
