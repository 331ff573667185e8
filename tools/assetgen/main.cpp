// korvex-assets: writes the game's data folder (pictures, meshes, songs, sounds and text files).
//
//   korvex-assets --out DIR [--preview DIR] [--install-files DIR] [--only NAME]
//
// --install-files: where the files an installation adds beside the data go (the menu icon at every
// size, the key configuration and high score a new player starts from); none are written without it.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "asset_writer.h"

int main(int argc, char** argv) {
    std::string out = "data";
    std::string preview = "data-preview";
    std::string install;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--out") && i + 1 < argc) {
            out = argv[++i];
        } else if (!std::strcmp(argv[i], "--preview") && i + 1 < argc) {
            preview = argv[++i];
        } else if (!std::strcmp(argv[i], "--install-files") && i + 1 < argc) {
            install = argv[++i];
        } else if (!std::strcmp(argv[i], "--only") && i + 1 < argc) {
            only = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s --out DIR [--preview DIR] [--install-files DIR] [--only NAME]\n", argv[0]);
            return 2;
        }
    }
    auto generators = assetgen::Generators();
    std::stable_sort(generators.begin(), generators.end(),
                     [](const auto& a, const auto& b) { return a.order < b.order; });
    assetgen::AssetWriter writer(out, preview, install);
    try {
        for (const auto& g : generators) {
            if (!only.empty() && only != g.name) continue;
            auto t0 = std::chrono::steady_clock::now();
            g.fn(writer);
            auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0);
            std::printf("korvex-assets: %-12s %6lld ms\n", g.name, static_cast<long long>(ms.count()));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvex-assets: %s\n", e.what());
        return 1;
    }
    std::printf("korvex-assets: %d files written, %d unchanged\n", writer.FilesWritten(), writer.FilesUnchanged());
    return 0;
}
