#include "platform/gfx/image.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <utility>

namespace platform {

namespace {

// Larger than any texture the hardware takes; a header claiming more is treated as corrupt rather
// than allowed to ask for gigabytes.
constexpr png_uint_32 kMaxDimension = 16384;
// Deflate never expands more than about 1032 to 1: rows that would need more than that from the whole
// file cannot be in it, however the header sizes them.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

struct MemoryReader {
    const unsigned char* data;
    std::size_t size;
    std::size_t offset;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset) png_error(png, "unexpected end of file");
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

void IgnoreWarning(png_structp, png_const_charp) {}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0) return false;
    bytes->resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes->data()), size);
    return in.gcount() == size;
}

// Decodes to 32-bit ARGB words: libpng writes B, G, R, A bytes, which is 0xAARRGGBB read as a
// little-endian word; on a big-endian host it writes A, R, G, B instead. Everything with a destructor lives
// in the caller, so the long jump libpng makes on an error leaves nothing unwound.
bool DecodeArgb(MemoryReader* reader, std::vector<std::uint32_t>* argb, png_uint_32* width, png_uint_32* height) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    // Row pointers are filled after the jump point; keep them where the jump cannot lose them.
    png_bytep* volatile rows = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        std::free(rows);
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, reader, ReadFromMemory);
    png_set_user_limits(png, kMaxDimension, kMaxDimension);
    png_read_info(png, info);
    // The size is judged before the rows are allocated, so a corrupt header cannot cost gigabytes (the
    // user limits have already kept both dimensions within kMaxDimension).
    const auto fileWidth = static_cast<int>(png_get_image_width(png, info));
    const auto fileHeight = static_cast<int>(png_get_image_height(png, info));
    const std::uint64_t texturePixels = std::uint64_t{static_cast<unsigned>(NextPowerOfTwo(fileWidth))} *
                                        static_cast<unsigned>(NextPowerOfTwo(fileHeight));
    if (texturePixels > kMaxTexturePixels) png_error(png, "picture too large");
    if (std::uint64_t{png_get_rowbytes(png, info)} * static_cast<unsigned>(fileHeight) >
        reader->size * kMaxDeflateRatio) {
        png_error(png, "rows larger than the file can hold");
    }

    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    // Palette to RGB, grey below 8 bits to 8, and tRNS to a real alpha channel.
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (bitDepth == 16) png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if constexpr (std::endian::native == std::endian::little) {
        png_set_bgr(png);
        if (!(colourType & PNG_COLOR_MASK_ALPHA)) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    } else {
        png_set_swap_alpha(png);
        if (!(colourType & PNG_COLOR_MASK_ALPHA)) png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(*width) * 4) png_error(png, "unexpected layout");

    // An allocation failure is turned into a libpng error here, outside any handler, so that the only way
    // out of this function on an error stays the long jump.
    bool allocated = true;
    try {
        argb->resize(static_cast<std::size_t>(*width) * *height);
    } catch (const std::bad_alloc&) {
        allocated = false;
    }
    if (allocated) rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * *height));
    if (!rows) png_error(png, "out of memory");
    for (png_uint_32 y = 0; y < *height; ++y) {
        rows[y] = reinterpret_cast<png_bytep>(argb->data() + static_cast<std::size_t>(y) * *width);
    }
    png_read_image(png, rows);
    png_read_end(png, nullptr);

    std::free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

struct Tap {
    int i0, i1;
    float f;  // weight of i1
};

// Where each destination pixel centre falls between two source pixel centres.
std::vector<Tap> LinearTaps(int srcSize, int dstSize) {
    std::vector<Tap> taps(static_cast<std::size_t>(dstSize));
    const float ratio = static_cast<float>(srcSize) / static_cast<float>(dstSize);
    for (int d = 0; d < dstSize; ++d) {
        const float s = std::max(0.0f, (static_cast<float>(d) + 0.5f) * ratio - 0.5f);
        const int i0 = std::min(static_cast<int>(s), srcSize - 1);
        taps[static_cast<std::size_t>(d)] = {i0, std::min(i0 + 1, srcSize - 1), s - static_cast<float>(i0)};
    }
    return taps;
}

void ScaleRowsHorizontally(const std::vector<float>& src, int srcW, int h, std::vector<float>* dst, int dstW) {
    dst->assign(static_cast<std::size_t>(dstW) * h * 4, 0.0f);
    const std::vector<Tap> taps = LinearTaps(srcW, dstW);
    for (int y = 0; y < h; ++y) {
        const float* row = &src[static_cast<std::size_t>(y) * srcW * 4];
        float* o = &(*dst)[static_cast<std::size_t>(y) * dstW * 4];
        for (const Tap& t : taps) {
            for (int c = 0; c < 4; ++c) {
                const float a = row[t.i0 * 4 + c], b = row[t.i1 * 4 + c];
                *o++ = a + (b - a) * t.f;
            }
        }
    }
}

void ScaleColumnsVertically(const std::vector<float>& src, int w, int srcH, std::vector<float>* dst, int dstH) {
    dst->assign(static_cast<std::size_t>(w) * dstH * 4, 0.0f);
    const std::vector<Tap> taps = LinearTaps(srcH, dstH);
    float* o = dst->data();
    for (const Tap& t : taps) {
        const float* a = &src[static_cast<std::size_t>(t.i0) * w * 4];
        const float* b = &src[static_cast<std::size_t>(t.i1) * w * 4];
        for (int i = 0; i < w * 4; ++i) *o++ = a[i] + (b[i] - a[i]) * t.f;
    }
}

std::uint32_t Average4(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    // Two channels at a time in 16-bit lanes: four 8-bit values sum to at most 1020.
    constexpr std::uint32_t kMask = 0x00FF00FFu;
    const std::uint32_t rb = (a & kMask) + (b & kMask) + (c & kMask) + (d & kMask) + 0x00020002u;
    const std::uint32_t ag =
        ((a >> 8) & kMask) + ((b >> 8) & kMask) + ((c >> 8) & kMask) + ((d >> 8) & kMask) + 0x00020002u;
    return ((rb >> 2) & kMask) | (((ag >> 2) & kMask) << 8);
}

// HalveBox where both sides are even, as every level of a power-of-two chain above 1 x n is: no pixel
// needs clamping, so the loop runs straight through and the compiler can vectorise it.
void HalveEvenBox(const Image& src, Image* dst) {
    for (int y = 0; y < dst->height; ++y) {
        const std::uint32_t* r0 = &src.argb[static_cast<std::size_t>(2 * y) * src.width];
        const std::uint32_t* r1 = r0 + src.width;
        std::uint32_t* out = &dst->argb[static_cast<std::size_t>(y) * dst->width];
        for (int x = 0; x < dst->width; ++x) out[x] = Average4(r0[2 * x], r0[2 * x + 1], r1[2 * x], r1[2 * x + 1]);
    }
}

Image HalveBox(const Image& src) {
    Image dst;
    dst.width = std::max(1, src.width / 2);
    dst.height = std::max(1, src.height / 2);
    dst.argb.resize(static_cast<std::size_t>(dst.width) * dst.height);
    if (src.width % 2 == 0 && src.height % 2 == 0) {
        HalveEvenBox(src, &dst);
        return dst;
    }
    for (int y = 0; y < dst.height; ++y) {
        // A dimension already at 1 (or an odd last pixel) takes the same source line twice.
        const int y0 = std::min(2 * y, src.height - 1);
        const int y1 = std::min(2 * y + 1, src.height - 1);
        const std::uint32_t* r0 = &src.argb[static_cast<std::size_t>(y0) * src.width];
        const std::uint32_t* r1 = &src.argb[static_cast<std::size_t>(y1) * src.width];
        std::uint32_t* out = &dst.argb[static_cast<std::size_t>(y) * dst.width];
        for (int x = 0; x < dst.width; ++x) {
            const int x0 = std::min(2 * x, src.width - 1);
            const int x1 = std::min(2 * x + 1, src.width - 1);
            out[x] = Average4(r0[x0], r0[x1], r1[x0], r1[x1]);
        }
    }
    return dst;
}

}  // namespace

bool DecodePng(const std::uint8_t* bytes, std::size_t size, Image* out) {
    if (!bytes || !out || size < 8 || png_sig_cmp(bytes, 0, 8) != 0) return false;
    MemoryReader reader{bytes, size, 0};
    Image image;
    png_uint_32 width = 0, height = 0;
    if (!DecodeArgb(&reader, &image.argb, &width, &height)) return false;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    *out = std::move(image);
    return true;
}

bool LoadPng(const std::string& path, Image* out) {
    std::vector<unsigned char> file;
    if (!ReadWholeFile(path, &file)) return false;
    return DecodePng(file.data(), file.size(), out);
}

bool SavePng(const std::string& path, const Image& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.argb.size() != static_cast<std::size_t>(image.width) * image.height) {
        return false;
    }
    std::vector<unsigned char> rgba(image.argb.size() * 4);
    for (std::size_t i = 0; i < image.argb.size(); ++i) {
        const std::uint32_t p = image.argb[i];
        rgba[i * 4 + 0] = static_cast<unsigned char>(p >> 16);
        rgba[i * 4 + 1] = static_cast<unsigned char>(p >> 8);
        rgba[i * 4 + 2] = static_cast<unsigned char>(p);
        rgba[i * 4 + 3] = static_cast<unsigned char>(p >> 24);
    }
    png_image desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.version = PNG_IMAGE_VERSION;
    desc.width = static_cast<png_uint_32>(image.width);
    desc.height = static_cast<png_uint_32>(image.height);
    desc.format = PNG_FORMAT_RGBA;
    const int ok = png_image_write_to_file(&desc, path.c_str(), 0, rgba.data(), 0, nullptr);
    png_image_free(&desc);
    if (!ok) std::remove(path.c_str());
    return ok != 0;
}

int NextPowerOfTwo(int n) {
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

// Linear interpolation between pixel centres, one axis at a time, edges clamped rather than wrapped so
// that a picture's border does not pick up its opposite side. The four channels, alpha included, are
// interpolated independently.
Image ScaleToPowerOfTwo(const Image& image) {
    const int w = NextPowerOfTwo(image.width);
    const int h = NextPowerOfTwo(image.height);
    if (image.width <= 0 || image.height <= 0 || (w == image.width && h == image.height)) return image;

    std::vector<float> src(image.argb.size() * 4);
    for (std::size_t i = 0; i < image.argb.size(); ++i) {
        const std::uint32_t p = image.argb[i];
        for (int c = 0; c < 4; ++c) src[i * 4 + c] = static_cast<float>((p >> (8 * c)) & 0xFF);
    }
    std::vector<float> wide, tall;
    ScaleRowsHorizontally(src, image.width, image.height, &wide, w);
    ScaleColumnsVertically(wide, w, image.height, &tall, h);

    Image out;
    out.width = w;
    out.height = h;
    out.argb.resize(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < out.argb.size(); ++i) {
        std::uint32_t p = 0;
        for (int c = 0; c < 4; ++c) {
            const float v = std::clamp(tall[i * 4 + c], 0.0f, 255.0f);
            p |= static_cast<std::uint32_t>(v + 0.5f) << (8 * c);
        }
        out.argb[i] = p;
    }
    return out;
}

Image ScaleToPowerOfTwo(Image&& image) {
    if (NextPowerOfTwo(image.width) == image.width && NextPowerOfTwo(image.height) == image.height) {
        return std::move(image);
    }
    return ScaleToPowerOfTwo(static_cast<const Image&>(image));
}

void ApplyColourKey(Image* image, std::uint32_t key) {
    if (key == kNoColourKey) return;
    // Every pixel is written, key or not, so the loop has no branch and vectorises.
    for (std::uint32_t& p : image->argb) p = p == key ? 0u : p;
}

std::vector<Image> BuildMipChain(const Image& level0) { return BuildMipChain(Image(level0)); }

std::vector<Image> BuildMipChain(Image&& level0) {
    std::vector<Image> chain;
    chain.push_back(std::move(level0));
    while (chain.back().width > 1 || chain.back().height > 1) chain.push_back(HalveBox(chain.back()));
    return chain;
}

}  // namespace platform
