#include "platform/gfx/vertex_format.h"

#include <gtest/gtest.h>

#include "platform/gfx/device_states.h"

namespace platform {
namespace {

TEST(GfxVertexFormat, GameFormatsLayOutAsTheirStructs) {
    VertexLayout quad;
    ASSERT_TRUE(DescribeVertexFormat(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1, &quad));
    EXPECT_EQ(24u, quad.stride);
    EXPECT_EQ(12, quad.diffuseOffset);
    EXPECT_EQ(16, quad.texCoordOffset[0]);
    EXPECT_EQ(2, quad.texCoordSize[0]);
    EXPECT_FALSE(quad.HasNormal());

    VertexLayout points;
    ASSERT_TRUE(DescribeVertexFormat(354, &points));  // position, size, colour, coordinates
    EXPECT_EQ(28u, points.stride);
    EXPECT_EQ(12, points.pointSizeOffset);
    EXPECT_EQ(16, points.diffuseOffset);
    EXPECT_EQ(20, points.texCoordOffset[0]);

    VertexLayout mesh;
    ASSERT_TRUE(DescribeVertexFormat(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, &mesh));
    EXPECT_EQ(32u, mesh.stride);
    EXPECT_EQ(12, mesh.normalOffset);
    EXPECT_EQ(24, mesh.texCoordOffset[0]);
}

TEST(GfxVertexFormat, CoordinateSizesAndRejectedFormats) {
    VertexLayout two;
    // Second set three floats wide (size code 1 at bits 18-19).
    ASSERT_TRUE(DescribeVertexFormat(D3DFVF_XYZ | D3DFVF_TEX2 | (1u << 18), &two));
    EXPECT_EQ(2, two.texCoordSize[0]);
    EXPECT_EQ(3, two.texCoordSize[1]);
    EXPECT_EQ(20, two.texCoordOffset[1]);
    EXPECT_EQ(32u, two.stride);

    VertexLayout rhw;
    ASSERT_TRUE(DescribeVertexFormat(D3DFVF_XYZRHW | D3DFVF_DIFFUSE, &rhw));
    EXPECT_TRUE(rhw.IsPretransformed());
    EXPECT_EQ(20u, rhw.stride);

    VertexLayout none;
    EXPECT_FALSE(DescribeVertexFormat(D3DFVF_DIFFUSE, &none));  // no position
    EXPECT_FALSE(DescribeVertexFormat(0x006, &none));           // blend weights
}

TEST(GfxVertexFormat, VerticesPerPrimitiveCount) {
    EXPECT_EQ(4u, VertexCountFor(D3DPT_TRIANGLESTRIP, 2));
    EXPECT_EQ(6u, VertexCountFor(D3DPT_TRIANGLELIST, 2));
    EXPECT_EQ(5u, VertexCountFor(D3DPT_TRIANGLEFAN, 3));
    EXPECT_EQ(7u, VertexCountFor(D3DPT_POINTLIST, 7));
    EXPECT_EQ(4u, VertexCountFor(D3DPT_LINELIST, 2));
    EXPECT_EQ(3u, VertexCountFor(D3DPT_LINESTRIP, 2));
    EXPECT_EQ(0u, VertexCountFor(D3DPT_TRIANGLELIST, 0));
    EXPECT_EQ(0u, VertexCountFor(99, 1));
}

}  // namespace
}  // namespace platform
