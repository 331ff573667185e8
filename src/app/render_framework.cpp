#include "app/render_framework.h"

#include "core/registry.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/gfx/screenshot.h"

RenderFramework::RenderFramework() = default;

RenderFramework::~RenderFramework() {
    sprite_.reset();
    device_.reset();
    // The joystick, then the keyboard, go with the members.
}

platform::HRESULT RenderFramework::CreateDevice(platform::WindowHandle window, bool fullScreen, int width, int height) {
    presentParameters_ = platform::PresentParameters{};
    presentParameters_.backBufferCount = 1;
    presentParameters_.enableAutoDepthStencil = true;
    presentParameters_.windowed = !fullScreen;
    if (fullScreen) {
        presentParameters_.backBufferWidth = width > 0 ? static_cast<unsigned>(width) : 0;
        presentParameters_.backBufferHeight = height > 0 ? static_cast<unsigned>(height) : 0;
    }
    device_ = platform::Device::Create(window, presentParameters_);
    if (!device_) {
        platform::MessageBox(window, "DirectXの初期化に失敗しました", "メッセージ");
        return platform::E_FAIL;
    }
    platform::CreateSprite(device_.get(), &sprite_);
    return platform::S_OK;
}

void RenderFramework::InitInput(platform::WindowHandle window) {
    const int kind = joystick_.Init(window);
    SetInputDeviceKind(kind);
    // Opened beside a pad too: the game reads only the pad, but the menus over the still game answer
    // the keyboard's keys as well.
    keyboard_.Init(window);
}

void RenderFramework::InitReplayInput(std::int32_t deviceKind, const KeyConfig& padButtons) {
    SetInputDeviceKind(deviceKind);
    joystick_.SetButtonNumbers(padButtons);
}

void RenderFramework::SampleTappedInput(std::uint32_t now) {
    RawInput raw;
    const std::int32_t kind = GetInputDeviceKind();
    // Read whether or not the gate lets the frame use it: the journal must not depend on the gate.
    if (inputTap_->ReadsDevices()) {
        if (kind == 0) {
            keyboard_.Read(raw.keys);
        } else if (kind == 1) {
            raw.padRead = joystick_.Read(&raw.pad);
        }
    }
    inputTap_->Frame(kind, &raw);
    ClearInputState();
    if (!IsCameraCutInActive() && kind == 0 && InputGateExpired(now)) {
        keyboard_.Apply(raw.keys, InputStateStorage());
    } else if (!IsCameraCutInActive() && kind == 1 && InputGateExpired(now)) {
        joystick_.Apply(raw.padRead, raw.pad, InputStateStorage());
    }
}

void RenderFramework::SampleInput(std::uint32_t now) {
    if (inputTap_) {
        SampleTappedInput(now);
        return;
    }
    ClearInputState();
    // The gate is tested only once the cut-in lock and the device kind let the test reach it: testing
    // it records the tick.
    if (!IsCameraCutInActive() && GetInputDeviceKind() == 0 && InputGateExpired(now)) {
        keyboard_.Poll(InputStateStorage());
    } else if (!IsCameraCutInActive() && GetInputDeviceKind() == 1 && InputGateExpired(now)) {
        joystick_.Poll(InputStateStorage());
    }
}

SceneList RenderFramework::StepScenes(SceneFrames* game, std::uint32_t now, std::int32_t fps) {
    SceneList ran;
    // Each step gets a copy of the snapshot taken at its call, so a step that clears the stored input
    // (leaving game over) takes it away from those that follow in the same frame.
    auto step = [&](Scene scene) {
        const Frame frame{now, fps, GetInputState()};
        ran.Add(scene, frame);
        game->StepScene(scene, frame);
    };
    if (IsSceneFlag(SceneFlag::kGameOver)) {
        step(Scene::kGameOver);
    } else if (IsSceneFlag(SceneFlag::kGameClear)) {
        step(Scene::kStageClear);
    }
    if (IsSceneFlag(SceneFlag::kGame)) {
        step(Scene::kGame);
    } else if (IsSceneFlag(SceneFlag::kTitle)) {
        step(Scene::kTitle);
    } else if (IsSceneFlag(SceneFlag::kStageTitle)) {
        step(Scene::kStageTitle);
    } else if (IsSceneFlag(SceneFlag::kStory)) {
        step(Scene::kStory);
    } else if (IsSceneFlag(SceneFlag::kStaff)) {
        step(Scene::kStaff);
    }
    step(Scene::kShutter);
    return ran;
}

bool RenderFramework::ClearBackBuffer() {
    return platform::SUCCEEDED(device_->Clear(
        0, nullptr, platform::D3DCLEAR_TARGET | platform::D3DCLEAR_ZBUFFER | platform::D3DCLEAR_STENCIL, 0xFF000000u,
        1.0f, 0));
}

void RenderFramework::RunFrame(SceneFrames* game, std::uint32_t now, std::int32_t fps) {
    if (!game) return;
    const bool draw = drawing_ && device_;
    // A device that cannot even clear runs no frame, as it always has; without drawing nothing is asked of it.
    if (draw && !ClearBackBuffer()) return;
    SampleInput(now);
    const SceneList ran = StepScenes(game, now, fps);
    if (!draw) return;
    if (platform::SUCCEEDED(device_->BeginScene())) {
        for (const SteppedScene& s : ran.Scenes()) game->DrawScene(s.scene, device_.get(), sprite_.get(), s.frame);
        device_->EndScene();
    }
    if (fingerprints_) Fingerprint();
    if (captureNext_) Capture();
    PresentFrame(game);
}

void RenderFramework::Fingerprint() {
    platform::Image picture;
    std::uint64_t hash = 0xcbf29ce484222325ull;
    if (platform::SUCCEEDED(device_->GetBackBufferImage(&picture))) {
        for (const std::uint32_t pixel : picture.argb) {
            hash = (hash ^ pixel) * 0x100000001b3ull;
        }
    }
    fingerprints_(hash);
}

void RenderFramework::Capture() {
    captureNext_ = false;
    platform::Image picture;
    std::unique_ptr<platform::Texture> texture;
    if (platform::SUCCEEDED(device_->GetBackBufferImage(&picture)) &&
        platform::SUCCEEDED(device_->CreateTexture({picture}, &texture))) {
        captured_ = std::move(texture);
    } else {
        captured_.reset();
    }
}

void RenderFramework::PresentFrame(SceneFrames* game) {
    if (platform::ConsumeScreenshotRequest()) {
        platform::SaveScreenshot(device_.get(), platform::ScreenshotFileName());
    }
    if (platform::FAILED(device_->Present()) && platform::SUCCEEDED(device_->Reset(presentParameters_)) && game) {
        game->DeviceRestored(device_.get());
    }
}

void RenderFramework::RunStillFrame(SceneFrames* game, const std::function<void(platform::Device*, platform::Sprite*)>& draw) {
    if (!device_) return;
    if (!ClearBackBuffer()) return;
    if (platform::SUCCEEDED(device_->BeginScene())) {
        if (draw) draw(device_.get(), sprite_.get());
        device_->EndScene();
    }
    PresentFrame(game);
}

InputState RenderFramework::HeldControls() {
    InputState held = keyboard_.MenuHeldNow();
    if (GetInputDeviceKind() == 0) return held;
    platform::JoystickState pad;
    const bool read = joystick_.Read(&pad);
    const InputState padHeld = joystick_.Held(read, pad);
    for (std::int32_t InputState::*field : {&InputState::up, &InputState::down, &InputState::left, &InputState::right,
                                             &InputState::button1, &InputState::button2, &InputState::button3}) {
        if (padHeld.*field != 0) held.*field = padHeld.*field;
    }
    return held;
}
