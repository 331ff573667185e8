#include "assetgen/meshes/x_file_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <stdexcept>
#include <string>

namespace assetgen::meshes {

namespace {

std::string SixDecimals(float f) {
    double d = std::abs(f) < 5e-7f ? 0.0 : static_cast<double>(f);
    char buf[48];
    std::snprintf(buf, sizeof(buf), "%.6f", d);
    return buf;
}

class TextOut {
public:
    void Line(const std::string& s) {
        text_ += s;
        text_ += '\n';
    }
    void Number(float f) { text_ += SixDecimals(f); }
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

// The faces grouped by material, and the material of each.
struct OrderedFaces {
    std::vector<Triangle> faces;
    std::vector<int> faceMaterial;
};

OrderedFaces OrderFaces(const Mesh& mesh) {
    const Geometry& g = mesh.GetGeometry();
    const auto& faceMaterials = mesh.FaceMaterials();
    const auto& materials = mesh.Materials();
    if (g.triangles.empty()) throw std::runtime_error(mesh.Name() + ": no faces");
    std::vector<std::size_t> order(g.triangles.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return faceMaterials[a] < faceMaterials[b]; });
    OrderedFaces out;
    std::vector<int> used(materials.size(), 0);
    for (auto i : order) {
        out.faces.push_back(g.triangles[i]);
        out.faceMaterial.push_back(faceMaterials[i]);
        ++used[faceMaterials[i]];
    }
    for (std::size_t m = 0; m < materials.size(); ++m) {
        if (!used[m]) throw std::runtime_error(mesh.Name() + ": material " + std::to_string(m) + " has no face");
    }
    return out;
}

std::vector<std::uint8_t> WriteText(const Mesh& mesh, const OrderedFaces& ordered) {
    const Geometry& g = mesh.GetGeometry();
    const auto& materials = mesh.Materials();
    const auto& faces = ordered.faces;
    const auto& faceMaterial = ordered.faceMaterial;
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

// Binary tokens, little-endian: names, braces, and the numbers of each object as lists.
class BinaryOut {
public:
    explicit BinaryOut(const char* header) : bytes_(header, header + 16) {}
    void Name(const std::string& s) {
        Word(0x01);
        DWord(static_cast<std::uint32_t>(s.size()));
        bytes_.insert(bytes_.end(), s.begin(), s.end());
    }
    void Open() { Word(0x0a); }
    void Close() { Word(0x0b); }
    void Ints(const std::vector<std::uint32_t>& values) {
        Word(0x06);
        DWord(static_cast<std::uint32_t>(values.size()));
        for (auto v : values) DWord(v);
    }
    void Floats(const std::vector<float>& values) {
        Word(0x07);
        DWord(static_cast<std::uint32_t>(values.size()));
        for (float f : values) {
            // The numbers of the text form, so that both forms make the same mesh.
            const float rounded = std::strtof(SixDecimals(f).c_str(), nullptr);
            std::uint32_t bits = 0;
            std::memcpy(&bits, &rounded, 4);
            DWord(bits);
        }
    }
    std::vector<std::uint8_t> Bytes() && { return std::move(bytes_); }

private:
    void Word(std::uint32_t v) {
        bytes_.push_back(static_cast<std::uint8_t>(v));
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void DWord(std::uint32_t v) {
        Word(v & 0xFFFF);
        Word(v >> 16);
    }
    std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint32_t> FaceList(const std::vector<Triangle>& faces) {
    std::vector<std::uint32_t> list{static_cast<std::uint32_t>(faces.size())};
    for (const auto& f : faces) list.insert(list.end(), {3u, f.a, f.b, f.c});
    return list;
}

std::vector<std::uint8_t> WriteBinary(const Mesh& mesh, const OrderedFaces& ordered) {
    const Geometry& g = mesh.GetGeometry();
    const auto count = static_cast<std::uint32_t>(g.vertices.size());
    std::vector<float> positions, normals, uvs;
    for (const auto& v : g.vertices) {
        positions.insert(positions.end(), {v.position.x, v.position.y, v.position.z});
        normals.insert(normals.end(), {v.normal.x, v.normal.y, v.normal.z});
        uvs.insert(uvs.end(), {v.uv.x, v.uv.y});
    }
    BinaryOut out("xof 0303bin 0032");
    out.Name("Mesh");
    out.Name(mesh.Name());
    out.Open();
    out.Ints({count});
    out.Floats(positions);
    out.Ints(FaceList(ordered.faces));
    out.Name("MeshNormals");
    out.Open();
    out.Ints({count});
    out.Floats(normals);
    out.Ints(FaceList(ordered.faces));
    out.Close();
    out.Name("MeshTextureCoords");
    out.Open();
    out.Ints({count});
    out.Floats(uvs);
    out.Close();
    out.Name("MeshMaterialList");
    out.Open();
    std::vector<std::uint32_t> list{static_cast<std::uint32_t>(mesh.Materials().size()),
                                    static_cast<std::uint32_t>(ordered.faces.size())};
    list.insert(list.end(), ordered.faceMaterial.begin(), ordered.faceMaterial.end());
    out.Ints(list);
    for (const auto& m : mesh.Materials()) {
        out.Name("Material");
        out.Open();
        out.Floats({m.diffuse.r, m.diffuse.g, m.diffuse.b, m.diffuse.a, m.power, m.specular.x, m.specular.y,
                    m.specular.z, m.emissive.x, m.emissive.y, m.emissive.z});
        out.Close();
    }
    out.Close();
    out.Close();
    return std::move(out).Bytes();
}

// The compressed form of a plain file: its header with the compressed form's name, the size of the whole
// plain file, then every 32 KiB of what follows the header as a block: its plain size, its deflated size
// counting the "CK" that starts it, "CK", and the raw deflate data.
std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& plain, const char* form) {
    std::vector<std::uint8_t> out(plain.begin(), plain.begin() + 16);
    std::memcpy(out.data() + 8, form, 4);
    auto put16 = [&](std::size_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    put16(plain.size() & 0xFFFF);
    put16(plain.size() >> 16);
    constexpr std::size_t kBlock = 32768;
    for (std::size_t at = 16; at < plain.size(); at += kBlock) {
        const std::size_t n = std::min(kBlock, plain.size() - at);
        z_stream z{};
        if (deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK) {
            throw std::runtime_error("deflate failed");
        }
        std::vector<std::uint8_t> packed(deflateBound(&z, n));
        z.next_in = const_cast<Bytef*>(plain.data() + at);
        z.avail_in = static_cast<uInt>(n);
        z.next_out = packed.data();
        z.avail_out = static_cast<uInt>(packed.size());
        const int result = deflate(&z, Z_FINISH);
        packed.resize(packed.size() - z.avail_out);
        deflateEnd(&z);
        if (result != Z_STREAM_END) throw std::runtime_error("deflate failed");
        put16(n);
        put16(packed.size() + 2);
        out.push_back('C');
        out.push_back('K');
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> WriteXFile(const Mesh& mesh, XForm form) {
    const OrderedFaces ordered = OrderFaces(mesh);
    switch (form) {
        case XForm::kText: return WriteText(mesh, ordered);
        case XForm::kBinary: return WriteBinary(mesh, ordered);
        case XForm::kCompressedText: return Compress(WriteText(mesh, ordered), "tzip");
        case XForm::kCompressedBinary: return Compress(WriteBinary(mesh, ordered), "bzip");
    }
    throw std::logic_error("unknown X form");
}

}  // namespace assetgen::meshes
