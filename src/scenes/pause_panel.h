#pragma once
// The panel over a game standing still: during a stage RESUME, MUSIC, EFFECTS, FULL SCREEN and QUIT TO
// TITLE; on the title only the three settings. Up and Down choose, Left and Right change a value (the
// volumes 0 to 10 at once, full screen on or off), fire confirms. It reads the controls as they are
// held, with its own repeat for the values, so the game's own input and its repeat count stay untouched.

#include <cstdint>
#include <span>

#include "core/input_state.h"
#include "platform/gfx/device_types.h"
#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

enum class PanelKind { kStage, kTitle };
enum class PanelAction { kNone, kResume, kQuitToTitle, kClose };
enum class PanelItem { kResume, kMusic, kEffects, kFullScreen, kQuit };

class PausePanel : public Drawable {
public:
    // Frames a value key is held before it repeats, and between repeats.
    static constexpr int kRepeatDelayFrames = 10;
    static constexpr int kRepeatFrames = 3;
    // The scene behind the panel is drawn at this share of its light.
    static constexpr std::uint32_t kDimColour = 0xFF5A5A5Au;
    // Frames the panel waits after switching between full screen and a window: while the window changes
    // the keyboard may read as all keys up for a frame, which must not count as a new press.
    static constexpr int kWindowSettleFrames = 10;

    // The pictures Load loads, in its order.
    static std::span<const AssetRef> Assets();

    bool Load();
    // The panel opens on its first item. What is held at that moment counts as held before: a button
    // kept down from play confirms nothing.
    void Open(PanelKind kind, const InputState& held);
    // One frame of the panel with the controls held now. Fire acts when it is let go, so the game,
    // running again in the next frame, never finds the press.
    PanelAction Step(const InputState& held);
    // Inside a sprite bracket, over the scene's picture dimmed to kDimColour.
    void Draw();

    PanelKind Kind() const { return kind_; }
    PanelItem Selected() const;
    int ItemCount() const { return kind_ == PanelKind::kStage ? 5 : 3; }
    PanelItem ItemAt(int row) const;
    // Whether a setting was changed since Open.
    bool SettingsChanged() const { return settingsChanged_; }

private:
    void Move(int step);
    void Change(int step);
    bool Acts(bool held, int* frames, bool repeating);

    platform::TexturePtr panel_;
    platform::TexturePtr items_[5];
    platform::TexturePtr on_;
    platform::TexturePtr off_;
    platform::TexturePtr volume_;
    PanelKind kind_ = PanelKind::kStage;
    int row_ = 0;
    InputState before_{};
    bool firePressed_ = false;
    int leftFrames_ = 0;
    int rightFrames_ = 0;
    int settleFrames_ = 0;
    bool settingsChanged_ = false;
};
