#pragma once
// Where each component of a flexible-format vertex lies.

#include <cstdint>

namespace platform {

struct VertexLayout {
    std::uint32_t stride = 0;
    int positionOffset = -1;
    int positionSize = 0;  // 3 floats (xyz) or 4 (pre-transformed xyz and rhw)
    int normalOffset = -1;
    int pointSizeOffset = -1;
    int diffuseOffset = -1;   // 0xAARRGGBB
    int specularOffset = -1;  // 0xAARRGGBB
    int texCoordSets = 0;
    int texCoordOffset[8] = {};
    int texCoordSize[8] = {};  // floats per set, 1 to 4

    bool HasNormal() const { return normalOffset >= 0; }
    bool HasDiffuse() const { return diffuseOffset >= 0; }
    bool HasPointSize() const { return pointSizeOffset >= 0; }
    bool IsPretransformed() const { return positionSize == 4; }
};

// False for formats without a position or with components the device does not draw (blend weights).
bool DescribeVertexFormat(std::uint32_t fvf, VertexLayout* out);

// Vertices a primitive count spans for each primitive type; 0 for an unknown type.
std::uint32_t VertexCountFor(std::uint32_t primitiveType, std::uint32_t primitiveCount);

}  // namespace platform
