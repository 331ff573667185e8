#pragma once
// The program-wide state of the keyboard's keys, by DirectInput code. It follows the system's key
// events from the moment a keyboard device exists until the last one is released.

#include <cstdint>

namespace platform {

// Counted: the first call starts following the key events, taking the keys already down.
void StartFollowingKeys();
void StopFollowingKeys();

// Copies the 256 key bytes (0x80 for a key that is down, 0 otherwise).
void CopyKeyState(std::uint8_t* keys);

}  // namespace platform
