#pragma once
// The system keyboard as an immediate-mode device: 256 key bytes by DirectInput code, shared with
// other programs (non-exclusive) and given only while the game's window is in the foreground.

#include <cstdint>

#include "platform/core/window.h"
#include "platform/input/dik_codes.h"
#include "platform/input/foreground_acquisition.h"
#include "platform/input/input_result.h"

namespace platform {

class KeyboardDevice {
public:
    explicit KeyboardDevice(WindowHandle window);
    ~KeyboardDevice();
    KeyboardDevice(const KeyboardDevice&) = delete;
    KeyboardDevice& operator=(const KeyboardDevice&) = delete;

    InputResult Acquire() { return acquisition_.Acquire(true); }
    void Unacquire() { acquisition_.Unacquire(); }
    // Fills keys[0..255] when it answers kOk; leaves them untouched otherwise.
    InputResult GetState(std::uint8_t (&keys)[kKeyStateSize]);

private:
    ForegroundAcquisition acquisition_;
};

}  // namespace platform
