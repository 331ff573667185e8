#include "render/textured_mesh.h"

#include "platform/gfx/device.h"
#include "platform/gfx/mesh.h"
#include "render/loaders.h"

void LoadMaterialTextures(std::string_view path, const MeshResource& mesh, MaterialTextures* textures,
                          const Drawable& drawable) {
    textures->clear();
    textures->resize(mesh.materialCount);
    for (platform::TexturePtr& t : *textures) TextureLoad(path, &t, drawable);
}

void DrawMeshSubsets(platform::Device* device, const MeshResource& mesh, const MaterialTextures* textures) {
    if (!device || !mesh.mesh) return;
    for (std::uint32_t i = 0; i < mesh.materialCount; ++i) {
        if (textures) device->SetTexture(0, i < textures->size() ? (*textures)[i].get() : nullptr);
        device->SetMaterial(&mesh.materials[i]);
        mesh.mesh->DrawSubset(i);
    }
}
