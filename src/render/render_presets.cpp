#include "render/render_presets.h"

#include <cmath>

#include "platform/gfx/device.h"
#include "platform/gfx/sprite.h"

using namespace platform;

Matrix* SetMatrixTranslation(Matrix* matrix, float x, float y, float z) {
    matrix->_41 = x;
    matrix->_42 = y;
    matrix->_43 = z;
    return matrix;
}

Matrix* SetMatrixScale(Matrix* matrix, float sx, float sy, float sz) {
    matrix->_11 = sx;
    matrix->_22 = sy;
    matrix->_33 = sz;
    return matrix;
}

Matrix* MakeTextureScroll(Matrix* matrix, float u, float v) {
    MatrixIdentity(matrix);
    matrix->_31 = u;
    matrix->_32 = v;
    return matrix;
}

void SetTextureTimesLight(Device* device) {
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

void SetAlphaBlend(const Drawable& drawable, bool enable) {
    Device* d = drawable.GetDevice();
    if (!d) return;
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, enable ? 1 : 0);
    d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
}

void SetTextureAlphaFactor(const Drawable& drawable, std::uint32_t argb) {
    Device* d = drawable.GetDevice();
    if (!d) return;
    d->SetRenderState(D3DRS_TEXTUREFACTOR, argb);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
}

void SetTextureScroll(const Drawable& drawable, float u, float v, Matrix* matrix) {
    Device* d = drawable.GetDevice();
    if (!d || !matrix) return;
    d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    matrix->_31 = u;
    matrix->_32 = v;
    d->SetTransform(D3DTS_TEXTURE0, matrix);
}

void SetFog(const Drawable& drawable, float start, float end, std::uint32_t colour, bool enable) {
    Device* d = drawable.GetDevice();
    if (!d) return;
    d->SetRenderState(D3DRS_FOGENABLE, enable ? 1 : 0);
    d->SetRenderState(D3DRS_FOGCOLOR, colour);
    d->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_NONE);
    d->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
    d->SetRenderState(D3DRS_RANGEFOGENABLE, 1);
    d->SetRenderState(D3DRS_FOGSTART, FloatBits(start));
    d->SetRenderState(D3DRS_FOGEND, FloatBits(end));
}

void SetStencilMark(const Drawable& drawable) {
    Device* d = drawable.GetDevice();
    if (!d) return;
    d->SetRenderState(D3DRS_STENCILENABLE, 1);
    d->SetRenderState(D3DRS_STENCILREF, 2);
    d->SetRenderState(D3DRS_STENCILMASK, 0xFFFFFFFFu);
    d->SetRenderState(D3DRS_STENCILWRITEMASK, 0xFFFFFFFFu);
    d->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    d->SetRenderState(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP);
    d->SetRenderState(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP);
    d->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);
}

void DrawPortraitSprite(Drawable& drawable, Texture* texture, const Rect* source, Vector2 position) {
    Sprite* sprite = drawable.GetSprite();
    if (!sprite) return;
    const Vector2 scaling{1.0f, 1.0f};
    MatrixTransformation2D(&drawable.Transform(), &scaling, &position);
    sprite->SetTransform(&drawable.Transform());
    sprite->Draw(texture, source, nullptr, nullptr, 0x80FFFFFFu);
}

std::uint32_t FadeColour(double value) {
    std::uint32_t a;
    if (value >= 1.0) {
        a = 255;
    } else if (value <= 0.0) {
        a = 0;
    } else {
        a = static_cast<std::uint32_t>(std::lround(value * 255.0));
    }
    return (a << 24) | 0x00FFFFFFu;
}
