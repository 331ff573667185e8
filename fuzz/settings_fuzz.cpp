// "Settings.txt": one setting a line, a name and its value.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/settings.h"
#include "fuzz_check.h"

namespace {

bool InRange(const Settings& s) {
    const bool volumes = s.musicVolume >= 0 && s.musicVolume <= kSettingsVolumeMax && s.effectsVolume >= 0 &&
                         s.effectsVolume <= kSettingsVolumeMax;
    const bool noWindow = s.windowWidth == 0 && s.windowHeight == 0;
    const bool window = s.windowWidth >= kSettingsWindowMinWidth && s.windowWidth <= kSettingsWindowMax &&
                        s.windowHeight >= kSettingsWindowMinHeight && s.windowHeight <= kSettingsWindowMax;
    return volumes && (noWindow || window);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SettingsReading reading = ParseSettings(text);
    FUZZ_REQUIRE(InRange(reading.settings));
    FUZZ_REQUIRE((reading.badLines == 0) == (reading.firstBadLine == 0));
    FUZZ_REQUIRE(reading.badLines >= 0 && static_cast<std::size_t>(reading.badLines) <= size);

    // Written out, the settings read back as themselves, every line understood.
    const SettingsReading again = ParseSettings(FormatSettings(reading.settings));
    FUZZ_REQUIRE(again.settings == reading.settings && again.badLines == 0);

    // Whatever came before, a good line after it is taken: nothing in a file stops the reading.
    const SettingsReading appended = ParseSettings(text + "\nmusic 3\n");
    FUZZ_REQUIRE(appended.settings.musicVolume == 3);
    FUZZ_REQUIRE(appended.badLines == reading.badLines);
    return 0;
}
