#include "platform/gfx/mesh_file.h"

#include "platform/core/game_path.h"
#include "platform/gfx/device.h"
#include "platform/gfx/mesh.h"

namespace platform {

HRESULT LoadMeshFromX(Device* device, std::string_view gameName, std::vector<Material>* materials,
                      std::unique_ptr<Mesh>* out) {
    if (!device || !out) return D3DERR_INVALIDCALL;
    out->reset();
    MeshData data;
    if (!LoadXMesh(ResolveGamePath(gameName), &data)) return E_FAIL;
    const HRESULT hr = device->CreateMesh(data, out);
    if (FAILED(hr)) return hr;
    if (materials) *materials = data.materials;
    return S_OK;
}

}  // namespace platform
