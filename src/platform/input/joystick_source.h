#pragma once
// Where an open joystick's state comes from: a device of the system, or the tests' synthetic one.

#include <memory>

#include "platform/input/joystick_state.h"

namespace platform {

class JoystickSource {
public:
    virtual ~JoystickSource() = default;
    virtual bool Attached() const = 0;
    // Once the device has gone away: looks for it (or another that can fly the ship) again, as an
    // acquire of a lost device does. True when a device is attached afterwards.
    virtual bool Reacquire() { return Attached(); }
    // Takes the newest state from the system.
    virtual void Update() = 0;
    virtual JoystickState Read() const = 0;
};

// Null when the synthetic joystick is not attached.
std::unique_ptr<JoystickSource> OpenSyntheticJoystick();
// The first game controller or joystick of the system that opens, in the system's order; null when none.
std::unique_ptr<JoystickSource> OpenFirstSystemJoystick();

}  // namespace platform
