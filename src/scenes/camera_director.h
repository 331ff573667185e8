#pragma once
// The view camera: a fixed default eye and look-at point, a short shake when the ship is hit, and the
// six scripted camera moves that introduce the bosses, with their portraits drawn over the scene.
// A boss raises the program-wide cut-in request with its introduction kind; the director plays the
// matching move and clears the request when it ends. No input is sampled while the request stands.

#include <array>
#include <cstdint>
#include <span>

#include "core/keyframe_track.h"
#include "platform/gfx/math.h"
#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

class CameraDirector : public Drawable {
public:
    static constexpr int kSequenceCount = 6;
    // Kind 7 plays the last move without its portraits.
    static constexpr std::int32_t kSilentKind = 7;
    static constexpr std::uint32_t kShakeMs = 500;

    CameraDirector();
    CameraDirector(const CameraDirector&) = delete;
    CameraDirector& operator=(const CameraDirector&) = delete;

    // The six portraits LoadPortraits loads, in its order.
    static std::span<const AssetRef> Assets();

    void SetDefaults(platform::Vector3 eye, platform::Vector3 lookAt);
    bool LoadPortraits();
    // Stops every move, drops the cut-in request and the kind-7 flag, and ends a shake. Used when a play
    // starts and when the game is lost, so that a request left by an interrupted introduction can never
    // hold the input back.
    void Reset();
    // Once per frame, at its end: the view of the next frame.
    void Step(std::uint32_t now);
    // At the frame's start: keeps the view the frame is seen from, which Step at its end moves on.
    void KeepView();
    // Sets the kept view on the device (view, viewport, projection) and the scene's lighting. False when
    // the viewport cannot be read back.
    bool DrawView() const;
    // Keeps the portraits of the move playing at this point of the frame, before a loss can stop it.
    void KeepPortraits();
    // Inside the game frame's first sprite bracket: the portraits KeepPortraits kept.
    void DrawPortraits();

    platform::Vector3 Eye() const { return eye_; }
    platform::Vector3 LookAt() const { return lookAt_; }
    // The player raises it on every hit; the next step without a cut-in starts the shake.
    std::uint8_t* ShakeRequest() { return &shakeRequest_; }
    bool Running(int sequence) const { return running_[static_cast<std::size_t>(sequence)] != 0; }
    bool SilentKind() const { return kind7_ != 0; }

private:
    void StartSequence(int sequence, std::uint32_t now);

    // For each move: eye x, y, z, then look-at x, y, z.
    KeyframeTrack sequences_[kSequenceCount][6];
    KeyframeTrack shake_;
    platform::Vector3 eye_{};
    platform::Vector3 lookAt_{};
    platform::Vector3 defaultEye_{};
    platform::Vector3 defaultLookAt_{};
    std::uint8_t shakeRequest_ = 0;
    std::array<std::uint8_t, kSequenceCount> running_{};
    std::uint8_t kind7_ = 0;
    std::array<platform::TexturePtr, kSequenceCount> portraits_;
    platform::Vector3 shownEye_{};
    platform::Vector3 shownLookAt_{};
    // The moves whose portraits are shown.
    std::array<std::uint8_t, kSequenceCount> shownPortraits_{};
};
