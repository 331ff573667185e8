#pragma once
// A finished model as the game loads it: geometry whose faces each name one material, and the materials.

#include <string>
#include <vector>

#include "assetgen/meshes/geometry.h"

namespace assetgen::meshes {

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

// The X file's material record. In the game a material shows diffuse * (light + ambient factor / 2) +
// emissive; specular and power only matter where the game switches specular light on.
struct Material {
    Color diffuse{0.6f, 0.6f, 0.6f, 1.0f};
    float power = 20.0f;
    vec3 specular{0.3f};
    vec3 emissive{0.0f};
};

// Material makers that keep the designs short.
Material Lit(float r, float g, float b, float alpha = 1.0f);  // shaded by the light
// Self-lit: the colour shows whatever the light does (lasers, glows, skies); `diffuse` adds some shading.
Material Glow(float r, float g, float b, float alpha = 1.0f, float diffuse = 0.1f);
// For faces that wear a picture: white, so that a renderer that multiplies by the lit colour keeps the
// picture's own colours; a little emissive keeps it readable on the dark side.
Material Textured(float alpha = 1.0f, float emissive = 0.2f);

class Mesh {
public:
    explicit Mesh(std::string name) : name_(std::move(name)) {}

    int AddMaterial(const Material& m);
    // Adds the geometry's faces with the given material.
    void Add(const Geometry& g, int material);

    const std::string& Name() const { return name_; }
    const Geometry& GetGeometry() const { return geometry_; }
    Geometry& MutableGeometry() { return geometry_; }
    const std::vector<int>& FaceMaterials() const { return faceMaterials_; }
    const std::vector<Material>& Materials() const { return materials_; }
    std::size_t TriangleCount() const { return geometry_.triangles.size(); }

private:
    std::string name_;
    Geometry geometry_;
    std::vector<int> faceMaterials_;
    std::vector<Material> materials_;
};

}  // namespace assetgen::meshes
