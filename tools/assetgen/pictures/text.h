#pragma once
// Text set in the DejaVu faces on the machine, through Cairo's own font selection.

#include <cairo.h>

#include <string_view>

#include "assetgen/pictures/canvas.h"
#include "assetgen/pictures/colour.h"

namespace assetgen::pictures {

struct Font {
    const char* family = "DejaVu Sans";
    bool bold = true;
    bool italic = false;
    double size = 20.0;
    double tracking = 0.0;  // extra space after every letter, in pixels
};

enum class Align { kLeft, kCentre, kRight };

void SelectFont(cairo_t* cr, const Font& font);
double TextWidth(cairo_t* cr, const Font& font, std::string_view text);
// Adds the outline of the text to the current path. y is the baseline; x is the left end, the
// middle or the right end by `align`.
void TextPath(cairo_t* cr, const Font& font, double x, double y, std::string_view text, Align align = Align::kLeft);

// The house style of captions: a halo, a dark outline for contrast over any scene, and a vertical
// gradient face from `top` to `bottom`.
struct TitleStyle {
    Rgba top = palette::kCyanBright;
    Rgba bottom = palette::kCyan;
    Rgba glow = WithAlpha(palette::kCyan, 0.8);
    double glowRadius = 8.0;
    double glowGain = 1.0;
    Rgba outline = Hex(0x031018, 0.9);
    double outlineWidth = 0.0;
    bool chrome = false;  // a hard horizon across the face, as on polished metal
};

void TitleText(Canvas& canvas, const Font& font, double x, double y, std::string_view text, Align align,
               const TitleStyle& style);

// Paragraph text wrapped to `width`; returns the baseline of the line after the last one.
double WrappedText(cairo_t* cr, const Font& font, double x, double y, double width, double lineHeight,
                   std::string_view text, const Rgba& colour);

}  // namespace assetgen::pictures
