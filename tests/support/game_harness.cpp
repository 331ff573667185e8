#include "support/game_harness.h"

#include <algorithm>
#include <filesystem>

#include "core/registry.h"
#include "platform/core/events.h"
#include "platform/core/message_box.h"
#include "platform/gfx/device.h"
#include "platform/input/input_injection.h"

namespace {

// The game data in the working folder: the read-only folders linked, the files the game may write copied.
void ProvideGameData(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    const fs::path data(KORVEX_DATA_DIR);
    for (const char* linked : {"t", "x", "m", "w"}) fs::create_directory_symlink(data / linked, folder / linked);
    for (const char* copied : {"KeyConfig.txt", "score.txt"}) fs::copy_file(data / copied, folder / copied);
}

}  // namespace

GameHarness::~GameHarness() { Stop(); }

std::string GameHarness::Start(const Options& options) {
    started_ = true;
    joystick_ = options.joystick;
    ResetRegistry();
    workDir = std::make_unique<TempWorkDir>();
    ProvideGameData(workDir->Path());
    platform::SetMessageBoxHook([this](const std::string& text, const std::string&) { messages.push_back(text); });
    InstallSceneAudio(&audio);
    if (!platform::InitVideo()) return "no video driver";
    window = platform::CreateMainWindow("KorvexSample", 800, 600, false);
    if (!window) return "no window";
    platform::SetSystemJoysticksVisible(false);
    if (joystick_) {
        platform::SetSyntheticJoystickState({});
        platform::AttachSyntheticJoystick();
    }
    platform::ReleaseAllKeys();
    framework = std::make_unique<RenderFramework>();
    if (!platform::SUCCEEDED(framework->CreateDevice(window, true, 800, 600))) return "no device";
    framework->SetDrawing(options.draw);
    game = std::make_unique<GameApp>();
    game->SetStartStage(options.startStage);
    framework->InitInput(window);
    if (!platform::SUCCEEDED(game->Load(framework->Device(), framework->Sprite(), window, clock.Ticks()))) return "no game";
    if (!messages.empty()) return "a file of the game data failed to load: " + messages.front();
    StartStageClock(clock.Ticks());
    int code = 0;
    while (platform::PumpMessages(&code)) {
    }
    return {};
}

void GameHarness::Stop() {
    if (!started_) return;
    started_ = false;
    platform::ReleaseAllKeys();
    game.reset();
    framework.reset();
    platform::ReleaseWindow(window);
    window = nullptr;
    if (joystick_) {
        platform::DetachSyntheticJoystick();
        platform::SetSyntheticJoystickState({});
    }
    InstallSceneAudio(nullptr);
    platform::SetMessageBoxHook({});
    workDir.reset();
    ResetRegistry();
}

void GameHarness::Frame(const std::vector<int>& keys) {
    for (int k : keys) platform::InjectKey(k, true);
    framework->RunFrame(game.get(), clock.Ticks(), 30);
    for (int k : keys) platform::InjectKey(k, false);
    clock.Advance(kFrameMs);
}
