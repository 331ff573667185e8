#pragma once
// A picture in the device with its chain of smaller levels.

#include <cstdint>
#include <memory>

#include "platform/gfx/device_resource.h"
#include "platform/gfx/device_states.h"

namespace platform {

class Texture final : public DeviceResource {
public:
    ~Texture() override;

    // Size of level 0 (a power of two when made by the file loaders).
    unsigned Width() const { return width_; }
    unsigned Height() const { return height_; }
    unsigned LevelCount() const { return levels_; }

private:
    friend class Device;
    friend struct FixedFunction;
    Texture(Device* device, unsigned name, unsigned width, unsigned height, unsigned levels);
    void ReleaseFromDevice() override;

    unsigned name_ = 0;
    unsigned width_ = 0;
    unsigned height_ = 0;
    unsigned levels_ = 0;
    // The sampler states last given to OpenGL for this texture; OpenGL keeps them per texture.
    std::uint32_t applied_[kSamplerStateCount] = {};
    bool appliedValid_ = false;
};

using TexturePtr = std::unique_ptr<Texture>;

}  // namespace platform
