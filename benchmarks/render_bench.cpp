// Drawing at 800 x 600, headless: one frame of 200 lit meshes of 500 triangles and 100 sprites, from the
// clear to the present; and loading a 1024 x 1024 picture into a texture with its mip chain.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "platform/core/random.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "platform/gfx/mesh.h"
#include "platform/gfx/sprite.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/texture_file.h"

using namespace platform;

namespace {

struct Scene {
    WindowHandle window = nullptr;
    std::unique_ptr<Device> device;
    std::unique_ptr<Sprite> sprite;
};

Scene& TheScene() {
    static Scene scene = [] {
        Scene s;
        InitVideo();
        s.window = CreateMainWindow("korvex render benchmark", 800, 600, false);
        PresentParameters pp;
        pp.backBufferWidth = 800;
        pp.backBufferHeight = 600;
        pp.windowed = false;
        if (s.window) s.device = Device::Create(s.window, pp);
        if (s.device) CreateSprite(s.device.get(), &s.sprite);
        return s;
    }();
    return scene;
}

// A bumpy disc of 500 triangles: 100 segments, 3 rings (one fan of 100, two bands of 200).
MeshData Disc() {
    MeshData data;
    const int segments = 100, rings = 3;
    MeshVertex centre;
    centre.normal = Vector3{0, 0, -1};
    data.vertices.push_back(centre);
    for (int r = 1; r <= rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            const float a = 2.0f * std::numbers::pi_v<float> * static_cast<float>(s) / segments;
            MeshVertex v;
            v.position = Vector3{std::cos(a) * r * 0.2f, std::sin(a) * r * 0.2f, 0.05f * static_cast<float>(r % 2)};
            const Vector3 n{std::cos(a) * 0.3f, std::sin(a) * 0.3f, -1.0f};
            Vec3Normalize(&v.normal, &n);
            v.u = 0.5f + std::cos(a) * 0.5f * r / rings;
            v.v = 0.5f + std::sin(a) * 0.5f * r / rings;
            data.vertices.push_back(v);
        }
    }
    auto ring = [&](int r, int s) { return static_cast<std::uint32_t>(1 + (r - 1) * segments + s % segments); };
    for (int s = 0; s < segments; ++s) data.indices.insert(data.indices.end(), {0, ring(1, s + 1), ring(1, s)});
    for (int r = 1; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            data.indices.insert(data.indices.end(), {ring(r, s), ring(r, s + 1), ring(r + 1, s + 1)});
            data.indices.insert(data.indices.end(), {ring(r, s), ring(r + 1, s + 1), ring(r + 1, s)});
        }
    }
    data.subsets = {MeshSubset{0, static_cast<std::uint32_t>(data.indices.size())}};
    data.materials.resize(1);
    data.hasNormals = data.hasTextureCoords = true;
    return data;
}

Image Noise(int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.argb.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t n = static_cast<std::uint32_t>(Rand()) & 0x3F;
            image.argb[static_cast<std::size_t>(y) * width + x] =
                0xFF000000u | ((x / 4 + n) & 0xFF) << 16 | ((y / 4 + n) & 0xFF) << 8 | ((x ^ y) & 0xFF);
        }
    }
    return image;
}

void BM_FrameOfLitMeshesAndSprites(benchmark::State& state) {
    Scene& scene = TheScene();
    if (!scene.device) {
        state.SkipWithError("no device");
        return;
    }
    Device* d = scene.device.get();
    MeshData disc = Disc();
    std::vector<MeshPtr> meshes(200);
    for (MeshPtr& m : meshes) d->CreateMesh(disc, &m);
    TexturePtr texture, picture;
    d->CreateTexture(BuildMipChain(Noise(64, 64)), &texture);
    d->CreateTexture(BuildMipChain(Noise(64, 64)), &picture);

    // The game's fixed states, camera and light.
    Matrix view, projection;
    const Vector3 eye{0, 4, 0}, at{0, 0, 20}, up{0, 1, 0};
    MatrixLookAtLH(&view, &eye, &at, &up);
    MatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 4, 800.0f / 600.0f, 1.0f, 1000.0f);
    d->SetTransform(D3DTS_VIEW, &view);
    d->SetTransform(D3DTS_PROJECTION, &projection);
    d->SetRenderState(D3DRS_ZENABLE, 1);
    d->SetRenderState(D3DRS_NORMALIZENORMALS, 1);
    d->SetRenderState(D3DRS_AMBIENT, 0x00808080);
    d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    Light light;
    light.diffuse = ColorValue{1, 1, 1, 0};
    const Vector3 dir{-0.5f, -0.5f, 1.0f};
    Vec3Normalize(&light.direction, &dir);
    d->SetLight(0, &light);
    d->LightEnable(0, true);

    std::vector<Matrix> worlds(meshes.size());
    for (std::size_t i = 0; i < worlds.size(); ++i) {
        Matrix rotation, translation;
        MatrixRotationYawPitchRoll(&rotation, 0.1f * static_cast<float>(i), 0.3f, 0.0f);
        MatrixTranslation(&translation, static_cast<float>(i % 20) - 10.0f, static_cast<float>(i / 20) * 0.8f - 4.0f,
                          20.0f + static_cast<float>(i % 7));
        MatrixMultiply(&worlds[i], &rotation, &translation);
    }
    for (auto _ : state) {
        d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000, 1.0f, 0);
        d->BeginScene();
        d->SetTexture(0, texture.get());
        for (std::size_t i = 0; i < meshes.size(); ++i) {
            Material m;
            m.diffuse = ColorValue{0.3f + 0.003f * static_cast<float>(i), 0.6f, 0.9f, 1.0f};
            m.ambient = m.diffuse;
            d->SetMaterial(&m);
            d->SetTransform(D3DTS_WORLD, &worlds[i]);
            meshes[i]->DrawSubset(0);
        }
        scene.sprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
        for (int i = 0; i < 100; ++i) {
            Matrix m;
            const Vector2 scaling{1, 1}, position{static_cast<float>((i % 10) * 80), static_cast<float>((i / 10) * 60)};
            MatrixTransformation2D(&m, &scaling, &position);
            scene.sprite->SetTransform(&m);
            scene.sprite->Draw(picture.get(), nullptr, nullptr, nullptr, 0xC0FFFFFF);
        }
        scene.sprite->End();
        d->EndScene();
        d->Present();
        d->Finish();
    }
    state.counters["triangles_per_frame"] = static_cast<double>(meshes.size() * disc.indices.size() / 3);
}
BENCHMARK(BM_FrameOfLitMeshesAndSprites)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_LoadPicture1024WithMips(benchmark::State& state) {
    Scene& scene = TheScene();
    if (!scene.device) {
        state.SkipWithError("no device");
        return;
    }
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "korvex-render-bench";
    std::filesystem::create_directories(dir / "t");
    const std::string file = (dir / "t" / "picture.png").string();
    SavePng(file, Noise(1024, 1024));
    const std::string gameName = (dir / "t").string() + "\\picture.png";
    for (auto _ : state) {
        TexturePtr texture;
        if (FAILED(CreateTextureFromFileEx(scene.device.get(), gameName, kColourKeyBlack, &texture))) {
            state.SkipWithError("load failed");
            break;
        }
        scene.device->Finish();
    }
    state.counters["png_bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_LoadPicture1024WithMips)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
