// The entry function: start-up in a fixed order, the frame loop, and shut-down in reverse.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "core/command_line.h"
#include "core/log.h"
#include "app/game_pause.h"
#include "app/main_loop.h"
#include "core/main_window.h"
#include "core/registry.h"
#include "app/replay_session.h"
#include "core/settings.h"
#include "audio/music.h"
#include "audio/sound_bank.h"
#include "audio/volume.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/heap_settings.h"
#include "platform/core/random.h"
#include "platform/core/startup_times.h"
#include "platform/core/window.h"
#include "platform/gfx/load_prefetch.h"
#include "app/render_framework.h"
#include "scenes/game_app.h"
#include "scenes/game_loads.h"

namespace {

// Readers while the window opens; one stays on through the loading.
constexpr int kPrefetchThreads = 2;

// The pictures and meshes are read on a second core while this one opens the window and uploads; a
// second reader uses what this thread leaves idle while it waits for the window.
// KORVEX_PREFETCH=0 loads everything on this thread and KORVEX_PREFETCH=1 keeps to one reader, for comparison.
std::unique_ptr<platform::LoadPrefetch> StartLoadPrefetch() {
    const char* setting = std::getenv("KORVEX_PREFETCH");
    if (setting && std::strcmp(setting, "0") == 0) return nullptr;
    const bool oneReader = setting && std::strcmp(setting, "1") == 0;
    auto prefetch = std::make_unique<platform::LoadPrefetch>(GameLoads(), platform::LoadPrefetch::kDefaultHeldBytes,
                                                             oneReader ? 1 : kPrefetchThreads);
    platform::SetActiveLoadPrefetch(prefetch.get());
    return prefetch;
}

void ReportLoadPrefetch(const platform::LoadPrefetch* prefetch) {
    if (!prefetch || !platform::StartupTimesWanted()) return;
    std::fprintf(stderr,
                 "korvex: prefetch: %d loads not listed, %d listed not loaded, %d made by its thread, "
                 "%.1f MiB held at most\n",
                 prefetch->Misses(), prefetch->Untaken(), prefetch->MadeByThread(),
                 static_cast<double>(prefetch->PeakHeldBytes()) / (1024.0 * 1024.0));
}

// What of the settings the player can change while playing, as it stands now.
SettingsState CurrentSettingsState() {
    SettingsState state;
    state.musicVolume = MusicVolume();
    state.effectsVolume = EffectsVolume();
    state.fullScreen = platform::IsFullScreen(MainWindowHandle);
    platform::GetWindowedSize(MainWindowHandle, &state.windowWidth, &state.windowHeight);
    return state;
}

void LogPresentation(bool onRefresh, int refreshHz, bool wanted) {
    if (onRefresh) {
        LogWrite("Frames are presented on the display's refresh (%d Hz)\n", refreshHz);
    } else {
        LogWrite("Frames are presented at once (display refresh %d Hz, vsync %s)\n", refreshHz, wanted ? "on" : "off");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t mainEntry = platform::StartupNowMicros();
    platform::ReturnLargeBlocksToTheSystem();
    CommandLine commandLine = ParseCommandLine(argc, argv);
    if (const int answered = AnswerCommandLine(commandLine, KORVEX_VERSION); answered >= 0) return answered;
    ResolveJournalPaths(&commandLine, std::getenv(kCallerDirVariable));
    ReplaySession session(commandLine);
    if (!session.Open()) return 2;
    // From here on logging out, a kill or Ctrl-C closes the game as its window's close button does,
    // through the shut-down below, so the high score and the log are written; a signal during loading
    // is taken by the loop's first pass.
    platform::QuitOnTerminationSignals();
    platform::Srand(session.Seed(static_cast<std::uint32_t>(platform::WallClockSeconds())));

    std::string settingsNote;
    const Settings settings = ReadSettingsFile(&settingsNote);
    const WindowStart windowStart = ChooseWindowStart(settings, commandLine.windowed, commandLine.fullScreen, 800, 600);

    std::unique_ptr<platform::LoadPrefetch> prefetch = StartLoadPrefetch();
    std::optional<platform::StartupTimer> windowTimer(std::in_place, platform::StartupPhase::kWindow);
    if (!platform::InitVideo()) {
        std::fprintf(stderr, "korvex: no video driver could be started\n");
        return 1;
    }
    MainWindowHandle = platform::CreateMainWindow(
        "KorvexSample", 800, 600,
        platform::WindowOptions{windowStart.fullScreen, windowStart.windowWidth, windowStart.windowHeight});
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
    int refreshHz = 0;
    const bool onRefresh = platform::SetPresentOnRefresh(MainWindowHandle, settings.vsync, &refreshHz);
    windowTimer.reset();
    if (prefetch) prefetch->RetireHelpers();
    const std::uint64_t windowKib = platform::PeakResidentKib();
    auto game = std::make_unique<GameApp>();
    game->SetStartStage(session.StartStage(commandLine.startStage));
    // The journal's score is not the player's record.
    game->Score().SetSavesRecord(!session.Replaying());
    MainLoop loop;
    session.InitInput(*framework, MainWindowHandle);
    const platform::HRESULT loaded = game->Load(framework->Device(), framework->Sprite(), MainWindowHandle,
                                                session.StartUpTick(platform::GetTickCount()));
    ReportLoadPrefetch(prefetch.get());
    prefetch.reset();
    const std::uint64_t loadedKib = platform::PeakResidentKib();
    if (platform::FAILED(loaded)) {
        std::fprintf(stderr, "korvex: the game could not be loaded\n");
        game.reset();
        framework.reset();
        platform::ReleaseWindow(MainWindowHandle);
        return 1;
    }

    LogSetFile("Log.txt");
    LogOpen();
    LogWrite("＞起動ログ\n");
    if (!settingsNote.empty()) LogWrite("%s\n", settingsNote.c_str());
    LogPresentation(onRefresh, refreshHz, settings.vsync);
    SetMusicVolume(settings.musicVolume);
    SetEffectsVolume(settings.effectsVolume);
    const SettingsState settingsAtStart = CurrentSettingsState();
    if (!session.Fast()) {
        {
            platform::StartupTimer timer(platform::StartupPhase::kSounds);
            GameSoundBank.Init(MainWindowHandle);
        }
        platform::StartupTimer timer(platform::StartupPhase::kMusic);
        MusicStartup(-2);
    }
    MusicPlayTrack(4);
    const std::uint64_t audioKib = platform::PeakResidentKib();
    StartStageClock(session.StartUpTick(platform::GetTickCount()));
    platform::ShowCursor(false);

    // What the player changed is kept as soon as the panel closes, not only at a clean exit.
    Settings written = settings;
    auto keepSettings = [&] {
        const Settings toKeep = SettingsToKeep(settings, settingsAtStart, CurrentSettingsState());
        if (toKeep == written) return;
        if (WriteSettingsFile(toKeep)) {
            written = toKeep;
        } else {
            LogWrite("%s could not be written\n", kSettingsFile);
        }
    };
    GamePause pause(*framework, *game, !session.Replaying());
    pause.settingsChanged = keepSettings;
    std::int32_t loopFps = 0;
    const GamePause::GameFrame runGame = [&](std::uint32_t gameNow, bool quitToTitle) {
        session.RunFrame(*framework, game.get(), gameNow, loopFps, quitToTitle);
    };

    LoopPorts ports;
    ports.pumpMessages = [](int* code) { return platform::PumpMessages(code); };
    ports.minimisedOrHidden = [] { return platform::IsWindowMinimisedOrHidden(MainWindowHandle); };
    ports.hidden = [&](std::uint32_t now) { pause.Hidden(now, runGame); };
    bool firstFrame = true;
    ports.runFrame = [&](std::uint32_t now, std::int32_t fps) {
        loopFps = fps;
        if (!firstFrame) {
            pause.Frame(now, runGame);
            return;
        }
        firstFrame = false;
        {
            platform::StartupTimer timer(platform::StartupPhase::kFirstFrame);
            pause.Frame(now, runGame);
        }
        if (platform::StartupTimesWanted()) {
            platform::PrintStartupTimes(stderr, mainEntry);
            std::fprintf(stderr,
                         "korvex: peak resident after the window %.1f MiB, after loading %.1f MiB, after "
                         "sounds and music %.1f MiB\n",
                         static_cast<double>(windowKib) / 1024.0, static_cast<double>(loadedKib) / 1024.0,
                         static_cast<double>(audioKib) / 1024.0);
        }
    };
    const int exitCode = session.Finish(*game, session.Run(loop, ports));

    keepSettings();
    MusicShutdown();
    LogClose();
    game.reset();
    framework.reset();
    platform::ReleaseWindow(MainWindowHandle);
    MainWindowHandle = nullptr;
    platform::ShutdownVideo();
    return exitCode;
}
