// The CPU the game spends making its pictures ready for upload, on one thread: every picture the game
// loads at start-up (each once) read from the generated data, decoded, keyed and given its levels,
// exactly as the texture loader does. Prints, per round, the thread CPU of decoding and of the levels
// and the bytes read, then the best round; thread CPU is what tells two encodings of the data apart
// while other programs share the cores.
//
//   build-rel/benchmarks/picture_load_bench [rounds] [data folder, the build's own by default]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/game_path.h"
#include "platform/core/startup_times.h"
#include "platform/gfx/texture_file.h"
#include "scenes/game_loads.h"

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::filesystem::current_path(argc > 2 ? argv[2] : KORVEX_DATA_DIR);
    std::vector<platform::PrefetchItem> pictures;
    for (const platform::PrefetchItem& item : GameLoads()) {
        if (item.kind != platform::PrefetchItem::Kind::kPicture) continue;
        const bool seen = std::any_of(pictures.begin(), pictures.end(), [&](const platform::PrefetchItem& p) {
            return p.gameName == item.gameName && p.colourKey == item.colourKey;
        });
        if (!seen) pictures.push_back(item);
    }
    std::uintmax_t fileBytes = 0;
    for (const platform::PrefetchItem& p : pictures) {
        fileBytes += std::filesystem::file_size(platform::ResolveGamePath(p.gameName));
    }
    std::printf("%zu pictures, %.1f MiB of files\n", pictures.size(), static_cast<double>(fileBytes) / 1048576.0);

    double bestDecode = 1e30, bestLevels = 1e30;
    for (int round = 0; round < rounds; ++round) {
        platform::ResetStartupTimes();
        for (const platform::PrefetchItem& p : pictures) {
            std::vector<platform::Image> levels;
            if (!platform::LoadTextureLevels(p.gameName, p.colourKey, &levels, platform::StartupPhase::kDecodeMain)) {
                std::fprintf(stderr, "%s does not load\n", p.gameName.c_str());
                return 1;
            }
        }
        const double decode = static_cast<double>(platform::StartupCpuTime(platform::StartupPhase::kDecodeMain)) / 1e3;
        const double levels = static_cast<double>(platform::StartupCpuTime(platform::StartupPhase::kMipChain)) / 1e3;
        std::printf("round %d: decode %.1f ms, levels %.1f ms (thread CPU)\n", round + 1, decode, levels);
        bestDecode = std::min(bestDecode, decode);
        bestLevels = std::min(bestLevels, levels);
    }
    std::printf("best: decode %.1f ms, levels %.1f ms\n", bestDecode, bestLevels);
    return 0;
}
