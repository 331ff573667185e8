// The instrument panel of play (console atlas, digits, labels, banners, crosshairs) and the two
// items of the title menu.
#include <algorithm>
#include <cmath>
#include <string>

#include "assetgen/pictures/catalogue.h"
#include "assetgen/pictures/digits.h"
#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/hud_layout.h"
#include "assetgen/pictures/menu_item.h"
#include "assetgen/pictures/shapes.h"
#include "assetgen/pictures/text.h"

namespace assetgen::pictures {
namespace {

using hud::Rect;

void Clip(cairo_t* cr, const Rect& r) {
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_clip(cr);
}

// A thin gauge frame: dark glass well with a lit rim and chamfered corners.
void GaugeWell(cairo_t* cr, double x, double y, double w, double h, double cut) {
    PanelStyle s;
    s.top = Hex(0x16304A, 0.92);
    s.bottom = Hex(0x07121E, 0.92);
    s.light = Hex(0x9FEFFF, 0.5);
    s.shade = Hex(0x020609, 0.7);
    s.rim = Hex(0x3FD8FF, 0.95);
    s.rimWidth = 1.5;
    s.bevel = 1.0;
    BevelPanel(cr, x, y, w, h, cut, s);
}

void Recess(cairo_t* cr, double x, double y, double w, double h) {
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, w, h);
    SetSource(cr, Hex(0x030A12, 0.85));
    cairo_fill(cr);
    SetSource(cr, Hex(0x5FD0F0, 0.35));
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cr);
}

void SmallLabel(cairo_t* cr, double x, double y, const char* text, const Rgba& colour, double size = 8.0,
                Align align = Align::kLeft) {
    const Font font{"DejaVu Sans", true, false, size, 0.8};
    SetSource(cr, colour);
    cairo_new_path(cr);
    TextPath(cr, font, x, y, text, align);
    cairo_fill(cr);
}

void LifeFrame(cairo_t* cr, const Rect& r) {
    cairo_save(cr);
    cairo_translate(cr, r.left, r.top);
    GaugeWell(cr, 0, 0, r.Width(), r.Height(), 7);
    Recess(cr, 6, 2.5, 229, 26);
    // Tenths of the life bar.
    SetSource(cr, Hex(0x6FDFFF, 0.4));
    for (int i = 1; i < 10; ++i) cairo_rectangle(cr, 8 + i * 22.3, 4, 1, 3);
    cairo_fill(cr);
    Recess(cr, 240, 5, 51, 22);
    SmallLabel(cr, 280, 24, "%", Hex(0x9FEFFF));
    cairo_restore(cr);
}

// The life frame's mirror: the boss's life gauge grows leftwards from the right end of the long recess,
// and the frame rate sits where the life frame shows its percentage.
void RightFrame(cairo_t* cr, const Rect& r) {
    cairo_save(cr);
    cairo_translate(cr, r.left, r.top);
    GaugeWell(cr, 0, 0, r.Width(), r.Height(), 7);
    Recess(cr, 5, 5, 51, 22);
    SmallLabel(cr, 8, 20, "FPS", Hex(0x9FEFFF), 6.5);
    Recess(cr, r.Width() - 6 - 229, 2.5, 229, 26);
    SetSource(cr, Hex(0xFFA23A, 0.4));
    for (int i = 1; i < 10; ++i) cairo_rectangle(cr, r.Width() - 9 - i * 22.3, 4, 1, 3);
    cairo_fill(cr);
    cairo_restore(cr);
}

void DashFrame(cairo_t* cr, const Rect& r) {
    cairo_save(cr);
    cairo_translate(cr, r.left, r.top);
    GaugeWell(cr, 0, 0, r.Width(), r.Height(), 5);
    Recess(cr, 2.5, 3, 26, 154);
    SetSource(cr, Hex(0x6FDFFF, 0.45));
    for (int i = 1; i < 8; ++i) cairo_rectangle(cr, 0.5, 3 + i * 19.25, 2, 1);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Bars are brightest where they are full and warm where little is left: the life bar keeps its
// left end longest, the dash bar its bottom.
void BarFill(cairo_t* cr, const Rect& r, bool horizontal) {
    cairo_save(cr);
    Clip(cr, r);
    const double x0 = r.left, y0 = r.top, w = r.Width(), h = r.Height();
    cairo_pattern_t* p =
        horizontal ? cairo_pattern_create_linear(x0, 0, x0 + w, 0) : cairo_pattern_create_linear(0, y0 + h, 0, y0);
    AddStop(p, 0.0, Hex(0xFF4A2A));
    AddStop(p, 0.18, Hex(0xFFA23A));
    AddStop(p, 0.42, Hex(0x9CF5A8));
    AddStop(p, 1.0, Hex(0x2FE0FF));
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    // Sheen across the bar and a darker underside.
    cairo_pattern_t* sheen =
        horizontal ? cairo_pattern_create_linear(0, y0, 0, y0 + h) : cairo_pattern_create_linear(x0, 0, x0 + w, 0);
    AddStop(sheen, 0.0, Hex(0xFFFFFF, 0.55));
    AddStop(sheen, 0.35, Hex(0xFFFFFF, 0.1));
    AddStop(sheen, 0.6, Hex(0x000000, 0.0));
    AddStop(sheen, 1.0, Hex(0x001018, 0.45));
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    // LED segments.
    SetSource(cr, Hex(0x04121C, 0.55));
    if (horizontal) {
        for (double x = x0 + 5; x < x0 + w; x += 6) cairo_rectangle(cr, x, y0, 1, h);
    } else {
        for (double y = y0 + h - 5; y > y0; y -= 6) cairo_rectangle(cr, x0, y, w, 1);
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

void Radar(Canvas& c, const Rect& r) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    Clip(cr, r);
    cairo_translate(cr, r.left, r.top);
    const double w = r.Width(), h = r.Height();
    GaugeWell(cr, 0, 0, w, h, 12);
    // The scope: ahead is up; the player sits where a mark at the radar origin would be centred.
    const double cx = hud::kRadarCentreX - r.left, cy = hud::kRadarCentreY - r.top;
    const double rx = 82, ry = 78;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx / ry, 1.0);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_arc(cr, 0, 0, ry, kPi, 2 * kPi);
    cairo_close_path(cr);
    cairo_pattern_t* scope = cairo_pattern_create_radial(0, 0, 0, 0, 0, ry);
    AddStop(scope, 0.0, Hex(0x0F4A5E, 0.95));
    AddStop(scope, 1.0, Hex(0x061A28, 0.95));
    cairo_set_source(cr, scope);
    cairo_fill(cr);
    cairo_pattern_destroy(scope);
    // Sweep: a wedge of light trailing the beam.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_arc(cr, 0, 0, ry, kPi * 1.32, kPi * 1.55);
    cairo_close_path(cr);
    cairo_pattern_t* sweep = cairo_pattern_create_linear(-ry * 0.6, -ry, ry * 0.2, -ry);
    AddStop(sweep, 0.0, Hex(0x3FE8FF, 0.0));
    AddStop(sweep, 1.0, Hex(0x3FE8FF, 0.4));
    cairo_set_source(cr, sweep);
    cairo_fill(cr);
    cairo_pattern_destroy(sweep);
    SetSource(cr, Hex(0x5FE6FF, 0.55));
    cairo_set_line_width(cr, 1.0);
    for (double k : {0.33, 0.66, 1.0}) {
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, ry * k, kPi, 2 * kPi);
        cairo_stroke(cr);
    }
    for (int i = 1; i < 6; ++i) {
        const double a = kPi + kPi * i / 6.0;
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, ry * std::cos(a), ry * std::sin(a));
    }
    cairo_stroke(cr);
    SetSource(cr, Hex(0xCFFBFF, 0.95));
    cairo_set_line_width(cr, 1.6);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, ry * std::cos(kPi * 1.55), ry * std::sin(kPi * 1.55));
    cairo_stroke(cr);
    cairo_restore(cr);
    // The player at the origin.
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy - 6);
    cairo_line_to(cr, cx + 5, cy + 4);
    cairo_line_to(cr, cx, cy + 2);
    cairo_line_to(cr, cx - 5, cy + 4);
    cairo_close_path(cr);
    SetSource(cr, Hex(0xE8FFF8));
    cairo_fill(cr);
    // Base strip and side scale.
    SetSource(cr, Hex(0x3FD8FF, 0.9));
    cairo_rectangle(cr, 8, cy + 1, cx - 16, 1.2);
    cairo_rectangle(cr, cx + 8, cy + 1, (w - 34) - cx, 1.2);
    cairo_fill(cr);
    SmallLabel(cr, cx, h - 6, "RADAR", Hex(0x9FEFFF, 0.95), 9.0, Align::kCentre);
    for (int i = 0; i < 5; ++i) {
        cairo_new_path(cr);
        cairo_rectangle(cr, w - 20, 16 + i * 14, i < 2 ? 12 : 8, 3);
        SetSource(cr, i < 2 ? Hex(0xFFA23A, 0.9) : Hex(0x3FE8FF, 0.8));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void RadarMark(Canvas& c, const Rect& r) {
    cairo_t* cr = c.cr();
    const double cx = r.left + r.Width() / 2.0, cy = r.top + r.Height() / 2.0;
    cairo_save(cr);
    Clip(cr, r);
    SoftDisc(cr, cx, cy, 7.5, Hex(0xFF6A3A, 0.9), Hex(0xFF3A1A, 0.45), 0.4);
    cairo_new_path(cr);
    StarPath(cr, cx, cy, 4, 5.0, 0, 0);
    SetSource(cr, Hex(0xFFD8A0));
    cairo_fill(cr);
    cairo_restore(cr);
}

// The bomb as the stock shows it; getbom ends on the same picture at twice the size.
void BombIcon(cairo_t* cr, double cx, double cy, double r) {
    SoftDisc(cr, cx, cy, r, Hex(0xFFB84A, 0.7), Hex(0xFF7A2A, 0.3), 0.5);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r * 0.62, 0, 2 * kPi);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.2, cy - r * 0.25, r * 0.05, cx, cy, r * 0.62);
    AddStop(p, 0.0, Hex(0xFFF6D8));
    AddStop(p, 0.45, Hex(0xFFB43A));
    AddStop(p, 1.0, Hex(0xB8420E));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetSource(cr, Hex(0x2A0C02, 0.9));
    cairo_set_line_width(cr, r * 0.1);
    cairo_stroke(cr);
    // An orbit ring tilted across it.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -0.5);
    cairo_scale(cr, 1.0, 0.38);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r * 0.92, 0, 2 * kPi);
    cairo_restore(cr);
    SetSource(cr, Hex(0xCFF8FF, 0.95));
    cairo_set_line_width(cr, r * 0.12);
    cairo_stroke(cr);
}

void DrawSmallDigits(cairo_t* cr) {
    const Rect band = hud::kSmallDigitBand;
    SetSource(cr, Hex(0x000000));
    cairo_rectangle(cr, band.left, band.top, band.Width(), band.Height());
    cairo_fill(cr);
    DigitStyle style;
    style.thickness = 2.0;
    style.pointed = false;
    for (int d = 0; d < 10; ++d) {
        const Rect r = hud::kSmallDigits[d];
        cairo_new_path(cr);
        DigitPath(cr, d, r.left, r.top, r.Width(), r.Height(), style);
        SetSource(cr, Hex(0xCFF8FF));
        cairo_fill(cr);
    }
}

Canvas DrawConsole() {
    Canvas c(512, 512);
    cairo_t* cr = c.cr();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
    LifeFrame(cr, hud::kLifeFrame);
    RightFrame(cr, hud::kRightFrame);
    DashFrame(cr, hud::kDashFrame);
    BarFill(cr, hud::kDashBar, false);
    BarFill(cr, hud::kLifeBar, true);
    Radar(c, hud::kCentrePiece);
    RadarMark(c, hud::kRadarMark);
    cairo_save(cr);
    Clip(cr, hud::kBombIcon);
    BombIcon(cr, hud::kBombIcon.left + 8.5, hud::kBombIcon.top + 8.5, 8.5);
    cairo_restore(cr);
    // The console is also loaded with a black key: keep opaque black out of the pieces.
    c.Flush();
    for (int y = 0; y < c.Height(); ++y) {
        std::uint32_t* row = c.Row(y);
        for (int x = 0; x < c.Width(); ++x) {
            if (row[x] == 0xFF000000u) row[x] = 0xFF010101u;
        }
    }
    c.MarkDirty();
    // The small digits sit on pure black, which that black key removes.
    DrawSmallDigits(cr);
    return c;
}

Canvas DrawLargeDigits() {
    Canvas c(256, 32);
    DigitStyle style;
    style.thickness = 4.6;
    style.gap = 0.7;
    style.slant = 0.1;
    for (int d = 0; d < 10; ++d) {
        const Rect cell = hud::kLargeDigits[d];
        // A 2 is drawn 7 pixels left of its cell, so its glyph starts 7 pixels into the cell.
        const double left = cell.left + (d == 2 ? hud::kLargeTwoShift : 0) + 1;
        const double right = cell.right - 1;
        auto glyph = [&](cairo_t* g) {
            cairo_new_path(g);
            DigitPath(g, d, left, 1.5, right - left, 27, style);
        };
        cairo_save(c.cr());
        Clip(c.cr(), cell);
        Glow(c, Hex(0x1FC8FF, 0.85), 3.0, [&](cairo_t* g) {
            glyph(g);
            cairo_fill(g);
        });
        // A dark edge keeps the digits readable over the bright sky of the first stage.
        glyph(c.cr());
        SetSource(c.cr(), Hex(0x031422, 0.95));
        cairo_set_line_width(c.cr(), 2.0);
        cairo_set_line_join(c.cr(), CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(c.cr());
        cairo_pattern_t* face = cairo_pattern_create_linear(0, 1, 0, 29);
        AddStop(face, 0.0, Hex(0xFFFFFF));
        AddStop(face, 0.5, Hex(0xBFF6FF));
        AddStop(face, 1.0, Hex(0x3FD8FF));
        cairo_set_source(c.cr(), face);
        cairo_fill(c.cr());
        cairo_pattern_destroy(face);
        cairo_restore(c.cr());
    }
    return c;
}

void LabelRow(Canvas& c, double top, const char* text, const Rgba& colour) {
    cairo_t* cr = c.cr();
    const Font font{"DejaVu Sans", true, true, 21, 3};
    TitleStyle s;
    s.top = Mix(colour, Hex(0xFFFFFF), 0.6);
    s.bottom = colour;
    s.glow = WithAlpha(colour, 0.8);
    s.glowRadius = 3.5;
    s.outline = Hex(0x02080E, 0.9);
    s.outlineWidth = 2.5;
    // A small marker, the label, and a rule running off to the right.
    cairo_new_path(cr);
    ChamferPath(cr, 3, top + 8, 6, 16, 0, 3, 0, 3);
    SetSource(cr, colour);
    cairo_fill(cr);
    TitleText(c, font, 15, top + 24, text, Align::kLeft, s);
    const double end = 15 + TextWidth(cr, font, text) + 8;
    cairo_pattern_t* rule = cairo_pattern_create_linear(end, 0, 252, 0);
    AddStop(rule, 0.0, WithAlpha(colour, 0.9));
    AddStop(rule, 1.0, WithAlpha(colour, 0.0));
    cairo_set_source(cr, rule);
    cairo_rectangle(cr, end, top + 21, 252 - end, 2);
    cairo_fill(cr);
    cairo_pattern_destroy(rule);
}

Canvas DrawScoreLabels() {
    Canvas c(256, 64);
    LabelRow(c, 0, "HI-SCORE", palette::kGold);
    LabelRow(c, 32, "SCORE", palette::kCyan);
    return c;
}

Canvas DrawNewRecord() {
    Canvas c(128, 32);
    cairo_t* cr = c.cr();
    Glow(c, Hex(0xFF8A2A, 0.9), 3.0, [](cairo_t* g) {
        ChamferPath(g, 4, 5, 120, 22, 6);
        cairo_fill(g);
    });
    cairo_new_path(cr);
    ChamferPath(cr, 4, 5, 120, 22, 6);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 5, 0, 27);
    AddStop(p, 0.0, Hex(0xFFE27A));
    AddStop(p, 0.5, Hex(0xFFA23A));
    AddStop(p, 1.0, Hex(0xE8501E));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetSource(cr, Hex(0xFFF4D0, 0.9));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const Font font{"DejaVu Sans", true, true, 14, 1.2};
    SetSource(cr, Hex(0x2A0A02));
    cairo_new_path(cr);
    TextPath(cr, font, 64, 21.5, "NEW RECORD", Align::kCentre);
    cairo_fill(cr);
    return c;
}

// The bomb pick-up: a ring of light closes in, flashes, and leaves the bomb icon behind.
Canvas DrawBombPickup() {
    Canvas c(256, 256);
    cairo_t* cr = c.cr();
    for (int frame = 0; frame < 16; ++frame) {
        const double ox = (frame % 4) * 64.0, oy = (frame / 4) * 64.0;
        const double cx = ox + hud::kBombPickupCentreX, cy = oy + hud::kBombPickupCentreY;
        cairo_save(cr);
        cairo_rectangle(cr, ox + 1, oy + 1, 62, 62);
        cairo_clip(cr);
        if (frame < 15) {
            const double t = frame / 14.0;
            if (t < 0.55) {
                // Closing ring with sparks riding on it.
                const double k = t / 0.55;
                const double rr = 25.0 - 17.0 * k;
                SetSource(cr, Hex(0xFFD27A, 0.4 + 0.6 * k));
                cairo_set_line_width(cr, 2.0 + 2.0 * k);
                cairo_new_path(cr);
                cairo_arc(cr, cx, cy, rr, 0, 2 * kPi);
                cairo_stroke(cr);
                for (int i = 0; i < 6; ++i) {
                    const double a = i * kPi / 3 + k * 2.0;
                    Sparkle(cr, cx + rr * std::cos(a), cy + rr * std::sin(a), 4.0 + 2.0 * k, a, Hex(0xFFF4D0, 0.95));
                }
            } else if (t < 0.8) {
                // The flash as it arrives.
                const double k = (t - 0.55) / 0.25;
                SoftDisc(cr, cx, cy, 24.0 - 6.0 * k, Hex(0xFFFFFF, 1.0 - 0.4 * k), Hex(0xFFB84A, 0.6), 0.3);
                BombIcon(cr, cx, cy, 17.0 * (0.5 + 0.5 * k));
                Sparkle(cr, cx, cy, 24.0 * (1.0 - 0.5 * k), kPi / 4, Hex(0xFFFFFF, 0.9));
            } else {
                const double k = (t - 0.8) / 0.2;
                BombIcon(cr, cx, cy, 17.0);
                Sparkle(cr, cx + 8, cy - 8, 8.0 * (1.0 - k) + 2.0, 0.3, Hex(0xFFFFFF, 0.9 - 0.5 * k));
            }
        }
        cairo_restore(cr);
    }
    return c;
}

Canvas DrawSight(int size) {
    Canvas c(size, size);
    cairo_t* cr = c.cr();
    const double m = size / 2.0;
    auto reticle = [&](cairo_t* g, bool glow) {
        cairo_set_line_width(g, glow ? 3.0 : 1.6);
        cairo_new_path(g);
        if (size == 32) {
            cairo_arc(g, m, m, 9.5, 0, 2 * kPi);
            cairo_move_to(g, m, 1.5);
            cairo_line_to(g, m, 8);
            cairo_move_to(g, m, size - 1.5);
            cairo_line_to(g, m, size - 8);
            cairo_move_to(g, 1.5, m);
            cairo_line_to(g, 8, m);
            cairo_move_to(g, size - 1.5, m);
            cairo_line_to(g, size - 8, m);
        } else {
            // Corner brackets, an inner broken ring and side ticks.
            const double a = 7, b = 19;
            for (int sx = -1; sx <= 1; sx += 2) {
                for (int sy = -1; sy <= 1; sy += 2) {
                    cairo_move_to(g, m + sx * (m - a), m + sy * (m - b));
                    cairo_line_to(g, m + sx * (m - a), m + sy * (m - a));
                    cairo_line_to(g, m + sx * (m - b), m + sy * (m - a));
                }
            }
            for (int i = 0; i < 4; ++i) {
                const double s = i * kPi / 2 + kPi / 4 - 0.55;
                cairo_new_sub_path(g);
                cairo_arc(g, m, m, 15, s, s + 1.1);
            }
            cairo_move_to(g, m - 6, m);
            cairo_line_to(g, m - 2, m);
            cairo_move_to(g, m + 2, m);
            cairo_line_to(g, m + 6, m);
        }
        cairo_stroke(g);
    };
    Glow(c, Hex(0x1FD8FF, 0.9), 2.5, [&](cairo_t* g) { reticle(g, true); });
    SetSource(cr, Hex(0xCFFBFF));
    reticle(cr, false);
    if (size == 32) {
        SoftDisc(cr, m, m, 3.2, Hex(0xFFE0A0), Hex(0xFF8A3A, 0.7), 0.5);
    }
    return c;
}

}  // namespace

Canvas DrawMenuItem(const char* text, int width) {
    Canvas c(width, 64);
    const double plate = width - 12.0;
    const double centre = width / 2.0;
    cairo_t* cr = c.cr();
    const Font font{"DejaVu Sans", true, false, 13, 1.4};
    // Upper half: the item at rest, a dim plate with steel lettering.
    cairo_new_path(cr);
    ChamferPath(cr, 6, 5, plate, 22, 0, 6, 0, 6);
    SetSource(cr, Hex(0x071420, 0.55));
    cairo_fill_preserve(cr);
    SetSource(cr, Hex(0x3F7F9F, 0.6));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    SetSource(cr, Hex(0x8FB6CC));
    cairo_new_path(cr);
    TextPath(cr, font, centre, 21, text, Align::kCentre);
    cairo_fill(cr);
    // Lower half: selected, a lit cyan plate, bright lettering and a pointer.
    Glow(c, Hex(0x1FD8FF, 0.9), 4.0, [plate](cairo_t* g) {
        ChamferPath(g, 6, 37, plate, 22, 0, 6, 0, 6);
        cairo_fill(g);
    });
    cairo_new_path(cr);
    ChamferPath(cr, 6, 37, plate, 22, 0, 6, 0, 6);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 37, 0, 59);
    AddStop(p, 0.0, Hex(0x7FEFFF));
    AddStop(p, 0.5, Hex(0x18A8D8));
    AddStop(p, 1.0, Hex(0x0A5A8A));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetSource(cr, Hex(0xE8FCFF));
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 1, 42);
    cairo_line_to(cr, 6, 48);
    cairo_line_to(cr, 1, 54);
    cairo_close_path(cr);
    SetSource(cr, palette::kAmber);
    cairo_fill(cr);
    SetSource(cr, Hex(0x02121E, 0.8));
    cairo_new_path(cr);
    TextPath(cr, font, centre + 1, 54, text, Align::kCentre);
    cairo_fill(cr);
    SetSource(cr, Hex(0xFCFFFF));
    cairo_new_path(cr);
    TextPath(cr, font, centre, 53, text, Align::kCentre);
    cairo_fill(cr);
    return c;
}

void AddInterfacePictures(std::vector<Picture>& out) {
    out.push_back({"gamestart", 128, 64, ColourKey::kBlack, [] { return DrawMenuItem("GAME START"); }});
    out.push_back({"exit", 128, 64, ColourKey::kBlack, [] { return DrawMenuItem("EXIT"); }});
    out.push_back({"console", 512, 512, ColourKey::kWhite, DrawConsole});
    out.push_back({"console4", 256, 32, ColourKey::kBlack, DrawLargeDigits});
    out.push_back({"score2", 256, 64, ColourKey::kBlack, DrawScoreLabels});
    out.push_back({"update", 128, 32, ColourKey::kBlack, DrawNewRecord});
    out.push_back({"getbom", 256, 256, ColourKey::kBlack, DrawBombPickup});
    out.push_back({"sight", 32, 32, ColourKey::kBlack, [] { return DrawSight(32); }});
    out.push_back({"sight2", 64, 64, ColourKey::kBlack, [] { return DrawSight(64); }});
}

}  // namespace assetgen::pictures
