// The title picture kept once at screen size: the parts of it worth drawing, and the title drawn from it
// pixel for pixel the same as the title drawing the picture itself every frame.

#include <gtest/gtest.h>

#include "platform/gfx/image.h"
#include "platform/input/dik_codes.h"
#include "scenes/game_flow_support.h"
#include "scenes/title_layer.h"

using platform::Image;

namespace {

Image Picture(int width, int height, std::uint32_t argb) {
    Image image;
    image.width = width;
    image.height = height;
    image.argb.assign(static_cast<std::size_t>(width) * height, argb);
    return image;
}

void Expect(const platform::Rect& r, int left, int top, int right, int bottom) {
    EXPECT_EQ(left, r.left);
    EXPECT_EQ(top, r.top);
    EXPECT_EQ(right, r.right);
    EXPECT_EQ(bottom, r.bottom);
}

TEST(VisibleRects, LeavesOutTilesWhollyTransparentAndJoinsRunsAndEqualStrips) {
    // 12 x 10 in tiles of 4: three columns of tiles, three strips (the last two rows high).
    Image picture = Picture(12, 10, 0x00FFFFFFu);  // white but wholly transparent
    picture.argb[1 * 12 + 0] = 0x01000000u;        // strip 0, tile 0: barely there
    picture.argb[3 * 12 + 7] = 0x80FFFFFFu;        // strip 0, tile 1
    picture.argb[5 * 12 + 1] = 0xFF000000u;        // strip 1, tile 0
    picture.argb[6 * 12 + 6] = 0x10000000u;        // strip 1, tile 1: same runs as strip 0
    picture.argb[9 * 12 + 11] = 0xFF102030u;       // strip 2, tile 2 only
    const std::vector<platform::Rect> rects = VisibleRects(picture, 4);
    ASSERT_EQ(2u, rects.size());
    Expect(rects[0], 0, 0, 8, 8);
    Expect(rects[1], 8, 8, 12, 10);
}

TEST(VisibleRects, SeparateRunsStayApartAndNothingVisibleGivesNothing) {
    Image picture = Picture(12, 4, 0u);
    picture.argb[0] = 0xFF000000u;
    picture.argb[11] = 0xFF000000u;
    const std::vector<platform::Rect> rects = VisibleRects(picture, 4);
    ASSERT_EQ(2u, rects.size());
    Expect(rects[0], 0, 0, 4, 4);
    Expect(rects[1], 8, 0, 12, 4);
    EXPECT_TRUE(VisibleRects(Picture(12, 4, 0x00FFFFFFu), 4).empty());
}

class TitleLayerFlow : public GameFlowTest {
protected:
    void TearDown() override {
        TitleScreen::DrawPictureEachFrame(false);
        GameFlowTest::TearDown();
    }
    // The frame at one moment drawn both ways: (picture each frame, from the layer, picture again).
    void DrawBothWays(Image* each, Image* layered, Image* eachAgain) {
        const std::uint32_t moment = clock_.Ticks();
        TitleScreen::DrawPictureEachFrame(true);
        Frame();
        *each = Screen();
        clock_.Set(moment);
        TitleScreen::DrawPictureEachFrame(false);
        Frame();
        *layered = Screen();
        clock_.Set(moment);
        TitleScreen::DrawPictureEachFrame(true);
        Frame();
        *eachAgain = Screen();
        TitleScreen::DrawPictureEachFrame(false);
    }
};

TEST_F(TitleLayerFlow, TheTitleDrawnFromTheKeptLayerHasThePixelsOfThePictureDrawnEachFrame) {
    const TitleLayer& layer = game_->Title().Layer();
    ASSERT_TRUE(layer.Built());
    // The picture's keyed-away black is left out: some of the screen is drawn from the layer, not all.
    long area = 0;
    for (const platform::Rect& r : layer.Rects()) area += static_cast<long>(r.right - r.left) * (r.bottom - r.top);
    EXPECT_GT(area, 800L * 600 / 4);
    EXPECT_LT(area, 800L * 600);

    // Moments across the backdrop's turn, with the ship turned by keys held before, and both menu choices.
    const Keys held[] = {{}, {{platform::DIK_LEFT}}, {{platform::DIK_DOWN}}, {{platform::DIK_RIGHT}}, {}};
    for (const Keys& keys : held) {
        for (int i = 0; i < 6; ++i) Frame(keys);
        Idle(1700);
        Image each, layered, eachAgain;
        DrawBothWays(&each, &layered, &eachAgain);
        // The moment repeats exactly, so any difference is the layer's.
        ASSERT_EQ(0, DifferentPixels(each, eachAgain));
        EXPECT_EQ(0, DifferentPixels(each, layered));
    }
}

}  // namespace
