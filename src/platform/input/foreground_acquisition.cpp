#include "platform/input/foreground_acquisition.h"

#include <atomic>

#include "platform/input/input_injection.h"

namespace platform {

namespace {
// -1: follow the window's focus; 0 or 1: a test's choice.
std::atomic<int> g_foregroundOverride{-1};
}  // namespace

void OverrideInputForeground(std::optional<bool> focused) {
    g_foregroundOverride.store(focused ? (*focused ? 1 : 0) : -1);
}

bool InputHasForeground(WindowHandle window) {
    const int forced = g_foregroundOverride.load();
    if (forced >= 0) return forced == 1;
    return WindowHasFocus(window);
}

InputResult ForegroundAcquisition::Acquire(bool attached) {
    acquired_ = false;
    if (!attached) return InputResult::kUnplugged;
    if (!InputHasForeground(window_)) return InputResult::kOtherAppHasPriority;
    acquired_ = true;
    return InputResult::kOk;
}

InputResult ForegroundAcquisition::Check(bool attached) {
    if (!acquired_) return InputResult::kNotAcquired;
    if (!attached || !InputHasForeground(window_)) {
        acquired_ = false;
        return InputResult::kInputLost;
    }
    return InputResult::kOk;
}

}  // namespace platform
