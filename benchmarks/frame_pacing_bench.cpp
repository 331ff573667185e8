// Frame pacing of the main loop on the real clock: frames per second over a ten-second run and the
// largest interval between two frames. Frames here do no work, so this measures the loop itself.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "app/main_loop.h"
#include "platform/core/clock.h"

static void BM_FramePacing(benchmark::State& state) {
    const std::uint32_t runMs = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state) {
        std::vector<std::uint64_t> frameMicros;
        LoopPorts ports;
        ports.runFrame = [&](std::uint32_t, std::int32_t) { frameMicros.push_back(platform::CurrentClock().Micros()); };
        MainLoop loop;
        const std::uint32_t start = platform::GetTickCount();
        int code = 0;
        while (platform::GetTickCount() - start < runMs) loop.Pass(ports, &code);
        std::uint64_t largest = 0;
        for (std::size_t i = 1; i < frameMicros.size(); ++i) {
            largest = std::max(largest, frameMicros[i] - frameMicros[i - 1]);
        }
        state.counters["frames_per_second"] = static_cast<double>(frameMicros.size()) * 1000.0 / runMs;
        state.counters["largest_interval_ms"] = static_cast<double>(largest) / 1000.0;
        state.counters["measured_fps_last_window"] = loop.MeasuredFrameRate();
    }
}
BENCHMARK(BM_FramePacing)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
