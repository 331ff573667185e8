#pragma once
// Scene frame functions that record what the frame dispatch gave them, for the frame host's tests.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/registry.h"
#include "platform/gfx/device.h"
#include "platform/gfx/sprite.h"
#include "scenes/scene_frames.h"

// The tick the loop hands the frames in these tests.
inline constexpr std::uint32_t kNow = 50000;

// Records the calls and the input each frame function saw.
class RecordingFrames : public SceneFrames {
public:
    void GameOverFrame(platform::Sprite* sprite, const Frame& frame) override {
        Note("GameOver", sprite, frame);
        if (clearInputOnGameOver) ClearInputState();
    }
    void StageClearFrame(platform::Sprite* sprite, const Frame& frame) override { Note("StageClear", sprite, frame); }
    void GameFrame(platform::Device* device, platform::Sprite* sprite, const Frame& frame) override {
        Note("Game", sprite, frame);
        lastDevice = device;
        lastFps = frame.fps;
    }
    void TitleFrame(platform::Device* device, platform::Sprite* sprite, const Frame& frame) override {
        Note("Title", sprite, frame);
        lastDevice = device;
    }
    void StageTitleFrame(platform::Sprite* sprite, const Frame& frame) override { Note("StageTitle", sprite, frame); }
    void StoryFrame(platform::Sprite* sprite, const Frame& frame) override { Note("Story", sprite, frame); }
    void StaffFrame(platform::Sprite* sprite, const Frame& frame) override { Note("Staff", sprite, frame); }
    void CommonFrame(platform::Sprite* sprite, const Frame& frame) override {
        Note("Common", sprite, frame);
        if (drawInCommon) drawInCommon(sprite);
    }

    void Note(const char* name, platform::Sprite* sprite, const Frame& frame) {
        calls.push_back(name);
        inputs.push_back(frame.input);
        ticks.push_back(frame.now);
        lastSprite = sprite;
    }

    std::vector<std::string> calls;
    std::vector<InputState> inputs;
    std::vector<std::uint32_t> ticks;
    platform::Sprite* lastSprite = nullptr;
    platform::Device* lastDevice = nullptr;
    std::int32_t lastFps = -1;
    bool clearInputOnGameOver = false;
    std::function<void(platform::Sprite*)> drawInCommon;
};
