#include "assetgen/pictures/colour.h"

#include <algorithm>
#include <cmath>

namespace assetgen::pictures {

namespace {
double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
std::uint32_t Byte(double v) { return static_cast<std::uint32_t>(std::lround(Clamp01(v) * 255.0)); }
}  // namespace

Rgba Mix(const Rgba& from, const Rgba& to, double t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Rgba WithAlpha(const Rgba& c, double alpha) { return {c.r, c.g, c.b, alpha}; }

Rgba Scale(const Rgba& c, double brightness) { return {c.r * brightness, c.g * brightness, c.b * brightness, c.a}; }

void SetSource(cairo_t* cr, const Rgba& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void AddStop(cairo_pattern_t* pattern, double offset, const Rgba& c) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, c.a);
}

std::uint32_t ToPixel(const Rgba& c) {
    const double a = Clamp01(c.a);
    return (Byte(a) << 24) | (Byte(c.r * a) << 16) | (Byte(c.g * a) << 8) | Byte(c.b * a);
}

Rgba FromPixel(std::uint32_t p) {
    const double a = (p >> 24) / 255.0;
    if (a <= 0.0) return {0, 0, 0, 0};
    return {((p >> 16) & 0xFF) / 255.0 / a, ((p >> 8) & 0xFF) / 255.0 / a, (p & 0xFF) / 255.0 / a, a};
}

}  // namespace assetgen::pictures
