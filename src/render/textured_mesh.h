#pragma once
// A mesh drawn subset by subset with its own materials and, where the object gives them, one
// picture per material (the game's meshes name no pictures of their own).

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/gfx/texture.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"

using MaterialTextures = std::vector<platform::TexturePtr>;

// Loads the same picture once for each material of the mesh. Not checked: a picture that fails leaves
// its material untextured.
void LoadMaterialTextures(std::string_view path, const MeshResource& mesh, MaterialTextures* textures,
                          const Drawable& drawable);

// For every subset: its material, its picture (or none when the list has no picture for it), then the
// subset. Without a list the device's current texture is left as it is.
void DrawMeshSubsets(platform::Device* device, const MeshResource& mesh, const MaterialTextures* textures);
