#include "render/point_sprites.h"

#include "platform/gfx/device.h"
#include "platform/gfx/texture_file.h"

using namespace platform;

bool PointSpriteLoad(std::string_view path, std::uint32_t count, TexturePtr* texture, const Drawable& drawable,
                     VertexBufferPtr* buffer) {
    Device* d = drawable.GetDevice();
    if (!d) return false;
    if (FAILED(d->CreateVertexBuffer(count * sizeof(PointSpriteVertex), D3DUSAGE_DYNAMIC | D3DUSAGE_POINTS,
                                     kPointSpriteFvf, D3DPOOL_DEFAULT, buffer))) {
        return false;
    }
    return SUCCEEDED(CreateTextureFromFileEx(d, path, kColourKeyBlack, texture));
}

void PointSpriteDraw(bool fixedSize, std::uint32_t count, Texture* texture, const Drawable& drawable,
                     VertexBuffer* buffer) {
    Device* d = drawable.GetDevice();
    if (!d) return;
    d->SetRenderState(D3DRS_POINTSPRITEENABLE, 1);
    d->SetRenderState(D3DRS_POINTSCALEENABLE, 1);
    if (!fixedSize) d->SetRenderState(D3DRS_POINTSIZE, FloatBits(0.1f));
    d->SetRenderState(D3DRS_POINTSIZE_MIN, FloatBits(0.0f));
    d->SetRenderState(D3DRS_POINTSCALE_A, FloatBits(0.0f));
    d->SetRenderState(D3DRS_POINTSCALE_B, FloatBits(0.0f));
    d->SetRenderState(D3DRS_POINTSCALE_C, FloatBits(1.0f));
    d->SetRenderState(D3DRS_ZENABLE, 1);
    d->SetRenderState(D3DRS_ZWRITEENABLE, 1);
    d->SetRenderState(D3DRS_LIGHTING, 0);
    d->LightEnable(0, false);

    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);

    d->SetTexture(0, texture);
    d->SetStreamSource(0, buffer, 0, sizeof(PointSpriteVertex));
    d->SetFVF(kPointSpriteFvf);
    d->DrawPrimitive(D3DPT_POINTLIST, 0, count);

    d->SetTexture(0, nullptr);
    d->SetRenderState(D3DRS_POINTSIZE, FloatBits(1.0f));
    d->SetRenderState(D3DRS_POINTSPRITEENABLE, 0);
    d->SetRenderState(D3DRS_POINTSCALEENABLE, 0);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    d->SetRenderState(D3DRS_LIGHTING, 1);
    d->LightEnable(0, true);
}
