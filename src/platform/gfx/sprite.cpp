#include "platform/gfx/sprite.h"

#include <iterator>

#include "platform/gfx/device.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"

namespace platform {

namespace {

constexpr RenderStateType kSavedRenderStates[] = {
    D3DRS_ALPHABLENDENABLE, D3DRS_ALPHAFUNC,
    D3DRS_ALPHAREF,         D3DRS_ALPHATESTENABLE,
    D3DRS_BLENDOP,          D3DRS_CLIPPING,
    D3DRS_COLORWRITEENABLE, D3DRS_CULLMODE,
    D3DRS_DESTBLEND,        D3DRS_DIFFUSEMATERIALSOURCE,
    D3DRS_FILLMODE,         D3DRS_FOGENABLE,
    D3DRS_LIGHTING,         D3DRS_RANGEFOGENABLE,
    D3DRS_SHADEMODE,        D3DRS_SPECULARENABLE,
    D3DRS_SRCBLEND,         D3DRS_STENCILENABLE,
    D3DRS_VERTEXBLEND,      D3DRS_WRAP0,
};
constexpr TextureStageStateType kSavedStage0[] = {
    D3DTSS_COLOROP,   D3DTSS_COLORARG1, D3DTSS_COLORARG2,     D3DTSS_ALPHAOP,
    D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2, D3DTSS_TEXCOORDINDEX, D3DTSS_TEXTURETRANSFORMFLAGS,
};
constexpr TextureStageStateType kSavedStage1[] = {D3DTSS_COLOROP, D3DTSS_ALPHAOP};
constexpr SamplerStateType kSavedSampler0[] = {
    D3DSAMP_ADDRESSU,  D3DSAMP_ADDRESSV,    D3DSAMP_MAGFILTER,     D3DSAMP_MINFILTER,
    D3DSAMP_MIPFILTER, D3DSAMP_MAXMIPLEVEL, D3DSAMP_MAXANISOTROPY, D3DSAMP_MIPMAPLODBIAS,
};

struct SpriteVertex {
    float x, y, z;
    std::uint32_t colour;
    float u, v;
};
static_assert(sizeof(SpriteVertex) == 24);
constexpr std::uint32_t kSpriteFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

}  // namespace

struct Sprite::Saved {
    std::uint32_t renderStates[std::size(kSavedRenderStates)] = {};
    std::uint32_t stage0[std::size(kSavedStage0)] = {};
    std::uint32_t stage1[std::size(kSavedStage1)] = {};
    std::uint32_t sampler0[std::size(kSavedSampler0)] = {};
    VertexBuffer* stream = nullptr;
    std::uint32_t streamOffset = 0, streamStride = 0;
    std::uint32_t fvf = 0;
    Texture* texture = nullptr;
};

HRESULT CreateSprite(Device* device, std::unique_ptr<Sprite>* out) {
    if (!device || !out) return D3DERR_INVALIDCALL;
    out->reset(new Sprite(device));
    return S_OK;
}

Sprite::Sprite(Device* device) : DeviceResource(device), saved_(std::make_unique<Saved>()) {}

Sprite::~Sprite() {
    if (begun_) End();
    Detach();
}

void Sprite::SaveStates() {
    Device* d = GetDevice();
    Saved& s = *saved_;
    for (std::size_t i = 0; i < std::size(kSavedRenderStates); ++i)
        d->GetRenderState(kSavedRenderStates[i], &s.renderStates[i]);
    for (std::size_t i = 0; i < std::size(kSavedStage0); ++i) d->GetTextureStageState(0, kSavedStage0[i], &s.stage0[i]);
    for (std::size_t i = 0; i < std::size(kSavedStage1); ++i) d->GetTextureStageState(1, kSavedStage1[i], &s.stage1[i]);
    for (std::size_t i = 0; i < std::size(kSavedSampler0); ++i)
        d->GetSamplerState(0, kSavedSampler0[i], &s.sampler0[i]);
    d->GetStreamSource(0, &s.stream, &s.streamOffset, &s.streamStride);
    d->GetFVF(&s.fvf);
    s.texture = d->GetTexture(0);
}

void Sprite::RestoreStates() {
    Device* d = GetDevice();
    const Saved& s = *saved_;
    for (std::size_t i = 0; i < std::size(kSavedRenderStates); ++i)
        d->SetRenderState(kSavedRenderStates[i], s.renderStates[i]);
    for (std::size_t i = 0; i < std::size(kSavedStage0); ++i) d->SetTextureStageState(0, kSavedStage0[i], s.stage0[i]);
    for (std::size_t i = 0; i < std::size(kSavedStage1); ++i) d->SetTextureStageState(1, kSavedStage1[i], s.stage1[i]);
    for (std::size_t i = 0; i < std::size(kSavedSampler0); ++i) d->SetSamplerState(0, kSavedSampler0[i], s.sampler0[i]);
    d->SetStreamSource(0, s.stream, s.streamOffset, s.streamStride);
    d->SetFVF(s.fvf);
    d->SetTexture(0, s.texture);
}

void Sprite::SetOwnStates() {
    Device* d = GetDevice();
    const bool blend = (flags_ & D3DXSPRITE_ALPHABLEND) != 0;
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, blend);
    d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    d->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    // Fully transparent pixels neither draw nor write depth.
    d->SetRenderState(D3DRS_ALPHATESTENABLE, blend);
    d->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    d->SetRenderState(D3DRS_ALPHAREF, 0);
    d->SetRenderState(D3DRS_CLIPPING, 1);
    d->SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    d->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    d->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    d->SetRenderState(D3DRS_FOGENABLE, 0);
    d->SetRenderState(D3DRS_LIGHTING, 0);
    d->SetRenderState(D3DRS_RANGEFOGENABLE, 0);
    d->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    d->SetRenderState(D3DRS_SPECULARENABLE, 0);
    d->SetRenderState(D3DRS_STENCILENABLE, 0);
    d->SetRenderState(D3DRS_VERTEXBLEND, 0);
    d->SetRenderState(D3DRS_WRAP0, 0);

    d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    d->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
    d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    d->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);

    d->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    d->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    d->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
    d->SetSamplerState(0, D3DSAMP_MAXMIPLEVEL, 0);
    d->SetSamplerState(0, D3DSAMP_MAXANISOTROPY, 1);
    d->SetSamplerState(0, D3DSAMP_MIPMAPLODBIAS, 0);
}

HRESULT Sprite::Begin(std::uint32_t flags) {
    if (!GetDevice() || begun_) return D3DERR_INVALIDCALL;
    flags_ = flags;
    // Screen pixels with y down over the viewport of the moment. OpenGL samples pixel centres at half
    // coordinates already, so no half-pixel shift is wanted.
    Viewport vp;
    GetDevice()->GetViewport(&vp);
    MatrixOrthoOffCenterLH(&screen_, static_cast<float>(vp.x), static_cast<float>(vp.x + vp.width),
                           static_cast<float>(vp.y + vp.height), static_cast<float>(vp.y), vp.minZ, vp.maxZ);
    if (!(flags_ & D3DXSPRITE_DONOTSAVESTATE)) SaveStates();
    if (!(flags_ & D3DXSPRITE_DONOTMODIFY_RENDERSTATE)) SetOwnStates();
    begun_ = true;
    return S_OK;
}

HRESULT Sprite::SetTransform(const Matrix* transform) {
    if (!transform) return D3DERR_INVALIDCALL;
    transform_ = *transform;
    return S_OK;
}

HRESULT Sprite::GetTransform(Matrix* transform) const {
    if (!transform) return D3DERR_INVALIDCALL;
    *transform = transform_;
    return S_OK;
}

HRESULT Sprite::Draw(Texture* texture, const Rect* source, const Vector3* centre, const Vector3* position,
                     std::uint32_t colour) {
    Device* d = GetDevice();
    if (!d || !begun_ || !texture) return D3DERR_INVALIDCALL;
    const float texW = static_cast<float>(texture->Width());
    const float texH = static_cast<float>(texture->Height());
    Rect r{0, 0, static_cast<std::int32_t>(texture->Width()), static_cast<std::int32_t>(texture->Height())};
    if (source) r = *source;
    const float w = static_cast<float>(r.right - r.left);
    const float h = static_cast<float>(r.bottom - r.top);
    const Vector3 c = centre ? *centre : Vector3{};
    const Vector3 p = position ? *position : Vector3{};
    // Texture coordinates are the rectangle over the texture's own (power-of-two) size.
    const float u0 = static_cast<float>(r.left) / texW, u1 = static_cast<float>(r.right) / texW;
    const float v0 = static_cast<float>(r.top) / texH, v1 = static_cast<float>(r.bottom) / texH;
    const float corners[4][4] = {{0, 0, u0, v0}, {w, 0, u1, v0}, {0, h, u0, v1}, {w, h, u1, v1}};
    SpriteVertex quad[4];
    for (int i = 0; i < 4; ++i) {
        const Vector3 local{corners[i][0] - c.x + p.x, corners[i][1] - c.y + p.y, p.z - c.z};
        Vector3 screen;
        Vec3TransformCoord(&screen, &local, &transform_);
        quad[i] = SpriteVertex{screen.x, screen.y, screen.z, colour, corners[i][2], corners[i][3]};
    }
    d->SetTexture(0, texture);
    d->SetFVF(kSpriteFvf);
    // In object space the pictures go through the device's matrices like any 3D drawing; otherwise they are
    // drawn in screen pixels and the matrices the game set are left alone, as Direct3D's sprite leaves them.
    if (flags_ & D3DXSPRITE_OBJECTSPACE) return d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(SpriteVertex));
    return d->DrawScreenSpaceUP(screen_, D3DPT_TRIANGLESTRIP, 2, quad, sizeof(SpriteVertex));
}

HRESULT Sprite::Flush() { return begun_ ? S_OK : D3DERR_INVALIDCALL; }

HRESULT Sprite::End() {
    if (!GetDevice() || !begun_) return D3DERR_INVALIDCALL;
    if (!(flags_ & D3DXSPRITE_DONOTSAVESTATE)) RestoreStates();
    begun_ = false;
    return S_OK;
}

}  // namespace platform
