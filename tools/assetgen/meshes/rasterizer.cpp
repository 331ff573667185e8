#include "assetgen/meshes/rasterizer.h"

#include <algorithm>
#include <cmath>

namespace assetgen::meshes {

namespace {

// The game's light travels towards (-0.5, -0.5, 1); its ambient is grey 0x80.
const vec3 kToLight = glm::normalize(vec3(0.5f, 0.5f, -1.0f));
constexpr float kAmbient = 128.0f / 255.0f;

glm::vec4 Sample(const Texture& t, vec2 uv) {
    float x = uv.x * static_cast<float>(t.width) - 0.5f;
    float y = uv.y * static_cast<float>(t.height) - 0.5f;
    float fx = std::floor(x), fy = std::floor(y);
    float ax = x - fx, ay = y - fy;
    auto texel = [&](int ix, int iy) {
        ix = ((ix % t.width) + t.width) % t.width;
        iy = ((iy % t.height) + t.height) % t.height;
        std::uint32_t p = t.argb[static_cast<std::size_t>(iy) * t.width + ix];
        return glm::vec4(static_cast<float>((p >> 16) & 255), static_cast<float>((p >> 8) & 255),
                         static_cast<float>(p & 255), static_cast<float>(p >> 24)) /
               255.0f;
    };
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    glm::vec4 top = glm::mix(texel(ix, iy), texel(ix + 1, iy), ax);
    glm::vec4 bottom = glm::mix(texel(ix, iy + 1), texel(ix + 1, iy + 1), ax);
    return glm::mix(top, bottom, ay);
}

}  // namespace

Rasterizer::Rasterizer(int width, int height)
    : width_(width), height_(height), colour_(static_cast<std::size_t>(width) * height), depth_(colour_.size()) {
    Clear(vec3(0.0f));
}

void Rasterizer::Clear(vec3 colour) {
    std::fill(colour_.begin(), colour_.end(), colour);
    std::fill(depth_.begin(), depth_.end(), 1e30f);
}

void Rasterizer::SetCamera(vec3 eye, vec3 at, float fovYDegrees, float nearZ) {
    eye_ = eye;
    forward_ = glm::normalize(at - eye);
    vec3 worldUp = std::abs(forward_.y) > 0.99f ? vec3(0, 0, 1) : vec3(0, 1, 0);
    right_ = glm::normalize(glm::cross(worldUp, forward_));  // left-handed: up x forward points right
    up_ = glm::cross(forward_, right_);
    focal_ = (static_cast<float>(height_) * 0.5f) / std::tan(fovYDegrees * 3.14159265f / 360.0f);
    near_ = nearZ;
}

void Rasterizer::Draw(const DrawItem& item) {
    const Mesh& mesh = *item.mesh;
    const Geometry& g = mesh.GetGeometry();
    fog_ = item.fog;
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(item.world)));
    bool mirrored = glm::determinant(glm::mat3(item.world)) < 0.0f;
    std::vector<vec3> view(g.vertices.size());
    std::vector<vec3> worldNormal(g.vertices.size());
    for (std::size_t i = 0; i < g.vertices.size(); ++i) {
        vec3 w = vec3(item.world * glm::vec4(g.vertices[i].position, 1.0f)) - eye_;
        view[i] = vec3(glm::dot(w, right_), glm::dot(w, up_), glm::dot(w, forward_));
        vec3 n = normalMatrix * g.vertices[i].normal;
        float len = glm::length(n);
        worldNormal[i] = len > 0.0f ? n / len : n;
    }
    const auto& materials = mesh.Materials();
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t f = 0; f < g.triangles.size(); ++f) {
            const Material& m = materials[mesh.FaceMaterials()[f]];
            float alpha = m.diffuse.a * item.alphaScale;
            bool translucent = alpha < 0.999f || item.texture != nullptr;
            if ((pass == 0) == translucent) continue;
            Triangle t = g.triangles[f];
            if (mirrored) std::swap(t.b, t.c);
            vec3 n = glm::cross(view[t.b] - view[t.a], view[t.c] - view[t.a]);
            bool front = glm::dot(n, view[t.a]) < 0.0f;
            if (!front && !item.cullNone) continue;
            ClipVertex cv[3];
            std::uint32_t idx[3] = {t.a, t.b, t.c};
            for (int k = 0; k < 3; ++k) {
                const Vertex& v = g.vertices[idx[k]];
                vec3 d(m.diffuse.r, m.diffuse.g, m.diffuse.b);
                vec3 lit = m.emissive + d * (kAmbient * item.ambientFactor) +
                           d * std::max(0.0f, glm::dot(worldNormal[idx[k]], kToLight));
                cv[k] = {view[idx[k]], glm::vec4(glm::min(lit, vec3(1.0f)), alpha), v.uv};
            }
            DrawTriangle(cv, item.texture, translucent);
        }
    }
}

void Rasterizer::DrawTriangle(const ClipVertex (&v)[3], const Texture* texture, bool translucent) {
    ClipVertex clipped[4];
    int count = 0;
    for (int i = 0; i < 3; ++i) {
        const ClipVertex& a = v[i];
        const ClipVertex& b = v[(i + 1) % 3];
        bool ina = a.view.z >= near_, inb = b.view.z >= near_;
        if (ina) clipped[count++] = a;
        if (ina != inb) {
            float t = (near_ - a.view.z) / (b.view.z - a.view.z);
            clipped[count++] = {glm::mix(a.view, b.view, t), glm::mix(a.colour, b.colour, t), glm::mix(a.uv, b.uv, t)};
        }
    }
    if (count >= 3) Rasterize(clipped, count, texture, translucent);
}

void Rasterizer::Rasterize(const ClipVertex* poly, int count, const Texture* texture, bool translucent) {
    struct Screen {
        float x, y, invZ;
    };
    Screen s[4];
    for (int i = 0; i < count; ++i) {
        const vec3& p = poly[i].view;
        s[i] = {static_cast<float>(width_) * 0.5f + p.x / p.z * focal_,
                static_cast<float>(height_) * 0.5f - p.y / p.z * focal_, 1.0f / p.z};
    }
    for (int k = 1; k + 1 < count; ++k) {
        const int id[3] = {0, k, k + 1};
        const Screen& a = s[id[0]];
        const Screen& b = s[id[1]];
        const Screen& c = s[id[2]];
        float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        if (std::abs(area) < 1e-8f) continue;
        int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
        int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
        int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
        int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
        // Barycentric weights are affine in the pixel position: step them instead of recomputing.
        const float inv = 1.0f / area;
        const float w0dx = -(c.y - b.y) * inv;
        const float w1dx = -(a.y - c.y) * inv;
        for (int py = y0; py <= y1; ++py) {
            float fy = static_cast<float>(py) + 0.5f, fx = static_cast<float>(x0) + 0.5f;
            float w0 = ((b.x - fx) * (c.y - fy) - (c.x - fx) * (b.y - fy)) * inv;
            float w1 = ((c.x - fx) * (a.y - fy) - (a.x - fx) * (c.y - fy)) * inv;
            for (int px = x0; px <= x1; ++px, w0 += w0dx, w1 += w1dx) {
                float w2 = 1.0f - w0 - w1;
                if (w0 < 0 || w1 < 0 || w2 < 0) continue;
                float invZ = w0 * a.invZ + w1 * b.invZ + w2 * c.invZ;
                float z = 1.0f / invZ;
                std::size_t at = static_cast<std::size_t>(py) * width_ + px;
                if (z >= depth_[at]) continue;
                float p0 = w0 * a.invZ * z, p1 = w1 * b.invZ * z, p2 = w2 * c.invZ * z;
                glm::vec4 col;
                if (texture != nullptr) {
                    // The stages show textured meshes in their picture's own colour.
                    col = Sample(*texture, poly[id[0]].uv * p0 + poly[id[1]].uv * p1 + poly[id[2]].uv * p2);
                } else {
                    col = poly[id[0]].colour * p0 + poly[id[1]].colour * p1 + poly[id[2]].colour * p2;
                }
                vec3 rgb(col);
                if (fog_.on) {
                    float f = std::clamp((fog_.end - z) / (fog_.end - fog_.start), 0.0f, 1.0f);
                    rgb = glm::mix(fog_.colour, rgb, f);
                }
                float alpha = translucent ? std::clamp(col.a, 0.0f, 1.0f) : 1.0f;
                if (alpha <= 0.004f) continue;
                colour_[at] = glm::mix(colour_[at], rgb, alpha);
                if (alpha > 0.5f || !translucent) depth_[at] = z;
            }
        }
    }
}

std::vector<std::uint32_t> Rasterizer::Pixels() const { return Downsampled(1); }

std::vector<std::uint32_t> Rasterizer::Downsampled(int factor) const {
    int w = width_ / factor, h = height_ / factor;
    std::vector<std::uint32_t> out(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            vec3 sum(0.0f);
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    sum += colour_[static_cast<std::size_t>(y * factor + dy) * width_ + (x * factor + dx)];
                }
            }
            sum /= static_cast<float>(factor * factor);
            auto c = [](float f) {
                return static_cast<std::uint32_t>(std::lround(std::clamp(f, 0.0f, 1.0f) * 255.0f));
            };
            out[static_cast<std::size_t>(y) * w + x] = 0xFF000000u | (c(sum.r) << 16) | (c(sum.g) << 8) | c(sum.b);
        }
    }
    return out;
}

}  // namespace assetgen::meshes
