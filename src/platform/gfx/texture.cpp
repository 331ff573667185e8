#include "platform/gfx/texture.h"

#include "platform/gfx/device.h"
#include "platform/gfx/device_gl.h"

namespace platform {

Texture::Texture(Device* device, unsigned name, unsigned width, unsigned height, unsigned levels)
    : DeviceResource(device), name_(name), width_(width), height_(height), levels_(levels) {}

Texture::~Texture() { Detach(); }

void Texture::ReleaseFromDevice() {
    GetDevice()->ForgetTexture(this);
    GLuint name = name_;
    if (name) glDeleteTextures(1, &name);
    name_ = 0;
}

HRESULT Device::CreateTexture(const std::vector<Image>& levels, std::unique_ptr<Texture>* out) {
    if (!out) return D3DERR_INVALIDCALL;
    out->reset();
    if (levels.empty() || levels[0].width <= 0 || levels[0].height <= 0) return D3DERR_INVALIDCALL;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const Image& level = levels[i];
        if (level.width <= 0 || level.height <= 0 ||
            level.argb.size() != static_cast<std::size_t>(level.width) * static_cast<std::size_t>(level.height)) {
            return D3DERR_INVALIDCALL;
        }
    }
    DrainGlErrors();
    GLuint name = 0;
    glGenTextures(1, &name);
    if (!name) return E_FAIL;
    gl_->api.ActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // The level range comes first: with the default range (up to level 1000) the driver cannot tell the
    // chain is complete until the last level arrives, keeps each level apart, then copies them all into
    // one chain when the texture is first used, holding the texture twice.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels.size() - 1));
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const Image& level = levels[i];
        // 0xAARRGGBB words: blue in the lowest byte, which is what BGRA with the reversed packed type reads.
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), GL_RGBA8, level.width, level.height, 0, GL_BGRA,
                     GL_UNSIGNED_INT_8_8_8_8_REV, level.argb.data());
    }
    // Unit 0's binding changed behind the state tracking.
    gl_->dirty |= kDirtyStages;
    gl_->unitsEnabled = -1;
    if (!DrainGlErrors()) {
        glDeleteTextures(1, &name);
        return E_FAIL;
    }
    out->reset(new Texture(this, name, static_cast<unsigned>(levels[0].width), static_cast<unsigned>(levels[0].height),
                           static_cast<unsigned>(levels.size())));
    return S_OK;
}

}  // namespace platform
