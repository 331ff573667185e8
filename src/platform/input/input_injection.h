#pragma once
// For tests: drive the keyboard and joystick state without a real device, so that polling is
// deterministic. Nothing here is used by the game itself.

#include <optional>
#include <string>

#include "platform/input/joystick_state.h"

namespace platform {

// Sets or clears a key in the keyboard state directly, by its DirectInput code (no event involved).
// The state is followed while a keyboard device exists; a new first device starts from the system's.
void InjectKey(int dik, bool down);
void ReleaseAllKeys();

// Queues a key event for a DirectInput code as the system would deliver it. False when the code has
// no key position or the event system is not running.
bool PushKeyEvent(int dik, bool down);

// Decides whether the game's window counts as being in the foreground; an empty value follows its
// real focus again.
void OverrideInputForeground(std::optional<bool> focused);

// A synthetic joystick that the start-up search finds before any real one. Detaching it makes the
// open device report its input as lost, as an unplugged pad does; attaching it again brings it back.
void AttachSyntheticJoystick();
void DetachSyntheticJoystick();
void SetSyntheticJoystickState(const JoystickState& state);

// With false, the start-up search ignores the system's joysticks and finds only the synthetic one,
// so a pad plugged into the test machine does not change the outcome.
void SetSystemJoysticksVisible(bool visible);

}  // namespace platform
