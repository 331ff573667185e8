// The menu icon: the fighter drawn from its mesh at every size, framed on the tile, with the tile's
// corners left transparent so that any desktop background shows round them.
#include <gtest/gtest.h>

#include <algorithm>

#include "assetgen/icons/icon_art.h"

namespace {

namespace icons = assetgen::icons;
using assetgen::pictures::Canvas;

std::uint32_t Alpha(Canvas& c, int x, int y) {
    c.Flush();
    return c.Row(y)[x] >> 24;
}

// The smallest rectangle holding every pixel that is not fully transparent.
struct Box {
    int left, top, right, bottom;  // right and bottom inclusive
};

Box Visible(Canvas& c) {
    Box b{c.Width(), c.Height(), -1, -1};
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            if (Alpha(c, x, y) == 0) continue;
            b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
        }
    }
    return b;
}

TEST(Icons, EverySizeIsATileWithTransparentCorners) {
    for (int size : icons::kIconSizes) {
        SCOPED_TRACE(size);
        Canvas icon = icons::DrawIcon(size);
        ASSERT_EQ(icon.Width(), size);
        ASSERT_EQ(icon.Height(), size);
        for (int x : {0, size - 1}) {
            for (int y : {0, size - 1}) EXPECT_EQ(Alpha(icon, x, y), 0u) << x << "," << y;
        }
        // Inside the tile nothing shows through, ship or sky.
        for (int y = size / 4; y < size * 3 / 4; ++y) {
            for (int x = size / 4; x < size * 3 / 4; ++x) ASSERT_EQ(Alpha(icon, x, y), 255u) << x << "," << y;
        }
    }
}

TEST(Icons, TheFighterFillsTheMiddleAndStaysInside) {
    for (int size : icons::kIconSizes) {
        SCOPED_TRACE(size);
        Canvas fighter = icons::DrawFighter(size);
        // Drawn alone, what is not the fighter is transparent: the corners and the space round it.
        EXPECT_EQ(Alpha(fighter, 0, 0), 0u);
        EXPECT_EQ(Alpha(fighter, size - 1, size - 1), 0u);
        const Box b = Visible(fighter);
        ASSERT_GE(b.right, 0) << "nothing was drawn";
        EXPECT_GE(b.right - b.left + 1, size * 6 / 10);
        EXPECT_GE(b.bottom - b.top + 1, size * 6 / 10);
        EXPECT_GT(b.left, 0);
        EXPECT_GT(b.top, 0);
        EXPECT_LT(b.right, size - 1);
        EXPECT_LT(b.bottom, size - 1);
        // Centred: the margins on either side differ by at most a fifth of the picture.
        EXPECT_LE(std::abs(b.left - (size - 1 - b.right)), size / 5);
        EXPECT_LE(std::abs(b.top - (size - 1 - b.bottom)), size / 5);
        // Solid where the body is: the matte leaves the fighter itself opaque.
        int opaque = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) opaque += Alpha(fighter, x, y) == 255;
        }
        EXPECT_GT(opaque, size * size / 20);
    }
}

}  // namespace
