// Processor time per frame as a player's machine spends it: the whole game loaded as the program loads
// it, sound and music running, frames paced by the main loop on real time. Reports the processor time of
// all threads divided by the frames drawn, and the wall time one frame takes to draw and present.
//
//   frame_cpu_bench [--seconds S | --frames F] [--stage N --at MS]
//
// --frames measures a fixed number of frames instead of a span of time: under
// `valgrind --tool=callgrind --collect-atstart=no` only those frames are counted, which gives figures that
// do not depend on what else the machine is doing (best with SDL_AUDIODRIVER=none, as valgrind slows the
// frames but not the sound card).
//
// Without --stage it measures the title. With it, the game is taken through the title and the card into
// stage N, moved on to MS milliseconds of stage time as fast as frames can be drawn, and measured there
// with the ship kept alive. Run it from anywhere; it finds the data it was built with.

#include <time.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#define CALLGRIND_TOGGLE_COLLECT
#endif

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/main_loop.h"
#include "core/registry.h"
#include "audio/music.h"
#include "audio/sound_bank.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"
#include "app/render_framework.h"
#include "scenes/game_app.h"

namespace {

// Real time that can be jumped forward, so a stage moment is reached without waiting for it while
// everything that reads the clock (music included) still sees time move at its real pace afterwards.
class JumpClock final : public platform::Clock {
public:
    std::uint32_t Ticks() const override { return static_cast<std::uint32_t>(Micros() / 1000); }
    std::uint64_t Micros() const override { return real_.Micros() + offset_.load(); }
    void Sleep(std::uint32_t ms) override { real_.Sleep(ms); }
    void Jump(std::uint32_t ms) { offset_ += std::uint64_t{ms} * 1000; }

private:
    platform::RealClock real_;
    std::atomic<std::uint64_t> offset_{0};
};

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double WallSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 10.0;
    int stage = 0;
    int frameLimit = 0;
    std::uint32_t at = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seconds")) seconds = std::atof(argv[i + 1]);
        if (!std::strcmp(argv[i], "--frames")) frameLimit = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--stage")) stage = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--at")) at = static_cast<std::uint32_t>(std::atoi(argv[i + 1]));
    }
    std::filesystem::current_path(KORVEX_DATA_DIR);
    JumpClock clock;
    platform::ScopedClock scoped(clock);
    ResetRegistry();
    if (!platform::InitVideo()) return 1;
    platform::WindowHandle window = platform::CreateMainWindow("KorvexSample", 800, 600, false);
    auto framework = std::make_unique<RenderFramework>();
    if (!window || platform::FAILED(framework->CreateDevice(window, true, 800, 600))) {
        std::fprintf(stderr, "no device\n");
        return 1;
    }
    auto game = std::make_unique<GameApp>();
    if (stage > 0) game->SetStartStage(stage);
    framework->InitInput(window);
    game->Load(framework->Device(), framework->Sprite(), window, clock.Ticks());
    GameSoundBank.Init(window);
    MusicStartup(-2);
    MusicPlayTrack(4);
    StartStageClock(clock.Ticks());

    auto keepAlive = [&] {
        if (stage > 0) game->Ship().StateRecord()->life = PlayerState::kFullLife;
    };
    auto step = [&](bool fire) {
        keepAlive();
        if (fire) platform::InjectKey(platform::DIK_Z, true);
        framework->RunFrame(game.get(), clock.Ticks(), 30);
        if (fire) platform::InjectKey(platform::DIK_Z, false);
        clock.Jump(33);
    };
    if (stage > 0) {
        step(true);
        for (int i = 0; i < 200 && !IsSceneFlag(SceneFlag::kStageTitle); ++i) step(false);
        for (int i = 0; i < 80; ++i) step(false);
        step(true);
        for (int i = 0; i < 200 && !IsSceneFlag(SceneFlag::kGame); ++i) step(false);
        while (StageElapsed() < at) step(false);
    }

    int frames = 0;
    double drawSeconds = 0.0;
    bool counting = false;
    LoopPorts ports;
    ports.pumpMessages = [](int* code) { return platform::PumpMessages(code); };
    ports.runFrame = [&](std::uint32_t now, std::int32_t fps) {
        keepAlive();
        const double t0 = WallSeconds();
        framework->RunFrame(game.get(), now, fps);
        if (counting) {
            drawSeconds += WallSeconds() - t0;
            ++frames;
        }
    };
    MainLoop loop;
    int code = 0;
    // One second to settle (first draws compile their shaders), then the measured span.
    const std::uint32_t settle = platform::GetTickCount();
    for (int i = 0; i < 5 || (frameLimit == 0 && platform::GetTickCount() - settle < 1000); ++i)
        loop.Pass(ports, &code);
    counting = true;
    CALLGRIND_TOGGLE_COLLECT;
    const double cpu0 = CpuSeconds();
    const double wall0 = WallSeconds();
    while (frameLimit > 0 ? frames < frameLimit : WallSeconds() - wall0 < seconds) loop.Pass(ports, &code);
    const double cpu = CpuSeconds() - cpu0;
    const double wall = WallSeconds() - wall0;
    CALLGRIND_TOGGLE_COLLECT;

    std::printf("%s frames=%d fps=%.2f cpu_ms_per_frame=%.3f draw_wall_ms_per_frame=%.3f stage_ms=%u\n",
                stage > 0 ? "stage" : "title", frames, frames / wall, cpu * 1000.0 / frames,
                drawSeconds * 1000.0 / frames, stage > 0 ? StageElapsed() : 0u);
    MusicShutdown();
    game.reset();
    framework.reset();
    platform::ReleaseWindow(window);
    platform::ShutdownVideo();
    return 0;
}
