#pragma once
// A mesh of a boss with the pictures its materials are drawn with (none for an untextured mesh).

#include "render/mesh_resource.h"
#include "render/textured_mesh.h"

struct BossMesh {
    MeshResource resource;
    MaterialTextures textures;
};
