#include "render/mesh_resource.h"

void MeshResource::Release() {
    mesh.reset();
    materials.clear();
    materialBuffer.clear();
    materialCount = 0;
}
