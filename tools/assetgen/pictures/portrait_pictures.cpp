// The boss introductions: a warning caption, a holographic target analysis of the boss and its
// data plate, each cut out of its picture by fixed rectangles and shown at half opacity.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "assetgen/pictures/catalogue.h"
#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/hud_layout.h"
#include "assetgen/pictures/shapes.h"
#include "assetgen/pictures/text.h"

namespace assetgen::pictures {
namespace {

using hud::Rect;

struct Dossier {
    const char* name;
    const char* kind;
    const char* warning;
    const char* advice;
    int threat;  // 1..5
    Rect caption;
    Rect analysis;
    Rect plate;
    std::function<void(cairo_t*)> schematic;  // drawn around (0, 0), about 200 units tall
    const char* callouts[2];
};

const Rgba kLine = Hex(0x9FF2FF);
const Rgba kGlow = Hex(0x1FC8FF, 0.9);

void Caption(Canvas& c, const Rect& r, const char* line) {
    cairo_t* cr = c.cr();
    const double x = r.left + 2, y = r.top + 2, w = r.Width() - 4, h = r.Height() - 4;
    cairo_save(cr);
    cairo_new_path(cr);
    ChamferPath(cr, x, y, w, h, 10);
    cairo_clip(cr);
    SetSource(cr, Hex(0x1A0604, 0.85));
    cairo_paint(cr);
    HazardStripes(cr, x, y, w, 9, 8, Hex(0xFF8A1A), Hex(0x1A0604));
    HazardStripes(cr, x, y + h - 9, w, 9, 8, Hex(0xFF8A1A), Hex(0x1A0604));
    cairo_restore(cr);
    TitleStyle s;
    s.top = Hex(0xFFF0D8);
    s.bottom = Hex(0xFF3A2A);
    s.chrome = true;
    s.glow = Hex(0xFF2A1A, 0.9);
    s.glowRadius = 8;
    s.outline = Hex(0x1A0200, 0.95);
    s.outlineWidth = 3;
    TitleText(c, Font{"DejaVu Sans", true, true, 32, 5}, x + w / 2, y + 44, "WARNING", Align::kCentre, s);
    SetSource(cr, Hex(0xFFC080));
    cairo_new_path(cr);
    TextPath(cr, Font{"DejaVu Sans", true, false, 11, 2.5}, x + w / 2, y + 62, line, Align::kCentre);
    cairo_fill(cr);
}

void HoloPanel(Canvas& c, double x, double y, double w, double h) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_new_path(cr);
    ChamferPath(cr, x, y, w, h, 16, 0, 16, 0);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(p, 0.0, Hex(0x06283A, 0.85));
    AddStop(p, 1.0, Hex(0x030E18, 0.85));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_clip_preserve(cr);
    SetSource(cr, Hex(0x2FB8E8, 0.12));
    for (double gx = x; gx < x + w; gx += 20) cairo_rectangle(cr, gx, y, 1, h);
    for (double gy = y; gy < y + h; gy += 20) cairo_rectangle(cr, x, gy, w, 1);
    cairo_fill(cr);
    cairo_new_path(cr);
    ChamferPath(cr, x, y, w, h, 16, 0, 16, 0);
    cairo_reset_clip(cr);
    SetSource(cr, Hex(0x3FD8FF, 0.9));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Analysis(Canvas& c, const Dossier& d) {
    const Rect& r = d.analysis;
    const double x = r.left + 3, y = r.top + 3, w = r.Width() - 6, h = r.Height() - 6;
    HoloPanel(c, x, y, w, h);
    cairo_t* cr = c.cr();
    SetSource(cr, Hex(0x9FEFFF));
    cairo_new_path(cr);
    TextPath(cr, Font{"DejaVu Sans", true, false, 11, 3}, x + 20, y + 20, "TARGET ANALYSIS");
    cairo_fill(cr);
    SetSource(cr, Hex(0xFFA23A));
    cairo_new_path(cr);
    TextPath(cr, Font{"DejaVu Sans Mono", true, false, 10, 1}, x + w - 14, y + 20, "SCAN 100%", Align::kRight);
    cairo_fill(cr);
    // The boss itself, in lines of light, scaled to the panel.
    const double cx = x + w * (w < 400 ? 0.36 : 0.42), cy = y + h * 0.56, scale = (h - 40) / 220.0;
    cairo_matrix_t m;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    cairo_get_matrix(cr, &m);
    cairo_restore(cr);
    // The hologram stays inside its panel.
    auto clipToPanel = [&](cairo_t* g) {
        cairo_new_path(g);
        ChamferPath(g, x + 2, y + 2, w - 4, h - 4, 15, 0, 15, 0);
        cairo_clip(g);
    };
    cairo_save(cr);
    clipToPanel(cr);
    Glow(c, kGlow, 7, [&](cairo_t* g) {
        cairo_set_matrix(g, &m);
        cairo_set_line_width(g, 5);
        d.schematic(g);
    });
    cairo_save(cr);
    cairo_set_matrix(cr, &m);
    SetSource(cr, kLine);
    cairo_set_line_width(cr, 2.2);
    d.schematic(cr);
    cairo_restore(cr);
    // Target brackets and two callouts.
    // Brackets stay clear of the heading line above and the panel's edge below.
    const double bw = std::min(h * 0.62, cx - x - 10);
    const double bh = std::min(bw * 0.72, std::min(cy - (y + 30), y + h - 8 - cy));
    SetSource(cr, Hex(0xFF8A3A, 0.95));
    cairo_set_line_width(cr, 2);
    for (int sx = -1; sx <= 1; sx += 2) {
        for (int sy = -1; sy <= 1; sy += 2) {
            cairo_new_path(cr);
            cairo_move_to(cr, cx + sx * bw, cy + sy * (bh - 14));
            cairo_line_to(cr, cx + sx * bw, cy + sy * bh);
            cairo_line_to(cr, cx + sx * (bw - 14), cy + sy * bh);
            cairo_stroke(cr);
        }
    }
    const Font small{"DejaVu Sans", true, false, 10, 1.5};
    for (int i = 0; i < 2; ++i) {
        const double ly = y + h * (0.35 + 0.35 * i);
        const double lx = x + w - 16;
        cairo_new_path(cr);
        cairo_move_to(cr, cx + bw * (0.3 + 0.2 * i), cy + (i ? 20 : -30));
        cairo_line_to(cr, lx - 90, ly);
        cairo_line_to(cr, lx, ly);
        SetSource(cr, Hex(0x9FEFFF, 0.8));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        SetSource(cr, Hex(0xDFFBFF));
        cairo_new_path(cr);
        TextPath(cr, small, lx, ly - 4, d.callouts[i], Align::kRight);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void Plate(Canvas& c, const Dossier& d) {
    const Rect& r = d.plate;
    const double x = r.left + 3, y = r.top + 3, w = r.Width() - 6, h = r.Height() - 6;
    HoloPanel(c, x, y, w, h);
    cairo_t* cr = c.cr();
    TitleStyle s;
    s.top = Hex(0xFFFFFF);
    s.bottom = Hex(0x7FE8FF);
    s.chrome = true;
    s.glow = kGlow;
    s.glowRadius = 7;
    s.outline = Hex(0x04121E, 0.95);
    s.outlineWidth = 3;
    const double top = y + std::max(4.0, (h - 76) / 2);
    TitleText(c, Font{"DejaVu Sans", true, true, 31, 3}, x + 22, top + 33, d.name, Align::kLeft, s);
    SetSource(cr, palette::kAmber);
    cairo_new_path(cr);
    TextPath(cr, Font{"DejaVu Sans", true, false, 11, 3}, x + 24, top + 51, d.kind);
    cairo_fill(cr);
    SetSource(cr, Hex(0xDCEFFF));
    cairo_new_path(cr);
    TextPath(cr, Font{"DejaVu Sans", false, false, 12, 0.3}, x + 24, top + 69, d.advice);
    cairo_fill(cr);
    // Threat gauge.
    SetSource(cr, Hex(0x9FEFFF));
    cairo_new_path(cr);
    TextPath(cr, Font{"DejaVu Sans", true, false, 10, 2}, x + w - 22, top + 16, "THREAT", Align::kRight);
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {
        cairo_new_path(cr);
        ChamferPath(cr, x + w - 132 + i * 22, top + 24, 18, 12, 0, 4, 0, 4);
        SetSource(cr, i < d.threat ? (i >= 3 ? Hex(0xFF4A2A) : Hex(0xFFA23A)) : Hex(0x2A4A5A, 0.9));
        cairo_fill(cr);
    }
}

Canvas DrawPortrait(const Dossier& d) {
    Canvas c(512, 512);
    Caption(c, d.caption, d.warning);
    Analysis(c, d);
    Plate(c, d);
    return c;
}

// --- Schematics: each boss as a target drawing, strokes only (the caller sets source and width).

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

void TwinClaw(cairo_t* cr) {
    cairo_new_path(cr);
    Ellipse(cr, 0, 0, 70, 34);
    Ellipse(cr, 0, -22, 30, 20);
    cairo_move_to(cr, -70, 0);
    cairo_line_to(cr, 70, 0);
    for (int side = -1; side <= 1; side += 2) {
        // Shoulder, arm and an open pincer.
        cairo_move_to(cr, side * 66, -8);
        cairo_line_to(cr, side * 110, -30);
        cairo_line_to(cr, side * 130, 10);
        // Two prongs, open.
        cairo_move_to(cr, side * 130, 10);
        cairo_curve_to(cr, side * 165, 10, side * 172, 50, side * 150, 78);
        cairo_move_to(cr, side * 130, 10);
        cairo_curve_to(cr, side * 112, 36, side * 110, 66, side * 124, 84);
        cairo_new_sub_path(cr);
        cairo_arc(cr, side * 110, -30, 8, 0, 2 * kPi);
    }
    for (int i = -2; i <= 2; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, i * 24, 18, 5, 0, 2 * kPi);
    }
    cairo_stroke(cr);
}

void Bastion(cairo_t* cr) {
    cairo_new_path(cr);
    StarPath(cr, 0, 0, 6, 56, 0, kPi / 6);
    StarPath(cr, 0, 0, 6, 34, 0, kPi / 6);
    for (int i = 0; i < 3; ++i) {
        const double a = -kPi / 2 + i * 2 * kPi / 3;
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 92, a - 0.35, a + 0.35);
        cairo_arc_negative(cr, 0, 0, 80, a + 0.35, a - 0.35);
        cairo_close_path(cr);
        const double ha = a + kPi / 3;
        cairo_new_sub_path(cr);
        cairo_arc(cr, 70 * std::cos(ha), 70 * std::sin(ha), 9, 0, 2 * kPi);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 12, 0, 2 * kPi);
    cairo_stroke(cr);
    const double dash[] = {8, 8};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 106, 0, 2 * kPi);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void Knight(cairo_t* cr) {
    cairo_new_path(cr);
    // Helmet with a crest, broad shoulders, a tapered body and two legs.
    ChamferPath(cr, -16, -96, 32, 30, 8, 8, 4, 4);
    cairo_move_to(cr, 0, -96);
    cairo_line_to(cr, 0, -118);
    cairo_move_to(cr, -10, -80);
    cairo_line_to(cr, 10, -80);
    ChamferPath(cr, -62, -62, 124, 26, 12, 12, 0, 0);
    cairo_move_to(cr, -34, -36);
    cairo_line_to(cr, 34, -36);
    cairo_line_to(cr, 22, 20);
    cairo_line_to(cr, -22, 20);
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, -14, 10, 0, 2 * kPi);
    for (int side = -1; side <= 1; side += 2) {
        ChamferPath(cr, side * 30 - 11, 22, 22, 70, 0, 0, 6, 6);
        // Arms: the right one holds the sword up, the left hangs by the shield of its side.
        cairo_move_to(cr, side * 62, -50);
        cairo_line_to(cr, side * 76, side > 0 ? -84 : 0);
        // Blade wings behind the shoulders.
        cairo_move_to(cr, side * 50, -60);
        cairo_line_to(cr, side * 120, -100);
        cairo_line_to(cr, side * 92, -50);
        cairo_line_to(cr, side * 128, -60);
        cairo_line_to(cr, side * 70, -36);
    }
    cairo_move_to(cr, 66, -84);
    cairo_line_to(cr, 86, -84);
    cairo_move_to(cr, 76, -84);
    cairo_line_to(cr, 76, -128);
    cairo_stroke(cr);
}

void Maelstrom(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 40, 0, 2 * kPi);
    Ellipse(cr, 0, 0, 96, 26);
    Ellipse(cr, 0, 0, 82, 20);
    for (int i = 0; i < 4; ++i) {
        const double fx = -45 + 30 * i;
        cairo_new_sub_path(cr);
        cairo_arc(cr, fx, -68, 12, 0, 2 * kPi);
        cairo_move_to(cr, fx - 12, -68);
        cairo_line_to(cr, fx + 12, -68);
    }
    const double holeAngles[] = {0.35, kPi / 2, kPi - 0.35};
    for (double a : holeAngles) {
        const double hx = 120 * std::cos(a), hy = 80 * std::sin(a);
        for (int arm = 0; arm < 3; ++arm) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, hx, hy, 6 + arm * 5, arm, arm + 4.0);
        }
    }
    cairo_stroke(cr);
}

void FirstMoon(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 104, 0, 2 * kPi);
    StarPath(cr, 0, 0, 3, 104, 0, -kPi / 2);
    StarPath(cr, 0, 0, 3, 104, 0, kPi / 2);
    cairo_stroke(cr);
    // A crescent holding a small orb in its hollow.
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 70, kPi * 0.2, kPi * 1.8);
    cairo_arc_negative(cr, 34, 0, 56, kPi * 1.62, kPi * 0.38);
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 26, 0, 16, 0, 2 * kPi);
    cairo_stroke(cr);
    // Its sword stands beside it.
    cairo_new_path(cr);
    cairo_move_to(cr, 130, -100);
    cairo_line_to(cr, 138, 60);
    cairo_line_to(cr, 122, 60);
    cairo_close_path(cr);
    cairo_move_to(cr, 110, 60);
    cairo_line_to(cr, 150, 60);
    cairo_move_to(cr, 130, 60);
    cairo_line_to(cr, 130, 90);
    cairo_stroke(cr);
}

// The last enemy: a great flower with an eye at its heart, four circles of power about it.
void Nocturne(cairo_t* cr) {
    cairo_new_path(cr);
    for (int i = 0; i < 12; ++i) {
        cairo_save(cr);
        cairo_rotate(cr, i * kPi / 6);
        cairo_move_to(cr, 30, -9);
        cairo_curve_to(cr, 50, -18, 64, -10, 70, 0);
        cairo_curve_to(cr, 64, 10, 50, 18, 30, 9);
        cairo_restore(cr);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 30, 0, 2 * kPi);
    cairo_move_to(cr, -20, 0);
    cairo_curve_to(cr, -8, -12, 8, -12, 20, 0);
    cairo_curve_to(cr, 8, 12, -8, 12, -20, 0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 5, 0, 2 * kPi);
    for (int k = 0; k < 4; ++k) {
        const double a = k * kPi / 2 + kPi / 4;
        const double mx = 105 * std::cos(a), my = 85 * std::sin(a);
        cairo_new_sub_path(cr);
        cairo_arc(cr, mx, my, 18, 0, 2 * kPi);
        StarPath(cr, mx, my, 5, 18, 7, -kPi / 2);
    }
    cairo_stroke(cr);
}

}  // namespace

void AddPortraitPictures(std::vector<Picture>& out) {
    const Rect caption{105, 0, 410, 80};
    const Dossier dossiers[] = {
        {"TWIN CLAW",
         "ASSAULT WALKER  \xC2\xB7  STAGE 1",
         "HUGE HOSTILE APPROACHING",
         "Its arms strike together. Keep moving.",
         2,
         caption,
         {0, 100, 500, 330},
         {0, 370, 500, 460},
         TwinClaw,
         {"PINCER ARMS", "BEAM CORE"}},
        {"BASTION",
         "SHIELD FORTRESS  \xC2\xB7  STAGE 1",
         "FORTRESS CLASS DETECTED",
         "Break its three shields to reach the core.",
         3,
         caption,
         {0, 100, 510, 270},
         {0, 310, 500, 460},
         Bastion,
         {"SHIELD", "LAUNCH HOLES"}},
        {"SABRE",
         "ARMOURED KNIGHT  \xC2\xB7  STAGE 2",
         "HIGH-SPEED HOSTILE",
         "Fast and reckless. Watch its line of charge.",
         3,
         caption,
         {0, 100, 512, 340},
         {0, 350, 500, 500},
         Knight,
         {"BLADE", "WING BLADES"}},
        {"MAELSTROM",
         "STAR FORTRESS  \xC2\xB7  STAGE 2",
         "GRAVITY ANOMALY DETECTED",
         "Stay clear of the holes it opens.",
         4,
         caption,
         {0, 100, 500, 330},
         {0, 370, 500, 460},
         Maelstrom,
         {"FAN UNITS", "BLACK HOLES"}},
        {"FIRST MOON",
         "GUARDIAN  \xC2\xB7  STAGE 3",
         "THE FIRST MOON RISES",
         "Three moons, one by one. This is the first.",
         4,
         caption,
         {0, 100, 500, 320},
         {0, 322, 500, 460},
         FirstMoon,
         {"MOON SWORD", "MAGIC CIRCLE"}},
        {"NOCTURNE",
         "THE LAST ENEMY",
         "FINAL ENEMY CONFIRMED",
         "Everything you have. Now.",
         5,
         caption,
         {105, 95, 415, 310},
         {30, 345, 485, 490},
         Nocturne,
         {"FOUR CIRCLES", "THE EYE"}},
    };
    for (int i = 0; i < 6; ++i) {
        const Dossier d = dossiers[i];
        out.push_back({"boss0" + std::to_string(i + 1), 512, 512, ColourKey::kBlack, [d] { return DrawPortrait(d); }});
    }
}

}  // namespace assetgen::pictures
