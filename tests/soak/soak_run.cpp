#include "soak/soak_run.h"

#include <cstdio>
#include <vector>

#include "core/registry.h"
#include "platform/core/random.h"
#include "scenes/game_app.h"
#include "soak/soak_checks.h"
#include "soak/soak_pilot.h"
#include "support/game_harness.h"

namespace {

struct NamedScene {
    SceneFlag flag;
    const char* name;
};
constexpr NamedScene kScenes[] = {{SceneFlag::kGameOver, "gameover"},     {SceneFlag::kGameClear, "gameclear"},
                                  {SceneFlag::kGame, "game"},             {SceneFlag::kTitle, "title"},
                                  {SceneFlag::kStageTitle, "stagetitle"}, {SceneFlag::kStory, "story"},
                                  {SceneFlag::kStaff, "staff"}};

// The screen in front: the flags in the order the frame dispatch gives them way.
std::string SceneName() {
    for (const NamedScene& scene : kScenes) {
        if (IsSceneFlag(scene.flag)) return scene.name;
    }
    return "none";
}

SoakPilot::View ViewOf(GameApp& game, const std::string& scene) {
    SoakPilot::View view;
    if (scene == "title") {
        view.scene = SoakPilot::Scene::kTitle;
        view.menuChoice = GetTitleMenuChoice();
        return view;
    }
    if (scene != "game") return view;
    view.scene = SoakPilot::Scene::kGame;
    view.shipX = game.Ship().State().x;
    view.shipY = game.Ship().State().y;
    for (int i = 0; i < BossRoster::kBossCount; ++i) {
        Boss& boss = game.Bosses().GetBoss(i);
        if (!boss.Body().active) continue;
        view.hasAim = true;
        view.aimX = boss.Body().x;
        view.aimY = boss.Body().y;
        for (const BodyRecord& shield : boss.ExtraBodies()) {
            if (shield.active) {
                view.aimX = shield.x;
                view.aimY = shield.y;
                break;
            }
        }
        return view;
    }
    const std::vector<EnemyRecord> nearest = game.Enemies().TargetList();
    if (!nearest.empty() && nearest.front().z < EnemyManager::kNoTargetDepth && nearest.front().z > 15.0) {
        view.hasAim = true;
        view.aimX = nearest.front().x;
        view.aimY = nearest.front().y;
    }
    return view;
}

}  // namespace

SoakSummary RunSoak(const SoakOptions& options) {
    SoakSummary summary;
    GameHarness harness;
    GameHarness::Options steppedOnly;
    steppedOnly.draw = false;
    const std::string error = harness.Start(steppedOnly);
    if (!error.empty()) {
        summary.failure = "start-up: " + error;
        return summary;
    }
    platform::Srand(options.seed);
    GameApp& game = *harness.game;
    SoakPilot pilot(options.seed);
    InputLockWatch lockWatch(options.lockLimitMs);
    MemoryWatch memoryWatch(options.memoryWarmUp, options.memorySlack);
    PoolWatch poolWatch;
    poolWatch.Capture(game);

    const std::uint32_t startTicks = harness.clock.Ticks();
    const std::uint64_t endMs = static_cast<std::uint64_t>(options.seconds * 1000.0);
    std::string previous = SceneName();
    bool holdLife = false;
    bool idleOnTitle = false;
    std::uint32_t gameStartTicks = 0;
    std::uint64_t nextProgress = options.progressSeconds * 1000ull;
    std::uint8_t bossActive[BossRoster::kBossCount] = {};

    while (summary.gameMs < endMs) {
        const std::string scene = SceneName();
        if (scene != previous) {
            if (scene == "stagetitle" && previous == "title") {
                ++summary.gamesStarted;
                holdLife = summary.gamesStarted % 2 == 1;
                gameStartTicks = harness.clock.Ticks();
            }
            if (scene == "game") summary.stagesReached.insert(GetStage());
            if (scene == "gameover") ++summary.gameOvers;
            if (scene == "gameclear") ++summary.stagesCleared;
            if (scene == "staff") ++summary.staffRolls;
            if (scene == "story") ++summary.stories;
            if (scene == "title") {
                idleOnTitle = pilot.Roll(6) == 0;
                if (previous != "story") {
                    summary.failure = memoryWatch.Sample(AllocatedBytes());
                    summary.memorySamples = memoryWatch.Samples();
                    summary.memoryFirst = memoryWatch.First();
                    summary.memoryLast = memoryWatch.Last();
                }
            }
            previous = scene;
        }
        if (scene == "title") {
            const std::int32_t cycle = 1 + (summary.gamesStarted / 2) % 3;
            game.SetStartStage(options.stage != 0 ? options.stage : cycle);
        }
        const bool held = holdLife && harness.clock.Ticks() - gameStartTicks < options.heldMs;
        if (held && IsSceneFlag(SceneFlag::kGame) && !IsSceneFlag(SceneFlag::kGameOver)) {
            game.Ship().StateRecord()->life = PlayerState::kFullLife;
        }

        std::vector<int> keys;
        if (!(scene == "title" && idleOnTitle)) keys = pilot.Keys(ViewOf(game, scene));
        harness.Frame(keys);
        ++summary.frames;
        summary.gameMs = harness.clock.Ticks() - startTicks;

        // A boss is beaten when it leaves play with no life; a shield's fall has the same sound, so the
        // sound cannot be counted.
        for (int i = 0; i < BossRoster::kBossCount; ++i) {
            const BodyRecord& body = game.Bosses().GetBoss(i).Body();
            if (bossActive[i] && !body.active && body.life <= 0) ++summary.bossesBeaten;
            bossActive[i] = body.active;
        }
        harness.audio.Clear();

        if (summary.failure.empty()) summary.failure = CheckRecordsFinite(game);
        if (summary.failure.empty()) summary.failure = lockWatch.Update(InputLocked(harness.clock.Ticks()), harness.clock.Ticks());
        if (summary.failure.empty()) summary.failure = CheckOneBossBattle(game);
        if (summary.failure.empty()) summary.failure = poolWatch.Check(game);
        if (summary.failure.empty() && game.Title().ExitChosen()) summary.failure = "the way out was chosen";
        if (summary.failure.empty() && !harness.messages.empty()) {
            summary.failure = "message box: " + harness.messages.front();
        }
        if (!summary.failure.empty()) {
            char where[160];
            std::snprintf(where, sizeof where, " (frame %llu, scene %s, stage %d, game time %.1f s)",
                          static_cast<unsigned long long>(summary.frames), SceneName().c_str(), GetStage(),
                          summary.gameMs / 1000.0);
            summary.failure += where;
            break;
        }
        if (nextProgress != 0 && summary.gameMs >= nextProgress) {
            std::printf("%.0f s: %llu frames, %d games, %d bosses beaten, scene %s stage %d\n", summary.gameMs / 1000.0,
                        static_cast<unsigned long long>(summary.frames), summary.gamesStarted, summary.bossesBeaten,
                        scene.c_str(), GetStage());
            std::fflush(stdout);
            nextProgress += options.progressSeconds * 1000ull;
        }
    }
    return summary;
}

std::string FormatSummary(const SoakSummary& s) {
    std::string stages;
    for (int stage : s.stagesReached) stages += (stages.empty() ? "" : ",") + std::to_string(stage);
    char text[512];
    std::snprintf(text, sizeof text,
                  "game time %.1f s, frames %llu, games started %d, stages reached {%s}, bosses beaten %d, "
                  "game overs %d, stages cleared %d, staff rolls %d, stories %d, memory at title %zu -> %zu "
                  "bytes (%d samples), invariant failures %d",
                  s.gameMs / 1000.0, static_cast<unsigned long long>(s.frames), s.gamesStarted, stages.c_str(),
                  s.bossesBeaten, s.gameOvers, s.stagesCleared, s.staffRolls, s.stories, s.memoryFirst, s.memoryLast,
                  s.memorySamples, s.failure.empty() ? 0 : 1);
    return text;
}
