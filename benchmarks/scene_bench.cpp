// The game's heaviest scenes, measured in one run against a floor measured in the same run: the whole game
// object loaded from the generated data as the game loads it, stepped on a manual clock (33 ms a frame) so
// every scene moves as in the game. Scenes: the floor (clear and present only), the title, the busiest
// moment of each stage (most enemies on their paths before the first boss), stage 1 paused, and each of the eight boss
// fights with a crowd of enemies, explosions, the bomb's blast and the console showing. For each: wall
// time per frame (clear to present, the device finished) and the CPU time of the whole process (every
// thread), median and largest over the measured frames, and both against the floor. Ends with a markdown
// table, the peak resident memory and the bytes of the game's textures with their levels.
//
//   SDL_VIDEODRIVER=offscreen build-rel/benchmarks/scene_bench [frames]
//   xvfb-run -s "-screen 0 800x600x24" build-rel/benchmarks/scene_bench [frames]

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/registry.h"
#include "platform/core/clock.h"
#include "platform/core/events.h"
#include "platform/core/game_path.h"
#include "platform/core/startup_times.h"
#include "platform/core/window.h"
#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"
#include "app/game_pause.h"
#include "app/render_framework.h"
#include "input/button_repeat.h"
#include "scenes/game_app.h"
#include "scenes/game_loads.h"

namespace {

constexpr std::uint32_t kFrameMs = 33;
constexpr EnemyClass kClasses[] = {EnemyClass::k01, EnemyClass::k02, EnemyClass::k03, EnemyClass::k04, EnemyClass::k05};
// Stage-clock entry of each boss, in roster order, and each boss's stage.
constexpr std::uint32_t kBossEntries[BossRoster::kBossCount] = {80000, 160000, 70000, 120000,
                                                                61000, 62000,  63000, 93000};
constexpr int kBossStage[BossRoster::kBossCount] = {1, 1, 2, 2, 3, 3, 3, 3};
constexpr int kExplosions = 24;

double CpuMillis() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Row {
    std::string scene;
    double wallMedian = 0, wallMax = 0, cpuMedian = 0, cpuMax = 0;
    // The process's peak resident memory once the scene has run: what the game holds up to that scene.
    double peakMiB = 0;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

class Bench {
public:
    explicit Bench(int frames) : frames_(frames), clock_(100000), scoped_(clock_) {}

    bool Open() {
        platform::InitVideo();
        window_ = platform::CreateMainWindow("KorvexSample", 800, 600, false);
        framework_ = std::make_unique<RenderFramework>();
        return window_ && platform::SUCCEEDED(framework_->CreateDevice(window_, true, 800, 600));
    }
    void Close() {
        app_.reset();
        framework_.reset();
        platform::ReleaseWindow(window_);
    }

    // A fresh game object on the title, as the game has it after loading.
    void NewGame(int stage) {
        app_.reset();
        ResetRegistry();
        app_ = std::make_unique<GameApp>();
        framework_->InitInput(window_);
        app_->Load(framework_->Device(), framework_->Sprite(), window_, clock_.Ticks());
        app_->SetStartStage(stage);
        StartStageClock(clock_.Ticks());
    }

    // One frame with the keys held and the ship's life kept full; Step moves the clock on after it.
    void Frame(const std::vector<int>& keys = {}) {
        app_->Ship().StateRecord()->life = PlayerState::kFullLife;
        for (int k : keys) platform::InjectKey(k, true);
        framework_->RunFrame(app_.get(), clock_.Ticks(), 30);
        for (int k : keys) platform::InjectKey(k, false);
    }
    void Step(const std::vector<int>& keys = {}) {
        Frame(keys);
        clock_.Advance(kFrameMs);
    }

    // Title, the stage card, then the stage's game scene.
    bool EnterStage() {
        // Fire held in the game before repeats on the keyboard's count, which the title must see run out.
        for (int i = 0; i < kButton1RepeatFrames; ++i) Step();
        Step({platform::DIK_Z});
        for (int i = 0; i < 200 && !IsSceneFlag(SceneFlag::kStageTitle); ++i) Step();
        for (int i = 0; i < 80; ++i) Step();
        Step({platform::DIK_Z});
        for (int i = 0; i < 200 && !IsSceneFlag(SceneFlag::kGame); ++i) Step();
        return IsSceneFlag(SceneFlag::kGame) != 0;
    }

    // Frames measured one by one, the clock moved on after each.
    template <typename Frame>
    Row Measure(const std::string& scene, Frame frame) {
        std::vector<double> wall, cpu;
        for (int i = 0; i < frames_; ++i) {
            const double c0 = CpuMillis();
            const auto t0 = std::chrono::steady_clock::now();
            frame();
            framework_->Device()->Finish();
            wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
            cpu.push_back(CpuMillis() - c0);
            clock_.Advance(kFrameMs);
        }
        Row row{scene, Median(wall), *std::max_element(wall.begin(), wall.end()), Median(cpu),
                *std::max_element(cpu.begin(), cpu.end()), static_cast<double>(platform::PeakResidentKib()) / 1024.0};
        std::printf("%-26s wall %6.2f ms (max %6.2f)  cpu %6.2f ms (max %6.2f)  peak %.1f MiB\n", scene.c_str(),
                    row.wallMedian, row.wallMax, row.cpuMedian, row.cpuMax, row.peakMiB);
        std::fflush(stdout);
        return row;
    }

    Row Floor() {
        platform::Device* d = framework_->Device();
        return Measure("floor (clear, present)", [d] {
            d->Clear(0, nullptr, platform::D3DCLEAR_TARGET | platform::D3DCLEAR_ZBUFFER | platform::D3DCLEAR_STENCIL,
                     0xFF000000u, 1.0f, 0);
            d->BeginScene();
            d->EndScene();
            d->Present();
        });
    }

    Row Title() {
        for (int i = 0; i < 30; ++i) Step();
        return Measure("title", [this] { Frame(); });
    }

    // The stage-clock time before the first boss at which most of the stage's enemies are on their paths.
    std::uint32_t BusiestMoment(int stage, std::uint32_t before) {
        std::uint32_t best = 0;
        int bestCount = -1;
        for (std::uint32_t t = 0; t < before; t += 500) {
            int n = 0;
            for (EnemyClass c : kClasses) {
                Enemy& enemy = app_->Enemies().Class(c);
                for (std::size_t i = 0; i < enemy.Count(); ++i) {
                    const EnemyRecord& e = enemy.Records()[i];
                    n += e.stage == stage && e.spawnTime <= t && t < e.spawnTime + enemy.TrackZ(i).Duration();
                }
            }
            if (n > bestCount) bestCount = n, best = t;
        }
        return best;
    }

    // Moves the stage clock to `t` minus a few seconds, then plays up to it frame by frame.
    void PlayUntil(std::uint32_t t) {
        if (StageElapsed() + 3000 < t) clock_.Advance(t - 3000 - StageElapsed());
        for (int i = 0; i < 400 && StageElapsed() < t; ++i) Step({platform::DIK_Z});
    }

    Row StageMoment(int stage) {
        const std::uint32_t firstBoss = kBossEntries[stage == 1 ? 0 : stage == 2 ? 2 : 4];
        const std::uint32_t moment = BusiestMoment(stage, firstBoss - 1000);
        PlayUntil(moment);
        return Measure("stage " + std::to_string(stage) + " at " + std::to_string(moment / 1000) + " s",
                       [this] { Frame({platform::DIK_Z}); });
    }

    // Every enemy of the stage that is not flying sent halfway along its path, firing.
    void Crowd(int stage) {
        const std::uint32_t now = platform::GetTickCount();
        for (EnemyClass c : kClasses) {
            Enemy& enemy = app_->Enemies().Class(c);
            for (std::size_t i = 0; i < enemy.Count(); ++i) {
                EnemyRecord& e = enemy.Records()[i];
                if (e.stage != stage || e.active) continue;
                e.active = 1;
                e.spawned = 1;
                enemy.StartTracks(i, now - enemy.TrackZ(i).Duration() / 2);
                const auto s = static_cast<std::size_t>(e.shotIndex);
                if (s < app_->Enemies().Shots().Count()) app_->Enemies().Shots().Unlaunch(s);
            }
        }
    }

    // The stage standing still under the pause panel: its last frame's picture dimmed, then the panel.
    Row Paused(int stage) {
        GamePause pause(*framework_, *app_, true);
        const GamePause::GameFrame run = [this](std::uint32_t now, bool) {
            framework_->RunFrame(app_.get(), now, 30);
        };
        const auto pass = [&] {
            int code = 0;
            platform::PumpMessages(&code);
            pause.Frame(clock_.Ticks(), run);
        };
        platform::PushPauseKey();
        pass();
        clock_.Advance(kFrameMs);
        Row row = Measure("stage " + std::to_string(stage) + " paused", pass);
        platform::PushPauseKey();
        pass();
        // The frames after run straight on the clock: take it back to the game's, which stood still.
        clock_.Set(pause.GameTick(clock_.Ticks()));
        return row;
    }

    Row BossFight(int index) {
        Boss& boss = app_->Bosses().GetBoss(index);
        if (StageElapsed() + 1000 < kBossEntries[index]) clock_.Advance(kBossEntries[index] - 1000 - StageElapsed());
        for (int i = 0; i < 400 && !(boss.Body().active && IsBossBattleActive()); ++i) Step({platform::DIK_Z});
        const std::int32_t life = boss.Body().life;
        auto keepAlive = [&] { boss.Body().life = std::max(boss.Body().life, life); };
        // The introduction plays out; then the console shows the gauge.
        for (int i = 0; i < 400 && IsCameraCutInActive(); ++i) keepAlive(), Step();
        for (int i = 0; i < 30; ++i) keepAlive(), Step({platform::DIK_Z});
        // The bomb: fired at the boss, its blast open for 2.5 s.
        app_->Ship().StateRecord()->bombs = 9;
        for (int i = 0; i < 120 && !app_->Bosses().SpecialOn(); ++i)
            keepAlive(), Step({platform::DIK_Z, platform::DIK_C});
        Crowd(kBossStage[index]);
        for (int i = 0; i < kExplosions; ++i) {
            app_->Explosions().Spawn(clock_.Ticks(), -20.0 + 40.0 * (i % 6) / 5.0, -6.0 + 12.0 * (i / 6) / 3.0, 40.0 + 3.0 * i);
        }
        const bool blast = app_->Bosses().SpecialOn() != 0;
        Row row = Measure("boss " + std::to_string(index) + " (stage " + std::to_string(kBossStage[index]) + ")" +
                              (blast ? "" : " no blast"),
                          [&] {
                              keepAlive();
                              Frame({platform::DIK_Z});
                          });
        // Down, so that the next boss may enter.
        boss.Body().life = 0;
        Step();
        return row;
    }

    platform::Device* Device() { return framework_->Device(); }

private:
    int frames_;
    platform::ManualClock clock_;
    platform::ScopedClock scoped_;
    platform::WindowHandle window_ = nullptr;
    std::unique_ptr<RenderFramework> framework_;
    std::unique_ptr<GameApp> app_;
};

// The bytes the game's textures take in the device: every load's picture, its sides rounded up to powers
// of two, with its whole chain of levels, at 4 bytes a texel. Sizes come from the files' headers.
double TextureMiB() {
    double bytes = 0;
    for (const platform::PrefetchItem& item : GameLoads()) {
        if (item.kind != platform::PrefetchItem::Kind::kPicture) continue;
        std::ifstream in(platform::ResolveGamePath(item.gameName), std::ios::binary);
        unsigned char header[24] = {};
        in.read(reinterpret_cast<char*>(header), sizeof(header));
        auto be = [&](int at) {
            return static_cast<int>(header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3]);
        };
        int w = 1, h = 1;
        while (w < be(16)) w *= 2;
        while (h < be(20)) h *= 2;
        for (;;) {
            bytes += 4.0 * w * h;
            if (w == 1 && h == 1) break;
            w = std::max(1, w / 2);
            h = std::max(1, h / 2);
        }
    }
    return bytes / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(5, std::atoi(argv[1])) : 60;
    std::filesystem::current_path(KORVEX_DATA_DIR);
    // The scenes score, and the game keeps its record on leaving: the data folder's record, which the
    // tests copy, is put back as it was.
    std::string record;
    {
        std::ifstream in("score.txt", std::ios::binary);
        record.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    Bench bench(frames);
    if (!bench.Open()) {
        std::fprintf(stderr, "scene_bench: no device\n");
        return 1;
    }
    std::vector<Row> rows;
    bench.NewGame(1);
    rows.push_back(bench.Floor());
    rows.push_back(bench.Title());
    for (int stage = 1; stage <= 3; ++stage) {
        if (stage > 1) bench.NewGame(stage);
        if (!bench.EnterStage()) {
            std::fprintf(stderr, "scene_bench: stage %d was not reached\n", stage);
            return 1;
        }
        rows.push_back(bench.StageMoment(stage));
        if (stage == 1) rows.push_back(bench.Paused(stage));
        for (int b = 0; b < BossRoster::kBossCount; ++b) {
            if (kBossStage[b] == stage) rows.push_back(bench.BossFight(b));
        }
    }
    const Row& floor = rows.front();
    std::printf(
        "\n| scene | wall median ms | wall max ms | CPU median ms | CPU max ms | wall / floor | CPU / floor | peak RSS MiB |"
        "\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Row& r : rows) {
        std::printf("| %s | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f | %.1f |\n", r.scene.c_str(), r.wallMedian,
                    r.wallMax, r.cpuMedian, r.cpuMax, r.wallMedian / floor.wallMedian, r.cpuMedian / floor.cpuMedian,
                    r.peakMiB);
    }
    std::printf("\n%d frames a scene; peak resident %.1f MiB; textures with their levels %.1f MiB\n", frames,
                static_cast<double>(platform::PeakResidentKib()) / 1024.0, TextureMiB());
    bench.Close();
    std::ofstream("score.txt", std::ios::binary | std::ios::trunc) << record;
    return 0;
}
