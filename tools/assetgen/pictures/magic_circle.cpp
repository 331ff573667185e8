#include "assetgen/pictures/magic_circle.h"

#include <cmath>

#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/noise.h"
#include "assetgen/pictures/shapes.h"

namespace assetgen::pictures {
namespace {

// One rune: a few strokes picked from a small alphabet of bars, ticks, dots and angles.
void Rune(cairo_t* cr, Rng& rng, double size) {
    const int kind = rng.Below(6);
    const double s = size / 2;
    cairo_new_path(cr);
    switch (kind) {
        case 0:
            cairo_move_to(cr, -s, -s);
            cairo_line_to(cr, 0, s);
            cairo_line_to(cr, s, -s);
            break;
        case 1:
            cairo_move_to(cr, 0, -s);
            cairo_line_to(cr, 0, s);
            cairo_move_to(cr, -s * 0.7, 0);
            cairo_line_to(cr, s * 0.7, 0);
            break;
        case 2:
            cairo_arc(cr, 0, 0, s * 0.6, 0, 2 * kPi);
            cairo_move_to(cr, 0, -s);
            cairo_line_to(cr, 0, -s * 0.6);
            break;
        case 3:
            cairo_move_to(cr, -s, s);
            cairo_line_to(cr, -s, -s);
            cairo_line_to(cr, s, -s);
            cairo_move_to(cr, -s, 0);
            cairo_line_to(cr, s * 0.5, 0);
            break;
        case 4:
            cairo_move_to(cr, -s, -s);
            cairo_line_to(cr, s, s);
            cairo_move_to(cr, s, -s);
            cairo_line_to(cr, s * 0.2, -s * 0.2);
            break;
        default:
            StarPath(cr, 0, 0, 3, s, 0, -kPi / 2);
            break;
    }
    cairo_stroke(cr);
}

void SigilPath(cairo_t* cr, Sigil sigil, double cx, double cy, double r) {
    cairo_new_path(cr);
    switch (sigil) {
        case Sigil::kNone:
            break;
        case Sigil::kBolt:
            cairo_move_to(cr, cx + r * 0.2, cy - r);
            cairo_line_to(cr, cx - r * 0.45, cy + r * 0.1);
            cairo_line_to(cr, cx + r * 0.05, cy + r * 0.1);
            cairo_line_to(cr, cx - r * 0.2, cy + r);
            cairo_line_to(cr, cx + r * 0.45, cy - r * 0.15);
            cairo_line_to(cr, cx - r * 0.05, cy - r * 0.15);
            cairo_close_path(cr);
            break;
        case Sigil::kSnowflake:
            for (int i = 0; i < 6; ++i) {
                const double a = i * kPi / 3;
                const double ex = cx + r * std::cos(a), ey = cy + r * std::sin(a);
                cairo_move_to(cr, cx, cy);
                cairo_line_to(cr, ex, ey);
                const double mx = cx + r * 0.6 * std::cos(a), my = cy + r * 0.6 * std::sin(a);
                for (int side = -1; side <= 1; side += 2) {
                    cairo_move_to(cr, mx, my);
                    cairo_line_to(cr, mx + r * 0.3 * std::cos(a + side * 0.8), my + r * 0.3 * std::sin(a + side * 0.8));
                }
            }
            break;
        case Sigil::kBlade:
            cairo_move_to(cr, cx, cy - r);
            cairo_line_to(cr, cx + r * 0.2, cy + r * 0.3);
            cairo_line_to(cr, cx, cy + r * 0.5);
            cairo_line_to(cr, cx - r * 0.2, cy + r * 0.3);
            cairo_close_path(cr);
            cairo_move_to(cr, cx - r * 0.6, cy + r * 0.3);
            cairo_line_to(cr, cx + r * 0.6, cy + r * 0.3);
            cairo_move_to(cr, cx, cy + r * 0.5);
            cairo_line_to(cr, cx, cy + r);
            break;
        case Sigil::kTriad:
            for (int i = 0; i < 3; ++i) {
                const double a = -kPi / 2 + i * 2 * kPi / 3;
                cairo_new_sub_path(cr);
                cairo_arc(cr, cx + r * 0.5 * std::cos(a), cy + r * 0.5 * std::sin(a), r * 0.42, 0, 2 * kPi);
            }
            break;
        case Sigil::kAperture:
            for (int i = 0; i < 6; ++i) {
                const double a = i * kPi / 3;
                cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
                cairo_line_to(cr, cx + r * 0.35 * std::cos(a + 1.2), cy + r * 0.35 * std::sin(a + 1.2));
            }
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, r * 0.35, 0, 2 * kPi);
            break;
        case Sigil::kChevronsOut:
        case Sigil::kChevronsIn:
            for (int i = 0; i < 4; ++i) {
                const double a = i * kPi / 2;
                const double dir = sigil == Sigil::kChevronsOut ? 1.0 : -1.0;
                const double tipR = r * (sigil == Sigil::kChevronsOut ? 1.0 : 0.45);
                const double backR = tipR - dir * r * 0.35;
                const double tx = cx + tipR * std::cos(a), ty = cy + tipR * std::sin(a);
                cairo_move_to(cr, cx + backR * std::cos(a - 0.45), cy + backR * std::sin(a - 0.45));
                cairo_line_to(cr, tx, ty);
                cairo_line_to(cr, cx + backR * std::cos(a + 0.45), cy + backR * std::sin(a + 0.45));
            }
            break;
        case Sigil::kCrosshair:
            cairo_arc(cr, cx, cy, r * 0.45, 0, 2 * kPi);
            for (int i = 0; i < 4; ++i) {
                const double a = i * kPi / 2;
                cairo_move_to(cr, cx + r * 0.2 * std::cos(a), cy + r * 0.2 * std::sin(a));
                cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
            }
            break;
        case Sigil::kEye:
            cairo_move_to(cr, cx - r, cy);
            cairo_curve_to(cr, cx - r * 0.4, cy - r * 0.7, cx + r * 0.4, cy - r * 0.7, cx + r, cy);
            cairo_curve_to(cr, cx + r * 0.4, cy + r * 0.7, cx - r * 0.4, cy + r * 0.7, cx - r, cy);
            cairo_close_path(cr);
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, r * 0.28, 0, 2 * kPi);
            break;
    }
}

void CircleStrokes(cairo_t* cr, double cx, double cy, double r, const CircleLook& look, double width) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (double k : {0.97, 0.8, 0.52}) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r * k, 0, 2 * kPi);
        cairo_stroke(cr);
    }
    cairo_set_line_width(cr, width * 0.5);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r * 0.91, 0, 2 * kPi);
    cairo_stroke(cr);
    // Runes in the band between the outer rings.
    Rng rng(look.seed);
    cairo_set_line_width(cr, width * 0.6);
    for (int i = 0; i < look.runes; ++i) {
        const double a = 2 * kPi * i / look.runes;
        cairo_save(cr);
        cairo_translate(cr, cx + r * 0.855 * std::cos(a), cy + r * 0.855 * std::sin(a));
        cairo_rotate(cr, a + kPi / 2);
        Rune(cr, rng, r * 0.075);
        cairo_restore(cr);
    }
    cairo_set_line_width(cr, width);
    if (look.starPoints > 0) {
        const int n = look.starPoints;
        cairo_new_path(cr);
        if (n == 6) {
            StarPath(cr, cx, cy, 3, r * 0.8, 0, -kPi / 2);
            StarPath(cr, cx, cy, 3, r * 0.8, 0, kPi / 2);
        } else {
            for (int i = 0; i <= n; ++i) {
                const double a = -kPi / 2 + 2 * kPi * (i * 2 % n) / n;
                if (i == 0) {
                    cairo_move_to(cr, cx + r * 0.8 * std::cos(a), cy + r * 0.8 * std::sin(a));
                } else {
                    cairo_line_to(cr, cx + r * 0.8 * std::cos(a), cy + r * 0.8 * std::sin(a));
                }
            }
        }
        cairo_stroke(cr);
    }
    TickRing(cr, cx, cy, r * 0.44, r * 0.52, 36, width * 0.5, look.line);
    SigilPath(cr, look.sigil, cx, cy, r * 0.36);
    cairo_stroke(cr);
}

}  // namespace

void MagicCircle(Canvas& canvas, double cx, double cy, double r, const CircleLook& look) {
    cairo_t* cr = canvas.cr();
    if (look.fill.a > 0.0) {
        cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
        AddStop(p, 0.0, look.fill);
        AddStop(p, 0.8, WithAlpha(look.fill, look.fill.a * 0.85));
        AddStop(p, 1.0, WithAlpha(look.fill, 0.0));
        cairo_set_source(cr, p);
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    const double width = std::max(1.5, r * 0.025);
    Glow(
        canvas, WithAlpha(look.glow, 0.9), r * 0.06,
        [&](cairo_t* g) { CircleStrokes(g, cx, cy, r, look, width * 2.2); }, 1.5);
    SetSource(cr, look.line);
    CircleStrokes(cr, cx, cy, r, look, width);
}

}  // namespace assetgen::pictures
