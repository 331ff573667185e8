#pragma once
// The whole game object on a hidden window, driven frame by frame through the frame dispatch with a
// manual clock and keys pressed through the keyboard's test injection. Music and sound cues are
// recorded instead of played. It runs in a folder of its own, with the game data's folders linked and
// its two text files copied, so the game may write its files while other runs go on beside it.
// Shared by the scene tests and the random-play soak, so it knows nothing of the test framework.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/window.h"
#include "app/render_framework.h"
#include "scenes/game_app.h"
#include "audio/scene_audio.h"
#include "support/recording_audio.h"
#include "support/temp_dir.h"

class GameHarness {
public:
    static constexpr std::uint32_t kFrameMs = 33;

    struct Options {
        // GAME START begins here (1 to 3).
        std::int32_t startStage = 1;
        // The synthetic joystick is attached before the input is chosen, so the game plays with it.
        bool joystick = false;
        // Off: frames only step the game (the long logic runs); the pixel tests draw.
        bool draw = true;
    };

    GameHarness() = default;
    ~GameHarness();
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    // Empty when the game is up; otherwise what failed.
    std::string Start(const Options& options);
    std::string Start() { return Start(Options{}); }
    // Everything released in reverse order; safe to call twice.
    void Stop();

    // One frame with these keys (DirectInput codes) held, then the clock moves on by one frame.
    void Frame(const std::vector<int>& keys = {});

    std::unique_ptr<TempWorkDir> workDir;
    platform::ManualClock clock{200000};
    platform::ScopedClock scopedClock{clock};
    RecordingAudio audio;
    platform::WindowHandle window = nullptr;
    std::unique_ptr<RenderFramework> framework;
    std::unique_ptr<GameApp> game;
    std::vector<std::string> messages;

private:
    bool started_ = false;
    bool joystick_ = false;
};
