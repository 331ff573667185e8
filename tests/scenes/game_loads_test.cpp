// The start-up prefetch's list against the game's own loads, and a broken picture of the game data
// reported through the prefetch exactly as without it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/registry.h"
#include "platform/core/events.h"
#include "platform/gfx/load_prefetch.h"
#include "scenes/game_app.h"
#include "scenes/game_loads.h"
#include "support/game_data_device.h"
#include "support/temp_dir.h"

namespace {

class GameLoadsTest : public GameDataDeviceTest {
protected:
    void LoadGame() {
        ResetRegistry();
        auto game = std::make_unique<GameApp>();
        ASSERT_TRUE(platform::SUCCEEDED(game->Load(device_.get(), sprite_.get(), window_, 0)));
    }
};

TEST_F(GameLoadsTest, EveryLoadOfTheGameIsListedInItsOrderAndNothingElse) {
    platform::LoadPrefetch prefetch(GameLoads());
    platform::SetActiveLoadPrefetch(&prefetch);
    LoadGame();
    platform::SetActiveLoadPrefetch(nullptr);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(prefetch.Misses(), 0) << "a load the list lacks";
    EXPECT_EQ(prefetch.Untaken(), 0) << "a listed load the game no longer makes";
}

TEST_F(GameLoadsTest, CorruptPictureOfTheGameDataEndsWithItsOwnMessageThroughThePrefetch) {
    // The game data with the title picture and one mesh broken, everything else linked.
    TempWorkDir dir;
    const std::filesystem::path data = KORVEX_DATA_DIR;
    for (const char* folder : {"t", "x"}) {
        std::filesystem::create_directories(dir.Path() / folder);
        for (const auto& entry : std::filesystem::directory_iterator(data / folder)) {
            std::filesystem::create_symlink(entry.path(), dir.Path() / folder / entry.path().filename());
        }
    }
    for (const char* folder : {"w", "m"}) std::filesystem::create_directory_symlink(data / folder, dir.Path() / folder);
    for (const char* broken : {"t/title.png", "x/tokio.x"}) {
        std::filesystem::remove(dir.Path() / broken);
        std::ofstream(dir.Path() / broken, std::ios::binary) << "\x89PNG\r\n\x1a\n broken";
    }

    LoadGame();
    const std::vector<std::string> without = messages_;
    ASSERT_FALSE(without.empty());
    EXPECT_EQ(without.front(), "titleロスト");
    EXPECT_NE(std::find(without.begin(), without.end(), "tokioロスト"), without.end());

    messages_.clear();
    platform::LoadPrefetch prefetch(GameLoads());
    platform::SetActiveLoadPrefetch(&prefetch);
    LoadGame();
    platform::SetActiveLoadPrefetch(nullptr);
    EXPECT_EQ(messages_, without);
    EXPECT_EQ(prefetch.Misses(), 0);
    int code = 0;
    platform::PumpMessages(&code);  // takes the quit the failures posted
}

}  // namespace
