// The full-screen pictures around play: title, shutter, stage cards, clear banner, game over.
#include <algorithm>
#include <cmath>
#include <string>

#include "assetgen/pictures/catalogue.h"
#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/full_screen.h"
#include "assetgen/pictures/scenes.h"
#include "assetgen/pictures/shapes.h"
#include "assetgen/pictures/text.h"

namespace assetgen::pictures {
namespace {

const Font kLogoFont{"DejaVu Sans", true, true, 124.0, 6.0};

TitleStyle LogoStyle() {
    TitleStyle s;
    s.top = Hex(0xFFFFFF);
    s.bottom = Hex(0x7FE8FF);
    s.chrome = true;
    s.glow = Hex(0x22C8FF, 0.85);
    s.glowRadius = 18.0;
    s.glowGain = 1.4;
    s.outline = Hex(0x04121E, 0.95);
    s.outlineWidth = 5.0;
    return s;
}

void CornerBrackets(cairo_t* cr, double inset, double len, const Rgba& c, double width) {
    SetSource(cr, c);
    StrokeCornerBrackets(cr, inset, inset, kScreenWidth - inset, kScreenHeight - inset, len, width);
}

// A line that fades out at both ends.
void FadingLine(cairo_t* cr, double x0, double x1, double y, double width, const Rgba& c) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    AddStop(p, 0.0, WithAlpha(c, 0.0));
    AddStop(p, 0.5, c);
    AddStop(p, 1.0, WithAlpha(c, 0.0));
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x0, y - width / 2, x1 - x0, width);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Subtitle(Canvas& c, double cx, double y, const std::string& text, const Rgba& colour, double size) {
    const Font font{"DejaVu Sans", true, false, size, size * 0.45};
    TitleStyle s;
    s.top = Mix(colour, Hex(0xFFFFFF), 0.35);
    s.bottom = colour;
    s.glow = WithAlpha(colour, 0.6);
    s.glowRadius = 6.0;
    s.outline = Hex(0x120800, 0.8);
    s.outlineWidth = 2.5;
    TitleText(c, font, cx, y, text, Align::kCentre, s);
    const double half = TextWidth(c.cr(), font, text) / 2.0;
    SetSource(c.cr(), WithAlpha(colour, 0.85));
    cairo_rectangle(c.cr(), cx - half - 90, y - size * 0.38, 70, 2.5);
    cairo_rectangle(c.cr(), cx + half + 20, y - size * 0.38, 70, 2.5);
    cairo_fill(c.cr());
}

void DrawTitle(Canvas& c) {
    cairo_t* cr = c.cr();
    // Letterbox bands that fade into the scene.
    cairo_pattern_t* top = cairo_pattern_create_linear(0, 0, 0, 250);
    AddStop(top, 0.0, Hex(0x02060C, 0.72));
    AddStop(top, 0.5, Hex(0x02060C, 0.3));
    AddStop(top, 1.0, Hex(0x02060C, 0.0));
    cairo_set_source(cr, top);
    cairo_rectangle(cr, 0, 0, kScreenWidth, 250);
    cairo_fill(cr);
    cairo_pattern_destroy(top);
    cairo_pattern_t* bottom = cairo_pattern_create_linear(0, 530, 0, 600);
    AddStop(bottom, 0.0, Hex(0x02060C, 0.0));
    AddStop(bottom, 0.5, Hex(0x02060C, 0.7));
    AddStop(bottom, 1.0, Hex(0x02060C, 0.9));
    cairo_set_source(cr, bottom);
    cairo_rectangle(cr, 0, 540, kScreenWidth, 60);
    cairo_fill(cr);
    cairo_pattern_destroy(bottom);

    // Speed lines behind the name.
    for (int i = 0; i < 7; ++i) {
        const double y = 96 + i * 13;
        const double len = 150 + 40 * ((i * 37) % 5);
        FadingLine(cr, 400 - 330 - len * 0.4, 400 - 250 + len * 0.2, y, 1.5, Hex(0x6FE3FF, 0.35));
        FadingLine(cr, 400 + 250 - len * 0.2, 400 + 330 + len * 0.4, y + 6, 1.5, Hex(0x6FE3FF, 0.35));
    }
    TitleText(c, kLogoFont, 404, 176, "KORVEX", Align::kCentre, LogoStyle());
    Subtitle(c, 400, 222, "PROTOTYPE STRIKE FIGHTER", palette::kAmber, 17);

    CornerBrackets(cr, 18, 46, WithAlpha(palette::kCyan, 0.8), 2.5);

    // Brackets around the two menu items; the items themselves are drawn by the menu.
    SetSource(cr, WithAlpha(palette::kCyan, 0.75));
    cairo_set_line_width(cr, 2.0);
    cairo_new_path(cr);
    cairo_move_to(cr, 334, 446);
    cairo_line_to(cr, 322, 446);
    cairo_line_to(cr, 322, 536);
    cairo_line_to(cr, 334, 536);
    cairo_move_to(cr, 474, 446);
    cairo_line_to(cr, 486, 446);
    cairo_line_to(cr, 486, 536);
    cairo_line_to(cr, 474, 536);
    cairo_stroke(cr);
    FadingLine(cr, 150, 318, 491, 1.5, Hex(0x6FE3FF, 0.6));
    FadingLine(cr, 490, 650, 491, 1.5, Hex(0x6FE3FF, 0.6));

    const Font small{"DejaVu Sans", true, false, 12.0, 3.0};
    SetSource(cr, Hex(0x9FE9FF, 0.9));
    cairo_new_path(cr);
    TextPath(cr, small, 400, 572, "UP / DOWN  SELECT        FIRE  CONFIRM", Align::kCentre);
    cairo_fill(cr);
    SetSource(cr, Hex(0x6C8DA3, 0.95));
    const Font tiny{"DejaVu Sans", false, false, 11.0, 2.0};
    cairo_new_path(cr);
    TextPath(cr, tiny, 400, 590, "\xC2\xA9 THE KORVEX TEAM", Align::kCentre);
    cairo_fill(cr);
}

// One half of the blast door that closes over every change of scene. The two halves meet at the
// middle of the screen, where the team emblem closes into one.
void DrawShutter(Canvas& c, bool left) {
    cairo_t* cr = c.cr();
    const double w = 400, h = 600;
    const double seamX = left ? w : 0.0;  // the meeting edge
    cairo_pattern_t* base = cairo_pattern_create_linear(0, 0, 0, h);
    AddStop(base, 0.0, Hex(0x34495C));
    AddStop(base, 0.5, Hex(0x1D2B3A));
    AddStop(base, 1.0, Hex(0x111B26));
    cairo_set_source(cr, base);
    cairo_paint(cr);
    cairo_pattern_destroy(base);

    // Armour plates.
    const double plateTop[] = {10, 160, 300, 450};
    const double plateH[] = {140, 130, 140, 140};
    const double inner = left ? 24.0 : 40.0;
    for (int i = 0; i < 4; ++i) {
        PanelStyle s;
        s.top = Hex(0x3A5064);
        s.bottom = Hex(0x1A2734);
        s.light = Hex(0x9FB8CC, 0.45);
        s.shade = Hex(0x05090E, 0.7);
        s.rim = Hex(0x0A121A, 0.9);
        s.rimWidth = 2.0;
        s.bevel = 3.0;
        const double px = left ? inner : 40.0;
        BevelPanel(cr, px, plateTop[i], w - 40 - inner, plateH[i], 14, s);
        // Rivets along each plate.
        for (int k = 0; k < 6; ++k) {
            const double rx = px + 14 + k * (w - 40 - inner - 28) / 5.0;
            for (double ry : {plateTop[i] + 9, plateTop[i] + plateH[i] - 9}) {
                cairo_new_path(cr);
                cairo_arc(cr, rx, ry, 2.6, 0, 2 * kPi);
                cairo_pattern_t* rivet = cairo_pattern_create_radial(rx - 1, ry - 1, 0.3, rx, ry, 2.8);
                AddStop(rivet, 0.0, Hex(0xC8D8E6));
                AddStop(rivet, 1.0, Hex(0x2A3846));
                cairo_set_source(cr, rivet);
                cairo_fill(cr);
                cairo_pattern_destroy(rivet);
            }
        }
    }
    // Recessed vents on the outer plates.
    for (int i = 0; i < 7; ++i) {
        const double vy = 190 + i * 13;
        const double vx = left ? 60 : 140;
        cairo_new_path(cr);
        ChamferPath(cr, vx, vy, 200, 6, 3);
        SetSource(cr, Hex(0x0A1118));
        cairo_fill(cr);
        SetSource(cr, Hex(0x6F8BA3, 0.5));
        cairo_rectangle(cr, vx + 3, vy + 6, 194, 1);
        cairo_fill(cr);
    }

    // Hazard stripes along the meeting edge, with the lit seam.
    const double stripeX = left ? w - 34 : 0;
    HazardStripes(cr, stripeX, 0, 34, h, 14, Hex(0xE58A1F), Hex(0x1A1208));
    SetSource(cr, Hex(0x05090E, 0.6));
    cairo_rectangle(cr, left ? stripeX - 3 : stripeX + 34, 0, 3, h);
    cairo_fill(cr);
    Glow(c, Hex(0x3FE0FF, 0.9), 10, [&](cairo_t* g) {
        cairo_rectangle(g, seamX - 3, 0, 6, h);
        cairo_fill(g);
    });
    SetSource(cr, Hex(0xD8FBFF));
    cairo_rectangle(cr, seamX - 1.5, 0, 3, h);
    cairo_fill(cr);

    // The emblem plate straddles the seam; each half draws its side of it.
    const double ex = seamX, ey = 300, er = 118;
    cairo_new_path(cr);
    cairo_arc(cr, ex, ey, er + 14, 0, 2 * kPi);
    cairo_pattern_t* plate = cairo_pattern_create_radial(ex - 30, ey - 40, 10, ex, ey, er + 14);
    AddStop(plate, 0.0, Hex(0x2F4458));
    AddStop(plate, 1.0, Hex(0x0D1620));
    cairo_set_source(cr, plate);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(plate);
    SetSource(cr, Hex(0x8FA8BC, 0.6));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    Glow(c, Hex(0x2FD8FF, 0.8), 12, [&](cairo_t* g) { Emblem(g, ex, ey, er, Hex(0xFFFFFF), 6); });
    Emblem(cr, ex, ey, er, Hex(0xAEF4FF), 6);
    SetSource(cr, Hex(0xD8FBFF));
    cairo_rectangle(cr, seamX - 1.5, ey - er - 14, 3, 2 * (er + 14));
    cairo_fill(cr);

    // Stencilled markings and running lights.
    const Font stencil{"DejaVu Sans Mono", true, false, 26, 4};
    SetSource(cr, Hex(0xE58A1F, 0.85));
    cairo_new_path(cr);
    TextPath(cr, stencil, left ? 64 : 336, 560, left ? "BAY 07" : "DECK K", left ? Align::kLeft : Align::kRight);
    cairo_fill(cr);
    const Font small{"DejaVu Sans", true, false, 11, 2.5};
    SetSource(cr, Hex(0x9FB8CC, 0.7));
    cairo_new_path(cr);
    TextPath(cr, small, left ? 64 : 336, 42, "CAUTION  \xC2\xB7  BLAST SHUTTER", left ? Align::kLeft : Align::kRight);
    cairo_fill(cr);
    for (double ly : {70.0, 530.0}) {
        const double x0 = left ? 40 : 60;
        for (int i = 0; i < 8; ++i) {
            SoftDisc(cr, x0 + i * 36, ly, 5, Hex(0xBFF6FF), Hex(0x2FB8FF, 0.5));
        }
    }
}

struct StageText {
    const char* number;
    const char* name;
    const char* line1;
    const char* line2;
};

void StageCardText(Canvas& c, const StageText& t, const Rgba& accent) {
    cairo_t* cr = c.cr();
    // Darken the left of the illustration so the type reads over any scene.
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, 700, 0);
    AddStop(shade, 0.0, Hex(0x020812, 0.78));
    AddStop(shade, 0.6, Hex(0x020812, 0.45));
    AddStop(shade, 1.0, Hex(0x020812, 0.0));
    cairo_set_source(cr, shade);
    cairo_rectangle(cr, 0, 170, 700, 300);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    SetSource(cr, WithAlpha(accent, 0.9));
    cairo_rectangle(cr, 0, 168, 520, 2);
    cairo_rectangle(cr, 0, 470, 380, 2);
    cairo_fill(cr);

    const Font label{"DejaVu Sans", true, false, 18, 9};
    SetSource(cr, WithAlpha(accent, 0.95));
    cairo_new_path(cr);
    TextPath(cr, label, 64, 212, "MISSION BRIEFING");
    cairo_fill(cr);

    TitleStyle big = LogoStyle();
    big.glowRadius = 14.0;
    const Font stageFont{"DejaVu Sans", true, true, 96, 4};
    TitleText(c, stageFont, 58, 310, std::string("STAGE ") + t.number, Align::kLeft, big);

    TitleStyle nameStyle;
    nameStyle.top = Mix(accent, Hex(0xFFFFFF), 0.55);
    nameStyle.bottom = accent;
    nameStyle.glow = WithAlpha(accent, 0.7);
    nameStyle.glowRadius = 8;
    nameStyle.outline = Hex(0x0A0500, 0.85);
    nameStyle.outlineWidth = 3;
    const Font nameFont{"DejaVu Sans", true, false, 34, 5};
    TitleText(c, nameFont, 64, 362, t.name, Align::kLeft, nameStyle);

    const Font body{"DejaVu Sans", false, false, 18, 1.2};
    SetSource(cr, Hex(0xE6F6FF, 0.95));
    cairo_new_path(cr);
    TextPath(cr, body, 66, 410, t.line1);
    TextPath(cr, body, 66, 436, t.line2);
    cairo_fill(cr);

    cairo_pattern_t* band = cairo_pattern_create_linear(0, 0, 800, 0);
    AddStop(band, 0.0, Hex(0x020812, 0.0));
    AddStop(band, 0.25, Hex(0x020812, 0.7));
    AddStop(band, 0.75, Hex(0x020812, 0.7));
    AddStop(band, 1.0, Hex(0x020812, 0.0));
    cairo_set_source(cr, band);
    cairo_rectangle(cr, 0, 536, 800, 38);
    cairo_fill(cr);
    cairo_pattern_destroy(band);
    TitleStyle prompt;
    prompt.top = Hex(0xFFFFFF);
    prompt.bottom = palette::kCyanBright;
    prompt.glow = WithAlpha(palette::kCyan, 0.9);
    prompt.glowRadius = 7;
    prompt.outline = Hex(0x021018, 0.9);
    prompt.outlineWidth = 3;
    const Font promptFont{"DejaVu Sans", true, false, 20, 7};
    TitleText(c, promptFont, 400, 562, "PRESS FIRE TO LAUNCH", Align::kCentre, prompt);
    CornerBrackets(cr, 16, 36, WithAlpha(palette::kCyan, 0.75), 2.5);
}

void DrawStage1(Canvas& c) {
    cairo_t* cr = c.cr();
    SkyGradient(cr, 0, 0, 800, 470, Hex(0x1F6FB8), Hex(0x56C3EA), Hex(0xFFC58A), Hex(0xFF8A3C));
    SoftDisc(cr, 560, 330, 300, Hex(0xFFE3B0, 0.9), Hex(0xFF9A4A, 0.35), 0.2);
    SoftDisc(cr, 560, 332, 44, Hex(0xFFFDF0), Hex(0xFFD890, 0.9), 0.7);
    // Long evening clouds.
    Rng rng(1101);
    for (int i = 0; i < 9; ++i) {
        const double y = 250 + rng.Range(0, 170);
        const double x = rng.Range(-100, 700);
        const double len = rng.Range(160, 380);
        cairo_save(cr);
        cairo_translate(cr, x + len / 2, y);
        cairo_scale(cr, len / 2, rng.Range(3, 8));
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        SetSource(cr, WithAlpha(Mix(Hex(0xFF9FB0), Hex(0xFFD2A0), rng.Uniform()), 0.45));
        cairo_fill(cr);
    }
    CitySkyline(cr, rng, 0, 800, 472, 190, 4);
    // The ground: a dark plain cut by lit highways converging on the base.
    cairo_pattern_t* ground = cairo_pattern_create_linear(0, 476, 0, 600);
    AddStop(ground, 0.0, Hex(0x243244));
    AddStop(ground, 1.0, Hex(0x0B121B));
    cairo_set_source(cr, ground);
    cairo_rectangle(cr, 0, 476, 800, 124);
    cairo_fill(cr);
    cairo_pattern_destroy(ground);
    for (int i = -6; i <= 6; ++i) {
        cairo_new_path(cr);
        cairo_move_to(cr, 560 + i * 8, 478);
        cairo_line_to(cr, 560 + i * 120, 600);
        SetSource(cr, WithAlpha(i % 2 ? Hex(0xFFB45A) : Hex(0x7FE0FF), 0.55));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    Fighter(c, 690, 92, 110, 0.6, true);
    StageCardText(c, {"1", "DUSK CITY", "The enemy has dug in beneath the city.", "Find the way into its base."},
                  palette::kAmber);
}

void DrawStage2(Canvas& c) {
    cairo_t* cr = c.cr();
    Nebula(c, 0, 0, 800, 600, Hex(0x1A1456), Hex(0x6B3FC8), Hex(0x2E7FD8), 2201u);
    Rng rng(2202);
    Starfield(cr, rng, 0, 0, 800, 600, 420, 1.0);
    Planet(c, 640, 520, 250, BluePlanetSurface, 0.15, Hex(0x6FD8FF, 0.9));
    // Drifting rocks.
    for (int i = 0; i < 8; ++i) {
        const double rx = rng.Range(380, 790), ry = rng.Range(30, 300), rr = rng.Range(7, 26);
        Rock(cr, rng, rx, ry, rr, Hex(0xB3A8D8), Hex(0x161130));
    }
    Fighter(c, 300, 82, 100, 1.15, true);
    StageCardText(c,
                  {"2", "VOID CORRIDOR", "They are running for open space.", "Cut through the rock fields after them."},
                  Hex(0xB59CFF));
}

void DrawStage3(Canvas& c) {
    cairo_t* cr = c.cr();
    SkyGradient(cr, 0, 0, 800, 420, Hex(0x4B3A9E), Hex(0xB37AD6), Hex(0xFFB7C9), Hex(0xFFE4C2));
    Rng rng(3301);
    Starfield(cr, rng, 0, 0, 800, 200, 90, 0.6);
    Moon(c, 590, 140, 74, Hex(0xFFD6EC), Hex(0xB76A9C), 11);
    Moon(c, 720, 258, 40, Hex(0xCFF4FF), Hex(0x5E8FB8), 12);
    Moon(c, 468, 86, 28, Hex(0xFFE7A0), Hex(0xC08A3A), 13);
    // A thin ring of light joins the moons: the field is guarded.
    SetSource(cr, Hex(0xFFF0FA, 0.35));
    cairo_set_line_width(cr, 1.5);
    cairo_new_path(cr);
    cairo_move_to(cr, 468, 86);
    cairo_line_to(cr, 590, 140);
    cairo_line_to(cr, 720, 258);
    cairo_stroke(cr);
    Meadow(cr, rng, 0, 800, 410, 600, MeadowLook{});
    // Petals drifting on the wind.
    for (int i = 0; i < 40; ++i) {
        const double px = rng.Range(0, 800), py = rng.Range(150, 560), s = rng.Range(2.5, 6.5);
        cairo_save(cr);
        cairo_translate(cr, px, py);
        cairo_rotate(cr, rng.Range(0, kPi));
        cairo_scale(cr, s, s * 0.5);
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        SetSource(cr, WithAlpha(Hex(0xFFB3DA), 0.8));
        cairo_fill(cr);
    }
    Fighter(c, 250, 80, 96, 0.35, true);
    StageCardText(c,
                  {"3", "GARDEN OF THREE MOONS", "Three moons guard the last enemy.",
                   "Bring them down, and bring the light home."},
                  Hex(0xFF9AD5));
}

void DrawClear(Canvas& c) {
    cairo_t* cr = c.cr();
    // A light bar the banner rides on.
    FadingLine(cr, 0, 512, 150, 40, Hex(0xFFB84A, 0.22));
    FadingLine(cr, 10, 502, 150, 3, Hex(0xFFE7B0, 0.9));
    FadingLine(cr, 40, 472, 52, 2, Hex(0x6FE3FF, 0.8));
    TitleStyle s;
    s.top = Hex(0xFFFFFF);
    s.bottom = Hex(0xFFB43A);
    s.chrome = true;
    s.glow = Hex(0xFF9A2F, 0.9);
    s.glowRadius = 14;
    s.glowGain = 1.3;
    s.outline = Hex(0x1A0A00, 0.95);
    s.outlineWidth = 4;
    const Font font{"DejaVu Sans", true, true, 58, 2};
    TitleText(c, font, 258, 132, "STAGE CLEAR", Align::kCentre, s);
    TitleStyle sub;
    sub.top = Hex(0xE8FCFF);
    sub.bottom = palette::kCyan;
    sub.glow = WithAlpha(palette::kCyan, 0.7);
    sub.glowRadius = 6;
    sub.outline = Hex(0x021018, 0.9);
    sub.outlineWidth = 2.5;
    const Font subFont{"DejaVu Sans", true, false, 17, 8};
    TitleText(c, subFont, 256, 190, "MISSION COMPLETE", Align::kCentre, sub);
    // Chevrons pointing in from both sides.
    for (int i = 0; i < 3; ++i) {
        for (int side = -1; side <= 1; side += 2) {
            const double x = 256 + side * (200 + i * 16);
            cairo_new_path(cr);
            cairo_move_to(cr, x - side * 6, 176);
            cairo_line_to(cr, x + side * 4, 186);
            cairo_line_to(cr, x - side * 6, 196);
            SetSource(cr, WithAlpha(palette::kAmber, 0.95 - 0.25 * i));
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
        }
    }
}

void DrawLostSignal(Canvas& c) {
    cairo_t* cr = c.cr();
    const double cx = 240;
    // Warning sign.
    Glow(c, Hex(0xFF3B2A, 0.8), 10, [&](cairo_t* g) {
        StarPath(g, cx, 70, 3, 40, 0, -kPi / 2);
        cairo_set_line_width(g, 6);
        cairo_set_line_join(g, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(g);
    });
    cairo_new_path(cr);
    StarPath(cr, cx, 70, 3, 40, 0, -kPi / 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 6);
    SetSource(cr, Hex(0xFF5A3A));
    cairo_stroke(cr);
    cairo_rectangle(cr, cx - 3, 56, 6, 20);
    cairo_rectangle(cr, cx - 3, 81, 6, 6);
    SetSource(cr, Hex(0xFFD0A0));
    cairo_fill(cr);

    TitleStyle s;
    s.top = Hex(0xFFE0C8);
    s.bottom = Hex(0xFF3B2A);
    s.chrome = true;
    s.glow = Hex(0xFF2A1A, 0.9);
    s.glowRadius = 10;
    s.glowGain = 1.3;
    s.outline = Hex(0x1A0200, 0.95);
    s.outlineWidth = 4;
    const Font font{"DejaVu Sans", true, false, 54, 2};
    TitleText(c, font, cx, 170, "SIGNAL LOST", Align::kCentre, s);

    // A flat line with a last flicker.
    Glow(c, Hex(0xFF4A2A, 0.9), 6, [&](cairo_t* g) {
        cairo_move_to(g, 30, 212);
        cairo_line_to(g, 190, 212);
        cairo_line_to(g, 202, 196);
        cairo_line_to(g, 214, 232);
        cairo_line_to(g, 226, 204);
        cairo_line_to(g, 236, 214);
        cairo_line_to(g, 450, 212);
        cairo_set_line_width(g, 3);
        cairo_stroke(g);
    });
    cairo_new_path(cr);
    cairo_move_to(cr, 30, 212);
    cairo_line_to(cr, 190, 212);
    cairo_line_to(cr, 202, 196);
    cairo_line_to(cr, 214, 232);
    cairo_line_to(cr, 226, 204);
    cairo_line_to(cr, 236, 214);
    cairo_line_to(cr, 450, 212);
    SetSource(cr, Hex(0xFFC8A8));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);

    const Font small{"DejaVu Sans", true, false, 14, 4};
    SetSource(cr, Hex(0xFFA040, 0.95));
    cairo_new_path(cr);
    TextPath(cr, small, cx, 256, "NO CARRIER  \xC2\xB7  TELEMETRY OFFLINE", Align::kCentre);
    cairo_fill(cr);
    // Scan lines through everything, as on the screen that lost the picture.
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    for (int y = 0; y < 300; y += 3) cairo_rectangle(cr, 0, y, 480, 1);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// TV static; each of the four frames is its own draw of the same look.
Canvas DrawNoise(int frame) {
    Canvas c(1024, 1024);
    Rng rng(4400 + static_cast<std::uint64_t>(frame) * 977);
    const double band = rng.Range(0.0, 1.0);  // a brighter band rolling down the picture
    c.Flush();
    for (int y = 0; y < 1024; ++y) {
        std::uint32_t* row = c.Row(y);
        const double v = y / 1024.0;
        double roll = std::remainder(v - band, 1.0);
        roll = 0.18 * std::exp(-roll * roll / 0.004);
        const double scan = (y % 3 == 0) ? 0.78 : 1.0;
        const bool tear = rng.Uniform() < 0.012;
        double prev = rng.Uniform();
        for (int x = 0; x < 1024; ++x) {
            // Static runs a little along the line, as an analogue picture does.
            const double n = 0.6 * rng.Uniform() + 0.4 * prev;
            prev = n;
            double lum = std::pow(n, 1.8) * 1.15 + roll + (tear ? 0.25 : 0.0);
            lum = std::clamp(lum * scan, 0.02, 1.0);
            const Rgba col{lum * 0.9, lum * 0.97, lum, 1.0};
            row[x] = ToPixel(col);
        }
    }
    c.MarkDirty();
    return c;
}

// The red frame of a hit: drawn unscaled, so only the top-left 800 x 600 of the picture shows. Hits come
// often in the busiest fights, so the red burns only along the screen's edges: it fades out over a band
// from each edge, steeply at first, and leaves the middle, where the ship, the shots and the boss are,
// untouched. Where two bands meet, in the corners, it burns hardest. Scan lines run through the red.
Canvas DrawDamageFlash() {
    constexpr double kBand = 110.0;  // pixels from an edge to where the red is gone
    Canvas c(1024, 1024);
    Shade(c, [](int x, int y) -> Rgba {
        if (x >= kScreenWidth || y >= kScreenHeight) return {0, 0, 0, 0};
        const auto fall = [](double fromEdge) {
            const double t = std::clamp(1.0 - fromEdge / kBand, 0.0, 1.0);
            return t * t;
        };
        const double across = fall(std::min(x + 0.5, kScreenWidth - x - 0.5));
        const double down = fall(std::min(y + 0.5, kScreenHeight - y - 0.5));
        const double glow = 1.0 - (1.0 - across) * (1.0 - down);
        double a = glow * 0.85;
        if (y % 3 == 0) a *= 0.75;
        return WithAlpha(Mix(Hex(0xFF4A2A), Hex(0xE0100A), glow), a);
    });
    cairo_t* cr = c.cr();
    SetSource(cr, Hex(0xFF5A3A, 0.7));
    cairo_set_line_width(cr, 3);
    cairo_rectangle(cr, 8, 8, kScreenWidth - 16, kScreenHeight - 16);
    cairo_stroke(cr);
    SetSource(cr, Hex(0xFFD0B0, 0.9));
    cairo_set_line_width(cr, 4);
    for (int sx = 0; sx < 2; ++sx) {
        for (int sy = 0; sy < 2; ++sy) {
            const double x = sx ? kScreenWidth - 8 : 8, y = sy ? kScreenHeight - 8 : 8;
            const double hx = sx ? -40 : 40, vy = sy ? -40 : 40;
            cairo_new_path(cr);
            cairo_move_to(cr, x + hx, y);
            cairo_line_to(cr, x, y);
            cairo_line_to(cr, x, y + vy);
            cairo_stroke(cr);
        }
    }
    return c;
}

}  // namespace

void AddScreenPictures(std::vector<Picture>& out) {
    out.push_back({"title", 1024, 1024, ColourKey::kBlack, [] { return DrawFullScreen(DrawTitle); }, 800, 600});
    out.push_back({"osleft", 512, 1024, ColourKey::kBlack,
                   [] { return DrawStretched(400, 600, 512, 1024, [](Canvas& c) { DrawShutter(c, true); }); }, 400,
                   600});
    out.push_back({"osright", 512, 1024, ColourKey::kBlack,
                   [] { return DrawStretched(400, 600, 512, 1024, [](Canvas& c) { DrawShutter(c, false); }); }, 400,
                   600});
    out.push_back({"stage 1", 1024, 1024, ColourKey::kBlack, [] { return DrawFullScreen(DrawStage1); }, 800, 600});
    out.push_back({"stage 2", 1024, 1024, ColourKey::kBlack, [] { return DrawFullScreen(DrawStage2); }, 800, 600});
    out.push_back({"stage 3", 1024, 1024, ColourKey::kBlack, [] { return DrawFullScreen(DrawStage3); }, 800, 600});
    out.push_back({"clear", 512, 256, ColourKey::kBlack, [] {
                       Canvas c(512, 256);
                       DrawClear(c);
                       return c;
                   }});
    out.push_back({"lostsignal", 512, 512, ColourKey::kBlack, [] {
                       Canvas c(512, 512);
                       DrawLostSignal(c);
                       return c;
                   }});
    for (int i = 1; i <= 4; ++i) {
        out.push_back(
            {"noise " + std::to_string(i), 1024, 1024, ColourKey::kBlack, [i] { return DrawNoise(i); }, 800, 600});
    }
    out.push_back({"explosion3", 1024, 1024, ColourKey::kBlack, DrawDamageFlash});
}

}  // namespace assetgen::pictures
