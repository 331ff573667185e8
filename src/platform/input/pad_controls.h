#pragma once
// Which of the system's joysticks the game may take as its pad. Linux lists as joysticks devices that
// are none (a wireless receiver with no controls of its own, a motion sensor); taken at start-up, such
// a device would turn the keyboard off for the whole run and leave the player only Escape.

namespace platform {

struct PadControls {
    int axes = 0;
    int hats = 0;
    int buttons = 0;
    // A game controller whose layout names a left stick or a directional pad, wherever its driver puts them.
    bool mappedSteering = false;
};

// True when the device can steer (two axes, a hat, or a mapped stick or directional pad) and has the
// three buttons the game reads.
bool CanServeAsPad(const PadControls& controls);

}  // namespace platform
