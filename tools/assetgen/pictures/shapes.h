#pragma once
// Vector shapes the set is built from: chamfered instrument panels, soft light, sparkles, rings of
// marks, lightning.

#include <cairo.h>

#include "assetgen/pictures/canvas.h"
#include "assetgen/pictures/colour.h"
#include "assetgen/pictures/noise.h"

namespace assetgen::pictures {

inline constexpr double kPi = 3.14159265358979323846;

// A rectangle with its corners cut at 45 degrees; `cut` per corner, clockwise from the top left.
void ChamferPath(cairo_t* cr, double x, double y, double w, double h, double cutTopLeft, double cutTopRight,
                 double cutBottomRight, double cutBottomLeft);
void ChamferPath(cairo_t* cr, double x, double y, double w, double h, double cut);
// Brackets `len` long at the four corners of the rectangle (x0, y0)-(x1, y1), in the current source.
void StrokeCornerBrackets(cairo_t* cr, double x0, double y0, double x1, double y1, double len, double width);

struct PanelStyle {
    Rgba top = Hex(0x1B3142);
    Rgba bottom = Hex(0x08121B);
    Rgba light = WithAlpha(palette::kCyanBright, 0.55);  // upper and left edge
    Rgba shade = Hex(0x02070B, 0.8);                     // lower and right edge
    Rgba rim = WithAlpha(palette::kCyan, 0.9);
    double rimWidth = 1.5;
    double bevel = 2.0;
};

// A bevelled instrument panel: gradient body, lit upper edge, shaded lower edge and a thin rim.
void BevelPanel(cairo_t* cr, double x, double y, double w, double h, double cut, const PanelStyle& style);

// A disc of light fading from `core` at the centre to transparent at `radius`.
void SoftDisc(cairo_t* cr, double cx, double cy, double radius, const Rgba& core, const Rgba& mid, double midAt = 0.35);

// A four-pointed sparkle: two thin crossed rays and a soft centre.
void Sparkle(cairo_t* cr, double cx, double cy, double size, double angle, const Rgba& colour);

// A ring of `count` short radial ticks between radii r0 and r1.
void TickRing(cairo_t* cr, double cx, double cy, double r0, double r1, int count, double width, const Rgba& c);

// An arc segmented into `count` dashes of `fill` (0..1) of their slot each.
void DashedRing(cairo_t* cr, double cx, double cy, double r, int count, double fill, double width, double phase,
                const Rgba& c);

// A jagged bolt from (x0, y0) to (x1, y1) with forks, stroked as a glowing core.
void LightningPath(cairo_t* cr, Rng& rng, double x0, double y0, double x1, double y1, double jag, int depth);

// Diagonal warning stripes clipped to the rectangle.
void HazardStripes(cairo_t* cr, double x, double y, double w, double h, double stripe, const Rgba& a, const Rgba& b);

// A regular polygon or star outline (inner radius 0 for a plain polygon).
void StarPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double angle);

}  // namespace assetgen::pictures
