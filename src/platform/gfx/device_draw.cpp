// Drawing: vertices from a vertex buffer or the caller's memory, and mesh subsets.

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/gfx/device.h"
#include "platform/gfx/device_gl.h"
#include "platform/gfx/mesh.h"
#include "platform/gfx/vertex_buffer.h"
#include "platform/gfx/vertex_format.h"

namespace platform {

namespace {

GLenum PrimitiveMode(std::uint32_t type) {
    switch (type) {
        case D3DPT_POINTLIST:
            return GL_POINTS;
        case D3DPT_LINELIST:
            return GL_LINES;
        case D3DPT_LINESTRIP:
            return GL_LINE_STRIP;
        case D3DPT_TRIANGLELIST:
            return GL_TRIANGLES;
        case D3DPT_TRIANGLESTRIP:
            return GL_TRIANGLE_STRIP;
        default:
            return GL_TRIANGLE_FAN;
    }
}

// base is an address in memory, or an offset into the bound buffer.
const void* At(std::uintptr_t base, int offset) { return reinterpret_cast<const void*>(base + offset); }

void SetArrays(DeviceGl& g, const std::uint32_t (*stageStates)[kTextureStageStateCount], const VertexLayout& layout,
               std::uintptr_t base, std::uint32_t stride) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, static_cast<GLsizei>(stride), At(base, layout.positionOffset));
    if (layout.HasNormal()) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, static_cast<GLsizei>(stride), At(base, layout.normalOffset));
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
        glNormal3f(0.0f, 0.0f, 1.0f);  // unused: without normals the lights give no diffuse light
    }
    unsigned wanted = 0;
    for (int s = 0; s < g.activeStages; ++s) {
        const int set = static_cast<int>(stageStates[s][D3DTSS_TEXCOORDINDEX] & 0xFFFF);
        if (set >= layout.texCoordSets) continue;
        wanted |= 1u << s;
        g.api.ClientActiveTexture(GL_TEXTURE0 + s);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(layout.texCoordSize[set], GL_FLOAT, static_cast<GLsizei>(stride),
                          At(base, layout.texCoordOffset[set]));
    }
    for (int s = 0; s < g.stageUnits; ++s) {
        if ((wanted & (1u << s)) || !(g.texCoordArrays & (1u << s))) continue;
        g.api.ClientActiveTexture(GL_TEXTURE0 + s);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    // Stages without coordinates read (0, 0).
    for (int s = 0; s < g.activeStages; ++s) {
        if (!(wanted & (1u << s))) {
            g.api.ActiveTexture(GL_TEXTURE0 + s);
            glTexCoord4f(0, 0, 0, 1);
        }
    }
    g.texCoordArrays = wanted;
    g.api.ClientActiveTexture(GL_TEXTURE0);
}

void SetFogArray(DeviceGl& g) {
    if (g.processorFogActive) {
        glEnableClientState(GL_FOG_COORD_ARRAY);
        g.api.FogCoordPointer(GL_FLOAT, 0, g.fogCoords.data());
    } else {
        glDisableClientState(GL_FOG_COORD_ARRAY);
    }
}

}  // namespace

HRESULT Device::DrawPrimitive(PrimitiveType type, std::uint32_t startVertex, std::uint32_t primitiveCount) {
    if (!streamBuffer_ || streamStride_ == 0) return D3DERR_INVALIDCALL;
    const std::uint32_t count = VertexCountFor(type, primitiveCount);
    if (count == 0) return D3DERR_INVALIDCALL;
    const std::uint64_t end =
        static_cast<std::uint64_t>(streamOffset_) + (static_cast<std::uint64_t>(startVertex) + count) * streamStride_;
    if (end > streamBuffer_->Length()) return D3DERR_INVALIDCALL;
    return DrawFromMemory(type, primitiveCount, streamBuffer_->Data() + streamOffset_, startVertex, streamStride_);
}

HRESULT Device::DrawPrimitiveUP(PrimitiveType type, std::uint32_t primitiveCount, const void* vertices,
                                std::uint32_t stride) {
    if (!vertices || stride == 0) return D3DERR_INVALIDCALL;
    const HRESULT hr = DrawFromMemory(type, primitiveCount, static_cast<const unsigned char*>(vertices), 0, stride);
    streamBuffer_ = nullptr;
    streamOffset_ = streamStride_ = 0;
    return hr;
}

HRESULT Device::DrawScreenSpaceUP(const Matrix& screenProjection, PrimitiveType type, std::uint32_t primitiveCount,
                                  const void* vertices, std::uint32_t stride) {
    constexpr std::uint32_t kMatrices = kDirtyWorld | kDirtyView | kDirtyProjection;
    screenProjection_ = &screenProjection;
    gl_->dirty |= kMatrices;
    const HRESULT hr = DrawPrimitiveUP(type, primitiveCount, vertices, stride);
    screenProjection_ = nullptr;
    gl_->dirty |= kMatrices;
    return hr;
}

HRESULT Device::DrawFromMemory(PrimitiveType type, std::uint32_t primitiveCount, const unsigned char* base,
                               std::uint32_t firstVertex, std::uint32_t stride) {
    VertexLayout layout;
    // Pre-transformed (screen-space) vertices are not drawn: nothing in the game uses them.
    if (!DescribeVertexFormat(fvf_, &layout) || layout.IsPretransformed()) return D3DERR_INVALIDCALL;
    if (stride < layout.stride) return D3DERR_INVALIDCALL;
    const std::uint32_t count = VertexCountFor(type, primitiveCount);
    if (count == 0) return D3DERR_INVALIDCALL;

    FogSource fog{base + layout.positionOffset, stride, firstVertex, count};
    PrepareDraw(layout, fog);
    DeviceGl& g = *gl_;
    g.api.BindBuffer(GL_ARRAY_BUFFER, 0);
    SetFogArray(g);
    SetArrays(g, stageStates_, layout, reinterpret_cast<std::uintptr_t>(base), stride);

    if (layout.HasDiffuse()) {
        // 0xAARRGGBB words to the byte order OpenGL reads.
        g.colours.resize((static_cast<std::size_t>(firstVertex) + count) * 4);
        for (std::uint32_t i = firstVertex; i < firstVertex + count; ++i) {
            std::uint32_t c;
            std::memcpy(&c, base + static_cast<std::size_t>(i) * stride + layout.diffuseOffset, sizeof c);
            std::uint8_t* out = &g.colours[static_cast<std::size_t>(i) * 4];
            out[0] = static_cast<std::uint8_t>(c >> 16);
            out[1] = static_cast<std::uint8_t>(c >> 8);
            out[2] = static_cast<std::uint8_t>(c);
            out[3] = static_cast<std::uint8_t>(c >> 24);
        }
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, g.colours.data());
    } else {
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4f(1, 1, 1, 1);  // vertices without a colour are white
    }

    if (type == D3DPT_POINTLIST && layout.HasPointSize()) {
        // Each point has its own size: draw runs of equal size.
        const bool scaled = renderStates_[D3DRS_POINTSCALEENABLE] != 0;
        const float heightFactor = scaled ? static_cast<float>(viewport_.height) : 1.0f;
        std::uint32_t i = firstVertex;
        const std::uint32_t end = firstVertex + count;
        while (i < end) {
            float size;
            std::memcpy(&size, base + static_cast<std::size_t>(i) * stride + layout.pointSizeOffset, sizeof size);
            std::uint32_t j = i + 1;
            while (j < end) {
                float next;
                std::memcpy(&next, base + static_cast<std::size_t>(j) * stride + layout.pointSizeOffset, sizeof next);
                if (next != size) break;
                ++j;
            }
            glPointSize(std::max(1.0f, size * heightFactor));
            glDrawArrays(GL_POINTS, static_cast<GLint>(i), static_cast<GLsizei>(j - i));
            i = j;
        }
        g.dirty |= kDirtyPoints;
    } else {
        glDrawArrays(PrimitiveMode(type), static_cast<GLint>(firstVertex), static_cast<GLsizei>(count));
    }
    glDisableClientState(GL_COLOR_ARRAY);
    return S_OK;
}

HRESULT Device::DrawMeshSubset(Mesh* mesh, std::uint32_t subset) {
    if (subset >= mesh->subsets_.size()) return S_OK;
    const MeshSubset& s = mesh->subsets_[subset];
    if (s.indexCount == 0) return S_OK;

    VertexLayout layout;
    layout.stride = sizeof(MeshVertex);
    layout.positionOffset = static_cast<int>(offsetof(MeshVertex, position));
    layout.positionSize = 3;
    if (mesh->fvf_ & D3DFVF_NORMAL) layout.normalOffset = static_cast<int>(offsetof(MeshVertex, normal));
    if (mesh->fvf_ & D3DFVF_TEX1) {
        layout.texCoordSets = 1;
        layout.texCoordSize[0] = 2;
        layout.texCoordOffset[0] = static_cast<int>(offsetof(MeshVertex, u));
    }
    FogSource fog{reinterpret_cast<const unsigned char*>(mesh->positions_.data()), sizeof(Vector3), 0,
                  static_cast<std::uint32_t>(mesh->positions_.size())};
    PrepareDraw(layout, fog);
    DeviceGl& g = *gl_;
    g.api.BindBuffer(GL_ARRAY_BUFFER, 0);
    SetFogArray(g);
    g.api.BindBuffer(GL_ARRAY_BUFFER, mesh->vertexBuffer_);
    SetArrays(g, stageStates_, layout, 0, layout.stride);
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4f(1, 1, 1, 1);
    g.api.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh->indexBuffer_);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(s.indexCount), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(static_cast<std::uintptr_t>(s.firstIndex) * sizeof(std::uint32_t)));
    g.api.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    g.api.BindBuffer(GL_ARRAY_BUFFER, 0);
    return S_OK;
}

}  // namespace platform
