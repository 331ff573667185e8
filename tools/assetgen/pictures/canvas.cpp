#include "assetgen/pictures/canvas.h"

#include <png.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace assetgen::pictures {

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface_);
        throw std::runtime_error("cairo: cannot create a picture surface");
    }
    cr_ = cairo_create(surface_);
    // Smooth outlines of text at any scale; hinting would make glyph shapes depend on size steps.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
}

Canvas::~Canvas() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

Canvas::Canvas(Canvas&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      surface_(std::exchange(other.surface_, nullptr)),
      cr_(std::exchange(other.cr_, nullptr)) {}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
    if (this != &other) {
        if (cr_) cairo_destroy(cr_);
        if (surface_) cairo_surface_destroy(surface_);
        width_ = other.width_;
        height_ = other.height_;
        surface_ = std::exchange(other.surface_, nullptr);
        cr_ = std::exchange(other.cr_, nullptr);
    }
    return *this;
}

std::uint32_t* Canvas::Row(int y) {
    unsigned char* data = cairo_image_surface_get_data(surface_);
    return reinterpret_cast<std::uint32_t*>(data +
                                            static_cast<std::size_t>(y) * cairo_image_surface_get_stride(surface_));
}

const std::uint32_t* Canvas::Row(int y) const {
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    return reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) *
                                                             cairo_image_surface_get_stride(surface_));
}

void Canvas::Flush() { cairo_surface_flush(surface_); }
void Canvas::MarkDirty() { cairo_surface_mark_dirty(surface_); }

Canvas Resample(const Canvas& source, int width, int height) {
    Canvas out(width, height);
    cairo_t* cr = out.cr();
    cairo_scale(cr, static_cast<double>(width) / source.Width(), static_cast<double>(height) / source.Height());
    cairo_set_source_surface(cr, source.surface(), 0, 0);
    cairo_pattern_t* pattern = cairo_get_source(cr);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
    // Padding keeps the borders from fading towards transparent while the filter reaches past them.
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_identity_matrix(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    return out;
}

void ApplyKeyRules(Canvas& canvas, ColourKey key) {
    if (key == ColourKey::kNone) return;
    const std::uint32_t keyColour = key == ColourKey::kBlack ? 0xFF000000u : 0xFFFFFFFFu;
    const std::uint32_t nearKey = key == ColourKey::kBlack ? 0xFF010101u : 0xFFFEFEFEu;
    canvas.Flush();
    for (int y = 0; y < canvas.Height(); ++y) {
        std::uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x) {
            if ((row[x] >> 24) == 0) {
                row[x] = keyColour;
            } else if (row[x] == keyColour) {
                row[x] = nearKey;
            }
        }
    }
    canvas.MarkDirty();
}

namespace {

bool IsOpaque(Canvas& canvas) {
    canvas.Flush();
    for (int y = 0; y < canvas.Height(); ++y) {
        const std::uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x) {
            if ((row[x] >> 24) != 0xFF) return false;
        }
    }
    return true;
}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bytes->insert(bytes->end(), data, data + length);
}

void NoFlush(png_structp) {}

[[noreturn]] void OnError(png_structp, png_const_charp message) {
    throw std::runtime_error(std::string("png: ") + message);
}

void OnWarning(png_structp, png_const_charp) {}

// A picture is stored whole when its compressed rows would still take more than this share of the raw ones.
constexpr std::size_t kStoreAbovePercent = 60;

// The rows as the file holds them: straight (not premultiplied) colour, R G B [A].
std::vector<std::uint8_t> StraightRows(Canvas& canvas, bool opaque) {
    canvas.Flush();
    const int channels = opaque ? 3 : 4;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(canvas.Width()) * canvas.Height() * channels);
    std::uint8_t* out = rows.data();
    for (int y = 0; y < canvas.Height(); ++y) {
        const std::uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x) {
            const std::uint32_t p = row[x];
            const std::uint32_t a = p >> 24;
            std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (a != 0xFF && a != 0) {
                // Back from premultiplied, rounded to nearest.
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            *out++ = static_cast<std::uint8_t>(r);
            *out++ = static_cast<std::uint8_t>(g);
            *out++ = static_cast<std::uint8_t>(b);
            if (!opaque) *out++ = static_cast<std::uint8_t>(a);
        }
    }
    return rows;
}

std::vector<std::uint8_t> EncodeRows(const std::vector<std::uint8_t>& rows, int width, int height, bool opaque,
                                     int compression, int filters) {
    std::vector<std::uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) throw std::runtime_error("png: cannot create a writer");
    png_infop info = png_create_info_struct(png);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * (opaque ? 3 : 4);
    try {
        if (!info) throw std::runtime_error("png: cannot create a header");
        png_set_write_fn(png, &bytes, AppendBytes, NoFlush);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(png, compression);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y) {
            png_write_row(png, rows.data() + static_cast<std::size_t>(y) * rowBytes);
        }
        png_write_end(png, nullptr);
    } catch (...) {
        png_destroy_write_struct(&png, &info);
        throw;
    }
    png_destroy_write_struct(&png, &info);
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(Canvas& canvas, int compression) {
    const bool opaque = IsOpaque(canvas);
    return EncodeRows(StraightRows(canvas, opaque), canvas.Width(), canvas.Height(), opaque, compression,
                      PNG_ALL_FILTERS);
}

std::vector<std::uint8_t> EncodeGamePng(Canvas& canvas) {
    const bool opaque = IsOpaque(canvas);
    const std::vector<std::uint8_t> rows = StraightRows(canvas, opaque);
    // The Up filter is undone by one vector add per row; Sub, Average and Paeth each wait on the pixel
    // to their left, and cost the loader more than the few bytes they save. Level 9 finds longer
    // matches, which also inflate faster.
    std::vector<std::uint8_t> packed = EncodeRows(rows, canvas.Width(), canvas.Height(), opaque, 9, PNG_FILTER_UP);
    // Noise hardly compresses: inflating it symbol by symbol costs several times what copying stored
    // blocks does, for a file only a third smaller.
    if (packed.size() * 100 > rows.size() * kStoreAbovePercent) {
        packed = EncodeRows(rows, canvas.Width(), canvas.Height(), opaque, 0, PNG_FILTER_NONE);
    }
    return packed;
}

}  // namespace assetgen::pictures
