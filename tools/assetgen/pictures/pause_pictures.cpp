// The pause panel drawn over the dimmed scene, and what it shows: its items in the title menu's
// style, the ON and OFF of a switch, and a volume bar.
//
//   pause_panel     512 x 512  the panel, 480 x 352 at (16, 16); the rest stays clear
//   pause_resume    256 x 64   items: the upper half at rest, the lower half selected
//   pause_music, pause_effects, pause_fullscreen, pause_quit
//   pause_on        64 x 32    the switch's states
//   pause_off
//   pause_volume    256 x 32   ten segments, unlit in rows 0-15 and lit in rows 16-31: segment i (0..9)
//                              spans x 6 + 18i to 20 + 18i, so a level n is the lit row cut at 4 + 18n
#include <string>

#include "assetgen/pictures/catalogue.h"
#include "assetgen/pictures/effects.h"
#include "assetgen/pictures/menu_item.h"
#include "assetgen/pictures/shapes.h"
#include "assetgen/pictures/text.h"

namespace assetgen::pictures {
namespace {

constexpr double kPanelX = 16, kPanelY = 16, kPanelW = 480, kPanelH = 352, kPanelCut = 18;
constexpr int kSegments = 10;
constexpr double kSegmentPitch = 18, kSegmentLeft = 6, kSegmentWidth = 14;

Canvas DrawPanel() {
    Canvas c(512, 512);
    cairo_t* cr = c.cr();
    // A halo around the glass, so that it stands off the dimmed scene.
    Glow(c, Hex(0x1FB8E8, 0.55), 10.0, [](cairo_t* g) {
        ChamferPath(g, kPanelX, kPanelY, kPanelW, kPanelH, kPanelCut);
        cairo_set_line_width(g, 3.0);
        cairo_stroke(g);
    });
    PanelStyle s;
    s.top = Hex(0x12283E, 0.94);
    s.bottom = Hex(0x050E18, 0.94);
    s.light = Hex(0x9FEFFF, 0.45);
    s.shade = Hex(0x010407, 0.8);
    s.rim = Hex(0x3FD8FF, 0.95);
    s.rimWidth = 2.0;
    s.bevel = 1.5;
    BevelPanel(cr, kPanelX, kPanelY, kPanelW, kPanelH, kPanelCut, s);

    cairo_save(cr);
    cairo_new_path(cr);
    ChamferPath(cr, kPanelX + 3, kPanelY + 3, kPanelW - 6, kPanelH - 6, kPanelCut - 2);
    cairo_clip(cr);
    // Fine scan lines and a cool sheen from the top, as on the console's glass.
    SetSource(cr, Hex(0x6FDFFF, 0.05));
    for (double y = kPanelY + 4; y < kPanelY + kPanelH; y += 3) cairo_rectangle(cr, kPanelX, y, kPanelW, 1);
    cairo_fill(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, kPanelY, 0, kPanelY + 120);
    AddStop(sheen, 0.0, Hex(0x7FE8FF, 0.14));
    AddStop(sheen, 1.0, Hex(0x7FE8FF, 0.0));
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);

    // Brackets inside the corners and a lit bar across the top, as on the title screen.
    SetSource(cr, WithAlpha(palette::kCyan, 0.8));
    StrokeCornerBrackets(cr, kPanelX + 12, kPanelY + 12, kPanelX + kPanelW - 12, kPanelY + kPanelH - 12, 26, 2.0);
    cairo_pattern_t* bar = cairo_pattern_create_linear(kPanelX + 60, 0, kPanelX + kPanelW - 60, 0);
    AddStop(bar, 0.0, Hex(0x6FE3FF, 0.0));
    AddStop(bar, 0.5, Hex(0xB8F6FF, 0.9));
    AddStop(bar, 1.0, Hex(0x6FE3FF, 0.0));
    cairo_set_source(cr, bar);
    cairo_rectangle(cr, kPanelX + 60, kPanelY + 6, kPanelW - 120, 2);
    cairo_fill(cr);
    cairo_pattern_destroy(bar);
    // Amber marks at the sides of the item column.
    SetSource(cr, WithAlpha(palette::kAmber, 0.85));
    for (double y : {kPanelY + 60.0, kPanelY + kPanelH - 60.0}) {
        cairo_rectangle(cr, kPanelX + 4, y - 10, 3, 20);
        cairo_rectangle(cr, kPanelX + kPanelW - 7, y - 10, 3, 20);
    }
    cairo_fill(cr);
    return c;
}

Canvas DrawSwitchState(bool on) {
    Canvas c(64, 32);
    cairo_t* cr = c.cr();
    const Font font{"DejaVu Sans", true, false, 14, 1.5};
    const char* text = on ? "ON" : "OFF";
    if (on) {
        Glow(c, Hex(0x2FFFC8, 0.9), 5.0, [&](cairo_t* g) {
            cairo_new_path(g);
            TextPath(g, font, 32, 22, text, Align::kCentre);
            cairo_fill(g);
        });
    }
    cairo_new_path(cr);
    ChamferPath(cr, 3, 4, 58, 24, 0, 5, 0, 5);
    SetSource(cr, on ? Hex(0x0A2A2A, 0.7) : Hex(0x071420, 0.6));
    cairo_fill_preserve(cr);
    SetSource(cr, on ? Hex(0x5FFFD8, 0.8) : Hex(0x3F6F8F, 0.6));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    SetSource(cr, on ? Hex(0xE8FFF8) : Hex(0x6F8FA3));
    cairo_new_path(cr);
    TextPath(cr, font, 32, 22, text, Align::kCentre);
    cairo_fill(cr);
    return c;
}

// Segments grow taller to the right, as the sound grows louder.
void SegmentPath(cairo_t* cr, int i, double rowTop) {
    const double height = 6.0 + 8.0 * i / (kSegments - 1);
    const double x = kSegmentLeft + kSegmentPitch * i;
    ChamferPath(cr, x, rowTop + 15 - height, kSegmentWidth, height, 0, 2, 0, 2);
}

Canvas DrawVolumeBar() {
    Canvas c(256, 32);
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    for (int i = 0; i < kSegments; ++i) SegmentPath(cr, i, 0);
    SetSource(cr, Hex(0x0B2233, 0.85));
    cairo_fill_preserve(cr);
    SetSource(cr, Hex(0x3F7F9F, 0.75));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    cairo_save(cr);
    cairo_rectangle(cr, 0, 16, 256, 16);
    cairo_clip(cr);
    Glow(c, Hex(0x1FD8FF, 0.8), 2.5, [](cairo_t* g) {
        for (int i = 0; i < kSegments; ++i) SegmentPath(g, i, 16);
        cairo_fill(g);
    });
    cairo_new_path(cr);
    for (int i = 0; i < kSegments; ++i) SegmentPath(cr, i, 16);
    cairo_pattern_t* p = cairo_pattern_create_linear(kSegmentLeft, 0, kSegmentLeft + kSegmentPitch * kSegments, 0);
    AddStop(p, 0.0, Hex(0x18A8D8));
    AddStop(p, 0.7, Hex(0x5FEFFF));
    AddStop(p, 1.0, Hex(0xE8FCFF));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetSource(cr, Hex(0xE8FCFF, 0.9));
    cairo_stroke(cr);
    cairo_restore(cr);
    return c;
}

}  // namespace

void AddPausePictures(std::vector<Picture>& out) {
    out.push_back({"pause_panel", 512, 512, ColourKey::kBlack, DrawPanel});
    const std::pair<const char*, const char*> items[] = {{"pause_resume", "RESUME"},
                                                         {"pause_music", "MUSIC"},
                                                         {"pause_effects", "EFFECTS"},
                                                         {"pause_fullscreen", "FULL SCREEN"},
                                                         {"pause_quit", "QUIT TO TITLE"}};
    for (const auto& [name, text] : items) {
        out.push_back({name, 256, 64, ColourKey::kBlack, [text] { return DrawMenuItem(text, 256); }});
    }
    out.push_back({"pause_on", 64, 32, ColourKey::kBlack, [] { return DrawSwitchState(true); }});
    out.push_back({"pause_off", 64, 32, ColourKey::kBlack, [] { return DrawSwitchState(false); }});
    out.push_back({"pause_volume", 256, 32, ColourKey::kBlack, DrawVolumeBar});
}

}  // namespace assetgen::pictures
