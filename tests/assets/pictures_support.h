#pragma once
// Looking at the generated pictures the way the game loads them: decoded by platform::LoadPng from
// the build's data folder, keyed by platform::ApplyColourKey and sized by ScaleToPowerOfTwo, with
// a few measurements over rectangles that the picture tests share.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/image.h"

namespace picture_tests {

// (left, top, right, bottom) in texels, right and bottom exclusive, as the sprite source rectangles.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Expected {
    const char* name;  // in t\, without ".png"
    int width;
    int height;
    std::uint32_t key;  // the colour key the game loads it with
};

// Every picture the game loads, with the size we promise and the key it is loaded with.
const std::vector<Expected>& ExpectedPictures();

std::string PicturePath(const std::string& name);
// The raw decoded file, and the texture the loader makes of it (key, then power-of-two scaling).
// Both fail the calling test and return nullopt when the file does not decode.
std::optional<platform::Image> LoadRaw(const std::string& name);
std::optional<platform::Image> LoadAsTexture(const std::string& name, std::uint32_t key);

inline std::uint32_t AlphaOf(std::uint32_t argb) { return argb >> 24; }

int CountVisible(const platform::Image& image, const Rect& r, std::uint32_t aboveAlpha = 0);
int CountOpaque(const platform::Image& image, const Rect& r);  // alpha 255
int CountEqual(const platform::Image& image, const Rect& r, std::uint32_t argb);
// The smallest rectangle holding every texel of r whose alpha is above `aboveAlpha` (every visible
// one by default); nullopt when there is none.
std::optional<Rect> VisibleBounds(const platform::Image& image, const Rect& r, std::uint32_t aboveAlpha = 0);
bool SamePixels(const platform::Image& image, const Rect& a, const Rect& b);

// How much the picture jumps across its wrap seam compared with the largest step between
// neighbouring rows (or columns) inside it: at most 1 for a picture that tiles, well above it for
// one that does not.
double SeamRatio(const platform::Image& image, bool acrossRows);

}  // namespace picture_tests
