// The picture generator makes the same bytes every time: a run in the test matches what the build's
// own run wrote byte for byte, and running it again over its own output changes nothing.
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

// Runs the registered "pictures" generator into `out`; returns how many files it wrote.
int RunPictureGenerator(const fs::path& out) {
    assetgen::AssetWriter writer(out / "data", out / "preview");
    int ran = 0;
    for (const assetgen::Generator& g : assetgen::Generators()) {
        if (std::string(g.name) == "pictures") {
            g.fn(writer);
            ++ran;
        }
    }
    EXPECT_EQ(ran, 1);
    return writer.FilesWritten();
}

TEST(PictureDeterminism, ARunWritesTheSameBytesAsTheBuildAndARerunWritesNothing) {
    TempWorkDir dir;
    EXPECT_GT(RunPictureGenerator(dir.Path()), 93);  // the pictures and their previews
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path() / "data" / "t")) {
        const fs::path relative = fs::path("t") / entry.path().filename();
        EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(fs::path(KORVEX_DATA_DIR) / relative)) << relative;
        ++compared;
    }
    EXPECT_EQ(compared, 93);
    // The writer skips files whose bytes are unchanged, so a second run that writes nothing made
    // every picture and preview byte for byte the same again.
    EXPECT_EQ(RunPictureGenerator(dir.Path()), 0);
}

}  // namespace
