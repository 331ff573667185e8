#pragma once
// A mesh in the device: its vertices and triangles, grouped into one subset per material.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/device_resource.h"
#include "platform/gfx/device_states.h"
#include "platform/gfx/math.h"
#include "platform/gfx/mesh_data.h"

namespace platform {

class Mesh final : public DeviceResource {
public:
    ~Mesh() override;

    // Draws the triangles of material `subset` with the device's states of the moment. A subset the
    // mesh does not have draws nothing.
    HRESULT DrawSubset(std::uint32_t subset);

    std::uint32_t SubsetCount() const { return static_cast<std::uint32_t>(subsets_.size()); }
    std::uint32_t FaceCount() const { return faceCount_; }
    std::uint32_t VertexCount() const { return static_cast<std::uint32_t>(positions_.size()); }
    // Flexible-format bits of the vertices: position, and normal and coordinates when the file had them.
    std::uint32_t Fvf() const { return fvf_; }

private:
    friend class Device;
    Mesh(Device* device, const MeshData& data, unsigned vertexBuffer, unsigned indexBuffer);
    void ReleaseFromDevice() override;

    unsigned vertexBuffer_ = 0;
    unsigned indexBuffer_ = 0;
    std::vector<MeshSubset> subsets_;
    std::vector<Vector3> positions_;  // kept for fog distances worked out on the processor
    std::uint32_t faceCount_ = 0;
    std::uint32_t fvf_ = 0;
};

using MeshPtr = std::unique_ptr<Mesh>;

}  // namespace platform
