// Pictures cut into pieces by the game: flip-book sheets, boss portraits, and the textures that
// meshes repeat or scroll.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "assets/pictures_support.h"

namespace {

using picture_tests::CountVisible;
using picture_tests::Rect;
using platform::kColourKeyBlack;

struct Sheet {
    const char* name;
    int columns, rows;
    int frames;  // the cells the game plays
};

Rect Cell(const platform::Image& image, const Sheet& s, int column, int row) {
    const double w = static_cast<double>(image.width) / s.columns, h = static_cast<double>(image.height) / s.rows;
    return {static_cast<int>(std::ceil(column * w)), static_cast<int>(std::ceil(row * h)),
            static_cast<int>(std::floor((column + 1) * w)), static_cast<int>(std::floor((row + 1) * h))};
}

TEST(FlipBooks, EveryPlayedCellHoldsItsOwnFrameInsideATransparentGutter) {
    const Sheet sheets[] = {
        {"booster 2", 4, 4, 16}, {"lightwing", 4, 4, 16}, {"kira", 4, 4, 16},   {"explosion01", 5, 2, 10},
        {"blackhole", 4, 4, 16}, {"bullet 2", 4, 4, 16},  {"getbom", 4, 4, 15}, {"explosionRuin", 4, 4, 16},
    };
    for (const Sheet& s : sheets) {
        SCOPED_TRACE(s.name);
        const auto image = picture_tests::LoadAsTexture(s.name, kColourKeyBlack);
        ASSERT_TRUE(image);
        std::vector<Rect> cells;
        for (int row = 0; row < s.rows; ++row) {
            for (int column = 0; column < s.columns; ++column) cells.push_back(Cell(*image, s, column, row));
        }
        for (int f = 0; f < s.frames; ++f) {
            const Rect& c = cells[f];
            SCOPED_TRACE(testing::Message() << "cell " << f);
            EXPECT_GT(CountVisible(*image, c), 20);
            // Filtering reaches one texel across the cell's edge: the edge texels stay clear.
            const int edge = CountVisible(*image, {c.left, c.top, c.right, c.top + 1}) +
                             CountVisible(*image, {c.left, c.bottom - 1, c.right, c.bottom}) +
                             CountVisible(*image, {c.left, c.top, c.left + 1, c.bottom}) +
                             CountVisible(*image, {c.right - 1, c.top, c.right, c.bottom});
            EXPECT_EQ(edge, 0);
            if (f > 0 && cells[f].right - cells[f].left == cells[f - 1].right - cells[f - 1].left) {
                EXPECT_FALSE(picture_tests::SamePixels(*image, cells[f - 1], cells[f])) << "a frame repeats";
            }
        }
    }
}

struct Portrait {
    const char* name;
    std::vector<Rect> pieces;
};

TEST(Portraits, EveryPieceTheIntroductionCutsOutHoldsArtAndNothingLiesBetween) {
    const Rect caption{105, 0, 410, 80};
    const Portrait portraits[] = {
        {"boss01", {caption, {0, 100, 500, 330}, {0, 370, 500, 460}}},
        {"boss02", {caption, {0, 100, 510, 270}, {0, 310, 500, 460}}},
        {"boss03", {caption, {0, 100, 512, 350}, {0, 340, 500, 500}}},
        {"boss04", {caption, {0, 100, 500, 330}, {0, 370, 500, 460}}},
        {"boss05", {caption, {0, 100, 500, 320}, {0, 320, 500, 460}}},
        {"boss06", {caption, {105, 95, 415, 310}, {30, 345, 485, 490}}},
    };
    for (const Portrait& p : portraits) {
        SCOPED_TRACE(p.name);
        const auto image = picture_tests::LoadAsTexture(p.name, kColourKeyBlack);
        ASSERT_TRUE(image);
        for (const Rect& r : p.pieces) {
            const int area = (r.right - r.left) * (r.bottom - r.top);
            EXPECT_GT(CountVisible(*image, r), area / 2) << "piece at " << r.left << "," << r.top;
        }
        int strays = 0;
        for (int y = 0; y < image->height; ++y) {
            for (int x = 0; x < image->width; ++x) {
                bool inside = false;
                for (const Rect& r : p.pieces)
                    inside = inside || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
                if (!inside && picture_tests::AlphaOf(image->At(x, y))) ++strays;
            }
        }
        EXPECT_EQ(strays, 0);
    }
    // Two pieces of boss03 overlap in rows 340..349, which are therefore drawn twice: they hold nothing.
    const auto boss03 = picture_tests::LoadAsTexture("boss03", kColourKeyBlack);
    ASSERT_TRUE(boss03);
    EXPECT_EQ(CountVisible(*boss03, {0, 340, 512, 350}), 0);
}

TEST(MeshTextures, RepeatWithoutASeam) {
    // Textures that scroll (ground, lava) or that meshes may wrap show their edges side by side.
    for (const char* name : {"ground", "yougan001", "blue", "m2", "meteo", "moon", "circuit", "baria", "mecha2",
                             "flower", "flower2", "flower3", "cloud", "cloud2", "cloud3"}) {
        SCOPED_TRACE(name);
        const auto image = picture_tests::LoadAsTexture(name, kColourKeyBlack);
        ASSERT_TRUE(image);
        EXPECT_LT(picture_tests::SeamRatio(*image, true), 1.25) << "seam between the bottom and top rows";
        EXPECT_LT(picture_tests::SeamRatio(*image, false), 1.25) << "seam between the right and left columns";
    }
    // Planet maps wrap round the sphere from east to west.
    for (const char* name : {"space", "nazo"}) {
        SCOPED_TRACE(name);
        const auto image = picture_tests::LoadAsTexture(name, kColourKeyBlack);
        ASSERT_TRUE(image);
        EXPECT_LT(picture_tests::SeamRatio(*image, false), 1.25);
    }
}

TEST(MeshTextures, SurfacesAreSolid) {
    // Meshes show these as their surface colour: a keyed hole would show the sky through a rock.
    for (const char* name : {"ground", "m2", "meteo", "moon", "space", "nazo", "petal", "cloud", "cloud2", "cloud3",
                             "flower", "flower2", "flower3", "circuit", "mecha2", "yougan001", "blue"}) {
        SCOPED_TRACE(name);
        const auto image = picture_tests::LoadAsTexture(name, kColourKeyBlack);
        ASSERT_TRUE(image);
        EXPECT_EQ(picture_tests::CountOpaque(*image, {0, 0, image->width, image->height}),
                  image->width * image->height);
    }
}

}  // namespace
