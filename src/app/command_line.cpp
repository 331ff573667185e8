#include "app/command_line.h"

#include <cstring>

namespace {

// "1", "2" or "3" exactly; anything else leaves the game as it is.
std::int32_t StageNumber(const char* text) {
    if (text && text[0] >= '1' && text[0] <= '3' && text[1] == '\0') return text[0] - '0';
    return 0;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine cl;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "--window") || !std::strcmp(a, "/w") || !std::strcmp(a, "-w")) {
            cl.windowed = true;
            cl.fullScreen = false;
        } else if (!std::strcmp(a, "--fullscreen")) {
            cl.fullScreen = true;
            cl.windowed = false;
        } else if (!std::strcmp(a, "--stage") && i + 1 < argc && argv[i + 1][0] != '-' && argv[i + 1][0] != '/') {
            if (const std::int32_t stage = StageNumber(argv[i + 1])) cl.startStage = stage;
            ++i;
        } else if (!std::strncmp(a, "--stage=", 8)) {
            if (const std::int32_t stage = StageNumber(a + 8)) cl.startStage = stage;
        } else if (!std::strcmp(a, "--record") && i + 1 < argc) {
            cl.recordPath = argv[++i];
        } else if (!std::strncmp(a, "--record=", 9)) {
            cl.recordPath = a + 9;
        } else if (!std::strcmp(a, "--replay") && i + 1 < argc) {
            cl.replayPath = argv[++i];
        } else if (!std::strncmp(a, "--replay=", 9)) {
            cl.replayPath = a + 9;
        } else if (!std::strcmp(a, "--fast")) {
            cl.fast = true;
        }
    }
    return cl;
}
