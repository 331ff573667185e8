#include "assetgen/pictures/text.h"

#include <string>
#include <vector>

#include "assetgen/pictures/effects.h"

namespace assetgen::pictures {

void SelectFont(cairo_t* cr, const Font& font) {
    cairo_select_font_face(cr, font.family, font.italic ? CAIRO_FONT_SLANT_OBLIQUE : CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font.size);
}

namespace {

// Advances letter by letter so that tracking applies; UTF-8 sequences stay together.
template <typename Fn>
double ForEachLetter(cairo_t* cr, const Font& font, std::string_view text, Fn&& fn) {
    SelectFont(cr, font);
    double x = 0.0;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t len = 1;
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead >= 0xF0) {
            len = 4;
        } else if (lead >= 0xE0) {
            len = 3;
        } else if (lead >= 0xC0) {
            len = 2;
        }
        const std::string letter(text.substr(i, len));
        cairo_text_extents_t extents;
        cairo_text_extents(cr, letter.c_str(), &extents);
        fn(letter, x);
        x += extents.x_advance;
        i += len;
        if (i < text.size()) x += font.tracking;
    }
    return x;
}

}  // namespace

double TextWidth(cairo_t* cr, const Font& font, std::string_view text) {
    cairo_save(cr);
    const double w = ForEachLetter(cr, font, text, [](const std::string&, double) {});
    cairo_restore(cr);
    return w;
}

void TextPath(cairo_t* cr, const Font& font, double x, double y, std::string_view text, Align align) {
    const double width = TextWidth(cr, font, text);
    double left = x;
    if (align == Align::kCentre) left = x - width / 2.0;
    if (align == Align::kRight) left = x - width;
    SelectFont(cr, font);
    ForEachLetter(cr, font, text, [&](const std::string& letter, double dx) {
        cairo_move_to(cr, left + dx, y);
        cairo_text_path(cr, letter.c_str());
    });
}

void TitleText(Canvas& canvas, const Font& font, double x, double y, std::string_view text, Align align,
               const TitleStyle& style) {
    cairo_t* cr = canvas.cr();
    if (style.glowRadius > 0.0 && style.glow.a > 0.0) {
        Glow(
            canvas, style.glow, style.glowRadius,
            [&](cairo_t* m) {
                TextPath(m, font, x, y, text, align);
                cairo_set_line_width(m, font.size * 0.06);
                cairo_stroke_preserve(m);
                cairo_fill(m);
            },
            style.glowGain);
    }
    cairo_new_path(cr);
    TextPath(cr, font, x, y, text, align);
    if (style.outlineWidth > 0.0) {
        SetSource(cr, style.outline);
        cairo_set_line_width(cr, style.outlineWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    cairo_pattern_t* face = cairo_pattern_create_linear(0, y - font.size * 0.75, 0, y);
    AddStop(face, 0.0, style.top);
    if (style.chrome) {
        AddStop(face, 0.5, Mix(style.top, style.bottom, 0.25));
        AddStop(face, 0.53, Scale(style.bottom, 0.45));
        AddStop(face, 0.75, Scale(style.bottom, 0.8));
    }
    AddStop(face, 1.0, style.bottom);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
}

double WrappedText(cairo_t* cr, const Font& font, double x, double y, double width, double lineHeight,
                   std::string_view text, const Rgba& colour) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(' ', start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        if (stop > start) words.emplace_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    SetSource(cr, colour);
    std::string line;
    auto flush = [&]() {
        if (line.empty()) return;
        cairo_new_path(cr);
        TextPath(cr, font, x, y, line);
        cairo_fill(cr);
        line.clear();
        y += lineHeight;
    };
    for (const std::string& word : words) {
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, font, candidate) > width) {
            flush();
            line = word;
        } else {
            line = candidate;
        }
    }
    flush();
    return y;
}

}  // namespace assetgen::pictures
