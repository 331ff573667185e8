#include "assetgen/meshes/x_file_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <stdexcept>
#include <string>

namespace assetgen::meshes {

namespace {

class TextOut {
public:
    void Line(const std::string& s) {
        text_ += s;
        text_ += '\n';
    }
    void Number(float f) {
        double d = std::abs(f) < 5e-7f ? 0.0 : static_cast<double>(f);
        char buf[48];
        std::snprintf(buf, sizeof(buf), "%.6f", d);
        text_ += buf;
    }
    void Int(std::uint64_t v) { text_ += std::to_string(v); }
    void Raw(const char* s) { text_ += s; }
    std::vector<std::uint8_t> Bytes() const { return {text_.begin(), text_.end()}; }

private:
    std::string text_;
};

const char* ListEnd(std::size_t i, std::size_t count) { return i + 1 < count ? ";,\n" : ";;\n"; }

void WriteFaces(TextOut& out, const std::vector<Triangle>& faces) {
    out.Raw("  ");
    out.Int(faces.size());
    out.Raw(";\n");
    for (std::size_t i = 0; i < faces.size(); ++i) {
        out.Raw("  3;");
        out.Int(faces[i].a);
        out.Raw(",");
        out.Int(faces[i].b);
        out.Raw(",");
        out.Int(faces[i].c);
        out.Raw(ListEnd(i, faces.size()));
    }
}

void WriteColor(TextOut& out, float r, float g, float b) {
    out.Number(r);
    out.Raw(";");
    out.Number(g);
    out.Raw(";");
    out.Number(b);
    out.Raw(";");
}

// The vertex count, then one vector of every vertex (positions or normals), as the X file lists them.
void WriteVectors(TextOut& out, const Geometry& g, vec3 Vertex::*field) {
    out.Raw("  ");
    out.Int(g.vertices.size());
    out.Raw(";\n");
    for (std::size_t i = 0; i < g.vertices.size(); ++i) {
        const vec3& v = g.vertices[i].*field;
        out.Raw("  ");
        WriteColor(out, v.x, v.y, v.z);
        out.Raw(i + 1 < g.vertices.size() ? ",\n" : ";\n");
    }
}

}  // namespace

std::vector<std::uint8_t> WriteXFile(const Mesh& mesh) {
    const Geometry& g = mesh.GetGeometry();
    const auto& faceMaterials = mesh.FaceMaterials();
    const auto& materials = mesh.Materials();
    if (g.triangles.empty()) throw std::runtime_error(mesh.Name() + ": no faces");
    std::vector<std::size_t> order(g.triangles.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return faceMaterials[a] < faceMaterials[b]; });
    std::vector<Triangle> faces;
    std::vector<int> faceMaterial;
    std::vector<int> used(materials.size(), 0);
    for (auto i : order) {
        faces.push_back(g.triangles[i]);
        faceMaterial.push_back(faceMaterials[i]);
        ++used[faceMaterials[i]];
    }
    for (std::size_t m = 0; m < materials.size(); ++m) {
        if (!used[m]) throw std::runtime_error(mesh.Name() + ": material " + std::to_string(m) + " has no face");
    }

    TextOut out;
    out.Line("xof 0303txt 0032");
    out.Line("");
    out.Line("Mesh " + mesh.Name() + " {");
    WriteVectors(out, g, &Vertex::position);
    WriteFaces(out, faces);

    out.Line("");
    out.Line(" MeshNormals {");
    WriteVectors(out, g, &Vertex::normal);
    WriteFaces(out, faces);
    out.Line(" }");

    out.Line("");
    out.Line(" MeshTextureCoords {");
    out.Raw("  ");
    out.Int(g.vertices.size());
    out.Raw(";\n");
    for (std::size_t i = 0; i < g.vertices.size(); ++i) {
        out.Raw("  ");
        out.Number(g.vertices[i].uv.x);
        out.Raw(";");
        out.Number(g.vertices[i].uv.y);
        out.Raw(i + 1 < g.vertices.size() ? ";,\n" : ";;\n");
    }
    out.Line(" }");

    out.Line("");
    out.Line(" MeshMaterialList {");
    out.Raw("  ");
    out.Int(materials.size());
    out.Raw(";\n  ");
    out.Int(faces.size());
    out.Raw(";\n");
    for (std::size_t i = 0; i < faceMaterial.size(); ++i) {
        out.Raw("  ");
        out.Int(static_cast<std::uint64_t>(faceMaterial[i]));
        out.Raw(i + 1 < faceMaterial.size() ? ",\n" : ";;\n");
    }
    for (const auto& m : materials) {
        out.Line("");
        out.Line("  Material {");
        out.Raw("   ");
        WriteColor(out, m.diffuse.r, m.diffuse.g, m.diffuse.b);
        out.Number(m.diffuse.a);
        out.Raw(";;\n   ");
        out.Number(m.power);
        out.Raw(";\n   ");
        WriteColor(out, m.specular.x, m.specular.y, m.specular.z);
        out.Raw(";\n   ");
        WriteColor(out, m.emissive.x, m.emissive.y, m.emissive.z);
        out.Raw(";\n");
        out.Line("  }");
    }
    out.Line(" }");
    out.Line("}");
    return out.Bytes();
}

}  // namespace assetgen::meshes
