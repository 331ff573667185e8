#include "assetgen/meshes/mesh.h"

#include <stdexcept>

namespace assetgen::meshes {

Material Lit(float r, float g, float b, float alpha) {
    Material m;
    m.diffuse = {r, g, b, alpha};
    m.power = 24.0f;
    m.specular = vec3(0.35f);
    return m;
}

Material Glow(float r, float g, float b, float alpha, float diffuse) {
    Material m;
    m.diffuse = {r * diffuse, g * diffuse, b * diffuse, alpha};
    m.power = 8.0f;
    m.specular = vec3(0.0f);
    m.emissive = vec3(r, g, b);
    return m;
}

Material Textured(float alpha, float emissive) {
    Material m;
    m.diffuse = {0.8f, 0.8f, 0.8f, alpha};
    m.power = 10.0f;
    m.specular = vec3(0.1f);
    m.emissive = vec3(emissive);
    return m;
}

int Mesh::AddMaterial(const Material& m) {
    materials_.push_back(m);
    return static_cast<int>(materials_.size() - 1);
}

void Mesh::Add(const Geometry& g, int material) {
    if (material < 0 || material >= static_cast<int>(materials_.size())) {
        throw std::out_of_range(name_ + ": material index out of range");
    }
    geometry_.Append(g);
    faceMaterials_.insert(faceMaterials_.end(), g.triangles.size(), material);
}

}  // namespace assetgen::meshes
