#include "platform/gfx/mesh.h"

#include "platform/gfx/device.h"
#include "platform/gfx/device_gl.h"

namespace platform {

Mesh::Mesh(Device* device, const MeshData& data, unsigned vertexBuffer, unsigned indexBuffer)
    : DeviceResource(device), vertexBuffer_(vertexBuffer), indexBuffer_(indexBuffer), subsets_(data.subsets) {
    positions_.reserve(data.vertices.size());
    for (const MeshVertex& v : data.vertices) positions_.push_back(v.position);
    faceCount_ = static_cast<std::uint32_t>(data.indices.size() / 3);
    fvf_ = D3DFVF_XYZ;
    if (data.hasNormals) fvf_ |= D3DFVF_NORMAL;
    if (data.hasTextureCoords) fvf_ |= D3DFVF_TEX1;
}

Mesh::~Mesh() { Detach(); }

void Mesh::ReleaseFromDevice() {
    GLuint buffers[2] = {vertexBuffer_, indexBuffer_};
    GetDevice()->gl_->api.DeleteBuffers(2, buffers);
    vertexBuffer_ = indexBuffer_ = 0;
}

HRESULT Mesh::DrawSubset(std::uint32_t subset) {
    Device* device = GetDevice();
    if (!device) return D3DERR_INVALIDCALL;
    return device->DrawMeshSubset(this, subset);
}

HRESULT Device::CreateMesh(const MeshData& data, std::unique_ptr<Mesh>* out) {
    if (!out) return D3DERR_INVALIDCALL;
    out->reset();
    if (data.vertices.empty() || data.indices.size() % 3 != 0) return D3DERR_INVALIDCALL;
    for (std::uint32_t index : data.indices) {
        if (index >= data.vertices.size()) return D3DERR_INVALIDCALL;
    }
    for (const MeshSubset& s : data.subsets) {
        if (static_cast<std::uint64_t>(s.firstIndex) + s.indexCount > data.indices.size()) return D3DERR_INVALIDCALL;
    }
    DrainGlErrors();
    const GlApi& api = gl_->api;
    GLuint buffers[2] = {0, 0};
    api.GenBuffers(2, buffers);
    api.BindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    api.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.vertices.size() * sizeof(MeshVertex)),
                   data.vertices.data(), GL_STATIC_DRAW);
    api.BindBuffer(GL_ARRAY_BUFFER, 0);
    api.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    api.BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.indices.size() * sizeof(std::uint32_t)),
                   data.indices.data(), GL_STATIC_DRAW);
    api.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    if (!DrainGlErrors()) {
        api.DeleteBuffers(2, buffers);
        return E_FAIL;
    }
    out->reset(new Mesh(this, data, buffers[0], buffers[1]));
    return S_OK;
}

}  // namespace platform
