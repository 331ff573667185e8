// The game scene of each stage as the game draws it: the whole game object loaded from the generated
// data, the stage entered through the title and its card, then frames drawn at several moments of the
// stage (the stage clock moved on between them by a manual clock). Reports the wall time of one frame
// (clear, the scenes, present, and the device finished) at each moment and the largest of them. The
// enemies of the timetable fly and fire, and the first boss of each stage is fought at the last moment.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "core/registry.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/window.h"
#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"
#include "app/render_framework.h"
#include "scenes/game_app.h"

namespace {

constexpr std::uint32_t kFrameMs = 33;
constexpr int kMeasuredFrames = 45;
// The last moment falls in each stage's first boss fight (entries at 80, 70 and 61 s).
constexpr std::uint32_t kMomentsMs[] = {5000, 20000, 40000, 55000, 75000, 85000};

struct Game {
    platform::WindowHandle window = nullptr;
    std::unique_ptr<RenderFramework> framework;
    std::unique_ptr<GameApp> app;
};

void Step(Game& g, platform::ManualClock& clock, bool fire = false) {
    // The ship is kept alive so that every moment is reached in the stage.
    g.app->Ship().StateRecord()->life = PlayerState::kFullLife;
    if (fire) platform::InjectKey(platform::DIK_Z, true);
    g.framework->RunFrame(g.app.get(), clock.Ticks(), 30);
    if (fire) platform::InjectKey(platform::DIK_Z, false);
    clock.Advance(kFrameMs);
}

void BM_StageFrames(benchmark::State& state) {
    const auto stage = static_cast<std::int32_t>(state.range(0));
    std::filesystem::current_path(KORVEX_DATA_DIR);
    platform::ManualClock clock(100000);
    platform::ScopedClock scoped(clock);
    ResetRegistry();
    platform::InitVideo();
    Game g;
    g.window = platform::CreateMainWindow("KorvexSample", 800, 600, false);
    g.framework = std::make_unique<RenderFramework>();
    if (!g.window || platform::FAILED(g.framework->CreateDevice(g.window, true, 800, 600))) {
        state.SkipWithError("no device");
        return;
    }
    g.app = std::make_unique<GameApp>();
    g.framework->InitInput(g.window);
    g.app->Load(g.framework->Device(), g.framework->Sprite(), g.window, clock.Ticks());
    g.app->SetStartStage(stage);
    StartStageClock(clock.Ticks());

    for (auto _ : state) {
        // Title, then the stage card, then the stage.
        Step(g, clock, true);
        for (int i = 0; i < 200 && !IsSceneFlag(SceneFlag::kStageTitle); ++i) Step(g, clock);
        for (int i = 0; i < 80; ++i) Step(g, clock);
        Step(g, clock, true);
        for (int i = 0; i < 200 && !IsSceneFlag(SceneFlag::kGame); ++i) Step(g, clock);
        double largest = 0.0;
        for (std::uint32_t moment : kMomentsMs) {
            while (StageElapsed() < moment) Step(g, clock);
            double total = 0.0;
            for (int i = 0; i < kMeasuredFrames; ++i) {
                g.app->Ship().StateRecord()->life = PlayerState::kFullLife;
                const auto t0 = std::chrono::steady_clock::now();
                g.framework->RunFrame(g.app.get(), clock.Ticks(), 30);
                g.framework->Device()->Finish();
                total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
                clock.Advance(kFrameMs);
            }
            const double perFrame = total / kMeasuredFrames;
            state.counters["ms_at_" + std::to_string(moment / 1000) + "s"] = perFrame;
            largest = std::max(largest, perFrame);
        }
        state.counters["ms_per_frame_largest"] = largest;
    }
    g.app.reset();
    g.framework.reset();
    platform::ReleaseWindow(g.window);
}

}  // namespace

BENCHMARK(BM_StageFrames)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
