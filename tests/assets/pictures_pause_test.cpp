// The pause panel's pictures: a glass panel that dims but does not hide the scene under it, and the
// volume bar and switch states the panel shows beside its items.
#include <gtest/gtest.h>

#include "assets/pictures_support.h"

namespace {

using picture_tests::CountOpaque;
using picture_tests::CountVisible;
using picture_tests::Rect;
using platform::kColourKeyBlack;

// Colour times coverage, summed: how much light the texels add to what is under them.
double Light(const platform::Image& image, const Rect& r) {
    double sum = 0.0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t p = image.At(x, y);
            sum += picture_tests::AlphaOf(p) / 255.0 * (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
        }
    }
    return sum;
}

TEST(PausePanel, DarkGlassOverItsRectangleAndNothingBelowIt) {
    const auto panel = picture_tests::LoadAsTexture("pause_panel", kColourKeyBlack);
    ASSERT_TRUE(panel);
    const Rect inside{40, 40, 472, 344};
    const int area = (inside.right - inside.left) * (inside.bottom - inside.top);
    EXPECT_EQ(CountVisible(*panel, inside), area) << "no holes for the dimmed scene to show through whole";
    EXPECT_LT(CountOpaque(*panel, inside), area / 10) << "glass: the scene shows faintly through";
    EXPECT_LT(Light(*panel, inside) / area, 3 * 40.0) << "dark enough for the items to read on";
    EXPECT_EQ(CountVisible(*panel, {0, 400, 512, 512}), 0);
}

TEST(PausePanel, TheVolumeBarHasTenSegmentsAndCutsBetweenThem) {
    const auto bar = picture_tests::LoadAsTexture("pause_volume", kColourKeyBlack);
    ASSERT_TRUE(bar);
    // The unlit row: ten runs of columns, segment i beginning at 6 + 18i.
    std::vector<int> starts;
    bool inside = false;
    for (int x = 0; x < 256; ++x) {
        const bool visible = CountVisible(*bar, {x, 0, x + 1, 16}) > 0;
        if (visible && !inside) starts.push_back(x);
        inside = visible;
    }
    ASSERT_EQ(starts.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_NEAR(starts[static_cast<std::size_t>(i)], 6 + 18 * i, 1) << i;
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        const int left = 7 + 18 * i, right = 19 + 18 * i;
        EXPECT_GT(Light(*bar, {left, 16, right, 32}), 2 * Light(*bar, {left, 0, right, 16})) << "lit brighter";
        // Where a level cuts the lit row there is no segment, only its glow.
        const int cut = 4 + 18 * (i + 1);
        EXPECT_EQ(CountOpaque(*bar, {cut, 16, cut + 1, 32}), 0);
    }
}

TEST(PausePanel, OnIsLitAndOffIsNot) {
    const auto on = picture_tests::LoadAsTexture("pause_on", kColourKeyBlack);
    const auto off = picture_tests::LoadAsTexture("pause_off", kColourKeyBlack);
    ASSERT_TRUE(on && off);
    const Rect all{0, 0, 64, 32};
    EXPECT_GT(CountVisible(*off, all), 500);
    EXPECT_GT(Light(*on, all), 1.5 * Light(*off, all));
}

}  // namespace
