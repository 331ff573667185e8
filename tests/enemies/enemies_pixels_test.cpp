// The enemies drawn through a real device with the game's meshes, under the game's default camera.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/registry.h"
#include "enemies/enemy_manager.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "platform/gfx/math.h"
#include "platform/gfx/sprite.h"
#include "scenes/scene_audio.h"

using namespace platform;

namespace {

int Brightness(std::uint32_t c) { return static_cast<int>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)); }

class QuietAudio : public SceneAudio {
public:
    void PlayTrack(std::int32_t) override {}
    void FadeOut(std::int32_t) override {}
    void PlaySound(std::int32_t) override {}
};

class EnemiesPixelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        InstallSceneAudio(&audio_);
        previousDir_ = std::filesystem::current_path();
        std::filesystem::current_path(KORVEX_DATA_DIR);
        SetMessageBoxHook([this](const std::string& text, const std::string&) { messages_.push_back(text); });
        ASSERT_TRUE(InitVideo());
        window_ = CreateMainWindow("korvex enemies", 800, 600, false);
        ASSERT_NE(nullptr, window_);
        PresentParameters pp;
        pp.backBufferWidth = 800;
        pp.backBufferHeight = 600;
        pp.windowed = false;
        device_ = Device::Create(window_, pp);
        ASSERT_NE(nullptr, device_);
        ASSERT_EQ(S_OK, CreateSprite(device_.get(), &sprite_));
        SetGameView();
    }
    void TearDown() override {
        sprite_.reset();
        device_.reset();
        MainWindowHandle = nullptr;
        ReleaseWindow(window_);
        int code = 0;
        while (PumpMessages(&code)) {
        }
        SetMessageBoxHook({});
        std::filesystem::current_path(previousDir_);
        InstallSceneAudio(nullptr);
        ResetRegistry();
    }

    // The game's camera before any move, its light and its fixed states.
    void SetGameView() {
        Matrix view, projection;
        const Vector3 eye{0, 4, 0}, at{0, 0, 20}, up{0, 1, 0};
        MatrixLookAtLH(&view, &eye, &at, &up);
        MatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 4, 4.0f / 3.0f, 1.0f, 1000.0f);
        device_->SetTransform(D3DTS_VIEW, &view);
        device_->SetTransform(D3DTS_PROJECTION, &projection);
        device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
        device_->SetRenderState(D3DRS_ZENABLE, 1);
        device_->SetRenderState(D3DRS_NORMALIZENORMALS, 1);
        device_->SetRenderState(D3DRS_LIGHTING, 1);
        device_->SetRenderState(D3DRS_AMBIENT, 0x00808080u);
        Light light;
        light.type = D3DLIGHT_DIRECTIONAL;
        light.diffuse = ColorValue{1.0f, 1.0f, 1.0f, 0.0f};
        light.direction = Vector3{-0.408f, -0.408f, 0.816f};
        device_->SetLight(0, &light);
        device_->LightEnable(0, 1);
    }
    Image DrawFrame() {
        EXPECT_EQ(S_OK, device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000u,
                                       1.0f, 0));
        EXPECT_EQ(S_OK, device_->BeginScene());
        manager_.Update();
        EXPECT_EQ(S_OK, device_->EndScene());
        Image frame;
        EXPECT_EQ(S_OK, device_->GetBackBufferImage(&frame));
        clock_.Advance(33);
        return frame;
    }
    // Pixels brighter than black within r of the screen point of (x, y, z).
    int LitAround(const Image& frame, double x, double y, double z, int r) {
        Matrix view, projection, world;
        Viewport viewport;
        device_->GetTransform(D3DTS_VIEW, &view);
        device_->GetTransform(D3DTS_PROJECTION, &projection);
        device_->GetViewport(&viewport);
        const Vector3 in{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
        Vector3 out;
        Vec3Project(&out, &in, &viewport, &projection, &view, &world);
        const int cx = static_cast<int>(out.x), cy = static_cast<int>(out.y);
        int lit = 0;
        for (int py = std::max(0, cy - r); py <= std::min(frame.height - 1, cy + r); ++py) {
            for (int px = std::max(0, cx - r); px <= std::min(frame.width - 1, cx + r); ++px) {
                lit += Brightness(frame.At(px, py)) > 30 ? 1 : 0;
            }
        }
        return lit;
    }
    static int LitTotal(const Image& frame) {
        int lit = 0;
        for (std::uint32_t c : frame.argb) lit += Brightness(c) > 30 ? 1 : 0;
        return lit;
    }

    ManualClock clock_{50000};
    ScopedClock scoped_{clock_};
    QuietAudio audio_;
    std::filesystem::path previousDir_;
    std::vector<std::string> messages_;
    WindowHandle window_ = nullptr;
    std::unique_ptr<Device> device_;
    std::unique_ptr<Sprite> sprite_;
    EnemyManager manager_;
};

TEST_F(EnemiesPixelTest, AnEnemyAndItsShotDrawWhereTheirRecordsStandAndNothingElse) {
    manager_.SetTimetable([](EnemyTimetableSink& t) {
        EnemyEntry e;
        e.enemyClass = EnemyClass::k04;
        e.x = 6.0;
        e.z = 60.0;
        t.AddEntry(e);
        t.Order(EnemyClass::k04, 0, 6.0, 0.0, -10.0, 16000);
    });
    manager_.Bind(device_.get(), sprite_.get(), window_);
    ASSERT_TRUE(manager_.Load());
    ASSERT_TRUE(messages_.empty()) << messages_.front();
    SetStage(1);
    StartStageClock();
    manager_.ResetForNewGame();

    // Appears at the end of its first frame, so that frame draws nothing.
    EXPECT_EQ(0, LitTotal(DrawFrame()));
    const Image frame = DrawFrame();
    const EnemyRecord& enemy = manager_.Records(EnemyClass::k04)[0];
    ASSERT_EQ(1, enemy.active);
    EXPECT_GT(LitAround(frame, enemy.x, enemy.y, enemy.z, 12), 20);
    // Its shot left with it and has moved off a little way.
    Image later;
    for (int i = 0; i < 10; ++i) later = DrawFrame();
    const EnemyShotRecord& shot = manager_.ShotRecords()[0];
    ASSERT_EQ(1, shot.active);
    EXPECT_GT(LitAround(later, shot.x, shot.y, shot.z, 6), 3);
    // Both stand right of the centre line: the left third of the screen stays dark.
    int litLeft = 0;
    for (int py = 0; py < later.height; ++py) {
        for (int px = 0; px < later.width / 3; ++px) litLeft += Brightness(later.At(px, py)) > 30 ? 1 : 0;
    }
    EXPECT_EQ(0, litLeft);
}

}  // namespace
