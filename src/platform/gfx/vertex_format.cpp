#include "platform/gfx/vertex_format.h"

#include "platform/gfx/device_states.h"

namespace platform {

bool DescribeVertexFormat(std::uint32_t fvf, VertexLayout* out) {
    VertexLayout layout;
    std::uint32_t offset = 0;
    switch (fvf & D3DFVF_POSITION_MASK) {
        case D3DFVF_XYZ:
            layout.positionSize = 3;
            break;
        case D3DFVF_XYZRHW:
            layout.positionSize = 4;
            break;
        default:
            return false;
    }
    layout.positionOffset = 0;
    offset += layout.positionSize * 4;
    if (fvf & D3DFVF_NORMAL) {
        layout.normalOffset = static_cast<int>(offset);
        offset += 12;
    }
    if (fvf & D3DFVF_PSIZE) {
        layout.pointSizeOffset = static_cast<int>(offset);
        offset += 4;
    }
    if (fvf & D3DFVF_DIFFUSE) {
        layout.diffuseOffset = static_cast<int>(offset);
        offset += 4;
    }
    if (fvf & D3DFVF_SPECULAR) {
        layout.specularOffset = static_cast<int>(offset);
        offset += 4;
    }
    layout.texCoordSets = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
    if (layout.texCoordSets > 8) return false;
    for (int i = 0; i < layout.texCoordSets; ++i) {
        // Two bits per set from bit 16: 0 = two floats, 1 = three, 2 = four, 3 = one.
        static constexpr int kSizes[4] = {2, 3, 4, 1};
        layout.texCoordSize[i] = kSizes[(fvf >> (16 + 2 * i)) & 3];
        layout.texCoordOffset[i] = static_cast<int>(offset);
        offset += 4 * layout.texCoordSize[i];
    }
    layout.stride = offset;
    *out = layout;
    return true;
}

std::uint32_t VertexCountFor(std::uint32_t primitiveType, std::uint32_t primitiveCount) {
    if (primitiveCount == 0) return 0;
    switch (primitiveType) {
        case D3DPT_POINTLIST:
            return primitiveCount;
        case D3DPT_LINELIST:
            return primitiveCount * 2;
        case D3DPT_LINESTRIP:
            return primitiveCount + 1;
        case D3DPT_TRIANGLELIST:
            return primitiveCount * 3;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN:
            return primitiveCount + 2;
        default:
            return 0;
    }
}

}  // namespace platform
