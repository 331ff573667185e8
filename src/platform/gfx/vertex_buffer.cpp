#include "platform/gfx/vertex_buffer.h"

#include "platform/gfx/device.h"

namespace platform {

// The vertices stay in main memory and are handed to OpenGL at each draw: the game's buffers are a
// few quads and particles, rewritten often, and drawing from memory costs less than keeping a copy
// in the driver in step.
VertexBuffer::VertexBuffer(Device* device, std::uint32_t length, std::uint32_t usage, std::uint32_t fvf)
    : DeviceResource(device), bytes_(length, 0), usage_(usage), fvf_(fvf) {}

VertexBuffer::~VertexBuffer() { Detach(); }

void VertexBuffer::ReleaseFromDevice() { GetDevice()->ForgetVertexBuffer(this); }

HRESULT VertexBuffer::Lock(std::uint32_t offsetBytes, std::uint32_t sizeBytes, void** data, std::uint32_t) {
    if (!data) return D3DERR_INVALIDCALL;
    *data = nullptr;
    if (offsetBytes > bytes_.size()) return D3DERR_INVALIDCALL;
    if (sizeBytes != 0 && static_cast<std::uint64_t>(offsetBytes) + sizeBytes > bytes_.size()) {
        return D3DERR_INVALIDCALL;
    }
    locked_ = true;
    *data = bytes_.data() + offsetBytes;
    return S_OK;
}

HRESULT VertexBuffer::Unlock() {
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    return S_OK;
}

HRESULT Device::CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf, Pool,
                                   std::unique_ptr<VertexBuffer>* out) {
    if (!out) return D3DERR_INVALIDCALL;
    out->reset();
    if (length == 0) return D3DERR_INVALIDCALL;
    out->reset(new VertexBuffer(this, length, usage, fvf));
    return S_OK;
}

}  // namespace platform
