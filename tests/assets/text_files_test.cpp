#include <gtest/gtest.h>

#include "assetgen/asset_writer.h"
#include "support/temp_dir.h"

// Every build regenerates the data folder, where the player edits these two files.
TEST(TextFiles, ARebuildKeepsThePlayersOwn) {
    TempWorkDir dir;
    assetgen::AssetWriter writer(dir.Path() / "data", dir.Path() / "preview");
    for (int build = 0; build < 2; ++build) {
        if (build == 1) {
            dir.WriteFile("data/KeyConfig.txt", "5,6,7\n");
            dir.WriteFile("data/score.txt", "123456");
        }
        for (const assetgen::Generator& g : assetgen::Generators()) {
            if (std::string(g.name) == "text files") g.fn(writer);
        }
    }
    EXPECT_EQ(dir.ReadFile("data/KeyConfig.txt") + dir.ReadFile("data/score.txt"), "5,6,7\n123456");
}
