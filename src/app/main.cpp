// The entry function: start-up in a fixed order, the frame loop, and shut-down in reverse.

#include <cstdio>
#include <memory>

#include "app/command_line.h"
#include "app/log.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/registry.h"
#include "app/replay_session.h"
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
    ReplaySession session(commandLine);
    if (!session.Open()) return 2;
    // From here on logging out, a kill or Ctrl-C closes the game as its window's close button does,
    // through the shut-down below, so the high score and the log are written; a signal during loading
    // is taken by the loop's first pass.
    platform::QuitOnTerminationSignals();
    platform::Srand(session.Seed(static_cast<std::uint32_t>(platform::WallClockSeconds())));

    if (!platform::InitVideo()) {
        std::fprintf(stderr, "korvex: no video driver could be started\n");
        return 0;
    }
    MainWindowHandle = platform::CreateMainWindow("KorvexSample", 800, 600, !commandLine.windowed);
    if (!MainWindowHandle) {
        std::fprintf(stderr, "korvex: the window could not be created\n");
        return 0;
    }

    auto framework = std::make_unique<RenderFramework>();
    if (platform::FAILED(framework->CreateDevice(MainWindowHandle, true, 800, 600))) {
        framework.reset();
        platform::ReleaseWindow(MainWindowHandle);
        return 0;
    }
    auto game = std::make_unique<GameApp>();
    game->SetStartStage(session.StartStage(commandLine.startStage));
    MainLoop loop;
    session.InitInput(*framework, MainWindowHandle);
    session.BeginStartUp();
    if (platform::FAILED(game->Load(framework->Device(), framework->Sprite(), MainWindowHandle))) {
        game.reset();
        framework.reset();
        platform::ReleaseWindow(MainWindowHandle);
        return 0;
    }

    LogSetFile("Log.txt");
    LogOpen();
    LogWrite("＞起動ログ\n");
    if (!session.Fast()) {
        GameSoundBank.Init(MainWindowHandle);
        MusicStartup(-2);
    }
    MusicPlayTrack(4);
    StartStageClock();
    session.EndStartUp();
    platform::ShowCursor(false);

    LoopPorts ports;
    ports.pumpMessages = [](int* code) { return platform::PumpMessages(code); };
    ports.minimisedOrHidden = [] { return platform::IsWindowMinimisedOrHidden(MainWindowHandle); };
    ports.runFrame = [&](std::int32_t fps) { session.RunFrame(*framework, game.get(), fps); };
    const int exitCode = session.Finish(*game, session.Run(loop, ports));

    MusicShutdown();
    LogClose();
    game.reset();
    framework.reset();
    platform::ReleaseWindow(MainWindowHandle);
    MainWindowHandle = nullptr;
    platform::ShutdownVideo();
    return exitCode;
}
