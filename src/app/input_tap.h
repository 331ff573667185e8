#pragma once
// Between the input devices and the input gate: once a frame, before the gate, a recorder sees the
// devices' raw snapshot and a replay puts its own in their place. The gate, the cut-in lock and the
// button rules then run on it as on a device's.

#include <cstdint>

#include "platform/input/dik_codes.h"
#include "platform/input/joystick_state.h"

struct RawInput {
    std::uint8_t keys[platform::kKeyStateSize] = {};
    // True when the joystick gave its state this frame.
    bool padRead = false;
    platform::JoystickState pad;
};

class InputTap {
public:
    virtual ~InputTap() = default;
    // True when the devices are read every frame (a recorder); false when the tap supplies the snapshot.
    virtual bool ReadsDevices() const = 0;
    // The device kind decides which half of raw is in use.
    virtual void Frame(std::int32_t deviceKind, RawInput* raw) = 0;
};
