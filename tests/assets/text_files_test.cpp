// The two text files the player may edit in the build's data folder, which every build regenerates.
#include <gtest/gtest.h>

#include <string>

#include "assetgen/asset_writer.h"
#include "support/temp_dir.h"

namespace {

void RunTextFiles(const TempWorkDir& dir) {
    assetgen::AssetWriter writer(dir.Path() / "data", dir.Path() / "preview", dir.Path() / "install");
    for (const assetgen::Generator& g : assetgen::Generators()) {
        if (std::string(g.name) == "text files") g.fn(writer);
    }
}

TEST(TextFiles, ARebuildKeepsThePlayersOwnAndTheInstallationGetsFreshOnes) {
    TempWorkDir dir;
    RunTextFiles(dir);
    for (const char* file : {"KeyConfig.txt", "score.txt"}) {
        const std::string fresh = dir.ReadFile(std::string("install/") + file);
        EXPECT_FALSE(fresh.empty()) << file;
        EXPECT_EQ(dir.ReadFile(std::string("data/") + file), fresh) << file;
    }
    const std::string freshKeys = dir.ReadFile("install/KeyConfig.txt");
    dir.WriteFile("data/KeyConfig.txt", "5,6,7\n");
    dir.WriteFile("data/score.txt", "123456");
    RunTextFiles(dir);
    EXPECT_EQ(dir.ReadFile("data/KeyConfig.txt"), "5,6,7\n");
    EXPECT_EQ(dir.ReadFile("data/score.txt"), "123456");
    EXPECT_EQ(dir.ReadFile("install/KeyConfig.txt"), freshKeys);
}

}  // namespace
