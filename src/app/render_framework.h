#pragma once
// Owns the drawing device, the one sprite object every screen shares, and the input devices; runs one
// frame at the tick the loop read for it: sample the input, step the scenes the flags name, then clear,
// draw the scenes stepped and present.

#include <cstdint>
#include <functional>
#include <memory>

#include "input/joystick.h"
#include "input/keyboard.h"
#include "platform/core/window.h"
#include "platform/gfx/device.h"
#include "platform/gfx/device_types.h"
#include "platform/gfx/sprite.h"
#include "platform/gfx/texture.h"
#include "app/input_tap.h"
#include "scenes/scene_frames.h"

class RenderFramework {
public:
    // Makes the keyboard object, then the joystick object (which reads "KeyConfig.txt").
    RenderFramework();
    // Releases the sprite object and the device, then the joystick and the keyboard.
    ~RenderFramework();
    RenderFramework(const RenderFramework&) = delete;
    RenderFramework& operator=(const RenderFramework&) = delete;

    // S_OK, or E_FAIL after the message "DirectXの初期化に失敗しました" when no device can be made.
    // The window decides whether the picture fills the screen; fullScreen only fixes the back buffer
    // at width x height, as a full-screen device has it.
    platform::HRESULT CreateDevice(platform::WindowHandle window, bool fullScreen, int width, int height);
    // A joystick when one is attached, the keyboard otherwise; the choice goes to the input device kind
    // of the registry. The keyboard is opened beside a pad for the menus over the still game only.
    void InitInput(platform::WindowHandle window);

    // A replay's input: the device kind and the pad's button numbers as recorded; no device is opened.
    void InitReplayInput(std::int32_t deviceKind, const KeyConfig& padButtons);
    // Records or replaces the raw input every frame; null (the default) leaves the devices alone.
    void SetInputTap(InputTap* tap) { inputTap_ = tap; }
    const Joystick& Pad() const { return joystick_; }

    platform::Device* Device() const { return device_.get(); }
    platform::Sprite* Sprite() const { return sprite_.get(); }

    // One frame: the scenes' steps, then, when drawing and there is a device, their draws and the present.
    // Nothing when game is null.
    void RunFrame(SceneFrames* game, std::uint32_t now, std::int32_t fps);
    // Off: frames step the game and draw nothing (fast replays, the logic tests); the device is left alone.
    void SetDrawing(bool drawing) { drawing_ = drawing; }
    bool Drawing() const { return drawing_; }

    // The next frame's finished picture is kept, as it stands before the present, for the frames that
    // show the game standing still.
    void CaptureNextFrame() { captureNext_ = true; }
    // Every finished frame's picture, as a 64-bit fingerprint, before it is presented (null: none).
    void SetPictureFingerprints(std::function<void(std::uint64_t)> sink) { fingerprints_ = std::move(sink); }
    platform::Texture* CapturedFrame() const { return captured_.get(); }
    // A frame that runs no scene: draw fills it (the picture kept, the pause panel), then the present.
    void RunStillFrame(SceneFrames* game, const std::function<void(platform::Device*, platform::Sprite*)>& draw);
    // The controls held now for the menus over the still game: the keyboard's (Enter and Space confirming
    // too) and the pad's when one is in use, read without the gate, the repeat rule or the tap, so the
    // game's snapshot and its recording are left as they are.
    InputState HeldControls();

private:
    bool ClearBackBuffer();
    void Capture();
    void Fingerprint();
    void PresentFrame(SceneFrames* game);

    void SampleInput(std::uint32_t now);
    void SampleTappedInput(std::uint32_t now);
    SceneList StepScenes(SceneFrames* game, std::uint32_t now, std::int32_t fps);

    std::unique_ptr<platform::Device> device_;
    platform::PresentParameters presentParameters_;
    std::unique_ptr<platform::Sprite> sprite_;
    Keyboard keyboard_;
    Joystick joystick_;
    InputTap* inputTap_ = nullptr;
    bool drawing_ = true;
    bool captureNext_ = false;
    std::unique_ptr<platform::Texture> captured_;
    std::function<void(std::uint64_t)> fingerprints_;
};
