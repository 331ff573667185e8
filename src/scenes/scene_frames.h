#pragma once
// The scenes as the frame host runs them: every frame steps the scenes the flags name, in a fixed order,
// and then (when there is a device and drawing is wanted) draws the scenes it stepped, in the same order.
// A step is the scene's logic and never touches the device; a draw only draws what the steps left.
// Each step takes the frame's record with the input snapshot as it stood at its call: a step that clears
// the input (leaving game over) takes it from the steps after it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/frame.h"

namespace platform {
class Device;
class Sprite;
}  // namespace platform

enum class Scene : std::uint8_t { kGameOver, kStageClear, kGame, kTitle, kStageTitle, kStory, kStaff, kShutter };

// A scene one frame stepped, with the frame record its step was given; its draw gets the same record.
struct SteppedScene {
    Scene scene = Scene::kShutter;
    Frame frame{};
};

// The scenes one frame stepped, in their order. The draw that follows draws these and no others, so a
// scene left during the frame's steps still shows the frame it ran, as it did when each scene drew as
// it went.
class SceneList {
public:
    void Add(Scene scene, const Frame& frame) {
        if (count_ < scenes_.size()) scenes_[count_++] = SteppedScene{scene, frame};
    }
    std::span<const SteppedScene> Scenes() const { return {scenes_.data(), count_}; }

private:
    // At most one of game over and stage clear, one of the five main scenes, and the shutter.
    std::array<SteppedScene, 3> scenes_{};
    std::size_t count_ = 0;
};

class SceneFrames {
public:
    virtual ~SceneFrames() = default;

    virtual void StepScene(Scene scene, const Frame& frame) = 0;
    virtual void DrawScene(Scene scene, platform::Device* device, platform::Sprite* sprite, const Frame& frame) = 0;
    // After a failed present the device is reset and every state is back at its default: the states a
    // scene set once for the whole run must be set again.
    virtual void DeviceRestored(platform::Device* /*device*/) {}
};
