#pragma once
// Foreground acquisition: a device bound to the game's window gives its state only while that window
// has the focus. Leaving the foreground drops the acquisition; the device must be acquired again, which
// succeeds once the window is back in front.

#include "platform/core/window.h"
#include "platform/input/input_result.h"

namespace platform {

// True while input reaches the window (its focus, unless a test has decided otherwise).
bool InputHasForeground(WindowHandle window);

class ForegroundAcquisition {
public:
    explicit ForegroundAcquisition(WindowHandle window) : window_(window) {}

    InputResult Acquire(bool attached);
    void Unacquire() { acquired_ = false; }
    // kOk when the state may be read now; drops the acquisition when the foreground or the device was lost.
    InputResult Check(bool attached);
    bool Acquired() const { return acquired_; }

private:
    WindowHandle window_;
    bool acquired_ = false;
};

}  // namespace platform
