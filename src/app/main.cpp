// The entry function: start-up in a fixed order, the frame loop, and shut-down in reverse.

#include <cstdio>
#include <memory>

#include "app/command_line.h"
#include "app/log.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/registry.h"
#include "audio/music.h"
#include "audio/sound_bank.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/random.h"
#include "platform/core/window.h"
#include "render/render_framework.h"
#include "scenes/game_app.h"

int main(int argc, char** argv) {
    const CommandLine commandLine = ParseCommandLine(argc, argv);
    // From here on logging out, a kill or Ctrl-C closes the game as its window's close button does,
    // through the shut-down below, so the high score and the log are written; a signal during loading
    // is taken by the loop's first pass.
    platform::QuitOnTerminationSignals();
    platform::Srand(static_cast<std::uint32_t>(platform::WallClockSeconds()));

    if (!platform::InitVideo()) {
        std::fprintf(stderr, "korvex: no video driver could be started\n");
        return 1;
    }
    MainWindowHandle = platform::CreateMainWindow("KorvexSample", 800, 600, !commandLine.windowed);
    if (!MainWindowHandle) {
        std::fprintf(stderr, "korvex: the window could not be created\n");
        return 1;
    }

    auto framework = std::make_unique<RenderFramework>();
    if (platform::FAILED(framework->CreateDevice(MainWindowHandle, true, 800, 600))) {
        std::fprintf(stderr, "korvex: no drawing device could be made\n");
        framework.reset();
        platform::ReleaseWindow(MainWindowHandle);
        return 1;
    }
    auto game = std::make_unique<GameApp>();
    game->SetStartStage(commandLine.startStage);
    MainLoop loop;
    framework->InitInput(MainWindowHandle);
    if (platform::FAILED(game->Load(framework->Device(), framework->Sprite(), MainWindowHandle))) {
        std::fprintf(stderr, "korvex: the game could not be loaded\n");
        game.reset();
        framework.reset();
        platform::ReleaseWindow(MainWindowHandle);
        return 1;
    }

    LogSetFile("Log.txt");
    LogOpen();
    LogWrite("＞起動ログ\n");
    GameSoundBank.Init(MainWindowHandle);
    MusicStartup(-2);
    MusicPlayTrack(4);
    StartStageClock();
    platform::ShowCursor(false);

    LoopPorts ports;
    ports.pumpMessages = [](int* code) { return platform::PumpMessages(code); };
    ports.minimisedOrHidden = [] { return platform::IsWindowMinimisedOrHidden(MainWindowHandle); };
    ports.runFrame = [&](std::int32_t fps) { framework->RunFrame(game.get(), fps); };
    const int exitCode = loop.Run(ports);

    MusicShutdown();
    LogClose();
    game.reset();
    framework.reset();
    platform::ReleaseWindow(MainWindowHandle);
    MainWindowHandle = nullptr;
    platform::ShutdownVideo();
    return exitCode;
}
