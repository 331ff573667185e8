#pragma once
// Meshes from the game's X files: the mesh in the device and the file's materials, one per subset.
// Names are the game's ("x\\plu2c.x"), resolved with ResolveGamePath.

#include <memory>
#include <string_view>
#include <vector>

#include "platform/gfx/device_states.h"
#include "platform/gfx/mesh_data.h"

namespace platform {

class Device;
class Mesh;

// Materials as written in the file (ambient as written, usually black). E_FAIL when the file is missing
// or does not parse.
HRESULT LoadMeshFromX(Device* device, std::string_view gameName, std::vector<Material>* materials,
                      std::unique_ptr<Mesh>* out);

}  // namespace platform
