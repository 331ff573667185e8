// The random-play soak from the command line: korvex_soak SECONDS SEED [--stage N] [--progress S]
// Prints a summary; exits 1 on the first failed check (printed with where it happened), 2 on bad arguments.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "soak/soak_run.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SECONDS SEED [--stage N] [--progress SECONDS]\n", argv[0]);
        return 2;
    }
    SoakOptions options;
    options.seconds = std::atof(argv[1]);
    options.seed = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--stage") {
            options.stage = std::atoi(argv[i + 1]);
        } else if (flag == "--progress") {
            options.progressSeconds = static_cast<std::uint32_t>(std::atoi(argv[i + 1]));
        } else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }
    if (options.seconds <= 0.0 || options.stage < 0 || options.stage > 3) {
        std::fprintf(stderr, "bad arguments\n");
        return 2;
    }
    const SoakSummary summary = RunSoak(options);
    std::printf("soak seed %u: %s\n", options.seed, FormatSummary(summary).c_str());
    if (!summary.failure.empty()) {
        std::printf("FAILED: %s\n", summary.failure.c_str());
        return 1;
    }
    return 0;
}
