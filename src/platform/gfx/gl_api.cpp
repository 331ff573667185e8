#include "platform/gfx/gl_api.h"

#include <cstring>
#include <string>

#include "platform/core/window.h"

namespace platform {

namespace {

template <typename F>
bool Resolve(F* out, const char* name, const char* fallback = nullptr) {
    void* p = GetGLProcAddress(name);
    if (!p && fallback) p = GetGLProcAddress(fallback);
    *out = reinterpret_cast<F>(p);
    return p != nullptr;
}

}  // namespace

bool HasGlExtension(const char* name) {
    const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!all) return false;
    const std::size_t n = std::strlen(name);
    for (const char* p = all; (p = std::strstr(p, name)) != nullptr; p += n) {
        const bool startOk = p == all || p[-1] == ' ';
        const bool endOk = p[n] == ' ' || p[n] == '\0';
        if (startOk && endOk) return true;
    }
    return false;
}

bool DrainGlErrors() {
    bool clean = true;
    // Bounded: a lost context can report an error on every call.
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) clean = false;
    return clean;
}

bool GlApi::Load() {
    bool ok = true;
    ok &= Resolve(&ActiveTexture, "glActiveTexture", "glActiveTextureARB");
    ok &= Resolve(&ClientActiveTexture, "glClientActiveTexture", "glClientActiveTextureARB");
    ok &= Resolve(&GenBuffers, "glGenBuffers", "glGenBuffersARB");
    ok &= Resolve(&DeleteBuffers, "glDeleteBuffers", "glDeleteBuffersARB");
    ok &= Resolve(&BindBuffer, "glBindBuffer", "glBindBufferARB");
    ok &= Resolve(&BufferData, "glBufferData", "glBufferDataARB");
    ok &= Resolve(&FogCoordPointer, "glFogCoordPointer", "glFogCoordPointerEXT");
    ok &= Resolve(&PointParameterf, "glPointParameterf", "glPointParameterfARB");
    ok &= Resolve(&PointParameterfv, "glPointParameterfv", "glPointParameterfvARB");
    ok &= Resolve(&BlendEquationSeparate, "glBlendEquationSeparate", "glBlendEquationSeparateEXT");
    ok &= Resolve(&BlendFuncSeparate, "glBlendFuncSeparate", "glBlendFuncSeparateEXT");
    ok &= Resolve(&GenFramebuffers, "glGenFramebuffers", "glGenFramebuffersEXT");
    ok &= Resolve(&DeleteFramebuffers, "glDeleteFramebuffers", "glDeleteFramebuffersEXT");
    ok &= Resolve(&BindFramebuffer, "glBindFramebuffer", "glBindFramebufferEXT");
    ok &= Resolve(&FramebufferRenderbuffer, "glFramebufferRenderbuffer", "glFramebufferRenderbufferEXT");
    ok &= Resolve(&CheckFramebufferStatus, "glCheckFramebufferStatus", "glCheckFramebufferStatusEXT");
    ok &= Resolve(&GenRenderbuffers, "glGenRenderbuffers", "glGenRenderbuffersEXT");
    ok &= Resolve(&DeleteRenderbuffers, "glDeleteRenderbuffers", "glDeleteRenderbuffersEXT");
    ok &= Resolve(&BindRenderbuffer, "glBindRenderbuffer", "glBindRenderbufferEXT");
    ok &= Resolve(&RenderbufferStorage, "glRenderbufferStorage", "glRenderbufferStorageEXT");
    ok &= Resolve(&BlitFramebuffer, "glBlitFramebuffer", "glBlitFramebufferEXT");
    Resolve(&ProvokingVertex, "glProvokingVertex", "glProvokingVertexEXT");

    nvFogDistance = HasGlExtension("GL_NV_fog_distance");
    anisotropic = HasGlExtension("GL_EXT_texture_filter_anisotropic");
    if (anisotropic) glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maxAnisotropy);
    mirrorClamp = HasGlExtension("GL_EXT_texture_mirror_clamp") || HasGlExtension("GL_ATI_texture_mirror_once");
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    textureUnits = units < 1 ? 1 : units;
    return ok;
}

}  // namespace platform
