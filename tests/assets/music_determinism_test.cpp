// The generators make the same bytes every time: run twice into two folders, every song and sound
// matches byte for byte, and matches what the build wrote.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assetgen/asset_writer.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<char> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RunAudioGenerators(const fs::path& out) {
    assetgen::AssetWriter writer(out / "data", out / "preview");
    int ran = 0;
    for (const assetgen::Generator& g : assetgen::Generators()) {
        if (std::string(g.name) == "music" || std::string(g.name) == "sounds") {
            g.fn(writer);
            ++ran;
        }
    }
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(writer.FilesWritten(), 27);
}

TEST(MusicDeterminism, TwoRunsWriteTheSameBytesAsTheBuild) {
    TempWorkDir dir;
    RunAudioGenerators(dir.Path() / "a");
    RunAudioGenerators(dir.Path() / "b");
    int compared = 0;
    for (const char* folder : {"m", "w"}) {
        for (const auto& entry : fs::directory_iterator(dir.Path() / "a" / "data" / folder)) {
            fs::path relative = fs::path(folder) / entry.path().filename();
            std::vector<char> a = ReadBytes(entry.path());
            EXPECT_EQ(a, ReadBytes(dir.Path() / "b" / "data" / relative)) << relative;
            EXPECT_EQ(a, ReadBytes(fs::path(KORVEX_DATA_DIR) / relative)) << relative;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 27);
}

}  // namespace
