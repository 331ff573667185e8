#pragma once
// The OpenGL entry points past 1.1 that the device uses, loaded from the context at creation.
// Only the device's own sources include this header.

#include <GL/gl.h>
#include <GL/glext.h>

namespace platform {

struct GlApi {
    // The system header declares these 1.3 entry points itself, without pointer types for all of them.
    using TextureUnitFn = void(APIENTRY*)(GLenum);
    TextureUnitFn ActiveTexture = nullptr;
    TextureUnitFn ClientActiveTexture = nullptr;
    PFNGLGENBUFFERSPROC GenBuffers = nullptr;
    PFNGLDELETEBUFFERSPROC DeleteBuffers = nullptr;
    PFNGLBINDBUFFERPROC BindBuffer = nullptr;
    PFNGLBUFFERDATAPROC BufferData = nullptr;
    PFNGLFOGCOORDPOINTERPROC FogCoordPointer = nullptr;
    PFNGLPOINTPARAMETERFPROC PointParameterf = nullptr;
    PFNGLPOINTPARAMETERFVPROC PointParameterfv = nullptr;
    PFNGLBLENDEQUATIONSEPARATEPROC BlendEquationSeparate = nullptr;
    PFNGLBLENDFUNCSEPARATEPROC BlendFuncSeparate = nullptr;
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;
    PFNGLPROVOKINGVERTEXPROC ProvokingVertex = nullptr;  // optional

    bool nvFogDistance = false;
    bool anisotropic = false;
    bool mirrorClamp = false;
    float maxAnisotropy = 1.0f;
    int textureUnits = 1;

    // False when an entry point the device cannot do without is missing.
    bool Load();
};

bool HasGlExtension(const char* name);

// Takes every error OpenGL has recorded, so that the next check sees only what follows. True when
// there was none.
bool DrainGlErrors();

}  // namespace platform
