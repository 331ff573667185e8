// X meshes through the mesh loader: the import, the fans cut from polygons, one subset per material.

#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "platform/gfx/mesh_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::MeshData mesh;
    if (!platform::ParseXMesh(data, size, &mesh)) return 0;
    FUZZ_REQUIRE(!mesh.materials.empty());
    FUZZ_REQUIRE(mesh.subsets.size() == mesh.materials.size());
    // The subsets follow one another through the index list, whole triangles each, and cover all of it.
    std::size_t next = 0;
    for (const platform::MeshSubset& subset : mesh.subsets) {
        FUZZ_REQUIRE(subset.firstIndex == next);
        FUZZ_REQUIRE(subset.indexCount % 3 == 0);
        next += subset.indexCount;
    }
    FUZZ_REQUIRE(next == mesh.indices.size());
    for (const std::uint32_t index : mesh.indices) FUZZ_REQUIRE(index < mesh.vertices.size());
    return 0;
}
