#pragma once
// What an input device answers, in the terms the game's device code tests for.

namespace platform {

enum class InputResult {
    kOk,
    kNotAcquired,          // the device was never acquired, or its acquisition was lost earlier
    kInputLost,            // the acquisition was lost just now: the window left the foreground or the device went away
    kOtherAppHasPriority,  // an acquire while the window is in the background
    kUnplugged,            // an acquire of a device that is no longer attached
};

}  // namespace platform
