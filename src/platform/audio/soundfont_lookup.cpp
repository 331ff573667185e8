#include "platform/audio/soundfont_lookup.h"

#include <fluidsynth.h>

#include <cstdlib>

#include "platform/audio/fluid_log.h"

namespace platform {

std::vector<std::string> SoundFontCandidates() {
    std::vector<std::string> list;
    if (const char* env = std::getenv("KORVEX_SOUNDFONT"); env && *env) list.emplace_back(env);
    list.emplace_back("/usr/share/sounds/sf2/default-GM.sf2");
    list.emplace_back("/usr/share/sounds/sf2/TimGM6mb.sf2");
    list.emplace_back("/usr/share/sounds/sf2/FluidR3_GM.sf2");
    return list;
}

std::string FindSoundFont(const std::vector<std::string>& candidates) {
    SilenceFluidSynthLog();
    for (const std::string& path : candidates) {
        if (fluid_is_soundfont(path.c_str())) return path;
    }
    return {};
}

std::string FindSoundFont() { return FindSoundFont(SoundFontCandidates()); }

}  // namespace platform
