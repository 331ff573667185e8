#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/gfx/screenshot.h"
#include "support/temp_dir.h"

TEST(ScreenshotName, NeverNamesAFileThatIsAlreadyThere) {
    TempWorkDir dir;
    for (int i = 0; i < 3; ++i) {
        const std::string name = platform::ScreenshotFileName();
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
        EXPECT_EQ(name.rfind("korvex-", 0), 0u) << name;
        std::ofstream(name) << "taken";
    }
}
