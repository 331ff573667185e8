// The ship in the running game: the whole game object stepped frame by frame with a manual clock and
// keys held through the keyboard, from GAME START to the stage.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/registry.h"
#include "platform/gfx/device.h"
#include "platform/input/dik_codes.h"
#include "scenes/game_flow_support.h"

namespace {

using platform::DIK_LEFT;
using platform::DIK_RIGHT;
using platform::DIK_UP;
using platform::DIK_X;
using platform::DIK_Z;

class PlayerFlightTest : public GameFlowTest {
protected:
    // GAME START, then the stage card, as a player does it; returns on the stage's first frame.
    void StartGame(int stage = 1) {
        game_->SetStartStage(stage);
        Frame(Keys{{DIK_Z}});
        ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kStageTitle) == 1; }, 60));
        Idle(2300);
        Frame(Keys{{DIK_Z}});
        ASSERT_TRUE(FramesUntil([] { return IsSceneFlag(SceneFlag::kGame) == 1; }, 60));
        // What is left of the card's input gate.
        while (!InputGateExpired(clock_.Ticks())) Frame();
        audio_.Clear();
    }
    // Frames with these keys held on every one of them.
    void Hold(const Keys& keys, int frames) {
        for (int i = 0; i < frames; ++i) Frame(keys);
    }
    const PlayerState& Ship() const { return game_->Ship().State(); }
};

TEST_F(PlayerFlightTest, NewGameShipAndItsTiltBuildingUpToFortyFiveDegrees) {
    StartGame();
    EXPECT_DOUBLE_EQ(Ship().x, 0.0);
    EXPECT_DOUBLE_EQ(Ship().y, 0.0);
    EXPECT_DOUBLE_EQ(Ship().z, 15.0);
    EXPECT_EQ(Ship().life, 223);
    EXPECT_EQ(Ship().bombs, 1);
    EXPECT_EQ(Ship().alive, 1);

    Hold(Keys{{DIK_RIGHT}}, 10);
    EXPECT_NEAR(Ship().x, 1.0, 1e-9);
    EXPECT_NEAR(Ship().yaw, 8.0, 1e-3) << "the tilt builds 0.8 degrees a frame";
    Hold(Keys{{DIK_RIGHT}}, 60);
    EXPECT_NEAR(Ship().yaw, 45.0, 0.81) << "the tilt stops at 45 degrees";
    EXPECT_NEAR(Ship().x, 7.0, 1e-9);
    Hold(Keys{{DIK_RIGHT}}, 40);
    EXPECT_DOUBLE_EQ(Ship().x, 10.0) << "the flight box";
    EXPECT_EQ(Ship().boundsHit, 1);

    Idle(1000);
    EXPECT_LT(std::fabs(Ship().yaw), 1.0) << "released, the ship levels out";
    Hold(Keys{{DIK_UP, DIK_LEFT}}, 5);
    EXPECT_NEAR(Ship().y, 1.0, 1e-9);
    EXPECT_LT(Ship().pitch, 0.0);
}

TEST_F(PlayerFlightTest, DashLastsAtMost157FramesAndTheMeterMustRunBackBeforeTheNext) {
    StartGame();
    int dashing = 0;
    std::int32_t fullest = 0;
    for (int i = 0; i < 200; ++i) {
        Frame(Keys{{DIK_X}});
        fullest = std::max(fullest, Ship().dashCounter);
        if (!game_->Ship().Dashing()) break;
        ++dashing;
        EXPECT_DOUBLE_EQ(Ship().speedX, PlayerState::kDashSpeedX);
    }
    EXPECT_EQ(fullest, 156) << "filled to 157, the meter runs back by one in the same frame";
    EXPECT_EQ(dashing, 156) << "the 157th frame fills the meter and ends the dash at once";
    EXPECT_DOUBLE_EQ(Ship().speedX, PlayerState::kNormalSpeedX);
    for (int i = 0; i < 150; ++i) {
        Frame(Keys{{DIK_X}});
        ASSERT_EQ(game_->Ship().Dashing(), 0) << "frame " << i << ": the meter must run back to 0 first";
    }
}

TEST_F(PlayerFlightTest, FadingSparksLeaveNoTranslucencyForTheNextFramesScenery) {
    StartGame();
    platform::Device* device = framework_->Device();
    for (int i = 0; i < 12; ++i) {
        Frame(Keys{{DIK_X}});
        // Right after the ship's drawing, as the sparks leave the device.
        clock_.Advance(5);
        game_->Ship().StepTrail(clock_.Ticks());
        game_->Ship().DrawTrail();
        std::uint32_t factor = 0, op = 0, arg1 = 0, arg2 = 0;
        device->GetRenderState(platform::D3DRS_TEXTUREFACTOR, &factor);
        device->GetTextureStageState(0, platform::D3DTSS_ALPHAOP, &op);
        device->GetTextureStageState(0, platform::D3DTSS_ALPHAARG1, &arg1);
        device->GetTextureStageState(0, platform::D3DTSS_ALPHAARG2, &arg2);
        const bool byFactor = op == platform::D3DTOP_MODULATE &&
                              (arg1 == platform::D3DTA_TFACTOR || arg2 == platform::D3DTA_TFACTOR);
        ASSERT_FALSE(byFactor && (factor >> 24) < 0xFFu)
            << "frame " << i << ": the city would be drawn see-through over its sky";
    }
}

TEST_F(PlayerFlightTest, ReleasingTheDashAtFrameFortyForbidsANewOneForFortyFramesAndRollsBackSmoothly) {
    StartGame();
    Hold(Keys{{DIK_X}}, 40);
    Frame();  // released: the meter starts running back
    double roll = Ship().roll;
    int blocked = 0;
    for (; blocked < 100; ++blocked) {
        Frame(Keys{{DIK_X}});
        if (game_->Ship().Dashing()) break;
        ASSERT_LT(Ship().roll - roll, 3.0) << "frame " << blocked << ": the ship turned level and back";
        roll = Ship().roll;
    }
    EXPECT_EQ(blocked, 39) << "one released frame plus 39 held ones: 40 frames without a dash";
    EXPECT_LT(std::fabs(roll), 1.0);
}

TEST_F(PlayerFlightTest, IdlingIntoTheTowerCostsFifteenLifeOnceWithOneHitSoundAndAShake) {
    StartGame();
    // The tower at the centre line, 850 ahead, passes the ship about 42 s into the stage.
    Idle(40000);
    EXPECT_EQ(Ship().life, 223);
    EXPECT_EQ(audio_.Count(3), 0);
    Idle(4000);
    EXPECT_EQ(Ship().life, 208);
    EXPECT_EQ(audio_.Count(3), 1);
    EXPECT_EQ(audio_.Count(6), 1) << "the bomb item on the centre line was collected on the way";
    EXPECT_EQ(Ship().bombs, 2);
}

TEST_F(PlayerFlightTest, BodyHitDuringTheFlashIsTakenOnTheFirstFrameAfterIt) {
    StartGame();
    Player& ship = game_->Ship();
    std::uint8_t bodyHit = 1;
    ship.CheckHits(clock_.Ticks(), &bodyHit, nullptr);
    EXPECT_EQ(Ship().life, 208);
    EXPECT_EQ(bodyHit, 0);
    bodyHit = 1;
    for (int i = 0; i < 15; ++i) {
        clock_.Advance(33);
        ship.CheckHits(clock_.Ticks(), &bodyHit, nullptr);
    }
    EXPECT_EQ(Ship().life, 208) << "immune while the flash shows";
    EXPECT_EQ(bodyHit, 1) << "the enemies' flag waits for the flash to end";
    clock_.Advance(33);
    ship.CheckHits(clock_.Ticks(), &bodyHit, nullptr);
    EXPECT_EQ(Ship().life, 193);
    EXPECT_EQ(bodyHit, 0);
}

TEST_F(PlayerFlightTest, ConfinedFlightGlidesToTheCentreOnceAndHoldsTheShipInTheNarrowBox) {
    StartGame();
    Hold(Keys{{DIK_RIGHT, DIK_UP}}, 40);
    ASSERT_GT(Ship().x, 3.0);
    ASSERT_GT(Ship().y, 3.0);
    SetFlightAreaConfined(1);
    Frame(Keys{{DIK_RIGHT}});
    EXPECT_EQ(Ship().centring, 1);
    const double startX = Ship().x;
    Hold(Keys{{DIK_RIGHT}}, 30);
    EXPECT_GT(Ship().x, 0.2) << "about a second in, the glide is half way";
    EXPECT_LT(Ship().x, startX);
    Idle(1100);
    EXPECT_EQ(Ship().centring, 0);
    EXPECT_NEAR(Ship().x, 0.0, 1e-6);
    EXPECT_NEAR(Ship().y, 0.0, 1e-6);

    Hold(Keys{{DIK_RIGHT}}, 40);
    EXPECT_DOUBLE_EQ(Ship().x, 2.0) << "the narrow box";
    SetFlightAreaConfined(0);
    Frame();
    SetFlightAreaConfined(1);
    Frame();
    EXPECT_EQ(Ship().centring, 0) << "a second confinement in the same stage does not glide again";
}

TEST_F(PlayerFlightTest, FireSoundsAndShootsWhileTheShipAndItsFlamesAreDrawn) {
    StartGame();
    const platform::Image before = Screen();
    Hold(Keys{{DIK_Z}}, 11);  // held, fire is reported on every fifth sampled frame
    EXPECT_GE(audio_.Count(0), 2);
    EXPECT_EQ(game_->Ship().Gun().ActiveCount(), audio_.Count(0)) << "one shot and one sound each time";
    // The ship sits in the lower middle of the screen, over the city's sky and ground.
    const platform::Image after = Screen();
    int differ = 0;
    for (int y = 250; y < 450; ++y) {
        for (int x = 300; x < 500; ++x) differ += before.At(x, y) != after.At(x, y);
    }
    EXPECT_GT(differ, 200) << "the shots did not show";
}

}  // namespace
