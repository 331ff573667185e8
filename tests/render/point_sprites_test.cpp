// Point-sprite particles: size by distance, the particle picture, and the states put back afterwards.

#include <filesystem>

#include "platform/gfx/vertex_buffer.h"
#include "render/point_sprites.h"
#include "render_test_support.h"
#include "support/temp_dir.h"

using namespace platform;

namespace {

class PointSprites : public DeviceTest {
protected:
    TempWorkDir dir_;
};

TEST_F(PointSprites, PointsShrinkWithDistanceAndStatesComeBack) {
    std::filesystem::create_directories(dir_.Path() / "t");
    ASSERT_TRUE(SavePng((dir_.Path() / "t" / "flare.png").string(), SolidImage(16, 16, 0xFFFF0000)));
    TexturePtr texture;
    VertexBufferPtr buffer;
    ASSERT_TRUE(PointSpriteLoad("t\\flare.png", 2, &texture, drawable_, &buffer));
    ASSERT_EQ(2 * sizeof(PointSpriteVertex), buffer->Length());

    // Size 0.5 of the viewport height at distance 1: 30 pixels across at distance 10, 15 at 20.
    const PointSpriteVertex points[2] = {{-2, 0, 10, 0.5f, 0xFFFFFFFF, 0, 0}, {2, 0, 20, 0.5f, 0xFFFFFFFF, 0, 0}};
    void* data = nullptr;
    ASSERT_EQ(S_OK, buffer->Lock(0, 0, &data, 0));
    std::memcpy(data, points, sizeof points);
    buffer->Unlock();

    SetCamera();
    BeginFrame();
    PointSpriteDraw(false, 2, texture.get(), drawable_, buffer.get());
    EndFrame();
    const Image f = Frame();
    const Vector3 nearP = Project(-2, 0, 10), farP = Project(2, 0, 20);
    const int nx = static_cast<int>(nearP.x), ny = static_cast<int>(nearP.y);
    const int fx = static_cast<int>(farP.x), fy = static_cast<int>(farP.y);
    EXPECT_TRUE(ColourNear(f.At(nx, ny), 255, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(nx + 13, ny), 255, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(nx + 17, ny), 0, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(fx + 6, fy), 255, 0, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(fx + 9, fy), 0, 0, 0, 0));

    std::uint32_t v = 0;
    device_->GetRenderState(D3DRS_POINTSPRITEENABLE, &v);
    EXPECT_EQ(0u, v);
    device_->GetRenderState(D3DRS_LIGHTING, &v);
    EXPECT_EQ(1u, v);
    device_->GetRenderState(D3DRS_ALPHABLENDENABLE, &v);
    EXPECT_EQ(0u, v);
    device_->GetTextureStageState(0, D3DTSS_ALPHAARG1, &v);
    EXPECT_EQ(D3DTA_DIFFUSE, v);
    bool enabled = false;
    ASSERT_EQ(S_OK, device_->GetLightEnable(0, &enabled));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(nullptr, device_->GetTexture(0));
}

TEST_F(PointSprites, MissingPictureFailsTheLoad) {
    TexturePtr texture;
    VertexBufferPtr buffer;
    EXPECT_FALSE(PointSpriteLoad("t\\nothing.png", 4, &texture, drawable_, &buffer));
    EXPECT_EQ(nullptr, texture);
}

}  // namespace
