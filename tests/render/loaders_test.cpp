// Loading pictures and meshes from the game's paths, and the load-failure convention.

#include <filesystem>
#include <string>
#include <vector>

#include "core/main_window.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "render/loaders.h"
#include "render/render_presets.h"
#include "render_test_support.h"
#include "support/temp_dir.h"

using namespace platform;

namespace {

// Two squares side by side at z = 10, facing the camera: faces of material 0 on the left (red),
// of material 1 on the right (green).
const char kTwoSquares[] = R"(xof 0303txt 0032
Mesh Squares {
  8;
  -3.0;1.0;10.0;, -1.0;1.0;10.0;, -1.0;-1.0;10.0;, -3.0;-1.0;10.0;,
  1.0;1.0;10.0;, 3.0;1.0;10.0;, 3.0;-1.0;10.0;, 1.0;-1.0;10.0;;
  4;
  3;0,1,2;, 3;0,2,3;, 3;4,5,6;, 3;4,6,7;;
  MeshNormals { 1; 0.0;0.0;-1.0;; 4; 3;0,0,0;, 3;0,0,0;, 3;0,0,0;, 3;0,0,0;; }
  MeshMaterialList { 2; 4; 0,0,1,1;;
    Material { 1.0;0.0;0.0;0.8;; 8.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
    Material { 0.0;1.0;0.0;1.0;; 8.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
  }
}
)";

class Loading : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        SetMessageBoxHook(
            [this](const std::string& text, const std::string& caption) { boxes_.push_back(caption + "|" + text); });
        // The loaders destroy the main window: give them one of their own.
        mainWindow_ = CreateMainWindow("main", 800, 600, false);
        MainWindowHandle = mainWindow_;
    }
    void TearDown() override {
        SetMessageBoxHook({});
        MainWindowHandle = nullptr;
        ReleaseWindow(mainWindow_);
        int code = 0;
        PumpMessages(&code);  // takes a quit a test left posted
        DeviceTest::TearDown();
    }

    void WritePicture(const std::string& name, const Image& image) {
        std::filesystem::create_directories((dir_.Path() / name).parent_path());
        ASSERT_TRUE(SavePng((dir_.Path() / name).string(), image));
    }

    // Draws the texture 1:1 at (0, 0) over a cleared background and returns the frame.
    Image DrawSprite(Texture* texture, std::uint32_t background, const Rect* source = nullptr) {
        BeginFrame(background);
        sprite_->Begin(D3DXSPRITE_ALPHABLEND);
        Matrix identity;
        sprite_->SetTransform(&identity);
        EXPECT_EQ(S_OK, sprite_->Draw(texture, source, nullptr, nullptr, 0xFFFFFFFF));
        sprite_->End();
        EndFrame();
        return Frame();
    }

    TempWorkDir dir_;
    std::vector<std::string> boxes_;
    WindowHandle mainWindow_ = nullptr;
};

TEST_F(Loading, OpaqueBlackIsTransparentAndNearBlackIsNot) {
    Image image = SolidImage(64, 32, 0xFF000000);
    for (int y = 0; y < 32; ++y) {
        for (int x = 32; x < 64; ++x) image.argb[static_cast<std::size_t>(y) * 64 + x] = 0xFF010101;
    }
    WritePicture("t/keyed.png", image);
    TexturePtr texture;
    ASSERT_TRUE(TextureLoad("t\\keyed.png", &texture, drawable_));
    const Image f = DrawSprite(texture.get(), 0xFFFFFFFF);
    EXPECT_TRUE(ColourNear(f.At(10, 10), 255, 255, 255, 0));  // the background shows through
    EXPECT_TRUE(ColourNear(f.At(50, 10), 1, 1, 1, 0));

    // The plain loader keys nothing.
    TexturePtr plain;
    ASSERT_TRUE(TextureLoadPlain("t\\keyed.png", &plain, drawable_));
    EXPECT_TRUE(ColourNear(DrawSprite(plain.get(), 0xFFFFFFFF).At(10, 10), 0, 0, 0, 0));
}

TEST_F(Loading, WhiteColourKeyVariant) {
    Image image = SolidImage(32, 32, 0xFFFFFFFF);
    for (int y = 0; y < 32; ++y) {
        for (int x = 16; x < 32; ++x) image.argb[static_cast<std::size_t>(y) * 32 + x] = 0xFFFEFEFE;
    }
    WritePicture("t/console.png", image);
    TexturePtr texture;
    ASSERT_TRUE(TextureLoadKeyed("t\\console.png", &texture, drawable_, kColourKeyWhite));
    const Image f = DrawSprite(texture.get(), 0xFF0000FF);
    EXPECT_TRUE(ColourNear(f.At(5, 5), 0, 0, 255, 0));
    EXPECT_TRUE(ColourNear(f.At(25, 5), 254, 254, 254, 0));
}

TEST_F(Loading, PictureOfOtherSizeIsScaledToPowersOfTwo) {
    // 300 x 200: left half red, right half green; becomes 512 x 256.
    Image image = SolidImage(300, 200, 0xFFFF0000);
    for (int y = 0; y < 200; ++y) {
        for (int x = 150; x < 300; ++x) image.argb[static_cast<std::size_t>(y) * 300 + x] = 0xFF00FF00;
    }
    WritePicture("t/wide.png", image);
    TexturePtr texture;
    ASSERT_TRUE(TextureLoad("t\\wide.png", &texture, drawable_));
    EXPECT_EQ(512u, texture->Width());
    EXPECT_EQ(256u, texture->Height());
    // Rectangles are in the scaled picture's texels.
    const Rect left{0, 0, 256, 256}, right{256, 0, 512, 256};
    EXPECT_TRUE(ColourNear(DrawSprite(texture.get(), 0xFF000000, &left).At(128, 128), 255, 0, 0, 0));
    const Image f = DrawSprite(texture.get(), 0xFF000000, &right);
    EXPECT_TRUE(ColourNear(f.At(128, 128), 0, 255, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(255, 255), 0, 255, 0, 0));
    EXPECT_TRUE(ColourNear(f.At(256, 128), 0, 0, 0, 0));
}

TEST_F(Loading, MissingTextureEndsTheProgramAfterOneMessage) {
    WritePicture("t/present.png", SolidImage(4, 4, 0xFFFFFFFF));
    TexturePtr first, second, next;
    // A loader of two pictures whose first is missing: one message, the second is not tried.
    auto loader = [&]() -> bool {
        if (!TextureLoad("t\\osleft.png", &first, drawable_)) return LoadFailed(drawable_, LostText("t\\osleft.png"));
        if (!TextureLoad("t\\present.png", &second, drawable_)) return LoadFailed(drawable_, "presentロスト");
        return true;
    };
    EXPECT_FALSE(loader());
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ("メッセージ|osleftロスト", boxes_[0]);
    EXPECT_EQ(nullptr, second);
    EXPECT_TRUE(IsWindowDestroyed(mainWindow_));
    // The next object still loads; the quit waits for the main loop.
    EXPECT_TRUE(TextureLoad("t\\present.png", &next, drawable_));
    int code = -1;
    EXPECT_TRUE(PumpMessages(&code));
    EXPECT_EQ(1, code) << "the program must end as a failed start";
}

TEST_F(Loading, MeshLoadDerivesAmbientAndDrawsSubsetsByMaterial) {
    dir_.WriteFile("x/squares.x", kTwoSquares);
    MeshResource resource;
    ASSERT_TRUE(MeshLoad("x\\Squares.x", &resource, drawable_, 0.5f));  // the name's case differs
    ASSERT_EQ(2u, resource.materialCount);
    ASSERT_EQ(2u, resource.materials.size());
    EXPECT_FLOAT_EQ(0.5f, resource.materials[0].ambient.r);
    EXPECT_FLOAT_EQ(0.4f, resource.materials[0].ambient.a);
    EXPECT_FLOAT_EQ(0.5f, resource.materials[1].ambient.g);
    EXPECT_FLOAT_EQ(0.0f, resource.materialBuffer[0].ambient.r);  // the file's own materials
    EXPECT_EQ(2u, resource.mesh->SubsetCount());

    SetCamera();
    device_->SetRenderState(D3DRS_LIGHTING, 1);
    device_->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
    BeginFrame();
    device_->SetMaterial(&resource.materials[1]);
    ASSERT_EQ(S_OK, resource.mesh->DrawSubset(1));
    EXPECT_EQ(S_OK, resource.mesh->DrawSubset(7));  // no such subset: nothing drawn
    EndFrame();
    const Vector3 l = Project(-2, 0, 10), r = Project(2, 0, 10);
    const Image f = Frame();
    // Ambient only (no light): material ambient 0.5 green times white ambient.
    EXPECT_TRUE(ColourNear(f.At(static_cast<int>(r.x), static_cast<int>(r.y)), 0, 128, 0, 1));
    EXPECT_TRUE(ColourNear(f.At(static_cast<int>(l.x), static_cast<int>(l.y)), 0, 0, 0, 0));

    MeshResource missing;
    EXPECT_FALSE(MeshLoad("x\\nothing.x", &missing, drawable_, 1.0f));
    EXPECT_EQ(nullptr, missing.mesh);
    dir_.WriteFile("x/broken.x", "xof 0303txt 0032\nMesh { 3; this is not a mesh");
    EXPECT_FALSE(MeshLoad("x\\broken.x", &missing, drawable_, 1.0f));
}

TEST(LoadingTexts, LostTextAndFadeColour) {
    EXPECT_EQ("osleftロスト", LostText("t\\osleft.png"));
    EXPECT_EQ("stage 1ロスト", LostText("t\\stage 1.png"));
    EXPECT_EQ(0xFFFFFFFFu, FadeColour(1.0));
    EXPECT_EQ(0xFFFFFFFFu, FadeColour(1.5));
    EXPECT_EQ(0x00FFFFFFu, FadeColour(0.0));
    EXPECT_EQ(0x00FFFFFFu, FadeColour(-0.2));
    EXPECT_EQ(0x80FFFFFFu, FadeColour(0.5));  // 127.5 rounds up
    EXPECT_EQ(0x4DFFFFFFu, FadeColour(0.3));  // 76.5 rounds up
}

TEST(MatrixShortcuts, TranslationKeepsScaleAndScaleKeepsTranslation) {
    Matrix m;
    SetMatrixScale(&m, 2, 3, 4);
    SetMatrixTranslation(&m, 5, 6, 7);
    EXPECT_FLOAT_EQ(2, m._11);
    EXPECT_FLOAT_EQ(3, m._22);
    EXPECT_FLOAT_EQ(4, m._33);
    EXPECT_FLOAT_EQ(5, m._41);
    EXPECT_FLOAT_EQ(7, m._43);
    SetMatrixScale(&m, 1, 1, 1);
    EXPECT_FLOAT_EQ(6, m._42);
    Matrix scroll;
    scroll._12 = 9;
    MakeTextureScroll(&scroll, 0.25f, 0.5f);
    EXPECT_FLOAT_EQ(0, scroll._12);
    EXPECT_FLOAT_EQ(0.25f, scroll._31);
    EXPECT_FLOAT_EQ(0.5f, scroll._32);
    EXPECT_FLOAT_EQ(1, scroll._33);
}

}  // namespace
