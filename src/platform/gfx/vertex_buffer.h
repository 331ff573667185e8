#pragma once
// Vertices the game fills through Lock and Unlock and draws through the stream source.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/device_resource.h"
#include "platform/gfx/device_states.h"

namespace platform {

class VertexBuffer final : public DeviceResource {
public:
    ~VertexBuffer() override;

    // sizeBytes 0 locks from offset to the end.
    HRESULT Lock(std::uint32_t offsetBytes, std::uint32_t sizeBytes, void** data, std::uint32_t flags);
    HRESULT Unlock();

    std::uint32_t Length() const { return static_cast<std::uint32_t>(bytes_.size()); }
    std::uint32_t Fvf() const { return fvf_; }
    std::uint32_t Usage() const { return usage_; }
    const unsigned char* Data() const { return bytes_.data(); }

private:
    friend class Device;
    VertexBuffer(Device* device, std::uint32_t length, std::uint32_t usage, std::uint32_t fvf);
    void ReleaseFromDevice() override;

    std::vector<unsigned char> bytes_;
    std::uint32_t usage_ = 0;
    std::uint32_t fvf_ = 0;
    bool locked_ = false;
};

using VertexBufferPtr = std::unique_ptr<VertexBuffer>;

}  // namespace platform
