#pragma once
// The contact sheet of every mesh: each drawn by the software renderer from where the game shows it, with
// its name and size in triangles, in one PNG.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "assetgen/meshes/catalogue.h"

namespace assetgen::meshes {

struct BuiltMesh {
    const MeshEntry* entry;
    Mesh mesh;
};

// `dataDir` is where the pictures already generated are read from, so textured meshes show their own
// picture; a missing one is replaced by a checker that shows how the texture coordinates run.
std::vector<std::uint8_t> RenderContactSheet(const std::vector<BuiltMesh>& meshes,
                                             const std::filesystem::path& dataDir);

}  // namespace assetgen::meshes
