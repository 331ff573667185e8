#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/window.h"

namespace {

TEST(Window, TheFirstWindowIsTheLargestWholeMultipleOfThePictureThatFits) {
    // 1080p, 1440p and 4K desktops less a panel, exactly twice the picture, and where nothing larger fits.
    const int areas[][3] = {{1920, 1040, 1}, {2560, 1400, 2}, {3840, 2120, 3}, {1600, 1200, 2},
                            {1599, 1200, 1}, {1024, 576, 1},  {0, 0, 1}};
    for (const auto& [width, height, multiple] : areas)
        EXPECT_EQ(platform::WholeMultipleThatFits(width, height, 800, 600), multiple) << width << " x " << height;
}

TEST(Window, OnlyRefreshRatesThatAreWholeMultiplesOf30HzSuitThePacing) {
    for (int hz : {30, 60, 90, 120, 240}) EXPECT_TRUE(platform::RefreshSuitsFramePacing(hz)) << hz;
    for (int hz : {0, -60, 50, 59, 75, 144, 165}) EXPECT_FALSE(platform::RefreshSuitsFramePacing(hz)) << hz;
}

TEST(Window, AWindowOfAGivenSizeKeepsItAcrossFullScreen) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    ASSERT_TRUE(platform::InitVideo());
    platform::WindowHandle window = platform::CreateMainWindow("KorvexSample", 800, 600, {true, 640, 480});
    ASSERT_NE(window, nullptr);
    platform::SetFullScreen(window, false);
    int width = 0, height = 0;
    platform::GetDrawableSize(window, &width, &height);
    EXPECT_EQ(width * 1000 + height, 640 * 1000 + 480);
    platform::ReleaseWindow(window);
    platform::ShutdownVideo();
}

}  // namespace
