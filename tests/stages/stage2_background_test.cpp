#include "stages/stage2_background.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/core/random.h"
#include "stage_clock_fixture.h"

namespace {

struct Group {
    std::size_t count;
    double farthest;
    double depth;
    bool aside;
};

const Group kGroups[] = {
    {20, 200, 120, true}, {20, 600, 120, true}, {60, 1200, 400, false}, {20, 2000, 120, true}, {60, 2400, 400, false},
};

std::unique_ptr<Stage2Background> SceneryWithSeed(std::uint32_t seed) {
    platform::Srand(seed);
    return std::make_unique<Stage2Background>();
}

using Stage2Test = StageClockTest;

TEST_F(Stage2Test, StarFieldComesFromTheRandomGenerator) {
    auto a = SceneryWithSeed(1);
    auto b = SceneryWithSeed(2);
    auto again = SceneryWithSeed(1);
    int differing = 0;
    for (std::size_t i = 0; i < Stage2Background::kStarCount; ++i) {
        const SpaceItem& s = a->Stars()[i];
        const SpaceItem& t = b->Stars()[i];
        const SpaceItem& u = again->Stars()[i];
        if (s.x != t.x || s.y != t.y || s.z != t.z) ++differing;
        EXPECT_TRUE(s.x == u.x && s.y == u.y && s.z == u.z) << "star " << i;
    }
    EXPECT_GT(differing, 150);
}

TEST_F(Stage2Test, StarGroupsKeepTheirDepthsAndSideGroupsKeepTheCorridorClear) {
    std::size_t total = 0;
    for (const Group& g : kGroups) total += g.count;
    ASSERT_EQ(Stage2Background::kStarCount, total);

    for (std::uint32_t seed : {1u, 7u, 12345u, 99999u}) {
        auto scenery = SceneryWithSeed(seed);
        auto stars = scenery->Stars();
        std::size_t i = 0;
        for (const Group& g : kGroups) {
            for (std::size_t k = 0; k < g.count; ++k, ++i) {
                const SpaceItem& s = stars[i];
                EXPECT_LE(s.z, g.farthest) << "seed " << seed << " star " << i;
                EXPECT_GT(s.z, g.farthest - g.depth) << "seed " << seed << " star " << i;
                EXPECT_LT(std::abs(s.y), 10.0);
                if (g.aside) {
                    EXPECT_GE(std::abs(s.x), 10.0) << "seed " << seed << " star " << i;
                    EXPECT_LT(std::abs(s.x), 20.0);
                } else {
                    EXPECT_LT(std::abs(s.x), 10.0);
                }
                EXPECT_EQ(1, s.active);
                EXPECT_EQ(20, s.hitPoints);
                EXPECT_EQ(1.0, s.rv);
            }
        }
    }
}

TEST_F(Stage2Test, RocksRetireAtMinus5AndStarsAtMinus10) {
    auto scenery = SceneryWithSeed(3);
    scenery->Reset(clock_.Ticks());
    const std::uint32_t start = Now();
    // The farthest star's path ends at -10, where it retires, also when a frame falls on the path's last
    // tick; by then every item has retired.
    std::size_t last = 0;
    for (std::size_t i = 0; i < Stage2Background::kStarCount; ++i) {
        if (scenery->Stars()[i].z > scenery->Stars()[last].z) last = i;
    }
    SpaceItem& star = scenery->Stars()[last];
    const KeyframeTrack& path = scenery->StarTrack(last);
    EXPECT_EQ(static_cast<std::uint32_t>(std::lround((star.z + 10.0) / 0.02)), path.Duration());

    // Stepped in the tick of the reset, nothing has moved yet.
    scenery->Step(clock_.Ticks());
    for (const SpaceItem& r : scenery->Rocks()) EXPECT_EQ(1, r.active);
    for (const SpaceItem& s : scenery->Stars()) EXPECT_EQ(1, s.active);

    SpaceItem& rock = scenery->Rocks()[0];
    ASSERT_EQ(400.0, rock.z);
    EXPECT_EQ(13.0, rock.rh);
    StepAt(*scenery, start, 20200);  // z -4
    EXPECT_NEAR(-4.0, rock.z, 0.01);
    EXPECT_EQ(1, rock.active);
    StepAt(*scenery, start, 20300);  // z -6
    EXPECT_EQ(0, rock.active);

    StepAt(*scenery, start, path.Duration() - 10);
    EXPECT_EQ(1, star.active);
    StepAt(*scenery, start, path.Duration());
    EXPECT_EQ(-10.0, star.z);
    EXPECT_EQ(0, star.active);
    for (const SpaceItem& s : scenery->Stars()) EXPECT_EQ(0, s.active);
    for (const SpaceItem& r : scenery->Rocks()) EXPECT_EQ(0, r.active);
}

TEST_F(Stage2Test, ResetBringsTheSameRecordsBack) {
    auto scenery = SceneryWithSeed(5);
    std::vector<const SpaceItem*> addresses;
    std::vector<double> depths;
    for (const SpaceItem& s : scenery->Stars()) {
        addresses.push_back(&s);
        depths.push_back(s.z);
    }
    scenery->Reset(clock_.Ticks());
    StepAt(*scenery, Now(), 60000);
    scenery->Stars()[0].hitPoints = 3;
    scenery->Reset(clock_.Ticks());
    auto stars = scenery->Stars();
    for (std::size_t i = 0; i < stars.size(); ++i) {
        EXPECT_EQ(addresses[i], &stars[i]);
        EXPECT_EQ(depths[i], stars[i].z);
        EXPECT_EQ(1, stars[i].active);
    }
    EXPECT_EQ(20, stars[0].hitPoints);
}

TEST_F(Stage2Test, ItemsWaitOutABattle) {
    auto scenery = SceneryWithSeed(4);
    scenery->Reset(clock_.Ticks());
    const std::uint32_t start = Now();
    SpaceItem& rock = scenery->Rocks()[3];  // z 800
    StepAt(*scenery, start, 10000);
    SetBossBattleActive(1);
    BossTimerStart(clock_.Ticks());
    StepAt(*scenery, start, 30000);
    EXPECT_NEAR(600.0, rock.z, 0.01);
    BossTimerFold(clock_.Ticks());
    SetBossBattleActive(0);
    SetBossBattleEnded(1);
    StepAt(*scenery, start, 30000);
    StepAt(*scenery, start, 35000);
    EXPECT_NEAR(500.0, rock.z, 0.01);
}

class PlanetTurnTest : public StageClockTest {
protected:
    void SetUp() override {
        StageClockTest::SetUp();
        scenery_ = std::make_unique<Stage2Background>();
        scenery_->SetInputState(&input_);
        scenery_->SetPlayerState(&player_);
        scenery_->SetDashing(&dashing_);
        scenery_->Reset(clock_.Ticks());
    }

    std::unique_ptr<Stage2Background> scenery_;
    InputState input_{};
    PlayerState player_ = PlayerState::NewGame();
    std::int32_t dashing_ = 0;
};

TEST_F(PlanetTurnTest, TurnsWithTheButtonsWhileTheShipFliesFreely) {
    input_.up = kInputUp;
    input_.right = kInputRight;
    Frames(*scenery_, 10);
    EXPECT_NEAR(0.5, scenery_->PlanetTurn().Pitch(), 1e-9);
    EXPECT_NEAR(-0.5, scenery_->PlanetTurn().Yaw(), 1e-9);

    input_ = InputState{};
    input_.down = kInputDown;
    input_.left = kInputLeft;
    Frames(*scenery_, 4);
    EXPECT_NEAR(0.3, scenery_->PlanetTurn().Pitch(), 1e-9);
    EXPECT_NEAR(-0.3, scenery_->PlanetTurn().Yaw(), 1e-9);

    scenery_->Reset(clock_.Ticks());
    EXPECT_EQ(0.0, scenery_->PlanetTurn().Pitch());
    EXPECT_EQ(0.0, scenery_->PlanetTurn().Yaw());
}

TEST_F(PlanetTurnTest, HeldStillWhileDashingHitOrDead) {
    input_.up = kInputUp;
    dashing_ = 1;
    Frames(*scenery_, 3);
    dashing_ = 0;
    player_.hit = 1;
    Frames(*scenery_, 3);
    player_.hit = 0;
    player_.alive = 0;
    Frames(*scenery_, 3);
    EXPECT_EQ(0.0, scenery_->PlanetTurn().Pitch());

    // Without a dashing flag wired the ship counts as not dashing.
    player_.alive = 1;
    scenery_->SetDashing(nullptr);
    Frame(*scenery_);
    EXPECT_NEAR(0.05, scenery_->PlanetTurn().Pitch(), 1e-9);
    // Without the input or the ship's record nothing turns.
    scenery_->SetInputState(nullptr);
    Frame(*scenery_);
    scenery_->SetInputState(&input_);
    scenery_->SetPlayerState(nullptr);
    Frame(*scenery_);
    EXPECT_NEAR(0.05, scenery_->PlanetTurn().Pitch(), 1e-9);
}

}  // namespace
