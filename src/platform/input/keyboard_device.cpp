#include "platform/input/keyboard_device.h"

#include "platform/input/key_state.h"

namespace platform {

KeyboardDevice::KeyboardDevice(WindowHandle window) : acquisition_(window) { StartFollowingKeys(); }

KeyboardDevice::~KeyboardDevice() { StopFollowingKeys(); }

InputResult KeyboardDevice::GetState(std::uint8_t (&keys)[kKeyStateSize]) {
    const InputResult r = acquisition_.Check(true);
    if (r == InputResult::kOk) CopyKeyState(keys);
    return r;
}

}  // namespace platform
