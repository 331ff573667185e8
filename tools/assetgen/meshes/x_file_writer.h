#pragma once
// Text X files ("xof 0303txt 0032"): one top-level Mesh with its normals, texture coordinates and one
// material list with the materials written inline. No frames, vertex colours or animation: the game places
// and moves every mesh itself, and vertex colours would replace the material colour.

#include <cstdint>
#include <vector>

#include "assetgen/meshes/mesh.h"

namespace assetgen::meshes {

// Faces are written grouped by material, so each material's subset is one run. Numbers are written with
// six decimals, so the same mesh always gives the same bytes. Throws when a material has no face, since the
// game draws one subset per material and an empty one would shift nothing but still be counted.
std::vector<std::uint8_t> WriteXFile(const Mesh& mesh);

}  // namespace assetgen::meshes
