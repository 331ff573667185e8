// The instrument panel's pictures under the keys the game loads them with: the console atlas keyed
// white for the HUD pieces and black for the small digits, the large digits and labels keyed black.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "assets/pictures_support.h"

namespace {

using picture_tests::CountEqual;
using picture_tests::CountOpaque;
using picture_tests::CountVisible;
using picture_tests::Rect;
using platform::kColourKeyBlack;
using platform::kColourKeyWhite;

// The HUD's source rectangles in t\console.png; the bars at full length.
const std::vector<Rect> kPieces = {
    {0, 0, 296, 31},    {7, 32, 303, 63},   {0, 64, 31, 223},   {3, 228, 29, 386},
    {48, 76, 247, 191}, {304, 64, 319, 79}, {48, 208, 65, 225}, {40, 260, 263, 283},
};
const Rect kLifeBar{40, 260, 263, 283};
const Rect kDashBar{3, 228, 29, 386};
const Rect kSmallDigits[10] = {
    {160, 289, 167, 303}, {168, 289, 175, 303}, {176, 289, 182, 303}, {185, 289, 191, 303}, {192, 289, 199, 303},
    {200, 289, 207, 303}, {208, 289, 215, 303}, {216, 289, 223, 303}, {224, 289, 231, 303}, {232, 289, 239, 303},
};
// Around the small digits, where the ScoreBoard's black key has to find pure black, and the strip
// kept for them (which the HUD never draws).
const Rect kDigitSurround{158, 287, 241, 305};
const Rect kDigitStrip{155, 285, 245, 307};
const Rect kLargeDigits[10] = {
    {1, 0, 22, 30},    {27, 0, 41, 30},   {45, 0, 74, 30},   {78, 0, 99, 30},   {104, 0, 128, 30},
    {130, 0, 151, 30}, {155, 0, 176, 30}, {181, 0, 202, 30}, {207, 0, 227, 30}, {232, 0, 253, 30},
};

bool Inside(int x, int y, const Rect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// The visible texels of a rectangle, as offsets from its corner.
std::set<std::pair<int, int>> Shape(const platform::Image& image, const Rect& r) {
    std::set<std::pair<int, int>> shape;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (picture_tests::AlphaOf(image.At(x, y))) shape.insert({x - r.left, y - r.top});
        }
    }
    return shape;
}

void ExpectTenDistinctGlyphs(const platform::Image& image, const Rect* rects) {
    std::vector<std::set<std::pair<int, int>>> shapes;
    for (int d = 0; d < 10; ++d) {
        shapes.push_back(Shape(image, rects[d]));
        EXPECT_GE(shapes.back().size(), 8u) << "digit " << d << " is empty";
    }
    for (int a = 0; a < 10; ++a) {
        for (int b = a + 1; b < 10; ++b) EXPECT_NE(shapes[a], shapes[b]) << "digits " << a << " and " << b;
    }
}

TEST(ConsoleAtlas, TheHudKeyLeavesOnlyThePieces) {
    const auto hud = picture_tests::LoadAsTexture("console", kColourKeyWhite);
    ASSERT_TRUE(hud);
    int strays = 0;
    for (int y = 0; y < hud->height; ++y) {
        for (int x = 0; x < hud->width; ++x) {
            bool inPiece = Inside(x, y, kDigitStrip);
            for (const Rect& r : kPieces) inPiece = inPiece || Inside(x, y, r);
            if (!inPiece && picture_tests::AlphaOf(hud->At(x, y))) ++strays;
        }
    }
    EXPECT_EQ(strays, 0) << "texels outside the pieces survive the white key";
    for (const Rect& r : kPieces) {
        const int area = (r.right - r.left) * (r.bottom - r.top);
        EXPECT_GT(CountVisible(*hud, r), area / 2) << "piece at " << r.left << "," << r.top << " is mostly missing";
    }
}

// Pure white inside a piece is a hole under the HUD's key unless it belongs to the white field
// around the art, reaching in from the piece's border (the cut corners of a chamfered frame do).
TEST(ConsoleAtlas, TheHudKeyPunchesNoHolesInThePieces) {
    const auto raw = picture_tests::LoadRaw("console");
    ASSERT_TRUE(raw);
    const int w = raw->width, h = raw->height;
    auto inPiece = [&](int x, int y) {
        for (const Rect& r : kPieces) {
            if (Inside(x, y, r)) return true;
        }
        return false;
    };
    auto onPieceBorder = [&](int x, int y) {
        for (const Rect& r : kPieces) {
            if (Inside(x, y, r) && (x == r.left || y == r.top || x == r.right - 1 || y == r.bottom - 1)) return true;
        }
        return false;
    };
    // Flood the white field from everything outside the pieces and from their borders.
    std::vector<char> field(static_cast<std::size_t>(w) * h, 0);
    std::vector<std::pair<int, int>> todo;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if ((!inPiece(x, y) || onPieceBorder(x, y)) && raw->At(x, y) == 0xFFFFFFFFu) {
                field[y * w + x] = 1;
                todo.push_back({x, y});
            }
        }
    }
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        for (const auto& [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || field[ny * w + nx]) continue;
            if (raw->At(nx, ny) != 0xFFFFFFFFu) continue;
            field[ny * w + nx] = 1;
            todo.push_back({nx, ny});
        }
    }
    for (const Rect& r : kPieces) {
        SCOPED_TRACE(testing::Message() << "piece at " << r.left << "," << r.top);
        int holes = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) holes += raw->At(x, y) == 0xFFFFFFFFu && !field[y * w + x];
        }
        EXPECT_EQ(holes, 0);
        EXPECT_EQ(CountEqual(*raw, r, 0xFF000000u), 0) << "pure black inside a visible piece";
    }
}

TEST(ConsoleAtlas, GaugeBarsAreSolidAtEveryLength) {
    const auto hud = picture_tests::LoadAsTexture("console", kColourKeyWhite);
    ASSERT_TRUE(hud);
    // The life bar is cut from the right and the dash bar from the top: any cut must show solid bar.
    EXPECT_EQ(CountOpaque(*hud, kLifeBar), 223 * 23);
    EXPECT_EQ(CountOpaque(*hud, kDashBar), 26 * 158);
}

TEST(ConsoleAtlas, SmallDigitsStandOnPureBlack) {
    const auto raw = picture_tests::LoadRaw("console");
    const auto digits = picture_tests::LoadAsTexture("console", kColourKeyBlack);
    ASSERT_TRUE(raw && digits);
    int notBlack = 0;
    for (int y = kDigitSurround.top; y < kDigitSurround.bottom; ++y) {
        for (int x = kDigitSurround.left; x < kDigitSurround.right; ++x) {
            bool inDigit = false;
            for (const Rect& r : kSmallDigits) inDigit = inDigit || Inside(x, y, r);
            if (!inDigit && raw->At(x, y) != 0xFF000000u) ++notBlack;
        }
    }
    EXPECT_EQ(notBlack, 0);
    ExpectTenDistinctGlyphs(*digits, kSmallDigits);
}

TEST(LargeDigits, TenGlyphsOnPureBlackAndTheTwoLinesUp) {
    const auto digits = picture_tests::LoadAsTexture("console4", kColourKeyBlack);
    ASSERT_TRUE(digits);
    int strays = 0;
    for (int y = 0; y < digits->height; ++y) {
        for (int x = 0; x < digits->width; ++x) {
            bool inDigit = false;
            for (const Rect& r : kLargeDigits) inDigit = inDigit || Inside(x, y, r);
            if (!inDigit && picture_tests::AlphaOf(digits->At(x, y))) ++strays;
        }
    }
    EXPECT_EQ(strays, 0);
    ExpectTenDistinctGlyphs(*digits, kLargeDigits);
    // A 2 is drawn 7 pixels left of where another digit would go, so its solid ink must start 7
    // pixels further into its rectangle than that of an 8, which shares its lower-left stroke.
    const auto two = picture_tests::VisibleBounds(*digits, kLargeDigits[2], 128);
    const auto eight = picture_tests::VisibleBounds(*digits, kLargeDigits[8], 128);
    ASSERT_TRUE(two && eight);
    EXPECT_NEAR((two->left - kLargeDigits[2].left) - 7, eight->left - kLargeDigits[8].left, 1);
}

TEST(ScoreLabels, TwoDifferentRowsAndABanner) {
    const auto labels = picture_tests::LoadAsTexture("score2", kColourKeyBlack);
    const auto banner = picture_tests::LoadAsTexture("update", kColourKeyBlack);
    ASSERT_TRUE(labels && banner);
    EXPECT_GT(CountVisible(*labels, {0, 0, 256, 32}), 500);
    EXPECT_GT(CountVisible(*labels, {0, 32, 256, 64}), 500);
    EXPECT_FALSE(picture_tests::SamePixels(*labels, {0, 0, 256, 32}, {0, 32, 256, 64}));
    EXPECT_GT(CountVisible(*banner, {0, 0, 128, 32}), 128 * 32 / 2);
}

TEST(Crosshairs, CentredOnTheirPictures) {
    for (const char* name : {"sight", "sight2"}) {
        SCOPED_TRACE(name);
        const auto sight = picture_tests::LoadAsTexture(name, kColourKeyBlack);
        ASSERT_TRUE(sight);
        const auto b = picture_tests::VisibleBounds(*sight, {0, 0, sight->width, sight->height});
        ASSERT_TRUE(b);
        // Drawn at the aim point minus half the size: the ink must be centred to sit on the point.
        EXPECT_NEAR((b->left + b->right) / 2.0, sight->width / 2.0, 1.0);
        EXPECT_NEAR((b->top + b->bottom) / 2.0, sight->height / 2.0, 1.0);
    }
}

}  // namespace
