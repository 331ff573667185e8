// The story that scrolls up before the first stage, and the staff roll after the last.
#include <cmath>
#include <functional>
#include <string>

#include "assetgen/pictures/catalogue.h"
#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/full_screen.h"
#include "assetgen/pictures/scenes.h"
#include "assetgen/pictures/shapes.h"
#include "assetgen/pictures/text.h"

namespace assetgen::pictures {
namespace {

// The story is shown 800 x 1700 and scrolls 1100 pixels in 50 s, so the last 600 pixels are the
// picture it rests on.
constexpr int kStoryHeight = 1700;

constexpr const char* kParagraphs[] = {
    "At dusk on the last day of summer, the lights of the city went out one district at a time. Far below "
    "its streets, in tunnels no map remembered, an enemy no one had seen had been building an army.",
    "The defence forces had one answer left: KORVEX, a prototype strike fighter still bolted to its test "
    "cradle, faster than its own radar trace and armed with a homing bomb no pilot had ever fired in anger. "
    "You are its test pilot. There will be no second flight.",
    "Break into the base beneath the city and drive its guardians out. Follow them past the sky, through "
    "the rock fields and the cold light of the blue planet, wherever they run.",
    "Beyond the stars lies a field of flowers that should not exist, under a sky that changes its mind. "
    "Three moons stand guard there, and behind them waits the last enemy.",
};

constexpr const char* kHeadings[] = {"THE CITY", "THE PROTOTYPE", "THE PURSUIT", "THE GARDEN"};

const Font kBody{"DejaVu Sans", false, false, 19, 0.3};

TitleStyle Chrome(double glow) {
    TitleStyle s;
    s.top = Hex(0xFFFFFF);
    s.bottom = Hex(0x7FE8FF);
    s.chrome = true;
    s.glow = Hex(0x22C8FF, 0.85);
    s.glowRadius = glow;
    s.glowGain = 1.3;
    s.outline = Hex(0x04121E, 0.95);
    s.outlineWidth = 4;
    return s;
}

// An illustration in a chamfered frame.
void Banner(Canvas& c, double x, double y, double w, double h, const std::function<void(Canvas&)>& scene) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_new_path(cr);
    ChamferPath(cr, x, y, w, h, 18, 0, 18, 0);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    scene(c);
    cairo_restore(cr);
    Glow(c, Hex(0x22C8FF, 0.7), 6, [&](cairo_t* g) {
        ChamferPath(g, x, y, w, h, 18, 0, 18, 0);
        cairo_set_line_width(g, 2);
        cairo_stroke(g);
    });
    cairo_new_path(cr);
    ChamferPath(cr, x, y, w, h, 18, 0, 18, 0);
    SetSource(cr, Hex(0xBFF6FF));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void Heading(Canvas& c, double y, const char* text) {
    const Font font{"DejaVu Sans", true, false, 15, 8};
    cairo_t* cr = c.cr();
    SetSource(cr, palette::kAmber);
    cairo_new_path(cr);
    TextPath(cr, font, 400, y, text, Align::kCentre);
    cairo_fill(cr);
    const double half = TextWidth(cr, font, text) / 2.0;
    cairo_rectangle(cr, 400 - half - 50, y - 6, 36, 2);
    cairo_rectangle(cr, 400 + half + 14, y - 6, 36, 2);
    cairo_fill(cr);
}

double Paragraph(Canvas& c, double y, const char* text, double x = 90, double width = 620) {
    return WrappedText(c.cr(), kBody, x, y, width, 30, text, Hex(0xDCEFFF));
}

// Scenes drawn inside the banners; coordinates are relative to the banner (the context is
// translated, so raster pieces are drawn through `canvas` at the banner's offset).
void CityScene(Canvas& c, double w, double h) {
    cairo_t* cr = c.cr();
    SkyGradient(cr, 0, 0, w, h * 0.82, Hex(0x2470B8), Hex(0x62C6EA), Hex(0xFFC08A), Hex(0xFF8A3C));
    SoftDisc(cr, w * 0.7, h * 0.62, h * 0.9, Hex(0xFFE3B0, 0.85), Hex(0xFF9A4A, 0.3), 0.2);
    SoftDisc(cr, w * 0.7, h * 0.62, h * 0.12, Hex(0xFFFDF0), Hex(0xFFD890, 0.9), 0.7);
    Rng rng(6101);
    CitySkyline(cr, rng, 0, w, h * 0.84, h * 0.55, 4);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, h * 0.84, 0, h);
    AddStop(g, 0.0, Hex(0x243244));
    AddStop(g, 1.0, Hex(0x0B121B));
    cairo_set_source(cr, g);
    cairo_rectangle(cr, 0, h * 0.84 + 2, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // The base below the streets, glimpsed as a red glow under the city.
    SoftDisc(cr, w * 0.35, h * 1.02, h * 0.35, Hex(0xFF3A2A, 0.7), Hex(0xFF3A2A, 0.2), 0.3);
}

void SpaceScene(Canvas& c, double ox, double oy, double w, double h) {
    Nebula(c, 0, 0, w, h, Hex(0x1A1456), Hex(0x6B3FC8), Hex(0x2E7FD8), 6201u);
    cairo_t* cr = c.cr();
    Rng rng(6202);
    Starfield(cr, rng, 0, 0, w, h, 160, 1.0);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    Planet(c, ox + w * 0.78, oy + h * 0.95, h * 0.8, BluePlanetSurface, 0.4, Hex(0x6FD8FF, 0.9));
    cairo_restore(cr);
    for (int i = 0; i < 7; ++i) {
        Rock(cr, rng, rng.Range(0.05, 0.55) * w, rng.Range(0.15, 0.85) * h, rng.Range(6, 18), Hex(0xB3A8D8),
             Hex(0x161130));
    }
}

void GardenScene(Canvas& c, double ox, double oy, double w, double h) {
    cairo_t* cr = c.cr();
    SkyGradient(cr, 0, 0, w, h * 0.7, Hex(0x4B3A9E), Hex(0xB37AD6), Hex(0xFFB7C9), Hex(0xFFE4C2));
    cairo_save(cr);
    cairo_identity_matrix(cr);
    Moon(c, ox + w * 0.22, oy + h * 0.3, h * 0.2, Hex(0xFFD6EC), Hex(0xB76A9C), 21);
    Moon(c, ox + w * 0.5, oy + h * 0.18, h * 0.11, Hex(0xFFE7A0), Hex(0xC08A3A), 22);
    Moon(c, ox + w * 0.78, oy + h * 0.32, h * 0.15, Hex(0xCFF4FF), Hex(0x5E8FB8), 23);
    cairo_restore(cr);
    Rng rng(6301);
    Meadow(cr, rng, 0, w, h * 0.66, h, MeadowLook{});
}

void DrawStory(Canvas& c) {
    cairo_t* cr = c.cr();
    const double w = 800, h = kStoryHeight;
    cairo_pattern_t* bg = cairo_pattern_create_linear(0, 0, 0, h);
    AddStop(bg, 0.0, Hex(0x040B16));
    AddStop(bg, 0.5, Hex(0x0A0A22));
    AddStop(bg, 1.0, Hex(0x160C26));
    cairo_set_source(cr, bg);
    cairo_paint(cr);
    cairo_pattern_destroy(bg);
    Rng rng(6001);
    Starfield(cr, rng, 0, 0, w, h, 500, 0.6, false);
    // A faint instrument grid.
    SetSource(cr, Hex(0x2FB8E8, 0.06));
    for (double gx = 0; gx < w; gx += 40) cairo_rectangle(cr, gx, 0, 1, h);
    for (double gy = 0; gy < h; gy += 40) cairo_rectangle(cr, 0, gy, w, 1);
    cairo_fill(cr);

    const Font logo{"DejaVu Sans", true, true, 96, 5};
    TitleText(c, logo, 403, 150, "KORVEX", Align::kCentre, Chrome(14));
    const Font sub{"DejaVu Sans", true, false, 15, 8};
    SetSource(cr, palette::kAmber);
    cairo_new_path(cr);
    TextPath(cr, sub, 400, 192, "PROTOTYPE STRIKE FIGHTER", Align::kCentre);
    cairo_fill(cr);

    Banner(c, 60, 236, 680, 190, [](Canvas& k) { CityScene(k, 680, 190); });
    Heading(c, 470, kHeadings[0]);
    Paragraph(c, 508, kParagraphs[0]);

    Heading(c, 660, kHeadings[1]);
    Fighter(c, 640, 735, 130, 0.0, true);
    Paragraph(c, 700, kParagraphs[1], 90, 450);

    Banner(c, 60, 880, 680, 190, [](Canvas& k) { SpaceScene(k, 60, 880, 680, 190); });
    Heading(c, 1112, kHeadings[2]);
    Paragraph(c, 1150, kParagraphs[2]);

    Banner(c, 60, 1250, 680, 190, [](Canvas& k) { GardenScene(k, 60, 1250, 680, 190); });
    Heading(c, 1480, kHeadings[3]);
    Paragraph(c, 1518, kParagraphs[3]);

    TitleText(c, Font{"DejaVu Sans", true, true, 40, 4}, 400, 1650, "GOOD LUCK, PILOT.", Align::kCentre, Chrome(10));
}

void DrawRocket(Canvas& c) {
    cairo_t* cr = c.cr();
    Nebula(c, 0, 0, 800, 600, Hex(0x120E48), Hex(0x4A2FA8), Hex(0x1E6FC8), 7001u);
    Rng rng(7002);
    Starfield(cr, rng, 0, 0, 800, 460, 300, 1.0);
    // Home: the blue planet, with the sun coming up over its rim.
    Planet(c, 560, 1010, 640, BluePlanetSurface, 0.62, Hex(0x7FE0FF, 0.95));
    SoftDisc(cr, 150, 452, 260, Hex(0xFFF2D0, 0.85), Hex(0xFFB070, 0.3), 0.15);
    Sparkle(cr, 150, 452, 120, 0.2, Hex(0xFFFBEA, 0.9));
    SoftDisc(cr, 150, 452, 30, Hex(0xFFFFFF), Hex(0xFFF0C0, 0.9), 0.6);
    // The long way back: a contrail curving in from the stars.
    cairo_new_path(cr);
    cairo_move_to(cr, -40, 40);
    cairo_curve_to(cr, 120, 60, 200, 150, 262, 238);
    cairo_pattern_t* trail = cairo_pattern_create_linear(-40, 40, 262, 238);
    AddStop(trail, 0.0, Hex(0x6FE3FF, 0.0));
    AddStop(trail, 1.0, Hex(0xCFF8FF, 0.9));
    cairo_set_source(cr, trail);
    cairo_set_line_width(cr, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_pattern_destroy(trail);
    Fighter(c, 290, 270, 120, 2.45, true);
}

void DrawStaffRoll(Canvas& c) {
    cairo_t* cr = c.cr();
    GlassPanel(cr, 446, 36, 314, 528, 22, 0.62);
    const double cx = 603;
    const Font heading{"DejaVu Sans", true, false, 26, 12};
    TitleStyle gold;
    gold.top = Hex(0xFFF4C8);
    gold.bottom = palette::kGold;
    gold.glow = WithAlpha(palette::kAmber, 0.7);
    gold.glowRadius = 6;
    gold.outline = Hex(0x140A00, 0.85);
    gold.outlineWidth = 2.5;
    TitleText(c, heading, cx, 92, "STAFF", Align::kCentre, gold);
    const char* roles[] = {"GAME DESIGN",   "PROGRAMMING", "SHIP AND ENEMY DESIGN",
                           "3D MODELS",     "GRAPHICS",    "MUSIC",
                           "SOUND EFFECTS", "STORY",       "TESTING"};
    const Font role{"DejaVu Sans", true, false, 13, 2.6};
    double y = 136;
    for (const char* r : roles) {
        SetSource(cr, Hex(0x9FEFFF));
        cairo_new_path(cr);
        TextPath(cr, role, cx, y, r, Align::kCentre);
        cairo_fill(cr);
        y += 27;
    }
    SetSource(cr, WithAlpha(palette::kCyan, 0.6));
    cairo_rectangle(cr, cx - 90, y - 6, 180, 1.5);
    cairo_fill(cr);
    const Font small{"DejaVu Sans", false, false, 13, 5};
    SetSource(cr, Hex(0xDCEFFF));
    cairo_new_path(cr);
    TextPath(cr, small, cx, y + 24, "MADE BY", Align::kCentre);
    cairo_fill(cr);
    TitleStyle team;
    team.top = Hex(0xFFFFFF);
    team.bottom = Hex(0x7FE8FF);
    team.chrome = true;
    team.glow = Hex(0x22C8FF, 0.85);
    team.glowRadius = 8;
    team.outline = Hex(0x04121E, 0.95);
    team.outlineWidth = 3;
    TitleText(c, Font{"DejaVu Sans", true, true, 23, 1.5}, cx, y + 64, "THE KORVEX TEAM", Align::kCentre, team);
    Glow(c, Hex(0x22C8FF, 0.7), 5, [&](cairo_t* g) { Emblem(g, cx, 474, 22, Hex(0xFFFFFF), 2.5); });
    Emblem(cr, cx, 474, 22, Hex(0xAEF4FF), 2.5);
    TitleText(c, Font{"DejaVu Sans", true, false, 13, 3}, cx, 536, "THANK YOU FOR PLAYING", Align::kCentre, gold);
}

}  // namespace

void AddStoryPictures(std::vector<Picture>& out) {
    out.push_back({"story", 1024, 2048, ColourKey::kBlack,
                   [] { return DrawStretched(800, kStoryHeight, 1024, 2048, DrawStory); }, 800, kStoryHeight});
    out.push_back({"rocket", 1024, 1024, ColourKey::kBlack, [] { return DrawFullScreen(DrawRocket); }, 800, 600});
    out.push_back({"staffroll", 1024, 1024, ColourKey::kBlack, [] { return DrawFullScreen(DrawStaffRoll); }, 800, 600});
}

}  // namespace assetgen::pictures
