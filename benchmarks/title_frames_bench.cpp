// The title screen as the game runs it: the whole game object loaded from the generated data, frames
// paced by the main loop on the real clock for ten seconds. Reports the frames per second, the largest
// interval between two frames, and the time one frame takes to draw.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/main_loop.h"
#include "core/registry.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/window.h"
#include "app/render_framework.h"
#include "scenes/game_app.h"

static void BM_TitleFramesPaced(benchmark::State& state) {
    std::filesystem::current_path(KORVEX_DATA_DIR);
    platform::InitVideo();
    platform::WindowHandle window = platform::CreateMainWindow("KorvexSample", 800, 600, false);
    auto framework = std::make_unique<RenderFramework>();
    if (!window || platform::FAILED(framework->CreateDevice(window, true, 800, 600))) {
        state.SkipWithError("no device");
        return;
    }
    auto game = std::make_unique<GameApp>();
    framework->InitInput(window);
    game->Load(framework->Device(), framework->Sprite(), window, platform::GetTickCount());
    StartStageClock(platform::GetTickCount());

    for (auto _ : state) {
        std::vector<std::uint64_t> starts;
        std::uint64_t drawMicros = 0;
        LoopPorts ports;
        ports.pumpMessages = [](int* code) { return platform::PumpMessages(code); };
        ports.runFrame = [&](std::uint32_t now, std::int32_t fps) {
            const std::uint64_t t0 = platform::CurrentClock().Micros();
            starts.push_back(t0);
            framework->RunFrame(game.get(), now, fps);
            drawMicros += platform::CurrentClock().Micros() - t0;
        };
        MainLoop loop;
        const std::uint32_t begin = platform::GetTickCount();
        int code = 0;
        while (platform::GetTickCount() - begin < 10000) loop.Pass(ports, &code);
        std::uint64_t largest = 0;
        for (std::size_t i = 1; i < starts.size(); ++i) largest = std::max(largest, starts[i] - starts[i - 1]);
        state.counters["frames_per_second"] = static_cast<double>(starts.size()) / 10.0;
        state.counters["largest_interval_ms"] = static_cast<double>(largest) / 1000.0;
        state.counters["draw_ms_per_frame"] = static_cast<double>(drawMicros) / 1000.0 / static_cast<double>(starts.size());
    }
    game.reset();
    framework.reset();
    platform::ReleaseWindow(window);
}
BENCHMARK(BM_TitleFramesPaced)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
