#pragma once
// Pictures decoded for use as textures: 32-bit ARGB pixels (0xAARRGGBB in a uint32_t).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // row by row, top row first

    std::uint32_t At(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};

// Colour keys the loaders use: every pixel exactly equal to the key becomes 0x00000000.
inline constexpr std::uint32_t kColourKeyBlack = 0xFF000000u;
inline constexpr std::uint32_t kColourKeyWhite = 0xFFFFFFFFu;
inline constexpr std::uint32_t kNoColourKey = 0u;

// Largest texture a picture may become once scaled to powers of two (4096 x 4096, 64 MB of ARGB). The
// scaling and the mip chain need several times that in passing, so larger pictures are refused as
// corrupt before anything is allocated for them.
inline constexpr std::size_t kMaxTexturePixels = std::size_t{4096} * 4096;

// Decodes a PNG file of any colour type and depth (palette, grey, alpha, 16-bit) to ARGB. False for
// anything that is not a whole, valid PNG, and for a picture whose power-of-two texture would exceed
// kMaxTexturePixels; `out` is then left as it was.
bool DecodePng(const std::uint8_t* bytes, std::size_t size, Image* out);
// The same, from a file.
bool LoadPng(const std::string& path, Image* out);
bool SavePng(const std::string& path, const Image& image);

int NextPowerOfTwo(int n);
// Scales to the next power of two in each dimension with a linear (tent) filter, as the texture
// loader does for pictures of other sizes. A picture already of power-of-two size is returned as is.
Image ScaleToPowerOfTwo(const Image& image);
// The same, reusing the picture's pixels when no scaling is needed.
Image ScaleToPowerOfTwo(Image&& image);
// Compares the key with the file's own pixels, so it is applied before ScaleToPowerOfTwo and the mips.
void ApplyColourKey(Image* image, std::uint32_t key);
// Level 0 is the image itself; each next level halves (at least 1 x 1) with a box filter, down to 1 x 1.
std::vector<Image> BuildMipChain(const Image& level0);
// The same, taking over the picture as level 0 instead of copying it.
std::vector<Image> BuildMipChain(Image&& level0);

}  // namespace platform
