#pragma once
// Where the General MIDI sound font is found: $KORVEX_SOUNDFONT, then the files Debian's sound-font
// packages install.

#include <string>
#include <vector>

namespace platform {

// The places looked at, in order.
std::vector<std::string> SoundFontCandidates();
// The first candidate that is a readable SoundFont 2 file; empty when there is none.
std::string FindSoundFont(const std::vector<std::string>& candidates);
std::string FindSoundFont();

}  // namespace platform
