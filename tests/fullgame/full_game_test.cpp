// The whole game played from the title to the staff roll by a scripted pilot, through the real game
// object, headless, on a manual clock with keys held through the keyboard: it steers towards the nearest
// target (a boss's live shield, the boss, or the nearest enemy), holds fire and the bomb button, and its
// life is held full by the test. Every stage card, every boss entry at its stage-clock time, every boss's
// fall and the staff roll must come in order, and the score must be exactly what was shot down.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/registry.h"
#include "platform/input/dik_codes.h"
#include "scenes/game_flow_support.h"

namespace {

using namespace platform;

constexpr EnemyClass kClasses[] = {EnemyClass::k01, EnemyClass::k02, EnemyClass::k03, EnemyClass::k04,
                                   EnemyClass::k05};
constexpr std::uint32_t kBossEntries[BossRoster::kBossCount] = {80000, 160000, 70000, 120000,
                                                                61000, 62000,  63000, 93000};

constexpr double kSlack = 2.0;

struct Aim {
    double x = 0.0, y = 3.0;
};

class FullGameTest : public GameFlowTest {
protected:
    // The whole game only steps: nothing here reads a picture.
    FullGameTest() { options_.draw = false; }

    // Where the pilot steers this frame.
    Aim Target() {
        BossRoster& bosses = game_->Bosses();
        for (int i = 0; i < BossRoster::kBossCount; ++i) {
            Boss& boss = bosses.GetBoss(i);
            if (!boss.Body().active) continue;
            for (const BodyRecord& shield : boss.ExtraBodies()) {
                if (shield.active) return Aim{shield.x, shield.y};
            }
            return Aim{boss.Body().x, boss.Body().y};
        }
        const std::vector<EnemyRecord> nearest = game_->Enemies().TargetList();
        if (!nearest.empty() && nearest.front().z < 500.0 && nearest.front().z > 15.0) {
            return Aim{nearest.front().x, nearest.front().y};
        }
        return Aim{};
    }

    Keys PilotKeys() {
        Keys keys{{DIK_Z, DIK_C}};
        const Aim aim = Target();
        const PlayerState& ship = game_->Ship().State();
        // Steering tilts the ship and its shots with it: it steers only when well off the target, so
        // that it mostly fires level. The shots' reach (5 each way) covers the rest.
        if (aim.x > ship.x + kSlack) keys.down.push_back(DIK_RIGHT);
        if (aim.x < ship.x - kSlack) keys.down.push_back(DIK_LEFT);
        if (aim.y > ship.y + kSlack) keys.down.push_back(DIK_UP);
        if (aim.y < ship.y - kSlack) keys.down.push_back(DIK_DOWN);
        return keys;
    }

    struct EnemyWatch {
        std::uint8_t active = 0;
    };
    // Enemies that left the field this frame because they were shot down or blasted, not because their
    // path ended or they were never ordered anywhere.
    int EnemiesShotDown(std::vector<EnemyWatch>& watch, bool blastWasOn) {
        int shot = 0;
        std::size_t k = 0;
        for (EnemyClass c : kClasses) {
            for (const EnemyRecord& e : game_->Enemies().Records(c)) {
                EnemyWatch& w = watch[k++];
                if (w.active && !e.active) {
                    const bool pathEnd = e.z <= 1.0 || (e.x == e.homeX && e.y == e.homeY && e.z == e.homeZ);
                    if (e.hitPoints < 0 || (blastWasOn && !pathEnd)) ++shot;
                }
                w.active = e.active;
            }
        }
        return shot;
    }
};

TEST_F(FullGameTest, ScriptedPilotPlaysFromTheTitleToTheStaffRoll) {
    std::vector<EnemyWatch> watch(229);
    std::vector<int> cards, entries, deaths;
    std::uint8_t wasCard = 0;
    std::uint8_t appeared[BossRoster::kBossCount] = {};
    std::uint8_t active[BossRoster::kBossCount] = {};
    int enemiesDown = 0;
    std::uint32_t stageStart = clock_.Ticks();
    std::vector<double> stageSeconds;

    for (int frame = 0; frame < 60000 && IsSceneFlag(SceneFlag::kStaff) == 0; ++frame) {
        const bool blastWasOn = game_->Enemies().BlastActive() != 0;
        if (IsSceneFlag(SceneFlag::kGame) && !IsSceneFlag(SceneFlag::kGameClear)) {
            game_->Ship().StateRecord()->life = PlayerState::kFullLife;
            Frame(PilotKeys());
        } else {
            // Title, cards and stage clear: a press every half second.
            Frame(frame % 15 == 0 ? Keys{{DIK_Z}} : Keys{});
        }
        enemiesDown += EnemiesShotDown(watch, blastWasOn || game_->Enemies().BlastActive() != 0);

        const std::uint8_t card = IsSceneFlag(SceneFlag::kStageTitle);
        if (card && !wasCard) {
            std::printf("frame %d: stage %d card\n", frame, GetStage());
            std::fflush(stdout);
            cards.push_back(GetStage());
            if (cards.size() > 1) stageSeconds.push_back((clock_.Ticks() - stageStart) / 1000.0);
            stageStart = clock_.Ticks();
        }
        wasCard = card;
        for (int i = 0; i < BossRoster::kBossCount; ++i) {
            const BodyRecord& body = game_->Bosses().GetBoss(i).Body();
            if (body.appeared && !appeared[i]) {
                std::printf("frame %d: boss %d enters at stage clock %u\n", frame, i, StageElapsed());
                std::fflush(stdout);
                entries.push_back(i);
                EXPECT_GE(StageElapsed(), kBossEntries[i]) << "boss " << i;
                EXPECT_LT(StageElapsed(), kBossEntries[i] + 2 * kFrameMs) << "boss " << i;
                EXPECT_EQ(body.stage, GetStage());
            }
            if (active[i] && !body.active) {
                std::printf("frame %d: boss %d down, score %d\n", frame, i, GetScore());
                std::fflush(stdout);
                deaths.push_back(i);
            }
            appeared[i] = body.appeared;
            active[i] = body.active;
        }
    }
    stageSeconds.push_back((clock_.Ticks() - stageStart) / 1000.0);

    ASSERT_EQ(IsSceneFlag(SceneFlag::kStaff), 1) << "the staff roll was never reached; bosses down: " << deaths.size();
    EXPECT_EQ(cards, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(entries, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(deaths, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(GetScore(), 100 * enemiesDown + BossRoster::kBossScore * BossRoster::kBossCount)
        << enemiesDown << " enemies shot down";
    for (std::size_t s = 0; s < stageSeconds.size(); ++s) {
        std::printf("stage %zu took %.1f s of game time (card to card)\n", s + 1, stageSeconds[s]);
    }
    std::printf("score %d: %d enemies and %d bosses\n", GetScore(), enemiesDown, BossRoster::kBossCount);
}

}  // namespace
