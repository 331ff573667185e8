// Linked into every test program: tests run headless wherever they are started from, and the
// sanitizers get the options the tests need without anyone having to remember them.

#include <cstdlib>

namespace {

struct HeadlessByDefault {
    HeadlessByDefault() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
} const headlessByDefault;

}  // namespace

extern "C" {

// Programs that open the video or audio system load drivers that are unloaded again before exit;
// what they leave behind lies in modules the leak checker can no longer name, so it cannot be told
// to ignore it. Leak checking is off for those programs only; every other check stays on.
const char* __asan_default_options() {
#ifdef KORVEX_TEST_USES_DRIVERS
    return "detect_leaks=0";
#else
    return "";
#endif
}

// System libraries that keep allocations for the life of the process.
const char* __lsan_default_suppressions() {
    return "leak:libGL\nleak:libEGL\nleak:libgallium\nleak:libLLVM\nleak:libSDL2\nleak:libX11\n"
           "leak:libxcb\nleak:libdbus\nleak:libglib\nleak:libfluidsynth\nleak:libasound\nleak:libpulse\n"
           "leak:libdrm\nleak:libassimp\nleak:libfontconfig\n";
}
}
