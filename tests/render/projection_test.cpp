// The camera of the game frames: projection to the viewport agrees with where the device draws.

#include <cmath>
#include <numbers>

#include "render_test_support.h"

using namespace platform;

namespace {

class Projection : public DeviceTest {
protected:
    // The default camera of the game: from (0, 4, 0) to (0, 0, 20), the game's viewport and projection.
    void SetGameCamera() {
        Matrix view, projection;
        const Vector3 eye{0, 4, 0}, at{0, 0, 20}, up{0, 1, 0};
        MatrixLookAtLH(&view, &eye, &at, &up);
        const Viewport viewport{0, 0, 800, 600, 0.0f, 1.0f};
        ASSERT_EQ(S_OK, device_->SetViewport(&viewport));
        MatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 4, 800.0f / 600.0f, 1.0f, 1000.0f);
        device_->SetTransform(D3DTS_VIEW, &view);
        device_->SetTransform(D3DTS_PROJECTION, &projection);
    }
};

TEST_F(Projection, LookAtPointLandsAtTheScreenCentre) {
    SetGameCamera();
    const Vector3 p = Project(0, 0, 20);
    EXPECT_NEAR(400.0f, p.x, 1e-3f);
    EXPECT_NEAR(300.0f, p.y, 1e-3f);
    EXPECT_GT(p.z, 0.0f);
    EXPECT_LT(p.z, 1.0f);
}

TEST_F(Projection, DrawnPointsLandWhereTheyProject) {
    SetGameCamera();
    device_->SetRenderState(D3DRS_LIGHTING, 0);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    struct V {
        float x, y, z;
        std::uint32_t colour;
    };
    // A small red square at a point up, right and away from the look-at point.
    const float cx = 5, cy = 3, cz = 40, h = 0.1f;
    const V quad[4] = {{cx - h, cy + h, cz, 0xFFFF0000},
                       {cx + h, cy + h, cz, 0xFFFF0000},
                       {cx - h, cy - h, cz, 0xFFFF0000},
                       {cx + h, cy - h, cz, 0xFFFF0000}};
    BeginFrame();
    device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(V));
    EndFrame();
    const Vector3 p = Project(cx, cy, cz);
    // Up and right of the centre, y counting down.
    EXPECT_GT(p.x, 400.0f);
    EXPECT_LT(p.y, 300.0f);
    const Image f = Frame();
    EXPECT_TRUE(ColourNear(f.At(static_cast<int>(p.x), static_cast<int>(p.y)), 255, 0, 0, 0));
    // Nothing a few pixels away.
    EXPECT_TRUE(ColourNear(f.At(static_cast<int>(p.x) + 6, static_cast<int>(p.y)), 0, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(static_cast<int>(p.x), static_cast<int>(p.y) + 6), 0, 0, 0, 0));
}

TEST_F(Projection, NearerSurfacesHideFartherOnes) {
    SetGameCamera();
    device_->SetRenderState(D3DRS_LIGHTING, 0);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    struct V {
        float x, y, z;
        std::uint32_t colour;
    };
    auto quad = [](float z, std::uint32_t c, V out[4]) {
        out[0] = {-1, 1, z, c};
        out[1] = {1, 1, z, c};
        out[2] = {-1, -1, z, c};
        out[3] = {1, -1, z, c};
    };
    V nearQ[4], farQ[4];
    quad(20, 0xFF00FF00, nearQ);
    quad(30, 0xFFFF0000, farQ);
    BeginFrame();
    device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, nearQ, sizeof(V));
    device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, farQ, sizeof(V));
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(400, 300), 0, 255, 0, 0));
}

}  // namespace
