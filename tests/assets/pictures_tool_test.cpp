// The picture tool's own helpers: key rules, PNG encoding read back by the game's decoder, tiling
// noise, digit segments, glow, resampling, and the contact sheet the build writes.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "assetgen/pictures/canvas.h"
#include "assetgen/pictures/colour.h"
#include "assetgen/pictures/digits.h"
#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/noise.h"
#include "assetgen/pictures/text.h"
#include "platform/gfx/image.h"
#include "support/temp_dir.h"

namespace {

namespace pictures = assetgen::pictures;
using pictures::Canvas;
using pictures::ColourKey;

// Round-trips a canvas through a PNG file and the game's decoder.
platform::Image Decode(Canvas& canvas) {
    const std::vector<std::uint8_t> bytes = pictures::EncodePng(canvas);
    TempWorkDir dir;
    dir.WriteFile("picture.png", std::string(bytes.begin(), bytes.end()));
    platform::Image image;
    EXPECT_TRUE(platform::LoadPng((dir.Path() / "picture.png").string(), &image));
    return image;
}

void SetPixel(Canvas& c, int x, int y, std::uint32_t premultiplied) {
    c.Flush();
    c.Row(y)[x] = premultiplied;
    c.MarkDirty();
}

TEST(PictureKeyRules, EmptyBecomesTheKeyAndArtNeverEqualsIt) {
    for (ColourKey key : {ColourKey::kBlack, ColourKey::kWhite}) {
        const std::uint32_t keyColour = key == ColourKey::kBlack ? 0xFF000000u : 0xFFFFFFFFu;
        Canvas c(4, 1);
        SetPixel(c, 0, 0, 0x00000000u);  // left empty
        SetPixel(c, 1, 0, keyColour);    // art that happens to be the key colour
        SetPixel(c, 2, 0, 0x80404040u);  // soft edge
        SetPixel(c, 3, 0, 0xFF102030u);  // ordinary art
        pictures::ApplyKeyRules(c, key);
        platform::Image image = Decode(c);
        platform::ApplyColourKey(&image, keyColour);
        EXPECT_EQ(image.At(0, 0), 0u) << "empty must vanish under the key";
        EXPECT_EQ(image.At(1, 0) >> 24, 0xFFu) << "art in the key colour must survive the key";
        EXPECT_EQ(image.At(2, 0) >> 24, 0x80u) << "soft edges keep their alpha";
        EXPECT_EQ(image.At(3, 0), 0xFF102030u);
    }
    // Without a key, empty stays empty through the alpha channel alone.
    Canvas c(1, 1);
    pictures::ApplyKeyRules(c, ColourKey::kNone);
    EXPECT_EQ(Decode(c).At(0, 0) >> 24, 0u);
}

TEST(PictureEncoding, TheGameDecodesWhatWasDrawnUnpremultiplied) {
    Canvas c(3, 2);
    const pictures::Rgba colours[] = {pictures::Hex(0xFF8000),       pictures::Hex(0x2FE0FF, 0.5),
                                      pictures::Hex(0x123456, 0.2),  pictures::Hex(0x010101),
                                      pictures::Hex(0xFFFFFF, 0.75), pictures::Hex(0x00FF00, 1.0 / 255)};
    for (int i = 0; i < 6; ++i) SetPixel(c, i % 3, i / 3, pictures::ToPixel(colours[i]));
    const platform::Image image = Decode(c);
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    for (int i = 0; i < 6; ++i) {
        const std::uint32_t p = image.At(i % 3, i / 3);
        const pictures::Rgba& want = colours[i];
        SCOPED_TRACE(i);
        EXPECT_NEAR(p >> 24, want.a * 255, 0.6);
        // Premultiplying loses precision at low alpha; the straight colour comes back within it.
        const double tolerance = 0.6 + 255.0 / (want.a * 255.0);
        EXPECT_NEAR((p >> 16) & 0xFF, want.r * 255, tolerance);
        EXPECT_NEAR((p >> 8) & 0xFF, want.g * 255, tolerance);
        EXPECT_NEAR(p & 0xFF, want.b * 255, tolerance);
    }
}

TEST(PictureEncoding, OpaquePicturesDropTheAlphaChannel) {
    Canvas opaque(2, 2);
    pictures::SetSource(opaque.cr(), pictures::Hex(0x336699));
    cairo_paint(opaque.cr());
    Canvas soft(2, 2);
    pictures::SetSource(soft.cr(), pictures::Hex(0x336699, 0.5));
    cairo_paint(soft.cr());
    // Byte 25 of a PNG is the colour type of its header: 2 RGB, 6 RGBA.
    EXPECT_EQ(pictures::EncodePng(opaque)[25], 2);
    EXPECT_EQ(pictures::EncodePng(soft)[25], 6);
    EXPECT_EQ(Decode(opaque).At(1, 1), 0xFF336699u);
}

platform::Image DecodeBytes(const std::vector<std::uint8_t>& bytes) {
    platform::Image image;
    EXPECT_TRUE(platform::DecodePng(bytes.data(), bytes.size(), &image));
    return image;
}

// A soft gradient (what most pictures are) and per-pixel noise (what the static screens are), in the
// premultiplied form the canvas holds, with or without a varying alpha.
Canvas Pattern(int width, int height, bool noise, bool translucent) {
    Canvas c(width, height);
    c.Flush();
    pictures::Rng rng(9);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t a = translucent ? static_cast<std::uint32_t>((x * 7 + y) % 256) : 255u;
            std::uint32_t r = static_cast<std::uint32_t>(x * 255 / width), g = static_cast<std::uint32_t>(y % 256),
                          b = static_cast<std::uint32_t>((x + y) % 256);
            if (noise) {
                r = static_cast<std::uint32_t>(rng.Below(256));
                g = static_cast<std::uint32_t>(rng.Below(256));
                b = static_cast<std::uint32_t>(rng.Below(256));
            }
            c.Row(y)[x] = a << 24 | (r * a / 255) << 16 | (g * a / 255) << 8 | (b * a / 255);
        }
    }
    c.MarkDirty();
    return c;
}

TEST(PictureEncoding, TheGamesFileHoldsThePixelsOfThePlainFile) {
    for (bool noise : {false, true}) {
        for (bool translucent : {false, true}) {
            SCOPED_TRACE(testing::Message() << "noise " << noise << ", translucent " << translucent);
            Canvas c = Pattern(300, 200, noise, translucent);
            const std::vector<std::uint8_t> plain = pictures::EncodePng(c);
            const std::vector<std::uint8_t> game = pictures::EncodeGamePng(c);
            EXPECT_EQ(plain[25], game[25]) << "the same colour type";
            const platform::Image want = DecodeBytes(plain);
            const platform::Image got = DecodeBytes(game);
            ASSERT_EQ(want.width, got.width);
            ASSERT_EQ(want.height, got.height);
            EXPECT_EQ(want.argb, got.argb);
            const std::size_t raw = std::size_t{300} * 200 * (translucent ? 4 : 3);
            if (noise) {
                // Stored: the rows whole, a filter byte each, and little framing.
                EXPECT_GE(game.size(), raw + 200);
                EXPECT_LT(game.size(), raw + raw / 50);
            } else {
                EXPECT_LT(game.size(), raw / 2);
            }
        }
    }
}

TEST(PictureNoise, TiledNoiseRepeatsAcrossItsPeriodAndVariesWithin) {
    double lowest = 1.0, highest = 0.0;
    for (int i = 0; i < 50; ++i) {
        const double u = i * 0.0173, v = i * 0.0291;
        const double n = pictures::TiledFbm(u, v, 4, 5, 77u);
        EXPECT_NEAR(n, pictures::TiledFbm(u + 1.0, v, 4, 5, 77u), 1e-9);
        EXPECT_NEAR(n, pictures::TiledFbm(u, v + 1.0, 4, 5, 77u), 1e-9);
        EXPECT_NEAR(pictures::TiledFbm(u, v, 6, 3, 4, 78u, 0.5),
                    pictures::TiledFbm(u - 1.0, v + 2.0, 6, 3, 4, 78u, 0.5), 1e-9);
        lowest = std::min(lowest, n);
        highest = std::max(highest, n);
    }
    EXPECT_GT(highest - lowest, 0.1) << "flat noise";
    EXPECT_NE(pictures::TiledFbm(0.3, 0.3, 4, 5, 77u), pictures::TiledFbm(0.3, 0.3, 4, 5, 78u));
}

TEST(PictureNoise, TheGeneratorIsRepeatableAndStaysInRange) {
    pictures::Rng a(5), b(5), c(6);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const double x = a.Uniform();
        EXPECT_EQ(x, b.Uniform());
        differs = differs || x != c.Uniform();
        EXPECT_GE(x, 0.0);
        EXPECT_LT(x, 1.0);
        const int k = a.Below(7);
        b.Below(7);
        EXPECT_GE(k, 0);
        EXPECT_LT(k, 7);
    }
    EXPECT_TRUE(differs);
}

// The texels a digit lights, drawn large enough for every segment to own its own pixels.
std::vector<bool> DigitMask(int digit, const pictures::DigitStyle& style) {
    Canvas c(40, 70);
    cairo_new_path(c.cr());
    pictures::DigitPath(c.cr(), digit, 2, 2, 36, 66, style);
    cairo_set_source_rgba(c.cr(), 1, 1, 1, 1);
    cairo_fill(c.cr());
    c.Flush();
    std::vector<bool> mask;
    for (int y = 0; y < 70; ++y) {
        for (int x = 0; x < 40; ++x) mask.push_back((c.Row(y)[x] >> 24) > 128);
    }
    return mask;
}

bool Within(const std::vector<bool>& inner, const std::vector<bool>& outer) {
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] && !outer[i]) return false;
    }
    return true;
}

TEST(PictureDigits, SegmentsLightAsOnAnInstrument) {
    for (bool pointed : {true, false}) {
        pictures::DigitStyle style;
        style.thickness = 6;
        style.pointed = pointed;
        std::vector<std::vector<bool>> masks;
        for (int d = 0; d < 10; ++d) masks.push_back(DigitMask(d, style));
        for (int d = 0; d < 10; ++d) {
            EXPECT_TRUE(Within(masks[d], masks[8])) << d << " lights a segment 8 does not";
            for (int e = d + 1; e < 10; ++e) EXPECT_NE(masks[d], masks[e]) << d << " and " << e << " look alike";
        }
        // Digits that share their strokes: 1 within 7 within 3 within 9; 1 within 4; 5 within 6.
        EXPECT_TRUE(Within(masks[1], masks[7]));
        EXPECT_TRUE(Within(masks[7], masks[3]));
        EXPECT_TRUE(Within(masks[3], masks[9]));
        EXPECT_TRUE(Within(masks[1], masks[4]));
        EXPECT_TRUE(Within(masks[5], masks[6]));
        EXPECT_FALSE(Within(masks[2], masks[3])) << "the 2 needs its lower-left stroke";
    }
}

TEST(PictureEffects, GlowFadesAwayFromTheShapeAndStaysNearIt) {
    Canvas c(101, 101);
    pictures::Glow(c, pictures::Hex(0x00FFFF), 6.0, [](cairo_t* g) {
        cairo_rectangle(g, 48, 48, 5, 5);
        cairo_fill(g);
    });
    c.Flush();
    auto alpha = [&](int x, int y) { return c.Row(y)[x] >> 24; };
    EXPECT_GT(alpha(50, 50), alpha(56, 50));
    EXPECT_GT(alpha(56, 50), alpha(60, 50));
    EXPECT_GT(alpha(56, 50), 0u);
    EXPECT_EQ(alpha(80, 50), 0u) << "a halo reaching far past its radius";
    EXPECT_EQ(alpha(50, 20), 0u);
}

TEST(PictureEffects, StretchedArtLooksRoundAgainAtTheGamesSpriteScale) {
    // A circle authored at 800 x 600 and stretched to 1024 x 1024 is an ellipse in the file whose
    // width and height shrink back by 0.78125 and 0.5859 to equal sizes on screen.
    Canvas shown(800, 600);
    cairo_arc(shown.cr(), 400, 300, 100, 0, 2 * 3.14159265358979);
    cairo_set_source_rgba(shown.cr(), 1, 1, 1, 1);
    cairo_fill(shown.cr());
    Canvas file = pictures::Resample(shown, 1024, 1024);
    file.Flush();
    int left = 1024, right = 0, top = 1024, bottom = 0;
    for (int y = 0; y < 1024; ++y) {
        for (int x = 0; x < 1024; ++x) {
            if ((file.Row(y)[x] >> 24) > 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_NEAR((right - left + 1) * 0.78125, 200.0, 2.0);
    EXPECT_NEAR((bottom - top + 1) * 0.5859, 200.0, 2.0);
}

TEST(PictureText, TrackingWidensTextByOneStepPerGap) {
    Canvas c(10, 10);
    pictures::Font plain{"DejaVu Sans", true, false, 20, 0};
    pictures::Font tracked = plain;
    tracked.tracking = 5;
    const double w0 = pictures::TextWidth(c.cr(), plain, "KORVEX");
    EXPECT_GT(w0, 40.0);
    EXPECT_NEAR(pictures::TextWidth(c.cr(), tracked, "KORVEX"), w0 + 5 * 5, 1e-6);
}

TEST(PictureContactSheet, TheBuildWroteOneCellForEveryPicture) {
    const std::filesystem::path sheet =
        std::filesystem::path(KORVEX_DATA_DIR).parent_path() / "data-preview" / "pictures.png";
    platform::Image image;
    ASSERT_TRUE(platform::LoadPng(sheet.string(), &image)) << sheet;
    // Nine cells of 200 across, 230 down, with a margin of 12 all round: 93 pictures take 11 rows.
    EXPECT_EQ(image.width, 9 * 200 + 24);
    EXPECT_EQ(image.height, 11 * 230 + 24);
    for (const char* screen : {"title", "story", "stage 1", "osleft", "hud"}) {
        EXPECT_TRUE(std::filesystem::exists(sheet.parent_path() / "screens" / (std::string(screen) + ".png")))
            << screen;
    }
}

}  // namespace
