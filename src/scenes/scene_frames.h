#pragma once
// The frame functions of the scenes, as the frame dispatch calls them. The game object implements
// them; tests supply their own. Each takes the frame's record with the input snapshot as it stood at
// its call: a frame function that clears the input (leaving game over) takes it from those after it.

#include <cstdint>

#include "core/frame.h"

namespace platform {
class Device;
class Sprite;
}  // namespace platform

class SceneFrames {
public:
    virtual ~SceneFrames() = default;

    virtual void GameOverFrame(platform::Sprite* sprite, const Frame& frame) = 0;
    virtual void StageClearFrame(platform::Sprite* sprite, const Frame& frame) = 0;
    virtual void GameFrame(platform::Device* device, platform::Sprite* sprite, const Frame& frame) = 0;
    virtual void TitleFrame(platform::Device* device, platform::Sprite* sprite, const Frame& frame) = 0;
    virtual void StageTitleFrame(platform::Sprite* sprite, const Frame& frame) = 0;
    virtual void StoryFrame(platform::Sprite* sprite, const Frame& frame) = 0;
    virtual void StaffFrame(platform::Sprite* sprite, const Frame& frame) = 0;
    // Runs last in every frame: the shutter over everything.
    virtual void CommonFrame(platform::Sprite* sprite, const Frame& frame) = 0;
    // After a failed present the device is reset and every state is back at its default: the states a
    // scene set once for the whole run must be set again.
    virtual void DeviceRestored(platform::Device* /*device*/) {}
};
