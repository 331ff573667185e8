#pragma once
// Loading the sceneries' meshes: the materials' ambient colours come from their diffuse ones, and the
// sceneries of space and of the flower field draw every material opaque whatever the file says.

#include <string_view>

#include "render/drawable.h"
#include "render/mesh_resource.h"

// Ambient = diffuse x ambientFactor. With opaque, the diffuse alpha (and so the ambient's) is 1.
bool LoadSceneryMesh(std::string_view path, MeshResource* mesh, const Drawable& drawable, float ambientFactor,
                     bool opaque);

// The scenery's pictures repeat over the large meshes: wrap in both directions.
void SetWrapAddressing(const Drawable& drawable);
