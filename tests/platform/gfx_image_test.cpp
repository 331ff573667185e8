#include "platform/gfx/image.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"

namespace platform {
namespace {

// Writes a PNG of any colour type and depth with libpng itself, so the loader is tested against files it
// did not write. Rows are given as packed bytes in PNG order (16-bit samples big-endian).
struct PngSpec {
    int width = 0, height = 0;
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;  // tRNS for palette images
    bool hasTransparentColour = false;
    png_color_16 transparentColour{};  // tRNS for grey and RGB images
    std::vector<std::vector<png_byte>> rows;
};

PngSpec Described(int width, int height, int colourType, int bitDepth = 8) {
    PngSpec desc;
    desc.width = width;
    desc.height = height;
    desc.colourType = colourType;
    desc.bitDepth = bitDepth;
    return desc;
}

bool WritePng(const std::string& path, const PngSpec& desc) {
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(fp);
        return false;
    }
    png_init_io(png, fp);
    png_set_IHDR(png, info, desc.width, desc.height, desc.bitDepth, desc.colourType,
                 desc.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!desc.palette.empty()) {
        png_set_PLTE(png, info, desc.palette.data(), static_cast<int>(desc.palette.size()));
    }
    if (!desc.paletteAlpha.empty()) {
        png_set_tRNS(png, info, desc.paletteAlpha.data(), static_cast<int>(desc.paletteAlpha.size()), nullptr);
    } else if (desc.hasTransparentColour) {
        png_set_tRNS(png, info, nullptr, 0, &desc.transparentColour);
    }
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const auto& row : desc.rows) rows.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(fp);
    return true;
}

Image Load(const PngSpec& desc) {
    TempWorkDir dir;
    EXPECT_TRUE(WritePng("p.png", desc));
    Image image;
    EXPECT_TRUE(LoadPng("p.png", &image));
    EXPECT_EQ(desc.width, image.width);
    EXPECT_EQ(desc.height, image.height);
    return image;
}

Image MakeImage(int w, int h, std::uint32_t fill) {
    Image image;
    image.width = w;
    image.height = h;
    image.argb.assign(static_cast<std::size_t>(w) * h, fill);
    return image;
}

// A picture of one row.
PngSpec Row(int width, int colourType, int bitDepth, std::vector<png_byte> row) {
    PngSpec desc = Described(width, 1, colourType, bitDepth);
    desc.rows = {std::move(row)};
    return desc;
}

PngSpec WithPalette(PngSpec desc, std::vector<png_byte> alpha = {}) {
    desc.palette = {{0, 0, 0}, {0xFF, 0x00, 0x00}, {0x10, 0x20, 0x30}, {0xFF, 0xFF, 0xFF}};
    desc.paletteAlpha = std::move(alpha);
    return desc;
}

PngSpec WithTransparent(PngSpec desc, png_uint_16 grey, png_uint_16 r, png_uint_16 g, png_uint_16 b) {
    desc.hasTransparentColour = true;
    desc.transparentColour.gray = grey;
    desc.transparentColour.red = r;
    desc.transparentColour.green = g;
    desc.transparentColour.blue = b;
    return desc;
}

struct DecodeCase {
    const char* name;
    PngSpec desc;
    std::vector<std::uint32_t> expected;  // the one row, as ARGB
};

const std::vector<DecodeCase> kDecodeCases = {
    {"RGBA",
     Row(2, PNG_COLOR_TYPE_RGB_ALPHA, 8, {0x11, 0x22, 0x33, 0x44, 0xFF, 0x00, 0x80, 0xFF}),
     {0x44112233u, 0xFFFF0080u}},
    // Opaque black stays 0xFF000000, ready for the black colour key.
    {"RGB", Row(2, PNG_COLOR_TYPE_RGB, 8, {0x01, 0x02, 0x03, 0x00, 0x00, 0x00}), {0xFF010203u, 0xFF000000u}},
    {"grey 8", Row(2, PNG_COLOR_TYPE_GRAY, 8, {0x80, 0xFF}), {0xFF808080u, 0xFFFFFFFFu}},
    {"grey 1", Row(3, PNG_COLOR_TYPE_GRAY, 1, {0b10100000}), {0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu}},
    {"grey 2", Row(4, PNG_COLOR_TYPE_GRAY, 2, {0b00011011}), {0xFF000000u, 0xFF555555u, 0xFFAAAAAAu, 0xFFFFFFFFu}},
    {"grey + alpha", Row(1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0x80}), {0x80404040u}},
    {"RGBA 16", Row(1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00, 0x80, 0x80}), {0x80FF8000u}},
    {"RGB 16", Row(1, PNG_COLOR_TYPE_RGB, 16, {0x00, 0x00, 0xFF, 0xFF, 0x80, 0x80}), {0xFF00FF80u}},
    {"RGB + tRNS",
     WithTransparent(Row(2, PNG_COLOR_TYPE_RGB, 8, {0x10, 0x20, 0x30, 0x10, 0x20, 0x31}), 0, 0x10, 0x20, 0x30),
     {0x00102030u, 0xFF102031u}},
    {"grey 16 + tRNS",
     WithTransparent(Row(2, PNG_COLOR_TYPE_GRAY, 16, {0x12, 0x34, 0x80, 0x80}), 0x1234, 0, 0, 0),
     {0x00121212u, 0xFF808080u}},
    // Entries past the tRNS list stay opaque.
    {"palette 4 + tRNS",
     WithPalette(Row(4, PNG_COLOR_TYPE_PALETTE, 4, {0x01, 0x23}), {0x00, 0x80}),
     {0x00000000u, 0x80FF0000u, 0xFF102030u, 0xFFFFFFFFu}},
    {"palette 8", WithPalette(Row(2, PNG_COLOR_TYPE_PALETTE, 8, {0x00, 0x02})), {0xFF000000u, 0xFF102030u}},
};

TEST(GfxPngLoad, EveryColourTypeAndDepthBecomesArgb) {
    for (const DecodeCase& c : kDecodeCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, Load(c.desc).argb);
    }
}

TEST(GfxPngLoad, InterlacedMatchesProgressive) {
    PngSpec desc = Described(9, 7, PNG_COLOR_TYPE_RGB);
    for (int y = 0; y < desc.height; ++y) {
        std::vector<png_byte> row;
        for (int x = 0; x < desc.width; ++x) {
            row.insert(row.end(),
                       {static_cast<png_byte>(x * 20), static_cast<png_byte>(y * 30), static_cast<png_byte>(x + y)});
        }
        desc.rows.push_back(row);
    }
    Image progressive = Load(desc);
    desc.interlaced = true;
    Image interlaced = Load(desc);
    EXPECT_EQ(progressive.argb, interlaced.argb);
    EXPECT_EQ(0xFF507808u, interlaced.At(4, 4));
    EXPECT_EQ(0xFFA0B40Eu, interlaced.At(8, 6));
}

TEST(GfxPngSave, RoundTripKeepsEveryChannel) {
    TempWorkDir dir;
    Image image = MakeImage(3, 2, 0);
    image.argb = {0x00000000u, 0xFF000000u, 0x80FF0000u, 0x0100FF00u, 0xFE0000FFu, 0xFFFFFFFFu};
    ASSERT_TRUE(SavePng("out.png", image));
    const std::string bytes = dir.ReadFile("out.png");
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(0, png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8));
    Image back;
    ASSERT_TRUE(LoadPng("out.png", &back));
    EXPECT_EQ(3, back.width);
    EXPECT_EQ(2, back.height);
    EXPECT_EQ(image.argb, back.argb);
}

TEST(GfxPngSave, RefusesWhatCannotBeWritten) {
    TempWorkDir dir;
    EXPECT_FALSE(SavePng("no/such/folder/out.png", MakeImage(2, 2, 0xFFFFFFFFu)));
    EXPECT_FALSE(SavePng("empty.png", Image{}));
    Image inconsistent = MakeImage(2, 2, 0);
    inconsistent.width = 3;
    EXPECT_FALSE(SavePng("bad.png", inconsistent));
}

// Chunk bytes with length and CRC, for handcrafted headers.
std::string Chunk(const char* type, const std::string& data) {
    auto be32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    };
    std::string body = std::string(type, 4) + data;
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
    return be32(static_cast<std::uint32_t>(data.size())) + body + be32(crc);
}

TEST(GfxPngLoad, MissingOrBrokenFilesFailCleanly) {
    TempWorkDir dir;
    PngSpec desc = Described(64, 64, PNG_COLOR_TYPE_RGB);
    for (int y = 0; y < 64; ++y) {
        std::vector<png_byte> row;
        for (int x = 0; x < 64 * 3; ++x) row.push_back(static_cast<png_byte>((x * 7 + y * 13) & 0xFF));
        desc.rows.push_back(row);
    }
    ASSERT_TRUE(WritePng("good.png", desc));
    const std::string good = dir.ReadFile("good.png");

    Image image = MakeImage(1, 1, 0x12345678u);
    EXPECT_FALSE(LoadPng("missing.png", &image));
    dir.WriteFile("empty.png", "");
    EXPECT_FALSE(LoadPng("empty.png", &image));
    dir.WriteFile("garbage.png", std::string(4000, '\x5A'));
    EXPECT_FALSE(LoadPng("garbage.png", &image));
    dir.WriteFile("signature-only.png", good.substr(0, 8));
    EXPECT_FALSE(LoadPng("signature-only.png", &image));
    dir.WriteFile("truncated.png", good.substr(0, good.size() / 2));
    EXPECT_FALSE(LoadPng("truncated.png", &image));
    dir.WriteFile("no-end.png", good.substr(0, good.size() - 12));
    EXPECT_FALSE(LoadPng("no-end.png", &image));

    // A flipped byte inside the image data breaks the chunk's CRC.
    std::string corrupt = good;
    corrupt[corrupt.find("IDAT") + 20] ^= 0x55;
    dir.WriteFile("corrupt.png", corrupt);
    EXPECT_FALSE(LoadPng("corrupt.png", &image));

    // A header claiming 100000 x 100000 pixels is refused before anything that size is allocated.
    const std::string ihdr{0,
                           1,
                           static_cast<char>(0x86),
                           static_cast<char>(0xA0),
                           0,
                           1,
                           static_cast<char>(0x86),
                           static_cast<char>(0xA0),
                           8,
                           6,
                           0,
                           0,
                           0};
    dir.WriteFile("huge.png", good.substr(0, 8) + Chunk("IHDR", ihdr) + Chunk("IEND", ""));
    EXPECT_FALSE(LoadPng("huge.png", &image));

    // A failed load leaves the caller's picture as it was.
    EXPECT_EQ(1, image.width);
    EXPECT_EQ(0x12345678u, image.argb[0]);
    ASSERT_TRUE(LoadPng("good.png", &image));
    EXPECT_EQ(64, image.width);
}

TEST(GfxPngLoad, DecodesFromMemoryAsFromTheFile) {
    TempWorkDir dir;
    const PngSpec desc = WithPalette(Row(4, PNG_COLOR_TYPE_PALETTE, 4, {0x01, 0x23}), {0x00, 0x80});
    ASSERT_TRUE(WritePng("p.png", desc));
    const std::string bytes = dir.ReadFile("p.png");
    Image fromFile, fromMemory;
    ASSERT_TRUE(LoadPng("p.png", &fromFile));
    ASSERT_TRUE(DecodePng(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &fromMemory));
    EXPECT_EQ(fromFile.width, fromMemory.width);
    EXPECT_EQ(fromFile.argb, fromMemory.argb);
    // Cut anywhere, the bytes are refused.
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
        EXPECT_FALSE(DecodePng(reinterpret_cast<const std::uint8_t*>(bytes.data()), cut, &fromMemory)) << cut;
    }
}

// Whole, valid files: the limit is on the texture the picture would become, not on how the file is made.
TEST(GfxPngLoad, PicturesLargerThanTheLargestTextureAreRefused) {
    TempWorkDir dir;
    auto blank = [](int width, int height) {
        PngSpec desc = Described(width, height, PNG_COLOR_TYPE_GRAY);
        desc.rows.assign(static_cast<std::size_t>(height),
                         std::vector<png_byte>(static_cast<std::size_t>(width), 0x40));
        return desc;
    };
    Image image;
    // 4097 x 2048 becomes 8192 x 2048, exactly the limit.
    ASSERT_TRUE(WritePng("limit.png", blank(4097, 2048)));
    ASSERT_TRUE(LoadPng("limit.png", &image));
    EXPECT_EQ(4097, image.width);
    EXPECT_EQ(0xFF404040u, image.At(4096, 2047));
    // One row more would become 8192 x 4096.
    ASSERT_TRUE(WritePng("over.png", blank(4097, 2049)));
    EXPECT_FALSE(LoadPng("over.png", &image));
    EXPECT_EQ(4097, image.width);
}

TEST(GfxImage, NextPowerOfTwo) {
    EXPECT_EQ(1, NextPowerOfTwo(0));
    EXPECT_EQ(1, NextPowerOfTwo(1));
    EXPECT_EQ(2, NextPowerOfTwo(2));
    EXPECT_EQ(4, NextPowerOfTwo(3));
    EXPECT_EQ(256, NextPowerOfTwo(200));
    EXPECT_EQ(512, NextPowerOfTwo(300));
    EXPECT_EQ(512, NextPowerOfTwo(512));
    EXPECT_EQ(2048, NextPowerOfTwo(1025));
}

TEST(GfxImage, PowerOfTwoPictureIsLeftAlone) {
    Image image = MakeImage(4, 2, 0);
    for (std::size_t i = 0; i < image.argb.size(); ++i) image.argb[i] = 0x01020304u * static_cast<std::uint32_t>(i);
    Image scaled = ScaleToPowerOfTwo(image);
    EXPECT_EQ(4, scaled.width);
    EXPECT_EQ(2, scaled.height);
    EXPECT_EQ(image.argb, scaled.argb);
    // Handed over, the same pixels are kept without a copy.
    Image handed = image;
    const std::uint32_t* pixels = handed.argb.data();
    Image moved = ScaleToPowerOfTwo(std::move(handed));
    EXPECT_EQ(pixels, moved.argb.data());
    EXPECT_EQ(image.argb, moved.argb);
}

TEST(GfxImage, ScalingInterpolatesBetweenPixelCentres) {
    // 3 -> 4 wide: destination centres fall at source x = 0 (clamped), 0.625, 1.375, 2.125 (clamped).
    Image image = MakeImage(3, 2, 0);
    const std::uint32_t row[3] = {0xFF000000u, 0xFF500000u, 0xFFA00000u};  // red 0, 80, 160
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) image.argb[static_cast<std::size_t>(y) * 3 + x] = row[x];
    }
    Image scaled = ScaleToPowerOfTwo(image);
    ASSERT_EQ(4, scaled.width);
    ASSERT_EQ(2, scaled.height);
    EXPECT_EQ(0xFF000000u, scaled.At(0, 1));
    EXPECT_EQ(0xFF320000u, scaled.At(1, 1));  // 0.375 * 0 + 0.625 * 80 = 50
    EXPECT_EQ(0xFF6E0000u, scaled.At(2, 1));  // 0.625 * 80 + 0.375 * 160 = 110
    EXPECT_EQ(0xFFA00000u, scaled.At(3, 1));

    // Alpha is interpolated like the colours.
    Image fade = MakeImage(3, 1, 0);
    fade.argb = {0x00FFFFFFu, 0x50FFFFFFu, 0xA0FFFFFFu};
    Image scaledFade = ScaleToPowerOfTwo(fade);
    EXPECT_EQ(0x32FFFFFFu, scaledFade.At(1, 0));
}

TEST(GfxImage, NonPowerOfTwoPictureKeepsItsLayout) {
    // Left half red, right half blue, top 100 rows opaque, the rest half transparent.
    Image image = MakeImage(300, 200, 0);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x) {
            const std::uint32_t alpha = y < 100 ? 0xFF000000u : 0x80000000u;
            image.argb[static_cast<std::size_t>(y) * 300 + x] = alpha | (x < 150 ? 0xFF0000u : 0x0000FFu);
        }
    }
    Image scaled = ScaleToPowerOfTwo(image);
    ASSERT_EQ(512, scaled.width);
    ASSERT_EQ(256, scaled.height);
    ASSERT_EQ(512u * 256u, scaled.argb.size());
    EXPECT_EQ(scaled.argb, ScaleToPowerOfTwo(Image(image)).argb);
    // A rectangle given in source proportions still finds the same colours.
    EXPECT_EQ(0xFFFF0000u, scaled.At(0, 0));
    EXPECT_EQ(0xFFFF0000u, scaled.At(250, 120));
    EXPECT_EQ(0xFF0000FFu, scaled.At(262, 120));
    EXPECT_EQ(0x800000FFu, scaled.At(511, 255));
    EXPECT_EQ(0x80FF0000u, scaled.At(100, 140));
    // Only the seam between the halves blends.
    const std::uint32_t seam = scaled.At(256, 50);
    EXPECT_GT((seam >> 16) & 0xFF, 0u);
    EXPECT_GT(seam & 0xFF, 0u);
}

TEST(GfxImage, ColourKeyMatchesAllThirtyTwoBits) {
    Image image = MakeImage(6, 1, 0);
    image.argb = {0xFF000000u, 0x00000000u, 0xFE000000u, 0xFF000001u, 0xFFFFFFFFu, 0x7FFFFFFFu};

    Image black = image;
    ApplyColourKey(&black, kColourKeyBlack);
    EXPECT_EQ((std::vector<std::uint32_t>{0, 0, 0xFE000000u, 0xFF000001u, 0xFFFFFFFFu, 0x7FFFFFFFu}), black.argb);

    Image white = image;
    ApplyColourKey(&white, kColourKeyWhite);
    EXPECT_EQ((std::vector<std::uint32_t>{0xFF000000u, 0, 0xFE000000u, 0xFF000001u, 0, 0x7FFFFFFFu}), white.argb);

    Image none = image;
    ApplyColourKey(&none, kNoColourKey);
    EXPECT_EQ(image.argb, none.argb);
}

TEST(GfxImage, MipChainAveragesTwoByTwoBlocks) {
    Image image = MakeImage(4, 2, 0);
    image.argb = {0xFF000000u, 0xFF040000u, 0x00000000u, 0x00000010u,  //
                  0xFF000800u, 0xFF000003u, 0x00000000u, 0xFF0000FFu};
    std::vector<Image> chain = BuildMipChain(image);
    ASSERT_EQ(3u, chain.size());
    std::vector<Image> fromMoved = BuildMipChain(Image(image));
    ASSERT_EQ(3u, fromMoved.size());
    EXPECT_EQ(chain[2].argb, fromMoved[2].argb);
    EXPECT_EQ(image.argb, chain[0].argb);
    ASSERT_EQ(2, chain[1].width);
    ASSERT_EQ(1, chain[1].height);
    // Per channel (sum + 2) / 4: A 1020 -> 255, R 4 -> 1, G 8 -> 2, B 3 -> 1; A 255 -> 64, B 271 -> 68.
    EXPECT_EQ(0xFF010201u, chain[1].At(0, 0));
    EXPECT_EQ(0x40000044u, chain[1].At(1, 0));
    ASSERT_EQ(1, chain[2].width);
    ASSERT_EQ(1, chain[2].height);
    // A one-pixel-high level averages its pair: A (2*255 + 2*64 + 2) / 4 = 160, R 1, G 1, B 35.
    EXPECT_EQ(0xA0010123u, chain[2].At(0, 0));
}

// Each level from the one above by the plain rule: every channel of a 2 x 2 block (a side already at
// one pixel, or an odd last pixel, repeats its source) summed, plus 2, over 4.
Image ReferenceHalf(const Image& src) {
    Image dst = MakeImage(std::max(1, src.width / 2), std::max(1, src.height / 2), 0);
    for (int y = 0; y < dst.height; ++y) {
        for (int x = 0; x < dst.width; ++x) {
            const int xs[2] = {std::min(2 * x, src.width - 1), std::min(2 * x + 1, src.width - 1)};
            const int ys[2] = {std::min(2 * y, src.height - 1), std::min(2 * y + 1, src.height - 1)};
            std::uint32_t p = 0;
            for (int c = 0; c < 4; ++c) {
                std::uint32_t sum = 2;
                for (int sy : ys) {
                    for (int sx : xs) sum += (src.At(sx, sy) >> (8 * c)) & 0xFF;
                }
                p |= (sum / 4) << (8 * c);
            }
            dst.argb[static_cast<std::size_t>(y) * dst.width + x] = p;
        }
    }
    return dst;
}

TEST(GfxImage, MipChainMatchesTheBlockAverageOnEveryShape) {
    std::uint32_t seed = 12345;
    for (auto [w, h] : {std::pair{16, 8}, {8, 16}, {64, 64}, {6, 4}, {5, 3}, {1, 8}, {8, 1}, {12, 7}}) {
        Image image = MakeImage(w, h, 0);
        for (std::uint32_t& p : image.argb) {
            seed = seed * 1664525u + 1013904223u;
            p = seed;
        }
        const std::vector<Image> chain = BuildMipChain(image);
        for (std::size_t i = 1; i < chain.size(); ++i) {
            SCOPED_TRACE(testing::Message() << w << " x " << h << ", level " << i);
            const Image want = ReferenceHalf(chain[i - 1]);
            ASSERT_EQ(want.width, chain[i].width);
            ASSERT_EQ(want.height, chain[i].height);
            EXPECT_EQ(want.argb, chain[i].argb);
        }
        EXPECT_EQ(1, chain.back().width);
        EXPECT_EQ(1, chain.back().height);
    }
}

TEST(GfxImage, ColourKeyClearsEveryMatchInALargePicture) {
    // Long enough for any vectorised loop to run its wide body and its tail.
    Image image = MakeImage(37, 29, 0xFF102030u);
    for (std::size_t i = 0; i < image.argb.size(); i += 3) image.argb[i] = kColourKeyBlack;
    Image keyed = image;
    ApplyColourKey(&keyed, kColourKeyBlack);
    for (std::size_t i = 0; i < image.argb.size(); ++i) {
        ASSERT_EQ(i % 3 == 0 ? 0u : 0xFF102030u, keyed.argb[i]) << i;
    }
}

TEST(GfxImage, MipChainRunsDownToOnePixel) {
    std::vector<Image> square = BuildMipChain(MakeImage(1024, 1024, 0xFF336699u));
    ASSERT_EQ(11u, square.size());
    for (std::size_t i = 0; i < square.size(); ++i) {
        EXPECT_EQ(1024 >> i, square[i].width);
        EXPECT_EQ(1024 >> i, square[i].height);
        EXPECT_EQ(0xFF336699u, square[i].argb.front());
    }
    std::vector<Image> strip = BuildMipChain(MakeImage(8, 1, 0x80808080u));
    ASSERT_EQ(4u, strip.size());
    EXPECT_EQ(1, strip[3].width);
    EXPECT_EQ(1, strip[3].height);
    EXPECT_EQ(0x80808080u, strip[3].argb.front());
}

}  // namespace
}  // namespace platform
