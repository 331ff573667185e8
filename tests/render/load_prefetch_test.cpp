// The loaders' prefetch: what it hands out equals what the loaders make themselves, a file it cannot make
// fails in the loader exactly as without it, and the textures it feeds read back as uploaded.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/game_path.h"
#include "platform/gfx/load_prefetch.h"
#include "platform/gfx/mesh.h"
#include "platform/gfx/texture_file.h"
#include "render/loaders.h"
#include "render_test_support.h"
#include "support/temp_dir.h"

using namespace platform;

namespace {

PrefetchItem Picture(const char* name, std::uint32_t key) { return {PrefetchItem::Kind::kPicture, name, key}; }
PrefetchItem Mesh(const char* name) { return {PrefetchItem::Kind::kMesh, name, kNoColourKey}; }

void ExpectSameLevels(const std::vector<Image>& a, const std::vector<Image>& b, const std::string& what) {
    ASSERT_EQ(a.size(), b.size()) << what;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].width, b[i].width) << what << " level " << i;
        EXPECT_EQ(a[i].height, b[i].height) << what << " level " << i;
        EXPECT_TRUE(a[i].argb == b[i].argb) << what << " level " << i << " differs";
    }
}

class GameDataDir : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(KORVEX_DATA_DIR);
    }
    void TearDown() override { std::filesystem::current_path(previous_); }
    std::filesystem::path previous_;
};

TEST_F(GameDataDir, PrefetchedPicturesAndMeshesEqualTheLoadersOwn) {
    // Keys black, white and none, a picture under two keys, and one listed twice.
    const std::vector<PrefetchItem> items = {
        Picture("t\\title.png", kColourKeyBlack),
        Picture("t\\console.png", kColourKeyWhite),
        Mesh("x\\plu2c.x"),
        Picture("t\\console.png", kColourKeyBlack),
        Picture("t\\bullet.png", kNoColourKey),
        Picture("t\\space3.png", kColourKeyWhite),
        Picture("t\\console.png", kColourKeyBlack),
        Mesh("x\\enemy01.x"),
    };
    LoadPrefetch prefetch(items);
    std::set<const std::vector<Image>*> distinct;
    for (const PrefetchItem& item : items) {
        if (item.kind == PrefetchItem::Kind::kMesh) {
            MeshDataPtr mesh = prefetch.TakeMesh(item.gameName);
            ASSERT_NE(mesh, nullptr) << item.gameName;
            MeshData direct;
            ASSERT_TRUE(LoadXMesh(ResolveGamePath(item.gameName), &direct));
            EXPECT_EQ(mesh->vertices.size(), direct.vertices.size());
            EXPECT_TRUE(mesh->indices == direct.indices) << item.gameName;
            EXPECT_EQ(mesh->materials.size(), direct.materials.size());
            continue;
        }
        PictureLevels levels = prefetch.TakePicture(item.gameName, item.colourKey);
        ASSERT_NE(levels, nullptr) << item.gameName;
        distinct.insert(levels.get());
        std::vector<Image> direct;
        ASSERT_TRUE(LoadTextureLevels(item.gameName, item.colourKey, &direct, StartupPhase::kDecodeMain));
        ExpectSameLevels(*levels, direct, item.gameName);
    }
    EXPECT_EQ(distinct.size(), 5u) << "the picture listed twice is made once, under each key apart";
    EXPECT_EQ(prefetch.Misses(), 0);
    EXPECT_EQ(prefetch.Untaken(), 0);
}

TEST_F(GameDataDir, ItemsAreHandedOutAsOftenAsListedInAnyOrderThenMissed) {
    LoadPrefetch prefetch({Picture("t\\sight.png", kColourKeyBlack), Picture("t\\sight2.png", kColourKeyBlack),
                           Picture("t\\sight.png", kColourKeyBlack), Mesh("x\\ring.x")});
    // Out of order: the asking thread makes what the other has not reached.
    EXPECT_NE(prefetch.TakeMesh("x\\ring.x"), nullptr);
    EXPECT_NE(prefetch.TakePicture("t\\sight.png", kColourKeyBlack), nullptr);
    EXPECT_EQ(prefetch.Untaken(), 2);
    EXPECT_NE(prefetch.TakePicture("t\\sight.png", kColourKeyBlack), nullptr);
    EXPECT_EQ(prefetch.TakePicture("t\\sight.png", kColourKeyBlack), nullptr) << "listed twice, taken thrice";
    EXPECT_EQ(prefetch.TakePicture("t\\sight2.png", kColourKeyWhite), nullptr) << "another key is another load";
    EXPECT_EQ(prefetch.TakeMesh("t\\sight2.png"), nullptr) << "a picture is not a mesh";
    EXPECT_EQ(prefetch.Misses(), 3);
    EXPECT_EQ(prefetch.Untaken(), 1);
}

TEST_F(GameDataDir, HeldBytesCapKeepsTheThreadBackWithoutStallingTheLoads) {
    const std::vector<PrefetchItem> items = {
        Picture("t\\noise 1.png", kColourKeyBlack), Picture("t\\noise 2.png", kColourKeyBlack),
        Picture("t\\noise 3.png", kColourKeyBlack), Picture("t\\noise 4.png", kColourKeyBlack),
        Picture("t\\title.png", kColourKeyBlack)};
    LoadPrefetch prefetch(items, 1);
    for (const PrefetchItem& item : items) {
        // Slower than the thread, so that without the cap it would make every picture ahead.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_NE(prefetch.TakePicture(item.gameName, item.colourKey), nullptr) << item.gameName;
    }
    // Each 1024 x 1024 picture with its levels is about 5.3 MiB; all five would be 26.7 MiB.
    EXPECT_LE(prefetch.PeakHeldBytes(), std::size_t{11} << 20);
    EXPECT_EQ(prefetch.Untaken(), 0);
}

TEST_F(GameDataDir, SeveralThreadsMakeEachItemOnceAndHandOutTheLoadersOwn) {
    const std::vector<PrefetchItem> items = {
        Picture("t\\noise 1.png", kColourKeyBlack),
        Picture("t\\title.png", kColourKeyBlack),
        Mesh("x\\ring.x"),
        Picture("t\\sight.png", kColourKeyBlack),
        Picture("t\\noise 1.png", kColourKeyBlack),
        Picture("t\\moon.png", kColourKeyBlack),
        Mesh("x\\plu2c.x"),
    };
    LoadPrefetch prefetch(items, LoadPrefetch::kDefaultHeldBytes, 3);
    // Nothing is asked for until the threads have made everything, so every item is theirs.
    for (int i = 0; i < 2000 && prefetch.MadeByThread() < 6; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(prefetch.MadeByThread(), 6) << "six distinct items, each made by exactly one thread";
    for (const PrefetchItem& item : items) {
        if (item.kind == PrefetchItem::Kind::kMesh) {
            EXPECT_NE(prefetch.TakeMesh(item.gameName), nullptr) << item.gameName;
            continue;
        }
        PictureLevels levels = prefetch.TakePicture(item.gameName, item.colourKey);
        ASSERT_NE(levels, nullptr) << item.gameName;
        std::vector<Image> direct;
        ASSERT_TRUE(LoadTextureLevels(item.gameName, item.colourKey, &direct, StartupPhase::kDecodeMain));
        ExpectSameLevels(*levels, direct, item.gameName);
    }
    EXPECT_EQ(prefetch.Untaken(), 0);
    EXPECT_EQ(prefetch.Misses(), 0);
}

TEST_F(GameDataDir, RetiredHelpersLeaveTheRestToTheFirstThread) {
    const std::vector<PrefetchItem> items = {
        Picture("t\\stage 1.png", kColourKeyBlack), Picture("t\\stage 2.png", kColourKeyBlack),
        Picture("t\\stage 3.png", kColourKeyBlack), Picture("t\\rocket.png", kColourKeyBlack),
        Picture("t\\story.png", kColourKeyBlack),
    };
    LoadPrefetch prefetch(items, LoadPrefetch::kDefaultHeldBytes, 2);
    prefetch.RetireHelpers();
    // The one thread left still makes every item, with nobody asking.
    for (int i = 0; i < 2000 && prefetch.MadeByThread() < 5; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(prefetch.MadeByThread(), 5);
    for (const PrefetchItem& item : items) {
        EXPECT_NE(prefetch.TakePicture(item.gameName, item.colourKey), nullptr) << item.gameName;
    }
    EXPECT_EQ(prefetch.Untaken(), 0);
}

class PrefetchFailures : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        std::filesystem::create_directories(dir_.Path() / "t");
        std::filesystem::create_directories(dir_.Path() / "x");
        ASSERT_TRUE(SavePng((dir_.Path() / "t" / "good.png").string(), SolidImage(16, 16, 0xFF336699)));
        // A PNG signature and header start, then garbage: the decoder gives up on it.
        std::ofstream((dir_.Path() / "t" / "bad.png").string(), std::ios::binary)
            << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << std::string(200, 'z');
        std::ofstream((dir_.Path() / "x" / "bad.x").string()) << "xof 0303txt 0032\nMesh {";
    }
    TempWorkDir dir_;
};

TEST_F(PrefetchFailures, MissingAndCorruptFilesFailInTheLoaderAsWithoutThePrefetch) {
    const char* pictures[] = {"t\\bad.png", "t\\missing.png", "t\\good.png"};
    const char* meshes[] = {"x\\bad.x", "x\\missing.x"};
    std::vector<bool> without;
    for (const char* p : pictures) {
        TexturePtr t;
        without.push_back(TextureLoad(p, &t, drawable_));
    }
    for (const char* m : meshes) {
        MeshResource r;
        without.push_back(MeshLoad(m, &r, drawable_, 1.0f));
    }
    ASSERT_EQ(without, (std::vector<bool>{false, false, true, false, false}));

    LoadPrefetch prefetch({Picture("t\\bad.png", kColourKeyBlack), Picture("t\\missing.png", kColourKeyBlack),
                           Mesh("x\\bad.x"), Picture("t\\good.png", kColourKeyBlack), Mesh("x\\missing.x")});
    SetActiveLoadPrefetch(&prefetch);
    std::vector<bool> with;
    for (const char* p : pictures) {
        TexturePtr t;
        with.push_back(TextureLoad(p, &t, drawable_));
        EXPECT_EQ(with.back(), t != nullptr) << p;
    }
    for (const char* m : meshes) {
        MeshResource r;
        with.push_back(MeshLoad(m, &r, drawable_, 1.0f));
    }
    SetActiveLoadPrefetch(nullptr);
    EXPECT_EQ(with, without);
    EXPECT_EQ(prefetch.Misses(), 0) << "every load asked the prefetch first";
    EXPECT_EQ(prefetch.Untaken(), 0);
}

TEST_F(PrefetchFailures, PrefetchedTextureDrawsAsTheDirectOne) {
    Image picture = SolidImage(64, 64, 0);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            picture.argb[static_cast<std::size_t>(y) * 64 + x] =
                0xFF000000u | static_cast<std::uint32_t>(x * 4) << 16 | static_cast<std::uint32_t>(y * 4) << 8 | 0x40;
        }
    }
    ASSERT_TRUE(SavePng((dir_.Path() / "t" / "ramp.png").string(), picture));
    auto draw = [&](Texture* texture) {
        BeginFrame(0xFF000000);
        sprite_->Begin(0);
        Matrix identity;
        sprite_->SetTransform(&identity);
        EXPECT_EQ(S_OK, sprite_->Draw(texture, nullptr, nullptr, nullptr, 0xFFFFFFFF));
        sprite_->End();
        EndFrame();
        return Frame();
    };
    TexturePtr direct;
    ASSERT_TRUE(TextureLoadPlain("t\\ramp.png", &direct, drawable_));
    const Image expected = draw(direct.get());
    LoadPrefetch prefetch({Picture("t\\ramp.png", kNoColourKey)});
    SetActiveLoadPrefetch(&prefetch);
    TexturePtr viaPrefetch;
    const bool loaded = TextureLoadPlain("t\\ramp.png", &viaPrefetch, drawable_);
    SetActiveLoadPrefetch(nullptr);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(prefetch.Untaken(), 0);
    const Image actual = draw(viaPrefetch.get());
    EXPECT_TRUE(actual.argb == expected.argb);
    for (int y = 0; y < 64; y += 9) {
        for (int x = 0; x < 64; x += 7) EXPECT_EQ(actual.At(x, y), picture.At(x, y)) << x << "," << y;
    }
}

// Every level of a chain uploaded with its range set first is there to sample: level 0 at 1:1, and a
// smaller level when the square is drawn far away.
TEST_F(DeviceTest, EveryUploadedLevelIsSampledAsUploaded) {
    const std::uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF,
                                     0xFFFF00FF, 0xFF808080, 0xFFFFFFFF, 0xFF404040};
    std::vector<Image> levels;
    for (int i = 0, size = 256; size >= 1; ++i, size /= 2) levels.push_back(SolidImage(size, size, colours[i]));
    TexturePtr texture;
    ASSERT_EQ(S_OK, device_->CreateTexture(levels, &texture));
    EXPECT_EQ(texture->LevelCount(), 9u);

    SetCamera();
    device_->SetRenderState(D3DRS_LIGHTING, 0);
    device_->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
    device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    device_->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
    device_->SetTexture(0, texture.get());
    MeshPtr near = MakeSquare(0, 0, 2, 0.8f);
    MeshPtr far = MakeSquare(0, 0, 60, 0.8f);

    BeginFrame();
    ASSERT_EQ(S_OK, near->DrawSubset(0));
    EndFrame();
    EXPECT_TRUE(ColourNear(Pixel(400, 300), 255, 0, 0, 0)) << std::hex << Pixel(400, 300);

    BeginFrame();
    ASSERT_EQ(S_OK, far->DrawSubset(0));
    EndFrame();
    // About 19 pixels for 256 texels: level 3 or 4 by the rounding of the level of detail.
    const std::uint32_t sampled = Pixel(400, 300) | 0xFF000000u;
    EXPECT_TRUE(sampled == colours[3] || sampled == colours[4]) << std::hex << sampled;
}

}  // namespace
