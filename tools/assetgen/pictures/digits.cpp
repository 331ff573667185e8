#include "assetgen/pictures/digits.h"

namespace assetgen::pictures {

namespace {

// Segment bits: a top, b upper right, c lower right, d bottom, e lower left, f upper left, g middle.
constexpr unsigned kA = 1, kB = 2, kC = 4, kD = 8, kE = 16, kF = 32, kG = 64;
constexpr unsigned kSegments[10] = {
    kA | kB | kC | kD | kE | kF,       // 0
    kB | kC,                           // 1
    kA | kB | kG | kE | kD,            // 2
    kA | kB | kG | kC | kD,            // 3
    kF | kG | kB | kC,                 // 4
    kA | kF | kG | kC | kD,            // 5
    kA | kF | kG | kE | kC | kD,       // 6
    kA | kB | kC,                      // 7
    kA | kB | kC | kD | kE | kF | kG,  // 8
    kA | kB | kC | kD | kF | kG,       // 9
};

struct Frame {
    double x, y, h, slant;
    void Point(cairo_t* cr, double px, double py, bool first) const {
        const double sx = x + px + slant * (h - py);
        if (first) {
            cairo_move_to(cr, sx, y + py);
        } else {
            cairo_line_to(cr, sx, y + py);
        }
    }
};

void Horizontal(cairo_t* cr, const Frame& f, double x0, double x1, double yc, double t, double gap, bool pointed) {
    const double h = t / 2.0;
    if (pointed) {
        f.Point(cr, x0 + gap, yc, true);
        f.Point(cr, x0 + gap + h, yc - h, false);
        f.Point(cr, x1 - gap - h, yc - h, false);
        f.Point(cr, x1 - gap, yc, false);
        f.Point(cr, x1 - gap - h, yc + h, false);
        f.Point(cr, x0 + gap + h, yc + h, false);
    } else {
        f.Point(cr, x0, yc - h, true);
        f.Point(cr, x1, yc - h, false);
        f.Point(cr, x1, yc + h, false);
        f.Point(cr, x0, yc + h, false);
    }
    cairo_close_path(cr);
}

void Vertical(cairo_t* cr, const Frame& f, double xc, double y0, double y1, double t, double gap, bool pointed) {
    const double h = t / 2.0;
    if (pointed) {
        f.Point(cr, xc, y0 + gap, true);
        f.Point(cr, xc + h, y0 + gap + h, false);
        f.Point(cr, xc + h, y1 - gap - h, false);
        f.Point(cr, xc, y1 - gap, false);
        f.Point(cr, xc - h, y1 - gap - h, false);
        f.Point(cr, xc - h, y0 + gap + h, false);
    } else {
        f.Point(cr, xc - h, y0, true);
        f.Point(cr, xc + h, y0, false);
        f.Point(cr, xc + h, y1, false);
        f.Point(cr, xc - h, y1, false);
    }
    cairo_close_path(cr);
}

}  // namespace

void DigitPath(cairo_t* cr, int digit, double x, double y, double w, double h, const DigitStyle& s) {
    if (digit < 0 || digit > 9) return;
    const unsigned lit = kSegments[digit];
    const double t = s.thickness;
    const double inner = w - s.slant * h;  // width of the upright shape before the lean
    const Frame f{x, y, h, s.slant};
    const double left = t / 2.0;
    const double right = inner - t / 2.0;
    const double top = t / 2.0;
    const double mid = h / 2.0;
    const double bottom = h - t / 2.0;
    // Plain bars run the full width so that small pixel digits have solid corners.
    const double hx0 = s.pointed ? left : 0.0;
    const double hx1 = s.pointed ? right : inner;
    const double vTop = s.pointed ? top : 0.0;
    const double vBottom = s.pointed ? bottom : h;
    cairo_new_sub_path(cr);
    if (lit & kA) Horizontal(cr, f, hx0, hx1, top, t, s.gap, s.pointed);
    if (lit & kG) Horizontal(cr, f, hx0, hx1, mid, t, s.gap, s.pointed);
    if (lit & kD) Horizontal(cr, f, hx0, hx1, bottom, t, s.gap, s.pointed);
    if (lit & kF) Vertical(cr, f, left, vTop, s.pointed ? mid : mid + t / 2, t, s.gap, s.pointed);
    if (lit & kB) Vertical(cr, f, right, vTop, s.pointed ? mid : mid + t / 2, t, s.gap, s.pointed);
    if (lit & kE) Vertical(cr, f, left, s.pointed ? mid : mid - t / 2, vBottom, t, s.gap, s.pointed);
    if (lit & kC) Vertical(cr, f, right, s.pointed ? mid : mid - t / 2, vBottom, t, s.gap, s.pointed);
}

}  // namespace assetgen::pictures
