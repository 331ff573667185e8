// Bringing the device's states to OpenGL before a draw. Each group is sent only when one of its states
// changed since the last draw; what depends on the vertices being drawn (normals, colours, fog
// distances worked out on the processor) is checked at every draw.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx/device.h"
#include "platform/gfx/device_gl.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/vertex_format.h"

namespace platform {

std::uint32_t DirtyBitsForRenderState(std::uint32_t state) {
    switch (state) {
        case D3DRS_ZENABLE:
        case D3DRS_FILLMODE:
        case D3DRS_SHADEMODE:
        case D3DRS_ZWRITEENABLE:
        case D3DRS_ALPHATESTENABLE:
        case D3DRS_SRCBLEND:
        case D3DRS_DESTBLEND:
        case D3DRS_CULLMODE:
        case D3DRS_ZFUNC:
        case D3DRS_ALPHAREF:
        case D3DRS_ALPHAFUNC:
        case D3DRS_DITHERENABLE:
        case D3DRS_ALPHABLENDENABLE:
        case D3DRS_STENCILENABLE:
        case D3DRS_STENCILFAIL:
        case D3DRS_STENCILZFAIL:
        case D3DRS_STENCILPASS:
        case D3DRS_STENCILFUNC:
        case D3DRS_STENCILREF:
        case D3DRS_STENCILMASK:
        case D3DRS_STENCILWRITEMASK:
        case D3DRS_COLORWRITEENABLE:
        case D3DRS_BLENDOP:
        case D3DRS_SEPARATEALPHABLENDENABLE:
        case D3DRS_SRCBLENDALPHA:
        case D3DRS_DESTBLENDALPHA:
        case D3DRS_BLENDOPALPHA:
            return kDirtyRaster;
        case D3DRS_FOGENABLE:
        case D3DRS_FOGCOLOR:
        case D3DRS_FOGTABLEMODE:
        case D3DRS_FOGSTART:
        case D3DRS_FOGEND:
        case D3DRS_FOGDENSITY:
        case D3DRS_RANGEFOGENABLE:
        case D3DRS_FOGVERTEXMODE:
            return kDirtyFog;
        case D3DRS_SPECULARENABLE:
        case D3DRS_LIGHTING:
        case D3DRS_AMBIENT:
        case D3DRS_COLORVERTEX:
        case D3DRS_LOCALVIEWER:
        case D3DRS_NORMALIZENORMALS:
        case D3DRS_DIFFUSEMATERIALSOURCE:
        case D3DRS_SPECULARMATERIALSOURCE:
        case D3DRS_AMBIENTMATERIALSOURCE:
        case D3DRS_EMISSIVEMATERIALSOURCE:
            return kDirtyLighting;
        case D3DRS_TEXTUREFACTOR:
            return kDirtyStages;
        case D3DRS_POINTSPRITEENABLE:
            return kDirtyPoints | kDirtyStages;
        case D3DRS_POINTSIZE:
        case D3DRS_POINTSIZE_MIN:
        case D3DRS_POINTSIZE_MAX:
        case D3DRS_POINTSCALEENABLE:
        case D3DRS_POINTSCALE_A:
        case D3DRS_POINTSCALE_B:
        case D3DRS_POINTSCALE_C:
            return kDirtyPoints;
        default:
            return 0;  // states with no counterpart here (clipping, wrapping, vertex blending)
    }
}

namespace {

void ArgbToFloats(std::uint32_t c, float out[4]) {
    out[0] = static_cast<float>((c >> 16) & 0xFF) / 255.0f;
    out[1] = static_cast<float>((c >> 8) & 0xFF) / 255.0f;
    out[2] = static_cast<float>(c & 0xFF) / 255.0f;
    out[3] = static_cast<float>((c >> 24) & 0xFF) / 255.0f;
}

void ColourToFloats(const ColorValue& c, float out[4]) {
    out[0] = c.r;
    out[1] = c.g;
    out[2] = c.b;
    out[3] = c.a;
}

GLenum CompareFuncGl(std::uint32_t f) {
    switch (f) {
        case D3DCMP_NEVER:
            return GL_NEVER;
        case D3DCMP_LESS:
            return GL_LESS;
        case D3DCMP_EQUAL:
            return GL_EQUAL;
        case D3DCMP_LESSEQUAL:
            return GL_LEQUAL;
        case D3DCMP_GREATER:
            return GL_GREATER;
        case D3DCMP_NOTEQUAL:
            return GL_NOTEQUAL;
        case D3DCMP_GREATEREQUAL:
            return GL_GEQUAL;
        default:
            return GL_ALWAYS;
    }
}

GLenum BlendFactorGl(std::uint32_t b) {
    switch (b) {
        case D3DBLEND_ZERO:
            return GL_ZERO;
        case D3DBLEND_ONE:
            return GL_ONE;
        case D3DBLEND_SRCCOLOR:
            return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR:
            return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA:
            return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA:
            return GL_ONE_MINUS_SRC_ALPHA;
        case D3DBLEND_DESTALPHA:
            return GL_DST_ALPHA;
        case D3DBLEND_INVDESTALPHA:
            return GL_ONE_MINUS_DST_ALPHA;
        case D3DBLEND_DESTCOLOR:
            return GL_DST_COLOR;
        case D3DBLEND_INVDESTCOLOR:
            return GL_ONE_MINUS_DST_COLOR;
        case D3DBLEND_SRCALPHASAT:
            return GL_SRC_ALPHA_SATURATE;
        default:
            return GL_ONE;
    }
}

// The two "both" factors set the source and the destination at once.
void BlendFactors(std::uint32_t src, std::uint32_t dst, GLenum* glSrc, GLenum* glDst) {
    if (src == D3DBLEND_BOTHSRCALPHA) {
        *glSrc = GL_SRC_ALPHA;
        *glDst = GL_ONE_MINUS_SRC_ALPHA;
    } else if (src == D3DBLEND_BOTHINVSRCALPHA) {
        *glSrc = GL_ONE_MINUS_SRC_ALPHA;
        *glDst = GL_SRC_ALPHA;
    } else {
        *glSrc = BlendFactorGl(src);
        *glDst = BlendFactorGl(dst);
    }
}

GLenum BlendEquation(std::uint32_t op) {
    switch (op) {
        case D3DBLENDOP_SUBTRACT:
            return GL_FUNC_SUBTRACT;
        case D3DBLENDOP_REVSUBTRACT:
            return GL_FUNC_REVERSE_SUBTRACT;
        case D3DBLENDOP_MIN:
            return GL_MIN;
        case D3DBLENDOP_MAX:
            return GL_MAX;
        default:
            return GL_FUNC_ADD;
    }
}

GLenum StencilOpGl(std::uint32_t op) {
    switch (op) {
        case D3DSTENCILOP_ZERO:
            return GL_ZERO;
        case D3DSTENCILOP_REPLACE:
            return GL_REPLACE;
        case D3DSTENCILOP_INCRSAT:
            return GL_INCR;
        case D3DSTENCILOP_DECRSAT:
            return GL_DECR;
        case D3DSTENCILOP_INVERT:
            return GL_INVERT;
        case D3DSTENCILOP_INCR:
            return GL_INCR_WRAP;
        case D3DSTENCILOP_DECR:
            return GL_DECR_WRAP;
        default:
            return GL_KEEP;
    }
}

GLenum AddressMode(std::uint32_t a, bool mirrorClamp) {
    switch (a) {
        case D3DTADDRESS_MIRROR:
            return GL_MIRRORED_REPEAT;
        case D3DTADDRESS_CLAMP:
            return GL_CLAMP_TO_EDGE;
        case D3DTADDRESS_BORDER:
            return GL_CLAMP_TO_BORDER;
        case D3DTADDRESS_MIRRORONCE:
            return mirrorClamp ? GL_MIRROR_CLAMP_TO_EDGE_EXT : GL_CLAMP_TO_EDGE;
        default:
            return GL_REPEAT;
    }
}

// One argument of a texture stage as a combiner source and operand.
struct CombineArg {
    GLenum source;
    GLenum operand;
};

CombineArg MapArg(std::uint32_t arg, bool alpha) {
    CombineArg out{GL_PREVIOUS, GL_SRC_COLOR};
    switch (arg & D3DTA_SELECTMASK) {
        case D3DTA_DIFFUSE:
            out.source = GL_PRIMARY_COLOR;
            break;
        case D3DTA_TEXTURE:
            out.source = GL_TEXTURE;
            break;
        case D3DTA_TFACTOR:
            out.source = GL_CONSTANT;
            break;
        default:  // current; specular, temporary and per-stage constants have no combiner source here
            out.source = GL_PREVIOUS;
            break;
    }
    const bool complement = (arg & D3DTA_COMPLEMENT) != 0;
    if (alpha || (arg & D3DTA_ALPHAREPLICATE)) {
        out.operand = complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
    } else {
        out.operand = complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
    }
    return out;
}

bool IsTexture(std::uint32_t arg) { return (arg & D3DTA_SELECTMASK) == D3DTA_TEXTURE; }

// Whether the operation reads the stage's texture, through its arguments or by its nature.
bool ReadsTexture(std::uint32_t op, std::uint32_t a0, std::uint32_t a1, std::uint32_t a2) {
    switch (op) {
        case D3DTOP_DISABLE:
            return false;
        case D3DTOP_SELECTARG1:
            return IsTexture(a1);
        case D3DTOP_SELECTARG2:
            return IsTexture(a2);
        case D3DTOP_BLENDTEXTUREALPHA:
        case D3DTOP_BLENDTEXTUREALPHAPM:
            return true;
        case D3DTOP_LERP:
        case D3DTOP_MULTIPLYADD:
            return IsTexture(a0) || IsTexture(a1) || IsTexture(a2);
        default:
            return IsTexture(a1) || IsTexture(a2);
    }
}

// Sets one half (colour or alpha) of a texture unit's combiner for a stage operation.
void SetCombine(bool alpha, std::uint32_t op, std::uint32_t a0, std::uint32_t a1, std::uint32_t a2) {
    const GLenum combine = alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    const GLenum src0 = alpha ? GL_SRC0_ALPHA : GL_SRC0_RGB;
    const GLenum op0 = alpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB;
    const GLenum scaleName = alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE;
    auto arg = [&](int i, std::uint32_t d3dArg) {
        const CombineArg c = MapArg(d3dArg, alpha);
        glTexEnvi(GL_TEXTURE_ENV, src0 + i, static_cast<GLint>(c.source));
        glTexEnvi(GL_TEXTURE_ENV, op0 + i, static_cast<GLint>(c.operand));
    };
    auto blendBy = [&](GLenum source) {
        glTexEnvi(GL_TEXTURE_ENV, src0 + 2, static_cast<GLint>(source));
        glTexEnvi(GL_TEXTURE_ENV, op0 + 2, GL_SRC_ALPHA);
    };
    GLenum mode = GL_MODULATE;
    float scale = 1.0f;
    switch (op) {
        case D3DTOP_SELECTARG1:
            mode = GL_REPLACE;
            arg(0, a1);
            break;
        case D3DTOP_SELECTARG2:
            mode = GL_REPLACE;
            arg(0, a2);
            break;
        case D3DTOP_MODULATE4X:
            scale = 2.0f;  // then doubled again below
            [[fallthrough]];
        case D3DTOP_MODULATE2X:
            scale *= 2.0f;
            [[fallthrough]];
        case D3DTOP_MODULATE:
        case D3DTOP_MULTIPLYADD:  // the added third argument has no combiner form
            mode = GL_MODULATE;
            arg(0, a1);
            arg(1, a2);
            break;
        case D3DTOP_ADD:
        case D3DTOP_ADDSMOOTH:  // approximated by the plain sum
            mode = GL_ADD;
            arg(0, a1);
            arg(1, a2);
            break;
        case D3DTOP_ADDSIGNED2X:
            scale = 2.0f;
            [[fallthrough]];
        case D3DTOP_ADDSIGNED:
            mode = GL_ADD_SIGNED;
            arg(0, a1);
            arg(1, a2);
            break;
        case D3DTOP_SUBTRACT:
            mode = GL_SUBTRACT;
            arg(0, a1);
            arg(1, a2);
            break;
        case D3DTOP_BLENDDIFFUSEALPHA:
            mode = GL_INTERPOLATE;
            arg(0, a1);
            arg(1, a2);
            blendBy(GL_PRIMARY_COLOR);
            break;
        case D3DTOP_BLENDTEXTUREALPHA:
        case D3DTOP_BLENDTEXTUREALPHAPM:
            mode = GL_INTERPOLATE;
            arg(0, a1);
            arg(1, a2);
            blendBy(GL_TEXTURE);
            break;
        case D3DTOP_BLENDFACTORALPHA:
            mode = GL_INTERPOLATE;
            arg(0, a1);
            arg(1, a2);
            blendBy(GL_CONSTANT);
            break;
        case D3DTOP_BLENDCURRENTALPHA:
            mode = GL_INTERPOLATE;
            arg(0, a1);
            arg(1, a2);
            blendBy(GL_PREVIOUS);
            break;
        case D3DTOP_LERP:
            mode = GL_INTERPOLATE;
            arg(0, a1);
            arg(1, a2);
            arg(2, a0);
            break;
        case D3DTOP_DOTPRODUCT3:
            if (!alpha) {
                mode = GL_DOT3_RGBA;
                arg(0, a1);
                arg(1, a2);
                break;
            }
            [[fallthrough]];
        default:  // disabled alpha with colour on, and the operations without a combiner form: pass through
            mode = GL_REPLACE;
            arg(0, D3DTA_CURRENT);
            break;
    }
    glTexEnvi(GL_TEXTURE_ENV, combine, static_cast<GLint>(mode));
    glTexEnvf(GL_TEXTURE_ENV, scaleName, scale);
}

}  // namespace

struct FixedFunction {
    static void Viewport(Device& d) {
        const platform::Viewport& v = d.viewport_;
        glViewport(static_cast<GLint>(v.x), static_cast<GLint>(d.backBufferHeight_ - v.y - v.height),
                   static_cast<GLsizei>(v.width), static_cast<GLsizei>(v.height));
        glDepthRange(v.minZ, v.maxZ);
    }

    static void Projection(Device& d) {
        // The device's clip depth runs from 0 to w; OpenGL's from -w to w: z' = 2z - w.
        static const GLfloat kDepthRemap[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2, 0, 0, 0, -1, 1};
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(kDepthRemap);
        glMultMatrixf(d.DrawProjection().Data());
        glMatrixMode(GL_MODELVIEW);
    }

    // Lights live in world space: OpenGL takes their positions through the modelview matrix of the
    // moment, so they are given while it holds the view alone.
    static void ViewAndLights(Device& d, const VertexLayout& layout) {
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(d.DrawView().Data());
        const bool specular = d.renderStates_[D3DRS_SPECULARENABLE] != 0;
        const float black[4] = {0, 0, 0, 1};
        int n = 0;
        for (const auto& [index, slot] : d.lights_) {
            if (!slot.enabled || n >= 8) continue;
            const GLenum id = GL_LIGHT0 + n++;
            const Light& l = slot.light;
            float c[4];
            ColourToFloats(l.ambient, c);
            glLightfv(id, GL_AMBIENT, c);
            // Without normals only the emissive and ambient terms remain.
            ColourToFloats(l.diffuse, c);
            glLightfv(id, GL_DIFFUSE, layout.HasNormal() ? c : black);
            ColourToFloats(l.specular, c);
            glLightfv(id, GL_SPECULAR, layout.HasNormal() && specular ? c : black);
            if (l.type == D3DLIGHT_DIRECTIONAL) {
                // The light's direction is the way it travels; OpenGL wants the way towards it.
                const float pos[4] = {-l.direction.x, -l.direction.y, -l.direction.z, 0.0f};
                glLightfv(id, GL_POSITION, pos);
                glLightf(id, GL_SPOT_CUTOFF, 180.0f);
                glLightf(id, GL_CONSTANT_ATTENUATION, 1.0f);
                glLightf(id, GL_LINEAR_ATTENUATION, 0.0f);
                glLightf(id, GL_QUADRATIC_ATTENUATION, 0.0f);
            } else {
                const float pos[4] = {l.position.x, l.position.y, l.position.z, 1.0f};
                glLightfv(id, GL_POSITION, pos);
                const bool noAttenuation = l.attenuation0 == 0 && l.attenuation1 == 0 && l.attenuation2 == 0;
                glLightf(id, GL_CONSTANT_ATTENUATION, noAttenuation ? 1.0f : l.attenuation0);
                glLightf(id, GL_LINEAR_ATTENUATION, l.attenuation1);
                glLightf(id, GL_QUADRATIC_ATTENUATION, l.attenuation2);
                if (l.type == D3DLIGHT_SPOT) {
                    const float dir[3] = {l.direction.x, l.direction.y, l.direction.z};
                    glLightfv(id, GL_SPOT_DIRECTION, dir);
                    // The outer cone as the cut-off; the fall-off between the cones is approximated by
                    // the exponent.
                    const float cutoff = std::clamp(l.phi * 0.5f * 57.29578f, 0.0f, 90.0f);
                    glLightf(id, GL_SPOT_CUTOFF, cutoff);
                    glLightf(id, GL_SPOT_EXPONENT, std::clamp(l.falloff, 0.0f, 128.0f));
                } else {
                    glLightf(id, GL_SPOT_CUTOFF, 180.0f);
                }
            }
            glEnable(id);
        }
        for (; n < 8; ++n) glDisable(GL_LIGHT0 + n);
        glMultMatrixf(d.DrawWorld().Data());
    }

    static void Modelview(Device& d) {
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(d.DrawView().Data());
        glMultMatrixf(d.DrawWorld().Data());
    }

    // Lit colour = emissive + ambient material x (ambient state + light ambients) + diffuse terms;
    // the alpha is the diffuse alpha. Material colours may come from the vertex colour instead.
    static void Material(Device& d, const VertexLayout& layout) {
        const std::uint32_t* rs = d.renderStates_;
        if (rs[D3DRS_LIGHTING]) {
            glEnable(GL_LIGHTING);
        } else {
            glDisable(GL_LIGHTING);
        }
        if (rs[D3DRS_NORMALIZENORMALS]) {
            glEnable(GL_NORMALIZE);
        } else {
            glDisable(GL_NORMALIZE);
        }
        float ambient[4];
        ArgbToFloats(rs[D3DRS_AMBIENT], ambient);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
        glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, rs[D3DRS_LOCALVIEWER] ? GL_TRUE : GL_FALSE);

        const platform::Material& m = d.material_;
        float c[4];
        ColourToFloats(m.ambient, c);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, c);
        ColourToFloats(m.diffuse, c);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, c);
        ColourToFloats(m.emissive, c);
        glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, c);
        const float black[4] = {0, 0, 0, 1};
        ColourToFloats(m.specular, c);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, rs[D3DRS_SPECULARENABLE] ? c : black);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(m.power, 0.0f, 128.0f));

        const bool fromVertex = rs[D3DRS_COLORVERTEX] && layout.HasDiffuse();
        const bool diffuse = fromVertex && rs[D3DRS_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1;
        const bool ambientV = fromVertex && rs[D3DRS_AMBIENTMATERIALSOURCE] == D3DMCS_COLOR1;
        const bool emissive = fromVertex && rs[D3DRS_EMISSIVEMATERIALSOURCE] == D3DMCS_COLOR1;
        GLenum tracked = 0;
        if (diffuse && ambientV) {
            tracked = GL_AMBIENT_AND_DIFFUSE;
        } else if (diffuse) {
            tracked = GL_DIFFUSE;
        } else if (ambientV) {
            tracked = GL_AMBIENT;
        } else if (emissive) {
            tracked = GL_EMISSION;
        }
        if (tracked && rs[D3DRS_LIGHTING]) {
            glColorMaterial(GL_FRONT_AND_BACK, tracked);
            glEnable(GL_COLOR_MATERIAL);
            // The tracked material keeps the last vertex colour after the draw: send it again next time.
            d.gl_->colourMaterialUsed = true;
        } else {
            glDisable(GL_COLOR_MATERIAL);
            d.gl_->colourMaterialUsed = false;
        }
    }

    static void Raster(Device& d) {
        const std::uint32_t* rs = d.renderStates_;
        const GlApi& api = d.gl_->api;
        if (rs[D3DRS_ZENABLE]) {
            glEnable(GL_DEPTH_TEST);
        } else {
            glDisable(GL_DEPTH_TEST);
        }
        glDepthFunc(CompareFuncGl(rs[D3DRS_ZFUNC]));
        glDepthMask(rs[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);

        if (rs[D3DRS_STENCILENABLE]) {
            glEnable(GL_STENCIL_TEST);
        } else {
            glDisable(GL_STENCIL_TEST);
        }
        glStencilFunc(CompareFuncGl(rs[D3DRS_STENCILFUNC]), static_cast<GLint>(rs[D3DRS_STENCILREF] & 0xFF),
                      rs[D3DRS_STENCILMASK]);
        glStencilOp(StencilOpGl(rs[D3DRS_STENCILFAIL]), StencilOpGl(rs[D3DRS_STENCILZFAIL]),
                    StencilOpGl(rs[D3DRS_STENCILPASS]));
        glStencilMask(rs[D3DRS_STENCILWRITEMASK]);

        if (rs[D3DRS_ALPHABLENDENABLE]) {
            glEnable(GL_BLEND);
        } else {
            glDisable(GL_BLEND);
        }
        GLenum src, dst, srcA, dstA;
        BlendFactors(rs[D3DRS_SRCBLEND], rs[D3DRS_DESTBLEND], &src, &dst);
        GLenum eq = BlendEquation(rs[D3DRS_BLENDOP]);
        GLenum eqA = eq;
        if (rs[D3DRS_SEPARATEALPHABLENDENABLE]) {
            BlendFactors(rs[D3DRS_SRCBLENDALPHA], rs[D3DRS_DESTBLENDALPHA], &srcA, &dstA);
            eqA = BlendEquation(rs[D3DRS_BLENDOPALPHA]);
        } else {
            srcA = src;
            dstA = dst;
        }
        api.BlendFuncSeparate(src, dst, srcA, dstA);
        api.BlendEquationSeparate(eq, eqA);

        if (rs[D3DRS_ALPHATESTENABLE]) {
            glEnable(GL_ALPHA_TEST);
        } else {
            glDisable(GL_ALPHA_TEST);
        }
        glAlphaFunc(CompareFuncGl(rs[D3DRS_ALPHAFUNC]), static_cast<float>(rs[D3DRS_ALPHAREF] & 0xFF) / 255.0f);

        // Counter-clockwise culling removes the faces that appear counter-clockwise on screen, so the
        // clockwise ones are the front faces.
        switch (rs[D3DRS_CULLMODE]) {
            case D3DCULL_NONE:
                glDisable(GL_CULL_FACE);
                break;
            case D3DCULL_CW:
                glEnable(GL_CULL_FACE);
                glFrontFace(GL_CCW);
                glCullFace(GL_BACK);
                break;
            default:
                glEnable(GL_CULL_FACE);
                glFrontFace(GL_CW);
                glCullFace(GL_BACK);
                break;
        }
        switch (rs[D3DRS_FILLMODE]) {
            case D3DFILL_POINT:
                glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
                break;
            case D3DFILL_WIREFRAME:
                glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
                break;
            default:
                glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
                break;
        }
        if (rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT) {
            glShadeModel(GL_FLAT);
            // Flat faces take the colour of their first vertex.
            if (api.ProvokingVertex) api.ProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
        } else {
            glShadeModel(GL_SMOOTH);
        }
        if (rs[D3DRS_DITHERENABLE]) {
            glEnable(GL_DITHER);
        } else {
            glDisable(GL_DITHER);
        }
        const std::uint32_t w = rs[D3DRS_COLORWRITEENABLE];
        glColorMask((w & D3DCOLORWRITEENABLE_RED) != 0, (w & D3DCOLORWRITEENABLE_GREEN) != 0,
                    (w & D3DCOLORWRITEENABLE_BLUE) != 0, (w & D3DCOLORWRITEENABLE_ALPHA) != 0);
    }

    static void Sampler(Device& d, Texture* t, std::uint32_t s) {
        const std::uint32_t* st = d.samplerStates_[s];
        if (t->appliedValid_ && std::equal(st, st + kSamplerStateCount, t->applied_)) return;
        const GlApi& api = d.gl_->api;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S,
                        static_cast<GLint>(AddressMode(st[D3DSAMP_ADDRESSU], api.mirrorClamp)));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T,
                        static_cast<GLint>(AddressMode(st[D3DSAMP_ADDRESSV], api.mirrorClamp)));
        float border[4];
        ArgbToFloats(st[D3DSAMP_BORDERCOLOR], border);
        glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
        const std::uint32_t minF = st[D3DSAMP_MINFILTER];
        const std::uint32_t magF = st[D3DSAMP_MAGFILTER];
        const bool minLinear = minF == D3DTEXF_LINEAR || minF == D3DTEXF_ANISOTROPIC;
        GLenum glMin;
        switch (st[D3DSAMP_MIPFILTER]) {
            case D3DTEXF_NONE:  // level 0 only
                glMin = minLinear ? GL_LINEAR : GL_NEAREST;
                break;
            case D3DTEXF_POINT:
                glMin = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
                break;
            default:
                glMin = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
                break;
        }
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(glMin));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magF == D3DTEXF_POINT ? GL_NEAREST : GL_LINEAR);
        // The most detailed level allowed.
        const GLint base = static_cast<GLint>(std::min<std::uint32_t>(st[D3DSAMP_MAXMIPLEVEL], t->levels_ - 1));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, base);
        if (api.anisotropic) {
            const bool aniso = minF == D3DTEXF_ANISOTROPIC || magF == D3DTEXF_ANISOTROPIC;
            const float amount =
                aniso ? std::clamp(static_cast<float>(st[D3DSAMP_MAXANISOTROPY]), 1.0f, api.maxAnisotropy) : 1.0f;
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, amount);
        }
        std::copy(st, st + kSamplerStateCount, t->applied_);
        t->appliedValid_ = true;
    }

    static void Stages(Device& d) {
        DeviceGl& g = *d.gl_;
        const GlApi& api = g.api;
        int active = 0;
        while (active < g.stageUnits && d.stageStates_[active][D3DTSS_COLOROP] != D3DTOP_DISABLE) ++active;
        float factor[4];
        ArgbToFloats(d.renderStates_[D3DRS_TEXTUREFACTOR], factor);
        const bool pointSprites = d.renderStates_[D3DRS_POINTSPRITEENABLE] != 0;

        for (int s = 0; s < g.stageUnits; ++s) {
            api.ActiveTexture(GL_TEXTURE0 + s);
            if (s >= active) {
                glDisable(GL_TEXTURE_2D);
                continue;
            }
            const std::uint32_t* st = d.stageStates_[s];
            Texture* t = d.textures_[s];
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, t ? t->name_ : g.whiteTexture);
            if (t) Sampler(d, t, static_cast<std::uint32_t>(s));
            glTexEnvf(GL_TEXTURE_FILTER_CONTROL, GL_TEXTURE_LOD_BIAS,
                      BitsFloat(d.samplerStates_[s][D3DSAMP_MIPMAPLODBIAS]));

            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
            std::uint32_t cop = st[D3DTSS_COLOROP], c1 = st[D3DTSS_COLORARG1];
            std::uint32_t aop = st[D3DTSS_ALPHAOP], a1 = st[D3DTSS_ALPHAARG1];
            // With no texture, an operation that reads it passes the colour of the stage before
            // (for the first stage, the lit vertex colour); colour and alpha each on their own.
            if (!t && ReadsTexture(cop, st[D3DTSS_COLORARG0], c1, st[D3DTSS_COLORARG2])) {
                cop = D3DTOP_SELECTARG1;
                c1 = D3DTA_CURRENT;
            }
            if (!t && ReadsTexture(aop, st[D3DTSS_ALPHAARG0], a1, st[D3DTSS_ALPHAARG2])) {
                aop = D3DTOP_SELECTARG1;
                a1 = D3DTA_CURRENT;
            }
            SetCombine(false, cop, st[D3DTSS_COLORARG0], c1, st[D3DTSS_COLORARG2]);
            SetCombine(true, aop, st[D3DTSS_ALPHAARG0], a1, st[D3DTSS_ALPHAARG2]);
            glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);

            // Two-component coordinates go in as (u, v, 1, 0), so the translation sits in the third
            // row of the stage's matrix; OpenGL's go in as (s, t, 0, 1) and want it in the fourth.
            glMatrixMode(GL_TEXTURE);
            if (st[D3DTSS_TEXTURETRANSFORMFLAGS] != D3DTTFF_DISABLE) {
                const Matrix& m = d.textureTransforms_[s];
                const GLfloat gm[16] = {m._11, m._12, 0, 0, m._21, m._22, 0, 0, 0, 0, 1, 0, m._31, m._32, 0, 1};
                glLoadMatrixf(gm);
            } else {
                glLoadIdentity();
            }
            glMatrixMode(GL_MODELVIEW);
            glTexEnvi(GL_POINT_SPRITE, GL_COORD_REPLACE, pointSprites ? GL_TRUE : GL_FALSE);
        }
        g.activeStages = active;
    }

    static void Points(Device& d) {
        const std::uint32_t* rs = d.renderStates_;
        const GlApi& api = d.gl_->api;
        if (rs[D3DRS_POINTSPRITEENABLE]) {
            glEnable(GL_POINT_SPRITE);
        } else {
            glDisable(GL_POINT_SPRITE);
        }
        glPointSize(std::max(1.0f, PointSizeFor(d, BitsFloat(rs[D3DRS_POINTSIZE]))));
        api.PointParameterf(GL_POINT_SIZE_MIN, BitsFloat(rs[D3DRS_POINTSIZE_MIN]));
        api.PointParameterf(GL_POINT_SIZE_MAX, BitsFloat(rs[D3DRS_POINTSIZE_MAX]));
        if (rs[D3DRS_POINTSCALEENABLE]) {
            const float att[3] = {BitsFloat(rs[D3DRS_POINTSCALE_A]), BitsFloat(rs[D3DRS_POINTSCALE_B]),
                                  BitsFloat(rs[D3DRS_POINTSCALE_C])};
            api.PointParameterfv(GL_POINT_DISTANCE_ATTENUATION, att);
        } else {
            const float att[3] = {1, 0, 0};
            api.PointParameterfv(GL_POINT_DISTANCE_ATTENUATION, att);
        }
    }

    // Scaled point sizes are in viewport heights; OpenGL's attenuation has no such factor.
    static float PointSizeFor(const Device& d, float size) {
        return d.renderStates_[D3DRS_POINTSCALEENABLE] ? size * static_cast<float>(d.viewport_.height) : size;
    }

    static void Fog(Device& d, const VertexLayout& layout) {
        DeviceGl& g = *d.gl_;
        const std::uint32_t* rs = d.renderStates_;
        const std::uint32_t table = rs[D3DRS_FOGTABLEMODE];
        const std::uint32_t vertex = rs[D3DRS_FOGVERTEXMODE];
        const bool enabled =
            rs[D3DRS_FOGENABLE] && !layout.IsPretransformed() && (table != D3DFOG_NONE || vertex != D3DFOG_NONE);
        g.processorFogActive = false;
        if (!enabled) {
            glDisable(GL_FOG);
            return;
        }
        glEnable(GL_FOG);
        const std::uint32_t mode = table != D3DFOG_NONE ? table : vertex;
        glFogi(GL_FOG_MODE, mode == D3DFOG_EXP ? GL_EXP : mode == D3DFOG_EXP2 ? GL_EXP2 : GL_LINEAR);
        glFogf(GL_FOG_START, BitsFloat(rs[D3DRS_FOGSTART]));
        glFogf(GL_FOG_END, BitsFloat(rs[D3DRS_FOGEND]));
        glFogf(GL_FOG_DENSITY, BitsFloat(rs[D3DRS_FOGDENSITY]));
        float colour[4];
        ArgbToFloats(rs[D3DRS_FOGCOLOR], colour);
        glFogfv(GL_FOG_COLOR, colour);
        // Range fog measures the straight distance from the eye; otherwise the depth along the view.
        const bool range = table == D3DFOG_NONE && rs[D3DRS_RANGEFOGENABLE];
        if (range && g.processorFog) {
            glFogi(GL_FOG_COORDINATE_SOURCE, GL_FOG_COORDINATE);
            g.processorFogActive = true;
            return;
        }
        glFogi(GL_FOG_COORDINATE_SOURCE, GL_FRAGMENT_DEPTH);
        if (g.api.nvFogDistance) {
            glFogi(GL_FOG_DISTANCE_MODE_NV, range ? GL_EYE_RADIAL_NV : GL_EYE_PLANE_ABSOLUTE_NV);
        }
    }
};

void Device::PrepareDraw(const VertexLayout& layout, const FogSource& fog) {
    DeviceGl& g = *gl_;
    const int hasNormal = layout.HasNormal() ? 1 : 0;
    const int hasDiffuse = layout.HasDiffuse() ? 1 : 0;
    if (hasNormal != g.lastHasNormal || hasDiffuse != g.lastHasDiffuse) {
        g.dirty |= kDirtyLighting;
        g.lastHasNormal = hasNormal;
        g.lastHasDiffuse = hasDiffuse;
    }
    if (g.colourMaterialUsed) g.dirty |= kDirtyMaterial;
    if (g.lastPretransformed != (layout.IsPretransformed() ? 1 : 0)) {
        g.dirty |= kDirtyFog;
        g.lastPretransformed = layout.IsPretransformed() ? 1 : 0;
    }
    if (g.dirty & kDirtyViewport) FixedFunction::Viewport(*this);
    if (g.dirty & kDirtyProjection) FixedFunction::Projection(*this);
    if (g.dirty & (kDirtyView | kDirtyLighting)) {
        FixedFunction::ViewAndLights(*this, layout);
    } else if (g.dirty & kDirtyWorld) {
        FixedFunction::Modelview(*this);
    }
    if (g.dirty & (kDirtyLighting | kDirtyMaterial)) FixedFunction::Material(*this, layout);
    if (g.dirty & kDirtyRaster) FixedFunction::Raster(*this);
    if (g.dirty & kDirtyStages) FixedFunction::Stages(*this);
    if (g.dirty & kDirtyPoints) FixedFunction::Points(*this);
    if (g.dirty & kDirtyFog) FixedFunction::Fog(*this, layout);
    g.dirty = 0;

    if (g.processorFogActive) {
        // Eye distance of each vertex: position through world and view.
        Matrix worldView;
        MatrixMultiply(&worldView, &DrawWorld(), &DrawView());
        g.fogCoords.assign(static_cast<std::size_t>(fog.first) + fog.count, 0.0f);
        for (std::uint32_t i = fog.first; i < fog.first + fog.count; ++i) {
            float p[3];
            std::memcpy(p, fog.positions + static_cast<std::size_t>(i) * fog.stride, sizeof p);
            Vector3 in{p[0], p[1], p[2]}, eye;
            Vec3TransformCoord(&eye, &in, &worldView);
            g.fogCoords[i] = std::sqrt(eye.x * eye.x + eye.y * eye.y + eye.z * eye.z);
        }
    }
}

}  // namespace platform
