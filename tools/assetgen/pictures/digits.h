#pragma once
// The digit glyphs of the score and gauges: segmented instrument digits.

#include <cairo.h>

namespace assetgen::pictures {

struct DigitStyle {
    double thickness = 4.0;  // segment thickness in pixels
    double gap = 0.6;        // space between neighbouring segments
    double slant = 0.0;      // sideways lean per pixel of height (italic instruments lean right)
    bool pointed = true;     // hexagonal segment ends; false gives plain pixel-aligned bars
};

// Adds the lit segments of digit 0..9 inside the box to the current path.
void DigitPath(cairo_t* cr, int digit, double x, double y, double w, double h, const DigitStyle& style);

}  // namespace assetgen::pictures
