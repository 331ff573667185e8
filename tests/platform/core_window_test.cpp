#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/window.h"

namespace {

TEST(Window, TheFirstWindowIsTheLargestWholeMultipleOfThePictureThatFits) {
    EXPECT_EQ(platform::WholeMultipleThatFits(1920, 1040, 800, 600), 1);  // 1080p less a panel
    EXPECT_EQ(platform::WholeMultipleThatFits(2560, 1400, 800, 600), 2);
    EXPECT_EQ(platform::WholeMultipleThatFits(3840, 2120, 800, 600), 3);
    EXPECT_EQ(platform::WholeMultipleThatFits(1600, 1200, 800, 600), 2);  // exactly
    EXPECT_EQ(platform::WholeMultipleThatFits(1599, 1200, 800, 600), 1);
    EXPECT_EQ(platform::WholeMultipleThatFits(1024, 576, 800, 600), 1);  // nothing fits: the picture's own size
    EXPECT_EQ(platform::WholeMultipleThatFits(0, 0, 800, 600), 1);
}

TEST(Window, OnlyRefreshRatesThatAreWholeMultiplesOf30HzSuitThePacing) {
    for (int hz : {30, 60, 90, 120, 240}) EXPECT_TRUE(platform::RefreshSuitsFramePacing(hz)) << hz;
    for (int hz : {0, -60, 50, 59, 75, 144, 165}) EXPECT_FALSE(platform::RefreshSuitsFramePacing(hz)) << hz;
}

TEST(Window, AWindowOfAGivenSizeKeepsItAcrossFullScreen) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    ASSERT_TRUE(platform::InitVideo());
    platform::WindowHandle window =
        platform::CreateMainWindow("KorvexSample", 800, 600, platform::WindowOptions{true, 640, 480});
    ASSERT_NE(window, nullptr);
    int width = 0, height = 0;
    platform::GetWindowedSize(window, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    platform::SetFullScreen(window, false);
    platform::GetDrawableSize(window, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    platform::ReleaseWindow(window);
    platform::ShutdownVideo();
}

}  // namespace
