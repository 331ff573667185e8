#include "app/command_line.h"

#include <cstring>

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine cl;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "--window") || !std::strcmp(a, "/w") || !std::strcmp(a, "-w")) cl.windowed = true;
    }
    return cl;
}
