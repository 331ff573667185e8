#pragma once
// Key positions: SDL scan codes to the DirectInput key codes of the same physical key, so that the
// game's keys sit where it expects them whatever the keyboard layout.

namespace platform {

// 0 for a scan code with no DirectInput counterpart.
int DikFromScancode(int scancode);
// The scan code of a DirectInput key code; 0 (unknown) when no key position has that code.
int ScancodeFromDik(int dik);

}  // namespace platform
