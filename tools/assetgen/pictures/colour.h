#pragma once
// Colours as the pictures use them: straight (not premultiplied) RGBA in 0..1, and the palette that
// keeps the whole set looking like one game.

#include <cairo.h>

#include <cstdint>

namespace assetgen::pictures {

struct Rgba {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    double a = 1.0;
};

constexpr Rgba Hex(std::uint32_t rgb, double alpha = 1.0) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Rgba Mix(const Rgba& from, const Rgba& to, double t);
Rgba WithAlpha(const Rgba& c, double alpha);
Rgba Scale(const Rgba& c, double brightness);  // brightness of the colour, alpha unchanged

void SetSource(cairo_t* cr, const Rgba& c);
void AddStop(cairo_pattern_t* pattern, double offset, const Rgba& c);
// A premultiplied 0xAARRGGBB pixel, the layout of Cairo's ARGB32 surfaces.
std::uint32_t ToPixel(const Rgba& c);
Rgba FromPixel(std::uint32_t premultiplied);

// The instrument panel: cool cyan on dark, warm accents for warnings.
namespace palette {
inline constexpr Rgba kCyan = Hex(0x2FE0FF);
inline constexpr Rgba kCyanBright = Hex(0xB8F6FF);
inline constexpr Rgba kCyanDeep = Hex(0x0E5C7A);
inline constexpr Rgba kPanel = Hex(0x0C1824);
inline constexpr Rgba kPanelLight = Hex(0x1D3447);
inline constexpr Rgba kSteel = Hex(0x5B7184);
inline constexpr Rgba kAmber = Hex(0xFF9B2F);
inline constexpr Rgba kGold = Hex(0xFFD45E);
inline constexpr Rgba kWarnRed = Hex(0xFF3D3D);
inline constexpr Rgba kWhiteHot = Hex(0xF4FBFF);
inline constexpr Rgba kMagenta = Hex(0xFF4FD8);
inline constexpr Rgba kViolet = Hex(0x8C5CFF);
inline constexpr Rgba kIndigo = Hex(0x1A1450);
}  // namespace palette

}  // namespace assetgen::pictures
