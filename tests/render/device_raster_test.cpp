// Per-pixel states: stencil, alpha test, depth writes, colour write mask, and clearing rectangles.

#include "render/render_presets.h"
#include "render_test_support.h"

using namespace platform;

namespace {

struct V {
    float x, y, z;
    std::uint32_t colour;
};

class DeviceRaster : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        SetCamera();
        device_->SetRenderState(D3DRS_LIGHTING, 0);
        device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
        device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    }
    // A rectangle at depth z from (x0, y0) to (x1, y1) in world units.
    void Rectangle(float x0, float y0, float x1, float y1, float z, std::uint32_t colour) {
        const V quad[4] = {{x0, y1, z, colour}, {x1, y1, z, colour}, {x0, y0, z, colour}, {x1, y0, z, colour}};
        ASSERT_EQ(S_OK, device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(V)));
    }
    std::uint32_t At(float x, float y, float z) {
        const Vector3 p = Project(x, y, z);
        return Pixel(static_cast<int>(p.x), static_cast<int>(p.y));
    }
};

TEST_F(DeviceRaster, StencilMarkWritesTwoWherePixelsAreDrawn) {
    BeginFrame();
    SetStencilMark(drawable_);
    Rectangle(-2, -1, 0, 1, 10, 0xFFFF0000);  // marks the left half
    // Now draw only where the mark is.
    device_->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
    device_->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
    device_->SetRenderState(D3DRS_ZFUNC, D3DCMP_ALWAYS);
    Rectangle(-2, -1, 2, 1, 10, 0xFF00FF00);
    EndFrame();
    EXPECT_TRUE(ColourNear(At(-1, 0, 10), 0, 255, 0, 0));
    EXPECT_TRUE(ColourNear(At(1, 0, 10), 0, 0, 0, 0));
}

TEST_F(DeviceRaster, AlphaTestDropsPixelsAndTheirDepth) {
    BeginFrame();
    device_->SetRenderState(D3DRS_ALPHATESTENABLE, 1);
    device_->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    device_->SetRenderState(D3DRS_ALPHAREF, 0x80);
    Rectangle(-2, -1, 0, 1, 5, 0x80FF0000);  // alpha 0x80 is not greater: dropped
    Rectangle(0, -1, 2, 1, 5, 0x81FF0000);
    device_->SetRenderState(D3DRS_ALPHATESTENABLE, 0);
    Rectangle(-2, -1, 2, 1, 10, 0xFF0000FF);  // behind both
    EndFrame();
    EXPECT_TRUE(ColourNear(At(-1, 0, 5), 0, 0, 255, 0));
    EXPECT_TRUE(ColourNear(At(1, 0, 5), 255, 0, 0, 0));
}

TEST_F(DeviceRaster, DepthWritesOffLetLaterFartherDrawsThrough) {
    BeginFrame();
    device_->SetRenderState(D3DRS_ZWRITEENABLE, 0);
    Rectangle(-1, -1, 1, 1, 5, 0xFFFF0000);
    device_->SetRenderState(D3DRS_ZWRITEENABLE, 1);
    Rectangle(-1, -1, 1, 1, 10, 0xFF00FF00);
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(400, 300), 0, 255, 0, 0));
}

TEST_F(DeviceRaster, ColourWriteMaskKeepsChannels) {
    BeginFrame(0xFF0000FF);
    device_->SetRenderState(D3DRS_COLORWRITEENABLE, D3DCOLORWRITEENABLE_RED | D3DCOLORWRITEENABLE_ALPHA);
    Rectangle(-1, -1, 1, 1, 10, 0xFFFFFF00);
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(400, 300), 255, 0, 255, 0));
}

TEST_F(DeviceRaster, ClearTakesRectanglesWithinTheViewport) {
    BeginFrame(0xFF000000);
    const Rect rects[2] = {{10, 10, 20, 20}, {790, 590, 900, 900}};
    ASSERT_EQ(S_OK, device_->Clear(2, rects, D3DCLEAR_TARGET, 0xFFFFFFFF, 1.0f, 0));
    const Viewport half{0, 0, 400, 600, 0, 1};
    device_->SetViewport(&half);
    ASSERT_EQ(S_OK, device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0));
    EndFrame();
    const Image f = Frame();
    EXPECT_TRUE(ColourNear(f.At(15, 15), 0, 255, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(399, 300), 0, 255, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(400, 300), 0, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(799, 599), 255, 255, 255, 0));
    EXPECT_TRUE(ColourNear(f.At(789, 589), 0, 0, 0, 0));
    EXPECT_EQ(D3DERR_INVALIDCALL, device_->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0));
}

}  // namespace
