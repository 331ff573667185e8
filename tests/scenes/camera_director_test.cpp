#include "scenes/camera_director.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/registry.h"
#include "platform/core/clock.h"

namespace {

class CameraDirectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        director_.SetDefaults(platform::Vector3{0.0f, 4.0f, 0.0f}, platform::Vector3{0.0f, 0.0f, 20.0f});
    }
    void TearDown() override { ResetRegistry(); }

    void ExpectDefaultCamera() {
        EXPECT_FLOAT_EQ(director_.Eye().x, 0.0f);
        EXPECT_FLOAT_EQ(director_.Eye().y, 4.0f);
        EXPECT_FLOAT_EQ(director_.Eye().z, 0.0f);
        EXPECT_FLOAT_EQ(director_.LookAt().x, 0.0f);
        EXPECT_FLOAT_EQ(director_.LookAt().y, 0.0f);
        EXPECT_FLOAT_EQ(director_.LookAt().z, 20.0f);
    }

    platform::ManualClock clock_{50000};
    platform::ScopedClock scoped_{clock_};
    CameraDirector director_;
};

TEST_F(CameraDirectorTest, FirstIntroductionFollowsItsKeysAndEndsOnTheDefaultCamera) {
    SetCameraCutIn(1, 1);
    director_.Step(clock_.Ticks());
    EXPECT_TRUE(director_.Running(0));
    // A track read in the millisecond it starts gives its last key; one millisecond on, its first.
    clock_.Advance(1);
    director_.Step(clock_.Ticks());
    EXPECT_NEAR(director_.Eye().x, 20.0f, 0.01f);
    EXPECT_NEAR(director_.Eye().y, -5.0f, 0.01f);
    EXPECT_NEAR(director_.LookAt().z, 30.0f, 0.01f);

    clock_.Advance(1499);
    director_.Step(clock_.Ticks());
    EXPECT_NEAR(director_.Eye().x, 10.0f, 1e-4);
    EXPECT_NEAR(director_.Eye().y, 0.0f, 1e-4);
    EXPECT_NEAR(director_.Eye().z, -60.0f, 1e-4);
    EXPECT_NEAR(director_.LookAt().x, 2.5f, 1e-4);
    EXPECT_NEAR(director_.LookAt().y, 0.0f, 1e-4);
    EXPECT_NEAR(director_.LookAt().z, 25.0f, 1e-4);
    EXPECT_EQ(IsCameraCutInActive(), 1);

    clock_.Advance(1499);
    director_.Step(clock_.Ticks());
    EXPECT_EQ(IsCameraCutInActive(), 1) << "one millisecond before its end the move still runs";

    clock_.Advance(1);
    director_.Step(clock_.Ticks());
    EXPECT_EQ(IsCameraCutInActive(), 0);
    EXPECT_FALSE(director_.Running(0));
    ExpectDefaultCamera();
}

TEST_F(CameraDirectorTest, SecondIntroductionLastsFiveSecondsAndARepeatedRequestDoesNotRestartIt) {
    SetCameraCutIn(1, 2);
    director_.Step(clock_.Ticks());
    const std::uint32_t start = clock_.Ticks();
    int frames = 0;
    while (IsCameraCutInActive() && frames < 1000) {
        clock_.Advance(33);
        SetCameraCutIn(1, 2);  // asked again every frame: the running move goes on
        director_.Step(clock_.Ticks());
        ++frames;
    }
    EXPECT_GE(clock_.Ticks() - start, 5000u);
    EXPECT_LT(clock_.Ticks() - start, 5033u);
}

TEST_F(CameraDirectorTest, KindSevenPlaysTheLastMoveWithoutPortraitsAndClearsItsFlag) {
    SetCameraCutIn(1, 7);
    director_.Step(clock_.Ticks());
    clock_.Advance(1);
    director_.Step(clock_.Ticks());
    EXPECT_TRUE(director_.Running(5));
    EXPECT_TRUE(director_.SilentKind());
    EXPECT_NEAR(director_.Eye().x, 10.0f, 0.02f);
    EXPECT_NEAR(director_.LookAt().y, 10.0f, 0.01f);
    clock_.Advance(2999);
    director_.Step(clock_.Ticks());
    EXPECT_FALSE(director_.Running(5));
    EXPECT_FALSE(director_.SilentKind());
    EXPECT_EQ(IsCameraCutInActive(), 0);
}

TEST_F(CameraDirectorTest, RequestOfAnUnknownKindIsClearedSoInputIsSampledAgain) {
    for (std::int32_t kind : {0, 8, -3, 1000}) {
        SetCameraCutIn(1, kind);
        director_.Step(clock_.Ticks());
        EXPECT_EQ(IsCameraCutInActive(), 0) << "kind " << kind;
        ExpectDefaultCamera();
    }
}

TEST_F(CameraDirectorTest, ShakeSwingsTheEyeTwiceWithinHalfASecondAndWaitsForTheIntroductionToEnd) {
    *director_.ShakeRequest() = 1;
    director_.Step(clock_.Ticks());
    EXPECT_EQ(*director_.ShakeRequest(), 0);
    float highest = 0.0f, lowest = 0.0f;
    const std::uint32_t start = clock_.Ticks();
    while (clock_.Ticks() - start < 500) {
        director_.Step(clock_.Ticks());
        highest = std::max(highest, director_.Eye().x);
        lowest = std::min(lowest, director_.Eye().x);
        clock_.Advance(5);
    }
    EXPECT_NEAR(highest, 1.0f, 0.01f);
    EXPECT_NEAR(lowest, -1.0f, 0.01f);
    director_.Step(clock_.Ticks());
    EXPECT_FLOAT_EQ(director_.Eye().x, 0.0f) << "the shake is over at 500 ms";

    // A hit during an introduction is shaken only once the default camera is back.
    SetCameraCutIn(1, 3);
    director_.Step(clock_.Ticks());
    *director_.ShakeRequest() = 1;
    clock_.Advance(1000);
    director_.Step(clock_.Ticks());
    EXPECT_EQ(*director_.ShakeRequest(), 1);
    clock_.Advance(2000);
    director_.Step(clock_.Ticks());
    EXPECT_EQ(*director_.ShakeRequest(), 0);
    clock_.Advance(62);  // a quarter of the first swing: the eye is well off the centre line
    director_.Step(clock_.Ticks());
    EXPECT_GT(director_.Eye().x, 0.5f);
}

TEST_F(CameraDirectorTest, ResetStopsEverythingAndALaterRequestStartsAgain) {
    SetCameraCutIn(1, 4);
    director_.Step(clock_.Ticks());
    *director_.ShakeRequest() = 1;
    clock_.Advance(1000);
    director_.Reset();
    EXPECT_EQ(IsCameraCutInActive(), 0);
    EXPECT_FALSE(director_.Running(3));
    EXPECT_EQ(*director_.ShakeRequest(), 0);
    director_.Step(clock_.Ticks());
    ExpectDefaultCamera();

    SetCameraCutIn(1, 4);
    director_.Step(clock_.Ticks());
    clock_.Advance(1);
    director_.Step(clock_.Ticks());
    EXPECT_TRUE(director_.Running(3));
    EXPECT_NEAR(director_.Eye().z, 20.0f, 0.02f) << "the move starts from its first key again";
}

}  // namespace
