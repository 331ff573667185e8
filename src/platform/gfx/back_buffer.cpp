// The back buffer: the off-screen one or the window's own; clearing, showing it in the window, reading it back.

#include <algorithm>
#include <cmath>

#include "platform/gfx/device.h"
#include "platform/gfx/device_gl.h"
#include "platform/gfx/letterbox.h"

namespace platform {

namespace {

// Black with cleared depth and stencil, whatever masks the last frame left.
void ClearAsNew() {
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFFFFFFFFu);
    glClearColor(0, 0, 0, 1);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

}  // namespace

bool DeviceGl::CreateBackBuffer(unsigned width, unsigned height) {
    DestroyBackBuffer();
    api.GenFramebuffers(1, &framebuffer);
    api.GenRenderbuffers(1, &colourBuffer);
    api.GenRenderbuffers(1, &depthStencilBuffer);
    api.BindRenderbuffer(GL_RENDERBUFFER, colourBuffer);
    api.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    api.BindRenderbuffer(GL_RENDERBUFFER, depthStencilBuffer);
    api.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, static_cast<GLsizei>(width),
                            static_cast<GLsizei>(height));
    api.BindRenderbuffer(GL_RENDERBUFFER, 0);
    api.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    api.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer);
    api.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthStencilBuffer);
    api.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthStencilBuffer);
    if (api.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        DestroyBackBuffer();
        return false;
    }
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    // A new buffer starts black with cleared depth and stencil, as the first frame will find it.
    ClearAsNew();
    dirty |= kDirtyRaster;
    return true;
}

bool DeviceGl::WindowFormatsMatch() {
    api.BindFramebuffer(GL_FRAMEBUFFER, 0);
    GLint red = 0, green = 0, blue = 0, alpha = 0, depth = 0, stencil = 0, samples = 0;
    glGetIntegerv(GL_RED_BITS, &red);
    glGetIntegerv(GL_GREEN_BITS, &green);
    glGetIntegerv(GL_BLUE_BITS, &blue);
    glGetIntegerv(GL_ALPHA_BITS, &alpha);
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    glGetIntegerv(GL_STENCIL_BITS, &stencil);
    glGetIntegerv(GL_SAMPLE_BUFFERS, &samples);
    api.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    // Other depths would blend, test or round differently from the off-screen buffer.
    return red == 8 && green == 8 && blue == 8 && alpha == 8 && depth == 24 && stencil == 8 && samples == 0;
}

void DeviceGl::ChooseTarget(WindowHandle window, unsigned width, unsigned height) {
    int drawableWidth = 0, drawableHeight = 0;
    GetDrawableSize(window, &drawableWidth, &drawableHeight);
    const bool wasDirect = direct;
    direct = directAllowed && windowMatches && drawableWidth == static_cast<int>(width) &&
             drawableHeight == static_cast<int>(height);
    api.BindFramebuffer(GL_FRAMEBUFFER, DrawFramebuffer());
    glDrawBuffer(ColourBuffer());
    glReadBuffer(ColourBuffer());
    if (direct && !wasDirect) {
        // The window's buffer is new to the frames: it starts as a new off-screen buffer does.
        ClearAsNew();
    }
    dirty |= kDirtyRaster;
}

void DeviceGl::DestroyBackBuffer() {
    if (framebuffer) {
        api.BindFramebuffer(GL_FRAMEBUFFER, 0);
        api.DeleteFramebuffers(1, &framebuffer);
    }
    if (colourBuffer) api.DeleteRenderbuffers(1, &colourBuffer);
    if (depthStencilBuffer) api.DeleteRenderbuffers(1, &depthStencilBuffer);
    framebuffer = colourBuffer = depthStencilBuffer = 0;
}

HRESULT Device::Clear(std::uint32_t rectCount, const Rect* rects, std::uint32_t flags, std::uint32_t colour, float z,
                      std::uint32_t stencil) {
    if (rectCount > 0 && !rects) return D3DERR_INVALIDCALL;
    if ((flags & (D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) == 0) return D3DERR_INVALIDCALL;
    if (z < 0.0f || z > 1.0f) return D3DERR_INVALIDCALL;
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) mask |= GL_COLOR_BUFFER_BIT;
    if (flags & D3DCLEAR_ZBUFFER) mask |= GL_DEPTH_BUFFER_BIT;
    if (flags & D3DCLEAR_STENCIL) mask |= GL_STENCIL_BUFFER_BIT;
    // Only this call's own errors count.
    DrainGlErrors();

    // Clearing ignores the write masks of the drawing states.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFFFFFFFFu);
    glClearColor(static_cast<float>((colour >> 16) & 0xFF) / 255.0f, static_cast<float>((colour >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(colour & 0xFF) / 255.0f, static_cast<float>((colour >> 24) & 0xFF) / 255.0f);
    glClearDepth(z);
    glClearStencil(static_cast<GLint>(stencil & 0xFF));
    glEnable(GL_SCISSOR_TEST);

    // Rectangles are in pixels from the top left and are cut to the viewport.
    auto clearRect = [&](std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
        left = std::max<std::int64_t>(left, viewport_.x);
        top = std::max<std::int64_t>(top, viewport_.y);
        right = std::min<std::int64_t>(right, static_cast<std::int64_t>(viewport_.x) + viewport_.width);
        bottom = std::min<std::int64_t>(bottom, static_cast<std::int64_t>(viewport_.y) + viewport_.height);
        if (right <= left || bottom <= top) return;
        glScissor(static_cast<GLint>(left), static_cast<GLint>(backBufferHeight_ - bottom),
                  static_cast<GLsizei>(right - left), static_cast<GLsizei>(bottom - top));
        glClear(mask);
    };
    if (rectCount == 0) {
        clearRect(viewport_.x, viewport_.y, static_cast<std::int64_t>(viewport_.x) + viewport_.width,
                  static_cast<std::int64_t>(viewport_.y) + viewport_.height);
    } else {
        for (std::uint32_t i = 0; i < rectCount; ++i) {
            clearRect(rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
        }
    }
    glDisable(GL_SCISSOR_TEST);
    gl_->dirty |= kDirtyRaster;
    return DrainGlErrors() ? S_OK : E_FAIL;
}

HRESULT Device::Present() {
    const GlApi& api = gl_->api;
    if (!gl_->framebuffer) return E_FAIL;
    if (failNextPresent_) {
        failNextPresent_ = false;
        return E_FAIL;
    }
    // A failed present resets every state, so only the presentation's own errors may cause one.
    DrainGlErrors();
    if (gl_->direct) {
        SwapWindow(window_);
        gl_->ChooseTarget(window_, backBufferWidth_, backBufferHeight_);
        return DrainGlErrors() ? S_OK : E_FAIL;
    }
    int drawableWidth = 0, drawableHeight = 0;
    GetDrawableSize(window_, &drawableWidth, &drawableHeight);

    api.BindFramebuffer(GL_READ_FRAMEBUFFER, gl_->framebuffer);
    api.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const PixelRect r = LetterboxRect(drawableWidth, drawableHeight, static_cast<int>(backBufferWidth_),
                                      static_cast<int>(backBufferHeight_));
    if (r.width > 0 && r.height > 0) {
        const bool exact =
            r.width == static_cast<int>(backBufferWidth_) && r.height == static_cast<int>(backBufferHeight_);
        api.BlitFramebuffer(0, 0, static_cast<GLint>(backBufferWidth_), static_cast<GLint>(backBufferHeight_), r.x, r.y,
                            r.x + r.width, r.y + r.height, GL_COLOR_BUFFER_BIT, exact ? GL_NEAREST : GL_LINEAR);
    }
    SwapWindow(window_);
    gl_->ChooseTarget(window_, backBufferWidth_, backBufferHeight_);
    return DrainGlErrors() ? S_OK : E_FAIL;
}

HRESULT Device::Reset(const PresentParameters& parameters) {
    unsigned width = parameters.backBufferWidth ? parameters.backBufferWidth : backBufferWidth_;
    unsigned height = parameters.backBufferHeight ? parameters.backBufferHeight : backBufferHeight_;
    if (!gl_->CreateBackBuffer(width, height)) return E_FAIL;
    backBufferWidth_ = width;
    backBufferHeight_ = height;
    gl_->direct = false;
    gl_->ChooseTarget(window_, width, height);
    ResetStates();
    return S_OK;
}

bool Device::DrawsToWindow() const { return gl_->direct; }

HRESULT Device::GetBackBufferImage(Image* out) { return ReadBackBuffer(out, false); }

HRESULT Device::GetBackBufferPixels(Image* out) { return ReadBackBuffer(out, true); }

HRESULT Device::ReadBackBuffer(Image* out, bool keepAlpha) {
    if (!out || !gl_->framebuffer) return D3DERR_INVALIDCALL;
    const int w = static_cast<int>(backBufferWidth_);
    const int h = static_cast<int>(backBufferHeight_);
    std::vector<std::uint32_t> bottomUp(static_cast<std::size_t>(w) * h);
    gl_->api.BindFramebuffer(GL_FRAMEBUFFER, gl_->DrawFramebuffer());
    glReadBuffer(gl_->ColourBuffer());
    glFinish();
    DrainGlErrors();
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, bottomUp.data());
    if (!DrainGlErrors()) return E_FAIL;
    out->width = w;
    out->height = h;
    out->argb.resize(bottomUp.size());
    const std::uint32_t opaque = keepAlpha ? 0u : 0xFF000000u;
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* src = bottomUp.data() + static_cast<std::size_t>(h - 1 - y) * w;
        std::uint32_t* dst = out->argb.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < w; ++x) dst[x] = src[x] | opaque;
    }
    return S_OK;
}

}  // namespace platform
