#include <gtest/gtest.h>

#include <algorithm>

#include "assets/pictures_support.h"

namespace {

using picture_tests::CountOpaque;
using picture_tests::CountVisible;
using platform::kColourKeyBlack;

TEST(PausePanel, DarkGlassOverItsRectangleNothingBelowAndALitSwitch) {
    const auto panel = picture_tests::LoadAsTexture("pause_panel", kColourKeyBlack);
    ASSERT_TRUE(panel);
    const int area = (472 - 40) * (344 - 40);
    EXPECT_EQ(CountVisible(*panel, {40, 40, 472, 344}), area) << "no holes for the dimmed scene to show through whole";
    EXPECT_LT(CountOpaque(*panel, {40, 40, 472, 344}), area / 10) << "glass: the scene shows faintly through";
    EXPECT_LT(panel->At(256, 200) & 0xFFFFFF, 0x404040u) << "dark enough for the items to read on";
    EXPECT_EQ(CountVisible(*panel, {0, 400, 512, 512}), 0);
    const auto on = picture_tests::LoadAsTexture("pause_on", kColourKeyBlack);
    const auto off = picture_tests::LoadAsTexture("pause_off", kColourKeyBlack);
    ASSERT_TRUE(on && off);
    auto bright = [](const platform::Image& image) {
        return std::ranges::count_if(image.argb, [](std::uint32_t p) { return (p >> 8 & 0xFF) > 0xC0; });
    };
    EXPECT_GT(CountVisible(*off, {0, 0, 64, 32}), 500);
    EXPECT_GT(bright(*on), 50) << "ON is lit";
    EXPECT_EQ(bright(*off), 0) << "OFF is not";
}

TEST(PausePanel, TheVolumeBarHasTenSegmentsAndALevelCutsBetweenThem) {
    const auto bar = picture_tests::LoadAsTexture("pause_volume", kColourKeyBlack);
    ASSERT_TRUE(bar);
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        // Segment i at 6 + 18i: in the unlit row nothing before it, then dim glass; lit it is solid.
        const int left = 6 + 18 * i, right = 20 + 18 * i;
        EXPECT_EQ(CountVisible(*bar, {left - 3, 0, left - 1, 16}), 0);
        EXPECT_GT(CountVisible(*bar, {left + 1, 0, left + 2, 16}), 5);
        EXPECT_EQ(CountOpaque(*bar, {left + 1, 0, right - 1, 16}), 0);
        EXPECT_GT(CountOpaque(*bar, {left + 1, 16, right - 1, 32}), 5 * (right - left - 2));
        // Where a level cuts the lit row there is no segment, only its glow.
        EXPECT_EQ(CountOpaque(*bar, {right + 2, 16, right + 3, 32}), 0);
    }
}

}  // namespace
