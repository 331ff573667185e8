#pragma once
// A picture being drawn: an ARGB32 Cairo surface with its context, and the steps that turn it into
// the bytes of a PNG file the game's texture loader reads the way we mean it to.

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace assetgen::pictures {

// Which pixels the game's loader turns transparent when it loads the picture.
enum class ColourKey {
    kBlack,  // exactly opaque black (the default of the texture loaders)
    kWhite,  // exactly opaque white (the console as the HUD loads it, the unused stage-2 backdrop)
    kNone,   // loaded without a key: only the PNG alpha channel makes pixels transparent
};

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Premultiplied 0xAARRGGBB pixels of one row. Call Flush before reading what Cairo drew and
    // MarkDirty after writing, before Cairo draws again.
    std::uint32_t* Row(int y);
    const std::uint32_t* Row(int y) const;
    void Flush();
    void MarkDirty();

private:
    int width_ = 0;
    int height_ = 0;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

// Resamples a whole picture to another size with a smooth filter. Full-screen art is drawn at the
// 800 x 600 it is shown at and stretched to its 1024-wide file, so that the game's uneven sprite
// scale brings circles back to round.
Canvas Resample(const Canvas& source, int width, int height);

// Fills what is transparent with the key colour and moves opaque pixels that happen to equal the
// key one step away from it, so that the loader hides exactly what we left empty.
void ApplyKeyRules(Canvas& canvas, ColourKey key);

// The PNG file (RGB when every pixel is opaque, RGBA otherwise), zlib level 0..9.
std::vector<std::uint8_t> EncodePng(Canvas& canvas, int compression = 1);
// The same pixels in a file made to be read fast by the game at start-up rather than to be small:
// only row filters that undo cheaply, the strongest deflate, and rows stored as they are where deflate
// cannot shrink them much.
std::vector<std::uint8_t> EncodeGamePng(Canvas& canvas);

}  // namespace assetgen::pictures
