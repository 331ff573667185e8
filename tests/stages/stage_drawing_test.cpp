// The sceneries drawn through a real device with the game's data, its fixed device state and its
// starting camera: each shows something plausible where it should.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/registry.h"
#include "platform/core/clock.h"
#include "platform/core/message_box.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/image.h"
#include "platform/gfx/sprite.h"
#include "stages/stage1_background.h"
#include "stages/stage2_background.h"
#include "stages/stage3_background.h"
#include "support/game_data_device.h"

using namespace platform;

namespace {

int Brightness(std::uint32_t c) { return static_cast<int>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)); }

int DifferentPixels(const Image& a, const Image& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.argb.size(); ++i) n += a.argb[i] != b.argb[i] ? 1 : 0;
    return n;
}

// Pixels of a row band that are not black.
int LitPixels(const Image& image, int top, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width; ++x) n += Brightness(image.At(x, y)) > 30 ? 1 : 0;
    }
    return n;
}

class StageDrawingTest : public GameDataDeviceTest {
protected:
    static constexpr std::uint32_t kFrameMs = 33;

    void SetUp() override {
        ResetRegistry();
        GameDataDeviceTest::SetUp();
        StartStageClock(clock_.Ticks());
    }
    void TearDown() override {
        GameDataDeviceTest::TearDown();
        ResetRegistry();
    }

    void LoadScenery(StageBackground& scenery) { Load(scenery); }

    // With `step` false the frame draws what the last step kept.
    Image DrawnFrame(StageBackground& scenery, bool step = true) {
        EXPECT_EQ(S_OK, device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000u,
                                       1.0f, 0));
        EXPECT_EQ(S_OK, device_->BeginScene());
        UpdateStageClock(clock_.Ticks());
        if (step) scenery.Step(clock_.Ticks());
        scenery.Draw();
        EXPECT_EQ(S_OK, device_->EndScene());
        Image image;
        EXPECT_EQ(S_OK, device_->GetBackBufferImage(&image));
        return image;
    }

    // Frames of play without looking at them.
    void Play(StageBackground& scenery, int frames) {
        for (int i = 0; i < frames; ++i) {
            DrawnFrame(scenery);
            clock_.Advance(kFrameMs);
        }
    }

    ManualClock clock_{300000};
    ScopedClock scopedClock_{clock_};
};

TEST_F(StageDrawingTest, CityShowsItsSkyAboveAndItsGroundBelow) {
    auto stage = std::make_unique<Stage1Background>();
    LoadScenery(*stage);
    stage->Reset(clock_.Ticks());
    Play(*stage, 30);
    const Image frame = DrawnFrame(*stage);
    EXPECT_EQ(800, LitPixels(frame, 0, 1)) << "the top row is the sky";
    EXPECT_GT(LitPixels(frame, 560, 600), 800 * 40 * 9 / 10) << "the bottom is the ground";
}

TEST_F(StageDrawingTest, SpaceShowsThePlanetAheadOnBlack) {
    auto stage = std::make_unique<Stage2Background>();
    LoadScenery(*stage);
    stage->Reset(clock_.Ticks());
    Play(*stage, 30);
    const Image frame = DrawnFrame(*stage);
    const Vector3 planet = Project(0.0f, 0.0f, 400.0f);
    EXPECT_GT(Brightness(frame.At(static_cast<int>(planet.x), static_cast<int>(planet.y))), 100);
    // Mostly black space around a planet a fifth of the screen across or so.
    const int lit = LitPixels(frame, 0, 600);
    EXPECT_GT(lit, 800 * 600 / 10);
    EXPECT_LT(lit, 800 * 600 / 2);
    EXPECT_EQ(0, LitPixels(frame, 590, 600));
}

// The ship's hit tests put out stars and rocks after the scenery's step; that frame still shows them.
TEST_F(StageDrawingTest, SpaceItemsPutOutAfterTheStepAreShownUntilTheNextStep) {
    auto stage = std::make_unique<Stage2Background>();
    LoadScenery(*stage);
    stage->Reset(clock_.Ticks());
    Play(*stage, 30);
    const Image shown = DrawnFrame(*stage);
    for (SpaceItem& item : stage->Stars()) item.active = 0;
    for (SpaceItem& item : stage->Rocks()) item.active = 0;
    EXPECT_EQ(0, DifferentPixels(shown, DrawnFrame(*stage, false)));
    EXPECT_GT(DifferentPixels(shown, DrawnFrame(*stage)), 100) << "gone from the next step on";
}

TEST_F(StageDrawingTest, FlowerFieldWearsTheSetOfItsVariant) {
    auto stage = std::make_unique<Stage3Background>();
    LoadScenery(*stage);
    stage->Reset(clock_.Ticks());
    Play(*stage, 30);
    SetSceneryVariant(1);
    const Image first = DrawnFrame(*stage);
    SetSceneryVariant(2);
    const Image second = DrawnFrame(*stage);
    SetSceneryVariant(4);
    const Image planet = DrawnFrame(*stage);
    SetSceneryVariant(9);
    const Image stray = DrawnFrame(*stage);
    EXPECT_EQ(800, LitPixels(first, 0, 1)) << "the top row is the sky";
    EXPECT_GT(LitPixels(first, 560, 600), 800 * 40 * 9 / 10) << "the bottom is the ground";
    EXPECT_GT(DifferentPixels(first, second), 800 * 600 / 2);
    EXPECT_EQ(0, DifferentPixels(first, stray)) << "a stray variant wears the first set";
    // The final phase: the planet alone on black.
    EXPECT_EQ(0, Brightness(planet.At(5, 5)));
    EXPECT_EQ(0, Brightness(planet.At(794, 5)));
    EXPECT_EQ(0, LitPixels(planet, 590, 600));
    const Vector3 centre = Project(0.0f, 0.0f, 400.0f);
    EXPECT_GT(Brightness(planet.At(static_cast<int>(centre.x), static_cast<int>(centre.y) + 60)), 100);
}

TEST_F(StageDrawingTest, FlowerFieldFadesOutWhileItChangesItsPictures) {
    auto stage = std::make_unique<Stage3Background>();
    LoadScenery(*stage);
    stage->Reset(clock_.Ticks());
    SetNextSceneryVariant(2);
    SetSceneryChangePending(1);
    // 15 frames on, 495 ms into the change: the sky and the ground are all but gone.
    Play(*stage, 15);
    const Image faded = DrawnFrame(*stage);
    EXPECT_LT(LitPixels(faded, 0, 1), 800 / 10);
    Play(*stage, 30);
    EXPECT_EQ(2, GetSceneryVariant());
    EXPECT_EQ(800, LitPixels(DrawnFrame(*stage), 0, 1));
}

}  // namespace
