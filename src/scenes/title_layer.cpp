#include "scenes/title_layer.h"

#include <algorithm>

#include "platform/gfx/device.h"
#include "platform/gfx/sprite.h"
#include "render/draw_state.h"
#include "render/picture_drawing.h"

using namespace platform;

namespace {

// Column runs [left, right) of one strip's tiles that hold a pixel with any alpha.
std::vector<std::pair<int, int>> StripRuns(const Image& picture, int top, int bottom, int tile) {
    std::vector<std::pair<int, int>> runs;
    for (int left = 0; left < picture.width; left += tile) {
        const int right = std::min(left + tile, picture.width);
        bool visible = false;
        for (int y = top; y < bottom && !visible; ++y)
            for (int x = left; x < right && !visible; ++x) visible = (picture.At(x, y) >> 24) != 0;
        if (!visible) continue;
        if (!runs.empty() && runs.back().second == left) {
            runs.back().second = right;
        } else {
            runs.emplace_back(left, right);
        }
    }
    return runs;
}

}  // namespace

std::vector<Rect> VisibleRects(const Image& picture, int tile) {
    std::vector<Rect> rects;
    if (tile <= 0) return rects;
    std::vector<std::pair<int, int>> previous;
    std::size_t previousFirst = 0;  // where the previous strip's rectangles begin in `rects`
    for (int top = 0; top < picture.height; top += tile) {
        const int bottom = std::min(top + tile, picture.height);
        std::vector<std::pair<int, int>> runs = StripRuns(picture, top, bottom, tile);
        if (!runs.empty() && runs == previous && rects.size() - previousFirst == runs.size() &&
            rects.back().bottom == top) {
            for (std::size_t i = previousFirst; i < rects.size(); ++i) rects[i].bottom = bottom;
            continue;
        }
        previousFirst = rects.size();
        for (const auto& [left, right] : runs) rects.push_back(Rect{left, top, right, bottom});
        previous = std::move(runs);
    }
    return rects;
}

bool TitleLayer::Build(Texture* picture) {
    layer_.reset();
    rects_.clear();
    if (!device_ || !sprite_ || !picture) return false;
    Viewport previous;
    device_->GetViewport(&previous);
    const Viewport whole{0, 0, device_->BackBufferWidth(), device_->BackBufferHeight(), 0.0f, 1.0f};
    device_->SetViewport(&whole);
    Image pixels;
    // Cleared to nothing at all, so pixels the picture does not reach stay transparent and are left
    // out, as they were never drawn.
    bool made = SUCCEEDED(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0x00000000u,
                                         1.0f, 0)) &&
                SUCCEEDED(sprite_->Begin(D3DXSPRITE_SORT_TEXTURE));
    if (made) {
        DrawFullScreen(*this, picture, 0.0f, 0.0f, kOpaqueWhite);
        sprite_->End();
        made = SUCCEEDED(device_->GetBackBufferPixels(&pixels));
    }
    device_->SetViewport(&previous);
    if (!made || FAILED(device_->CreateTexture({pixels}, &layer_))) {
        layer_.reset();
        return false;
    }
    rects_ = VisibleRects(pixels, kTile);
    return true;
}

void TitleLayer::Draw() {
    if (!layer_ || !sprite_) return;
    // One texel per pixel: point sampling takes each pixel's texel unchanged.
    static constexpr DrawState kPointSampling{
        draw_state::Sampler(0, D3DSAMP_MINFILTER, D3DTEXF_POINT),
        draw_state::Sampler(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT),
        draw_state::Sampler(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE),
    };
    ScopedDrawState pointSampling(device_, kPointSampling);
    for (const Rect& r : rects_) {
        DrawPicture(*this, layer_.get(), &r, static_cast<float>(r.left), static_cast<float>(r.top), 1.0f, 1.0f,
                    kOpaqueWhite);
    }
}
