#include "assetgen/pictures/effects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace assetgen::pictures {

namespace {

// One running-sum box pass over `count` samples `step` apart, for `channels` interleaved bytes.
void BoxLine(std::uint8_t* data, int count, int step, int channels, int radius, std::vector<int>& scratch) {
    if (radius < 1 || count < 2) return;
    scratch.resize(static_cast<std::size_t>(count) * channels);
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < channels; ++c) scratch[static_cast<std::size_t>(i) * channels + c] = data[i * step + c];
    }
    const int window = 2 * radius + 1;
    for (int c = 0; c < channels; ++c) {
        int sum = 0;
        for (int i = -radius; i <= radius; ++i) {
            const int j = std::clamp(i, 0, count - 1);
            sum += (j == i) ? scratch[static_cast<std::size_t>(j) * channels + c] : 0;
        }
        for (int i = 0; i < count; ++i) {
            data[i * step + c] = static_cast<std::uint8_t>((sum + window / 2) / window);
            const int out = i - radius;
            const int in = i + radius + 1;
            if (out >= 0) sum -= scratch[static_cast<std::size_t>(out) * channels + c];
            if (in < count) sum += scratch[static_cast<std::size_t>(in) * channels + c];
        }
    }
}

struct Box {
    int x0, y0, x1, y1;  // half-open
};

void BlurRegion(cairo_surface_t* surface, const Box& box, double rx, double ry) {
    cairo_surface_flush(surface);
    const int channels = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_A8 ? 1 : 4;
    std::uint8_t* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    // Three passes of half-width r spread about as far as a Gaussian of sigma ~ r.
    const int passRx = std::max(0, static_cast<int>(std::lround(rx / 2.0)));
    const int passRy = std::max(0, static_cast<int>(std::lround(ry / 2.0)));
    std::vector<int> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = box.y0; y < box.y1; ++y) {
            BoxLine(data + static_cast<std::size_t>(y) * stride + box.x0 * channels, box.x1 - box.x0, channels,
                    channels, passRx, scratch);
        }
        for (int x = box.x0; x < box.x1; ++x) {
            BoxLine(data + static_cast<std::size_t>(box.y0) * stride + x * channels, box.y1 - box.y0, stride, channels,
                    passRy, scratch);
        }
    }
    cairo_surface_mark_dirty(surface);
}

}  // namespace

void Blur(cairo_surface_t* surface, double rx, double ry) {
    BlurRegion(surface, {0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)}, rx,
               ry);
}

void Glow(Canvas& canvas, const Rgba& colour, double radius, const std::function<void(cairo_t*)>& shape, double gain) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t* mcr = cairo_create(mask);
    cairo_matrix_t matrix;
    cairo_get_matrix(canvas.cr(), &matrix);
    cairo_set_matrix(mcr, &matrix);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_get_font_options(canvas.cr(), options);
    cairo_set_font_options(mcr, options);
    cairo_font_options_destroy(options);
    cairo_set_source_rgba(mcr, 1, 1, 1, 1);
    shape(mcr);
    cairo_destroy(mcr);
    cairo_surface_flush(mask);

    // Blur only around what was drawn: most glows cover a small part of a large picture.
    std::uint8_t* data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    Box box{w, h, 0, 0};
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = data + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < w; ++x) {
            if (row[x]) {
                box.x0 = std::min(box.x0, x);
                box.x1 = std::max(box.x1, x + 1);
                box.y0 = std::min(box.y0, y);
                box.y1 = std::max(box.y1, y + 1);
            }
        }
    }
    if (box.x1 > box.x0) {
        const int reach = static_cast<int>(std::ceil(radius * 2.0)) + 2;
        box = {std::max(0, box.x0 - reach), std::max(0, box.y0 - reach), std::min(w, box.x1 + reach),
               std::min(h, box.y1 + reach)};
        BlurRegion(mask, box, radius, radius);
        if (gain != 1.0) {
            for (int y = box.y0; y < box.y1; ++y) {
                std::uint8_t* row = data + static_cast<std::size_t>(y) * stride;
                for (int x = box.x0; x < box.x1; ++x) {
                    row[x] = static_cast<std::uint8_t>(std::min(255.0, row[x] * gain));
                }
            }
            cairo_surface_mark_dirty(mask);
        }
        cairo_t* cr = canvas.cr();
        cairo_save(cr);
        cairo_identity_matrix(cr);
        SetSource(cr, colour);
        cairo_mask_surface(cr, mask, 0, 0);
        cairo_restore(cr);
    }
    cairo_surface_destroy(mask);
}

void Shade(Canvas& canvas, const std::function<Rgba(int x, int y)>& f) {
    canvas.Flush();
    for (int y = 0; y < canvas.Height(); ++y) {
        std::uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x) row[x] = ToPixel(f(x, y));
    }
    canvas.MarkDirty();
}

void DrawWrapped(cairo_t* cr, double width, double height, const std::function<void()>& draw) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            cairo_save(cr);
            cairo_translate(cr, dx * width, dy * height);
            draw();
            cairo_restore(cr);
        }
    }
}

void FadeAlpha(Canvas& canvas, const std::function<double(int x, int y)>& f) {
    canvas.Flush();
    for (int y = 0; y < canvas.Height(); ++y) {
        std::uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x) {
            const double k = std::clamp(f(x, y), 0.0, 1.0);
            if (k >= 1.0) continue;
            const std::uint32_t p = row[x];
            auto ch = [&](int shift) {
                return static_cast<std::uint32_t>(std::lround(((p >> shift) & 0xFF) * k)) << shift;
            };
            row[x] = ch(24) | ch(16) | ch(8) | ch(0);
        }
    }
    canvas.MarkDirty();
}

}  // namespace assetgen::pictures
