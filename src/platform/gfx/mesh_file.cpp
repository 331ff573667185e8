#include "platform/gfx/mesh_file.h"

#include "platform/core/game_path.h"
#include "platform/gfx/device.h"
#include "platform/gfx/load_prefetch.h"
#include "platform/gfx/mesh.h"

namespace platform {

HRESULT LoadMeshFromX(Device* device, std::string_view gameName, std::vector<Material>* materials,
                      std::unique_ptr<Mesh>* out) {
    if (!device || !out) return D3DERR_INVALIDCALL;
    out->reset();
    // A mesh the prefetch could not read is read here, so a failure is the file's own.
    LoadPrefetch* prefetch = ActiveLoadPrefetch();
    MeshDataPtr data = prefetch ? prefetch->TakeMesh(gameName) : nullptr;
    if (!data) {
        auto loaded = std::make_shared<MeshData>();
        if (!LoadXMesh(ResolveGamePath(gameName), loaded.get())) return E_FAIL;
        data = std::move(loaded);
    }
    const HRESULT hr = device->CreateMesh(*data, out);
    if (FAILED(hr)) return hr;
    if (materials) *materials = data->materials;
    return S_OK;
}

}  // namespace platform
