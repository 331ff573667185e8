#pragma once
// The whole game object on a hidden window, driven frame by frame through the frame dispatch with a
// manual clock and keys pressed through the keyboard's test injection. Music and sound cues are
// recorded instead of played. Each test runs in a folder of its own, with the game data's folders
// linked and its two text files copied, so the game may write its files while other tests run.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/window.h"
#include "platform/gfx/image.h"
#include "render/render_framework.h"
#include "scenes/game_app.h"
#include "scenes/scene_audio.h"
#include "support/temp_dir.h"

class RecordingAudio : public SceneAudio {
public:
    void PlayTrack(std::int32_t track) override { tracks.push_back(track); }
    void FadeOut(std::int32_t ms) override { fades.push_back(ms); }
    void PlaySound(std::int32_t slot) override { sounds.push_back(slot); }

    int CountSound(int slot) const;
    void Clear();

    std::vector<int> tracks;
    std::vector<int> fades;
    std::vector<int> sounds;
};

// Keys held for one frame, by their DirectInput codes.
struct Keys {
    std::vector<int> down;
};

class GameFlowTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kFrameMs = 33;

    void SetUp() override;
    void TearDown() override;

    // One frame with these keys held, then the clock moves on by one frame.
    void Frame(const Keys& keys = {});
    // Frames without keys until the clock has moved on by at least ms.
    void Idle(std::uint32_t ms);
    // Frames until the predicate holds (at most maxFrames); true when it did.
    template <typename Predicate>
    bool FramesUntil(Predicate done, int maxFrames = 3000) {
        for (int i = 0; i < maxFrames; ++i) {
            if (done()) return true;
            Frame();
        }
        return done();
    }
    platform::Image Screen();
    platform::Image RocketAlone();
    bool QuitPosted();

    std::unique_ptr<TempWorkDir> workDir_;
    platform::ManualClock clock_{200000};
    platform::ScopedClock scopedClock_{clock_};
    RecordingAudio audio_;
    platform::WindowHandle window_ = nullptr;
    std::unique_ptr<RenderFramework> framework_;
    std::unique_ptr<GameApp> game_;
    std::vector<std::string> messages_;
};

// The number of pixels that differ between two pictures of the same size.
int DifferentPixels(const platform::Image& a, const platform::Image& b);
