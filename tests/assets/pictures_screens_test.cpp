// Full-screen pictures and the title menu: what must cover the screen does, what is laid over a
// scene leaves it showing, and captions sit where the game draws them.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "assets/pictures_support.h"

namespace {

using picture_tests::CountOpaque;
using picture_tests::CountVisible;
using picture_tests::Rect;
using platform::kColourKeyBlack;

int Area(const Rect& r) { return (r.right - r.left) * (r.bottom - r.top); }

TEST(Shutter, EachClosedPanelCoversItsHalfOfTheScreenOpaquely) {
    // Closed, the left panel is drawn at x 0 and the right at x 400, both scaled 0.78125 x 0.5859;
    // screen pixel (x, y) of a panel shows texel (x / 0.78125, y / 0.5859).
    for (const char* name : {"osleft", "osright"}) {
        SCOPED_TRACE(name);
        const auto panel = picture_tests::LoadAsTexture(name, kColourKeyBlack);
        ASSERT_TRUE(panel);
        int holes = 0;
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 400; ++x) {
                const int u = static_cast<int>(x / 0.78125), v = std::min(1023, static_cast<int>(y / 0.5859));
                if (picture_tests::AlphaOf(panel->At(u, v)) != 255) ++holes;
            }
        }
        EXPECT_EQ(holes, 0) << "the scene switch would show through";
    }
}

TEST(FullScreenPictures, ScreensThatReplaceTheSceneAreOpaqueEverywhere) {
    for (const char* name :
         {"story", "rocket", "stage 1", "stage 2", "stage 3", "noise 1", "noise 2", "noise 3", "noise 4"}) {
        SCOPED_TRACE(name);
        const auto picture = picture_tests::LoadAsTexture(name, kColourKeyBlack);
        ASSERT_TRUE(picture);
        const Rect all{0, 0, picture->width, picture->height};
        EXPECT_EQ(CountOpaque(*picture, all), Area(all));
    }
}

TEST(Title, LeavesTheSceneAndTheMenuAreaFree) {
    const auto title = picture_tests::LoadAsTexture("title", kColourKeyBlack);
    ASSERT_TRUE(title);
    // The menu items are drawn at screen (340..468, 450..532), texture (435..599, 768..908).
    EXPECT_EQ(CountVisible(*title, {435, 768, 600, 909}), 0);
    // Soft shading may lie over much of the scene, but little of it may hide it.
    const double solid = CountVisible(*title, {0, 0, 1024, 1024}, 160) / (1024.0 * 1024.0);
    EXPECT_GT(solid, 0.03) << "no title to see";
    EXPECT_LT(solid, 0.3) << "the turning backdrop and the ship would be hidden";
    // The middle of the screen, where the ship turns, stays clear.
    EXPECT_EQ(CountVisible(*title, {300, 450, 724, 720}), 0);
}

TEST(StaffRoll, CreditsLeaveTheRocketPictureShowing) {
    const auto roll = picture_tests::LoadAsTexture("staffroll", kColourKeyBlack);
    ASSERT_TRUE(roll);
    EXPECT_EQ(CountVisible(*roll, {0, 0, 512, 1024}), 0) << "the left of the screen belongs to the rocket";
    EXPECT_GT(CountVisible(*roll, {512, 0, 1024, 1024}), 512 * 1024 / 2);
}

TEST(LostSignal, CaptionIsCentredOnTheScreenWhereItIsDrawn) {
    const auto caption = picture_tests::LoadAsTexture("lostsignal", kColourKeyBlack);
    ASSERT_TRUE(caption);
    const auto b = picture_tests::VisibleBounds(*caption, {0, 0, 512, 512});
    ASSERT_TRUE(b);
    // Drawn unscaled at (160, 150): the screen centre falls on texel (240, 150).
    EXPECT_LE(b->right, 480);
    EXPECT_LE(b->bottom, 300);
    EXPECT_NEAR((b->left + b->right) / 2.0, 240.0, 12.0);
    EXPECT_NEAR((b->top + b->bottom) / 2.0, 150.0, 30.0);
}

TEST(StageClear, BannerFillsItsRectangleAroundTheMiddle) {
    const auto banner = picture_tests::LoadAsTexture("clear", kColourKeyBlack);
    ASSERT_TRUE(banner);
    const auto b = picture_tests::VisibleBounds(*banner, {0, 0, 512, 256});
    ASSERT_TRUE(b);
    EXPECT_NEAR((b->left + b->right) / 2.0, 256.0, 16.0);
    EXPECT_GT(b->right - b->left, 400);
}

TEST(DamageFlash, RedFrameAtTheEdgesOfTheVisibleScreenClearInTheMiddle) {
    const auto flash = picture_tests::LoadAsTexture("explosion3", kColourKeyBlack);
    ASSERT_TRUE(flash);
    // Drawn unscaled: only texels 0..799 x 0..599 are ever on screen.
    EXPECT_EQ(CountVisible(*flash, {800, 0, 1024, 1024}) + CountVisible(*flash, {0, 600, 800, 1024}), 0);
    // Nothing over the play area, all but the outer 110 pixels of each side.
    EXPECT_EQ(CountVisible(*flash, {110, 110, 690, 490}), 0);
    EXPECT_GT(picture_tests::AlphaOf(flash->At(2, 301)), 190u);
    for (const Rect& edge :
         {Rect{0, 0, 800, 30}, Rect{0, 570, 800, 600}, Rect{0, 0, 30, 600}, Rect{770, 0, 800, 600}}) {
        EXPECT_EQ(CountVisible(*flash, edge), Area(edge));
    }
    const std::uint32_t corner = flash->At(20, 20);
    EXPECT_GT((corner >> 16) & 0xFF, 3 * ((corner >> 8) & 0xFF)) << "the flash is red";
}

TEST(MenuItems, NormalAndSelectedHalvesDiffer) {
    // The title menu's items and the pause panel's.
    const std::pair<const char*, int> items[] = {{"gamestart", 128},     {"exit", 128},
                                                 {"pause_resume", 256},  {"pause_music", 256},
                                                 {"pause_effects", 256}, {"pause_fullscreen", 256},
                                                 {"pause_quit", 256}};
    for (const auto& [name, width] : items) {
        SCOPED_TRACE(name);
        const auto item = picture_tests::LoadAsTexture(name, kColourKeyBlack);
        ASSERT_TRUE(item);
        const Rect normal{0, 0, width, 32}, selected{0, 32, width, 64};
        EXPECT_GT(CountVisible(*item, normal), 300);
        EXPECT_GT(CountVisible(*item, selected), 300);
        EXPECT_FALSE(picture_tests::SamePixels(*item, normal, selected));
        // The selected state is the brighter, lit one.
        auto brightness = [&](const Rect& r) {
            double sum = 0.0;
            for (int y = r.top; y < r.bottom; ++y) {
                for (int x = r.left; x < r.right; ++x) {
                    const std::uint32_t p = item->At(x, y);
                    sum += picture_tests::AlphaOf(p) / 255.0 * (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
                }
            }
            return sum;
        };
        EXPECT_GT(brightness(selected), brightness(normal) * 1.5);
    }
}

TEST(UnkeyedSprites, TransparencyComesFromTheAlphaChannel) {
    // Loaded without a colour key: a black surround would show as a black square.
    for (const char* name : {"flare2", "bullet"}) {
        SCOPED_TRACE(name);
        const auto sprite = picture_tests::LoadAsTexture(name, platform::kNoColourKey);
        ASSERT_TRUE(sprite);
        const int w = sprite->width, h = sprite->height;
        for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) {
            EXPECT_EQ(picture_tests::AlphaOf(sprite->At(x, y)), 0u);
        }
        EXPECT_EQ(picture_tests::AlphaOf(sprite->At(w / 2, h / 2)), 255u);
        const int soft = CountVisible(*sprite, {0, 0, w, h}) - CountOpaque(*sprite, {0, 0, w, h});
        EXPECT_GT(soft, w * h / 8) << "no soft edge";
    }
}

}  // namespace
