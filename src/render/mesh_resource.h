#pragma once
// A mesh with its materials, as MeshLoad fills it: materials[i] belongs to subset i.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/mesh.h"
#include "platform/gfx/mesh_data.h"

struct MeshResource {
    std::vector<platform::Material> materials;       // ambient derived from diffuse
    std::vector<platform::Material> materialBuffer;  // as the file gives them
    std::uint32_t materialCount = 0;
    std::unique_ptr<platform::Mesh> mesh;

    // Frees the mesh and the materials (a resource can be loaded again).
    void Release();
};
