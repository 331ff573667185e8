#include "platform/gfx/device.h"

#include <algorithm>

#include "platform/gfx/device_gl.h"
#include "platform/gfx/device_resource.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_buffer.h"

namespace platform {

std::unique_ptr<Device> Device::Create(WindowHandle window, const PresentParameters& parameters,
                                       const DeviceOptions& options) {
    std::unique_ptr<Device> device(new Device);
    if (!device->Init(window, parameters, options)) return nullptr;
    return device;
}

bool Device::Init(WindowHandle window, const PresentParameters& parameters, const DeviceOptions& options) {
    if (!window || !CreateGLContext(window)) return false;
    window_ = window;
    gl_ = std::make_unique<DeviceGl>();
    if (!gl_->api.Load()) return false;
    gl_->processorFog = options.forceProcessorFog || !gl_->api.nvFogDistance;
    gl_->stageUnits = std::min<int>(gl_->api.textureUnits, static_cast<int>(kTextureStageCount));

    unsigned width = parameters.backBufferWidth;
    unsigned height = parameters.backBufferHeight;
    if (width == 0 || height == 0) {
        int w = 0, h = 0;
        GetLogicalSize(window, &w, &h);
        width = w > 0 ? static_cast<unsigned>(w) : 800;
        height = h > 0 ? static_cast<unsigned>(h) : 600;
    }
    if (!gl_->CreateBackBuffer(width, height)) return false;
    backBufferWidth_ = width;
    backBufferHeight_ = height;
    gl_->directAllowed = !options.offScreenOnly;
    gl_->windowMatches = gl_->WindowFormatsMatch();
    gl_->ChooseTarget(window, width, height);

    // A white texel for stages that have no texture, so that every stage runs the same combiner.
    glGenTextures(1, &gl_->whiteTexture);
    glBindTexture(GL_TEXTURE_2D, gl_->whiteTexture);
    const std::uint32_t white = 0xFFFFFFFFu;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);

    // Fixed parts of the mapping that no state changes.
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    // Specular light is added after texturing, as the fixed-function pipeline being reproduced does.
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glDisable(GL_SCISSOR_TEST);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // The context may have served an earlier device: no vertex array of its may stay switched on.
    for (int unit = gl_->stageUnits - 1; unit >= 0; --unit) {
        gl_->api.ClientActiveTexture(GL_TEXTURE0 + unit);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_FOG_COORD_ARRAY);

    ResetStates();
    return glGetError() == GL_NO_ERROR;
}

Device::~Device() {
    // Resources still alive let go of their storage now; their own destruction later does nothing.
    std::vector<DeviceResource*> resources;
    resources.swap(resources_);
    for (DeviceResource* r : resources) {
        r->ReleaseFromDevice();
        r->device_ = nullptr;
    }
    if (gl_) {
        if (gl_->whiteTexture) glDeleteTextures(1, &gl_->whiteTexture);
        gl_->DestroyBackBuffer();
    }
}

void Device::Register(DeviceResource* resource) { resources_.push_back(resource); }

void Device::Unregister(DeviceResource* resource) {
    auto it = std::find(resources_.begin(), resources_.end(), resource);
    if (it != resources_.end()) resources_.erase(it);
}

void Device::ForgetTexture(Texture* texture) {
    for (Texture*& t : textures_) {
        if (t == texture) {
            t = nullptr;
            gl_->dirty |= kDirtyStages;
        }
    }
}

void Device::ForgetVertexBuffer(VertexBuffer* buffer) {
    if (streamBuffer_ == buffer) streamBuffer_ = nullptr;
}

void Device::ResetStates() {
    std::fill(std::begin(renderStates_), std::end(renderStates_), 0u);
    auto rs = [this](RenderStateType s, std::uint32_t v) { renderStates_[s] = v; };
    rs(D3DRS_ZENABLE, D3DZB_TRUE);  // the device always has its depth buffer
    rs(D3DRS_FILLMODE, D3DFILL_SOLID);
    rs(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    rs(D3DRS_ZWRITEENABLE, 1);
    rs(D3DRS_LASTPIXEL, 1);
    rs(D3DRS_SRCBLEND, D3DBLEND_ONE);
    rs(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    rs(D3DRS_CULLMODE, D3DCULL_CCW);
    rs(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    rs(D3DRS_ALPHAFUNC, D3DCMP_ALWAYS);
    rs(D3DRS_FOGSTART, FloatBits(0.0f));
    rs(D3DRS_FOGEND, FloatBits(1.0f));
    rs(D3DRS_FOGDENSITY, FloatBits(1.0f));
    rs(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP);
    rs(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP);
    rs(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
    rs(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    rs(D3DRS_STENCILMASK, 0xFFFFFFFFu);
    rs(D3DRS_STENCILWRITEMASK, 0xFFFFFFFFu);
    rs(D3DRS_TEXTUREFACTOR, 0xFFFFFFFFu);
    rs(D3DRS_CLIPPING, 1);
    rs(D3DRS_LIGHTING, 1);
    rs(D3DRS_COLORVERTEX, 1);
    rs(D3DRS_LOCALVIEWER, 1);
    rs(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    rs(D3DRS_SPECULARMATERIALSOURCE, D3DMCS_COLOR2);
    rs(D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL);
    rs(D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL);
    rs(D3DRS_POINTSIZE, FloatBits(1.0f));
    rs(D3DRS_POINTSIZE_MIN, FloatBits(1.0f));
    rs(D3DRS_POINTSCALE_A, FloatBits(1.0f));
    rs(D3DRS_POINTSCALE_B, FloatBits(0.0f));
    rs(D3DRS_POINTSCALE_C, FloatBits(0.0f));
    rs(D3DRS_MULTISAMPLEANTIALIAS, 1);
    rs(D3DRS_MULTISAMPLEMASK, 0xFFFFFFFFu);
    rs(D3DRS_POINTSIZE_MAX, FloatBits(64.0f));
    rs(D3DRS_COLORWRITEENABLE, 0xF);
    rs(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    rs(D3DRS_SRCBLENDALPHA, D3DBLEND_ONE);
    rs(D3DRS_DESTBLENDALPHA, D3DBLEND_ZERO);
    rs(D3DRS_BLENDOPALPHA, D3DBLENDOP_ADD);

    for (std::uint32_t s = 0; s < kTextureStageCount; ++s) {
        std::uint32_t* st = stageStates_[s];
        std::fill(st, st + kTextureStageStateCount, 0u);
        st[D3DTSS_COLOROP] = s == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        st[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        st[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        st[D3DTSS_ALPHAOP] = s == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        st[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        st[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        st[D3DTSS_TEXCOORDINDEX] = s;
        st[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
        st[D3DTSS_COLORARG0] = D3DTA_CURRENT;
        st[D3DTSS_ALPHAARG0] = D3DTA_CURRENT;
        st[D3DTSS_RESULTARG] = D3DTA_CURRENT;
        textureTransforms_[s] = Matrix{};
        textures_[s] = nullptr;
    }
    for (std::uint32_t s = 0; s < kSamplerCount; ++s) {
        std::uint32_t* sa = samplerStates_[s];
        std::fill(sa, sa + kSamplerStateCount, 0u);
        sa[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
        sa[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
        sa[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
        sa[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
        sa[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        sa[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
        sa[D3DSAMP_MAXANISOTROPY] = 1;
    }
    world_ = view_ = projection_ = Matrix{};
    viewport_ = Viewport{0, 0, backBufferWidth_, backBufferHeight_, 0.0f, 1.0f};
    material_ = Material{};
    lights_.clear();
    streamBuffer_ = nullptr;
    streamOffset_ = streamStride_ = 0;
    fvf_ = 0;
    inScene_ = false;
    if (gl_) {
        gl_->dirty = kDirtyAll;
        gl_->lastHasNormal = gl_->lastHasDiffuse = -1;
        gl_->unitsEnabled = -1;
    }
}

HRESULT Device::SetRenderState(RenderStateType state, std::uint32_t value) {
    if (state >= kRenderStateCount) return D3DERR_INVALIDCALL;
    if (renderStates_[state] != value) {
        renderStates_[state] = value;
        gl_->dirty |= DirtyBitsForRenderState(state);
    }
    return S_OK;
}

HRESULT Device::GetRenderState(RenderStateType state, std::uint32_t* value) const {
    if (state >= kRenderStateCount || !value) return D3DERR_INVALIDCALL;
    *value = renderStates_[state];
    return S_OK;
}

HRESULT Device::SetTextureStageState(std::uint32_t stage, TextureStageStateType type, std::uint32_t value) {
    if (stage >= kTextureStageCount || type >= kTextureStageStateCount) return D3DERR_INVALIDCALL;
    if (stageStates_[stage][type] != value) {
        stageStates_[stage][type] = value;
        gl_->dirty |= kDirtyStages;
    }
    return S_OK;
}

HRESULT Device::GetTextureStageState(std::uint32_t stage, TextureStageStateType type, std::uint32_t* value) const {
    if (stage >= kTextureStageCount || type >= kTextureStageStateCount || !value) return D3DERR_INVALIDCALL;
    *value = stageStates_[stage][type];
    return S_OK;
}

HRESULT Device::SetSamplerState(std::uint32_t sampler, SamplerStateType type, std::uint32_t value) {
    if (sampler >= kSamplerCount || type >= kSamplerStateCount) return D3DERR_INVALIDCALL;
    if (samplerStates_[sampler][type] != value) {
        samplerStates_[sampler][type] = value;
        gl_->dirty |= kDirtyStages;
    }
    return S_OK;
}

HRESULT Device::GetSamplerState(std::uint32_t sampler, SamplerStateType type, std::uint32_t* value) const {
    if (sampler >= kSamplerCount || type >= kSamplerStateCount || !value) return D3DERR_INVALIDCALL;
    *value = samplerStates_[sampler][type];
    return S_OK;
}

HRESULT Device::SetTransform(TransformStateType state, const Matrix* matrix) {
    if (!matrix) return D3DERR_INVALIDCALL;
    switch (state) {
        case D3DTS_WORLD:
            world_ = *matrix;
            gl_->dirty |= kDirtyWorld;
            return S_OK;
        case D3DTS_VIEW:
            view_ = *matrix;
            gl_->dirty |= kDirtyView;
            return S_OK;
        case D3DTS_PROJECTION:
            projection_ = *matrix;
            gl_->dirty |= kDirtyProjection;
            return S_OK;
        default:
            if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7) {
                textureTransforms_[state - D3DTS_TEXTURE0] = *matrix;
                gl_->dirty |= kDirtyStages;
                return S_OK;
            }
            return D3DERR_INVALIDCALL;
    }
}

HRESULT Device::GetTransform(TransformStateType state, Matrix* matrix) const {
    if (!matrix) return D3DERR_INVALIDCALL;
    switch (state) {
        case D3DTS_WORLD:
            *matrix = world_;
            return S_OK;
        case D3DTS_VIEW:
            *matrix = view_;
            return S_OK;
        case D3DTS_PROJECTION:
            *matrix = projection_;
            return S_OK;
        default:
            if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7) {
                *matrix = textureTransforms_[state - D3DTS_TEXTURE0];
                return S_OK;
            }
            return D3DERR_INVALIDCALL;
    }
}

HRESULT Device::SetViewport(const Viewport* viewport) {
    if (!viewport) return D3DERR_INVALIDCALL;
    const Viewport& v = *viewport;
    if (v.width == 0 || v.height == 0 || static_cast<std::uint64_t>(v.x) + v.width > backBufferWidth_ ||
        static_cast<std::uint64_t>(v.y) + v.height > backBufferHeight_ || v.minZ < 0.0f || v.maxZ > 1.0f ||
        v.minZ > v.maxZ) {
        return D3DERR_INVALIDCALL;
    }
    viewport_ = v;
    gl_->dirty |= kDirtyViewport | kDirtyPoints;
    return S_OK;
}

HRESULT Device::GetViewport(Viewport* viewport) const {
    if (!viewport) return D3DERR_INVALIDCALL;
    *viewport = viewport_;
    return S_OK;
}

HRESULT Device::SetMaterial(const Material* material) {
    if (!material) return D3DERR_INVALIDCALL;
    material_ = *material;
    gl_->dirty |= kDirtyMaterial;
    return S_OK;
}

HRESULT Device::GetMaterial(Material* material) const {
    if (!material) return D3DERR_INVALIDCALL;
    *material = material_;
    return S_OK;
}

HRESULT Device::SetLight(std::uint32_t index, const Light* light) {
    if (!light) return D3DERR_INVALIDCALL;
    if (light->type < D3DLIGHT_POINT || light->type > D3DLIGHT_DIRECTIONAL) return D3DERR_INVALIDCALL;
    lights_[index].light = *light;
    gl_->dirty |= kDirtyLighting;
    return S_OK;
}

HRESULT Device::GetLight(std::uint32_t index, Light* light) const {
    auto it = lights_.find(index);
    if (!light || it == lights_.end()) return D3DERR_INVALIDCALL;
    *light = it->second.light;
    return S_OK;
}

HRESULT Device::LightEnable(std::uint32_t index, bool enable) {
    auto it = lights_.find(index);
    if (it == lights_.end()) {
        LightSlot slot;
        slot.light.type = D3DLIGHT_DIRECTIONAL;
        slot.light.diffuse = ColorValue{1, 1, 1, 0};
        slot.light.direction = Vector3{0, 0, 1};
        it = lights_.emplace(index, slot).first;
    }
    it->second.enabled = enable;
    gl_->dirty |= kDirtyLighting;
    return S_OK;
}

HRESULT Device::GetLightEnable(std::uint32_t index, bool* enable) const {
    auto it = lights_.find(index);
    if (!enable || it == lights_.end()) return D3DERR_INVALIDCALL;
    *enable = it->second.enabled;
    return S_OK;
}

HRESULT Device::SetTexture(std::uint32_t stage, Texture* texture) {
    if (stage >= kTextureStageCount) return D3DERR_INVALIDCALL;
    if (texture && texture->GetDevice() != this) return D3DERR_INVALIDCALL;
    if (textures_[stage] != texture) {
        textures_[stage] = texture;
        gl_->dirty |= kDirtyStages;
    }
    return S_OK;
}

Texture* Device::GetTexture(std::uint32_t stage) const {
    return stage < kTextureStageCount ? textures_[stage] : nullptr;
}

HRESULT Device::SetStreamSource(std::uint32_t stream, VertexBuffer* buffer, std::uint32_t offsetBytes,
                                std::uint32_t stride) {
    if (stream != 0) return D3DERR_INVALIDCALL;  // one stream is all the flexible formats need
    if (buffer && buffer->GetDevice() != this) return D3DERR_INVALIDCALL;
    streamBuffer_ = buffer;
    streamOffset_ = offsetBytes;
    streamStride_ = stride;
    return S_OK;
}

HRESULT Device::GetStreamSource(std::uint32_t stream, VertexBuffer** buffer, std::uint32_t* offsetBytes,
                                std::uint32_t* stride) const {
    if (stream != 0 || !buffer || !offsetBytes || !stride) return D3DERR_INVALIDCALL;
    *buffer = streamBuffer_;
    *offsetBytes = streamOffset_;
    *stride = streamStride_;
    return S_OK;
}

HRESULT Device::SetFVF(std::uint32_t fvf) {
    fvf_ = fvf;
    return S_OK;
}

HRESULT Device::GetFVF(std::uint32_t* fvf) const {
    if (!fvf) return D3DERR_INVALIDCALL;
    *fvf = fvf_;
    return S_OK;
}

HRESULT Device::BeginScene() {
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return S_OK;
}

HRESULT Device::EndScene() {
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    glFlush();
    return S_OK;
}

void Device::Finish() { glFinish(); }

bool Device::UsesDriverRangeFog() const { return !gl_->processorFog; }

}  // namespace platform
