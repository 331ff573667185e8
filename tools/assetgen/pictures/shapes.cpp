#include "assetgen/pictures/shapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen::pictures {

void ChamferPath(cairo_t* cr, double x, double y, double w, double h, double tl, double tr, double br, double bl) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, x + tl, y);
    cairo_line_to(cr, x + w - tr, y);
    cairo_line_to(cr, x + w, y + tr);
    cairo_line_to(cr, x + w, y + h - br);
    cairo_line_to(cr, x + w - br, y + h);
    cairo_line_to(cr, x + bl, y + h);
    cairo_line_to(cr, x, y + h - bl);
    cairo_line_to(cr, x, y + tl);
    cairo_close_path(cr);
}

void ChamferPath(cairo_t* cr, double x, double y, double w, double h, double cut) {
    ChamferPath(cr, x, y, w, h, cut, cut, cut, cut);
}

void BevelPanel(cairo_t* cr, double x, double y, double w, double h, double cut, const PanelStyle& s) {
    cairo_save(cr);
    cairo_new_path(cr);
    ChamferPath(cr, x, y, w, h, cut);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(body, 0.0, s.top);
    AddStop(body, 1.0, s.bottom);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    cairo_clip(cr);
    // Bevel: a light band along the top and left, a shade along the bottom and right.
    const double b = s.bevel;
    if (b > 0.0) {
        cairo_set_line_width(cr, b * 2.0);
        SetSource(cr, s.shade);
        cairo_move_to(cr, x + w, y);
        cairo_line_to(cr, x + w, y + h);
        cairo_line_to(cr, x, y + h);
        cairo_stroke(cr);
        SetSource(cr, s.light);
        cairo_move_to(cr, x, y + h);
        cairo_line_to(cr, x, y);
        cairo_line_to(cr, x + w, y);
        cairo_stroke(cr);
    }
    cairo_reset_clip(cr);
    if (s.rimWidth > 0.0) {
        const double in = s.rimWidth / 2.0;
        cairo_new_path(cr);
        ChamferPath(cr, x + in, y + in, w - 2 * in, h - 2 * in, std::max(0.0, cut - in * 0.6));
        SetSource(cr, s.rim);
        cairo_set_line_width(cr, s.rimWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void SoftDisc(cairo_t* cr, double cx, double cy, double radius, const Rgba& core, const Rgba& mid, double midAt) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    AddStop(p, 0.0, core);
    AddStop(p, midAt, mid);
    AddStop(p, 1.0, WithAlpha(mid, 0.0));
    cairo_set_source(cr, p);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Sparkle(cairo_t* cr, double cx, double cy, double size, double angle, const Rgba& colour) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    for (int i = 0; i < 2; ++i) {
        const double len = i == 0 ? size : size * 0.7;
        const double thick = size * 0.08;
        cairo_new_path(cr);
        cairo_move_to(cr, -len, 0);
        cairo_curve_to(cr, -thick, -thick, -thick, -thick, 0, -thick * 1.3);
        cairo_curve_to(cr, thick, -thick, thick, -thick, len, 0);
        cairo_curve_to(cr, thick, thick, thick, thick, 0, thick * 1.3);
        cairo_curve_to(cr, -thick, thick, -thick, thick, -len, 0);
        cairo_close_path(cr);
        SetSource(cr, colour);
        cairo_fill(cr);
        cairo_rotate(cr, kPi / 2);
    }
    cairo_restore(cr);
    SoftDisc(cr, cx, cy, size * 0.45, WithAlpha(colour, colour.a), WithAlpha(colour, colour.a * 0.35), 0.3);
}

void TickRing(cairo_t* cr, double cx, double cy, double r0, double r1, int count, double width, const Rgba& c) {
    cairo_new_path(cr);
    for (int i = 0; i < count; ++i) {
        const double a = 2 * kPi * i / count;
        cairo_move_to(cr, cx + r0 * std::cos(a), cy + r0 * std::sin(a));
        cairo_line_to(cr, cx + r1 * std::cos(a), cy + r1 * std::sin(a));
    }
    SetSource(cr, c);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_stroke(cr);
}

void DashedRing(cairo_t* cr, double cx, double cy, double r, int count, double fill, double width, double phase,
                const Rgba& c) {
    const double slot = 2 * kPi / count;
    for (int i = 0; i < count; ++i) {
        const double a0 = phase + slot * i;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r, a0, a0 + slot * fill);
        SetSource(cr, c);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
    }
}

void LightningPath(cairo_t* cr, Rng& rng, double x0, double y0, double x1, double y1, double jag, int depth) {
    const int steps = 9;
    double px = x0;
    double py = y0;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double nx = -dy / len;
    const double ny = dx / len;
    cairo_move_to(cr, px, py);
    for (int i = 1; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double off = i == steps ? 0.0 : rng.Range(-jag, jag);
        const double qx = x0 + dx * t + nx * off;
        const double qy = y0 + dy * t + ny * off;
        cairo_line_to(cr, qx, qy);
        if (depth > 0 && i < steps - 1 && rng.Uniform() < 0.3) {
            const double forkLen = len * rng.Range(0.15, 0.3);
            const double side = rng.Uniform() < 0.5 ? -1.0 : 1.0;
            const double fx = qx + (dx / len * 0.7 + nx * side * 0.7) * forkLen;
            const double fy = qy + (dy / len * 0.7 + ny * side * 0.7) * forkLen;
            LightningPath(cr, rng, qx, qy, fx, fy, jag * 0.5, depth - 1);
            cairo_move_to(cr, qx, qy);
        }
        px = qx;
        py = qy;
    }
}

void HazardStripes(cairo_t* cr, double x, double y, double w, double h, double stripe, const Rgba& a, const Rgba& b) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    SetSource(cr, a);
    cairo_paint(cr);
    SetSource(cr, b);
    for (double s = x - h; s < x + w + h; s += stripe * 2) {
        cairo_move_to(cr, s, y + h);
        cairo_line_to(cr, s + h, y);
        cairo_line_to(cr, s + h + stripe, y);
        cairo_line_to(cr, s + stripe, y + h);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double angle) {
    cairo_new_sub_path(cr);
    const int n = inner > 0.0 ? points * 2 : points;
    for (int i = 0; i < n; ++i) {
        const double r = (inner > 0.0 && i % 2 == 1) ? inner : outer;
        const double a = angle + 2 * kPi * i / n;
        const double px = cx + r * std::cos(a);
        const double py = cy + r * std::sin(a);
        if (i == 0) {
            cairo_move_to(cr, px, py);
        } else {
            cairo_line_to(cr, px, py);
        }
    }
    cairo_close_path(cr);
}

void StrokeCornerBrackets(cairo_t* cr, double x0, double y0, double x1, double y1, double len, double width) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0 + len);
    cairo_line_to(cr, x0, y0);
    cairo_line_to(cr, x0 + len, y0);
    cairo_move_to(cr, x1 - len, y0);
    cairo_line_to(cr, x1, y0);
    cairo_line_to(cr, x1, y0 + len);
    cairo_move_to(cr, x1, y1 - len);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x1 - len, y1);
    cairo_move_to(cr, x0 + len, y1);
    cairo_line_to(cr, x0, y1);
    cairo_line_to(cr, x0, y1 - len);
    cairo_stroke(cr);
}

}  // namespace assetgen::pictures
