#pragma once
// X files ("xof 0303txt 0032", or another of the format's forms): one top-level Mesh with its normals,
// texture coordinates and one material list with the materials written inline. No frames, vertex colours or animation: the game places
// and moves every mesh itself, and vertex colours would replace the material colour.

#include <cstdint>
#include <vector>

#include "assetgen/meshes/mesh.h"

namespace assetgen::meshes {

// The forms the format allows. The game's data is text; the others hold the same objects, as the binary
// tokens with 32-bit floats, and either one deflated in the format's blocks, for files of other tools.
enum class XForm { kText, kBinary, kCompressedText, kCompressedBinary };

// Faces are written grouped by material, so each material's subset is one run. Text numbers are written
// with six decimals, so the same mesh always gives the same bytes. Throws when a material has no face, since
// the game draws one subset per material and an empty one would shift nothing but still be counted.
std::vector<std::uint8_t> WriteXFile(const Mesh& mesh, XForm form = XForm::kText);

}  // namespace assetgen::meshes
