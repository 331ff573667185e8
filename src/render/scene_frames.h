#pragma once
// The frame functions of the scenes, as the frame dispatch calls them. The game object implements
// them; tests supply their own.

#include <cstdint>

#include "app/input_state.h"

namespace platform {
class Device;
class Sprite;
}  // namespace platform

class SceneFrames {
public:
    virtual ~SceneFrames() = default;

    virtual void GameOverFrame(platform::Sprite* sprite, InputState input) = 0;
    virtual void StageClearFrame(platform::Sprite* sprite, InputState input) = 0;
    virtual void GameFrame(platform::Device* device, platform::Sprite* sprite, std::int32_t fps, InputState input) = 0;
    virtual void TitleFrame(platform::Device* device, platform::Sprite* sprite, InputState input) = 0;
    virtual void StageTitleFrame(platform::Sprite* sprite, InputState input) = 0;
    virtual void StoryFrame(platform::Sprite* sprite, InputState input) = 0;
    virtual void StaffFrame(platform::Sprite* sprite, InputState input) = 0;
    // Runs last in every frame: the shutter over everything.
    virtual void CommonFrame(platform::Sprite* sprite, InputState input) = 0;
    // After a failed present the device is reset and every state is back at its default: the states a
    // scene set once for the whole run must be set again.
    virtual void DeviceRestored(platform::Device* /*device*/) {}
};
