#include "scenes/pause_panel.h"

#include <algorithm>

#include "audio/scene_audio.h"
#include "audio/sound_cues.h"
#include "audio/volume.h"
#include "core/main_window.h"
#include "platform/core/window.h"
#include "render/loaders.h"
#include "render/picture_drawing.h"

namespace {

constexpr PanelItem kStageItems[] = {PanelItem::kResume, PanelItem::kMusic, PanelItem::kEffects, PanelItem::kFullScreen,
                                     PanelItem::kQuit};
constexpr PanelItem kTitleItems[] = {PanelItem::kMusic, PanelItem::kEffects, PanelItem::kFullScreen};

// The panel's glass is 480 x 352 at (16, 16) of its picture, centred on the 800 x 600 screen.
constexpr float kPanelX = 160.0f - 16.0f;
constexpr float kPanelY = 124.0f - 16.0f;
constexpr float kItemX = 180.0f;
constexpr float kValueX = 446.0f;
constexpr float kRowPitch = 56.0f;
constexpr float kStageFirstRow = 166.0f;
constexpr float kTitleFirstRow = 222.0f;

constexpr platform::Rect kItemRest{0, 0, 256, 32};
constexpr platform::Rect kItemSelected{0, 32, 256, 64};
constexpr platform::Rect kVolumeUnlit{0, 0, 256, 16};
// The lit row cut after the level's last segment: segment i ends at 20 + 18 i.
platform::Rect VolumeLit(int level) { return {0, 16, level > 0 ? 4 + 18 * level : 0, 32}; }

bool Pressed(std::int32_t now, std::int32_t before) { return now != 0 && before == 0; }

constexpr AssetRef kPanelPicture = PictureAsset("t\\pause_panel.png");
// In the order of PanelItem.
constexpr AssetRef kItemPictures[5] = {PictureAsset("t\\pause_resume.png"), PictureAsset("t\\pause_music.png"),
                                       PictureAsset("t\\pause_effects.png"), PictureAsset("t\\pause_fullscreen.png"),
                                       PictureAsset("t\\pause_quit.png")};
constexpr AssetRef kOnPicture = PictureAsset("t\\pause_on.png");
constexpr AssetRef kOffPicture = PictureAsset("t\\pause_off.png");
constexpr AssetRef kVolumePicture = PictureAsset("t\\pause_volume.png");
constexpr AssetRef kAssets[] = {kPanelPicture,    kItemPictures[0], kItemPictures[1], kItemPictures[2], kItemPictures[3],
                                kItemPictures[4], kOnPicture,       kOffPicture,      kVolumePicture};

bool LoadPicture(const Drawable& drawable, const AssetRef& asset, platform::TexturePtr* out) {
    return TextureLoadKeyed(asset.path, out, drawable, asset.colourKey);
}

}  // namespace

std::span<const AssetRef> PausePanel::Assets() { return kAssets; }

bool PausePanel::Load() {
    if (!LoadPicture(*this, kPanelPicture, &panel_)) return LoadFailed(*this, "pause_panelロスト");
    for (int i = 0; i < 5; ++i) {
        if (!LoadPicture(*this, kItemPictures[i], &items_[i])) return LoadFailed(*this, "pauseロスト");
    }
    if (!LoadPicture(*this, kOnPicture, &on_)) return LoadFailed(*this, "pause_onロスト");
    if (!LoadPicture(*this, kOffPicture, &off_)) return LoadFailed(*this, "pause_offロスト");
    if (!LoadPicture(*this, kVolumePicture, &volume_)) return LoadFailed(*this, "pause_volumeロスト");
    return true;
}

void PausePanel::Open(PanelKind kind, const InputState& held) {
    kind_ = kind;
    row_ = 0;
    before_ = held;
    firePressed_ = false;
    leftFrames_ = held.left != 0 ? -1 : 0;
    rightFrames_ = held.right != 0 ? -1 : 0;
    settleFrames_ = 0;
    settingsChanged_ = false;
}

PanelItem PausePanel::ItemAt(int row) const {
    row = std::clamp(row, 0, ItemCount() - 1);
    return kind_ == PanelKind::kStage ? kStageItems[row] : kTitleItems[row];
}

PanelItem PausePanel::Selected() const { return ItemAt(row_); }

void PausePanel::Move(int step) {
    const int row = std::clamp(row_ + step, 0, ItemCount() - 1);
    if (row == row_) return;
    row_ = row;
    Audio().PlaySound(sound::kMenuMove);
}

void PausePanel::Change(int step) {
    switch (Selected()) {
        case PanelItem::kMusic: {
            const int level = ClampVolume(MusicVolume() + step);
            if (level == MusicVolume()) return;
            SetMusicVolume(level);
            // The stage's music stands paused: it plays on while the panel is open, so that the new
            // level is heard, and the resume still takes it up where it stood.
            if (kind_ == PanelKind::kStage) Audio().AuditionMusic();
            break;
        }
        case PanelItem::kEffects: {
            const int level = ClampVolume(EffectsVolume() + step);
            if (level == EffectsVolume()) return;
            SetEffectsVolume(level);
            // The new level is heard at once, on the sound the cursor makes.
            Audio().PlaySound(sound::kMenuMove);
            break;
        }
        case PanelItem::kFullScreen:
            platform::SetFullScreen(MainWindowHandle, !platform::IsFullScreen(MainWindowHandle));
            settleFrames_ = kWindowSettleFrames;
            leftFrames_ = -1;
            rightFrames_ = -1;
            break;
        default:
            return;
    }
    settingsChanged_ = true;
}

// A value key changes on its press, then again while held after a delay; a key held since before the
// panel opened does nothing until it is let go.
bool PausePanel::Acts(bool held, int* frames, bool repeating) {
    if (!held) {
        *frames = 0;
        return false;
    }
    if (*frames < 0) return false;
    const int n = ++*frames;
    if (n == 1) return true;
    return repeating && n > kRepeatDelayFrames && (n - kRepeatDelayFrames) % kRepeatFrames == 1;
}

PanelAction PausePanel::Step(const InputState& held) {
    if (settleFrames_ > 0) {
        // Whatever is held at any time meanwhile counts as held before.
        --settleFrames_;
        for (std::int32_t InputState::*field : {&InputState::up, &InputState::down, &InputState::left,
                                                 &InputState::right, &InputState::button1}) {
            if (held.*field != 0) before_.*field = held.*field;
        }
        return PanelAction::kNone;
    }
    const InputState before = before_;
    before_ = held;
    if (Pressed(held.up, before.up)) Move(-1);
    if (Pressed(held.down, before.down)) Move(1);
    const bool repeating = Selected() != PanelItem::kFullScreen;
    if (Acts(held.left != 0, &leftFrames_, repeating)) Change(-1);
    if (Acts(held.right != 0, &rightFrames_, repeating)) Change(1);
    if (Pressed(held.button1, before.button1)) firePressed_ = true;
    if (!firePressed_ || held.button1 != 0) return PanelAction::kNone;
    firePressed_ = false;
    if (kind_ == PanelKind::kTitle) return PanelAction::kClose;
    switch (Selected()) {
        case PanelItem::kResume:
            return PanelAction::kResume;
        case PanelItem::kQuit:
            Audio().PlaySound(sound::kConfirm);
            return PanelAction::kQuitToTitle;
        case PanelItem::kFullScreen:
            Change(1);
            return PanelAction::kNone;
        default:
            return PanelAction::kNone;
    }
}

void PausePanel::Draw() {
    DrawPicture(*this, panel_.get(), nullptr, kPanelX, kPanelY, 1.0f, 1.0f, kOpaqueWhite);
    const float first = kind_ == PanelKind::kStage ? kStageFirstRow : kTitleFirstRow;
    for (int row = 0; row < ItemCount(); ++row) {
        const PanelItem item = ItemAt(row);
        const float y = first + kRowPitch * static_cast<float>(row);
        DrawPicture(*this, items_[static_cast<int>(item)].get(), row == row_ ? &kItemSelected : &kItemRest, kItemX, y,
                    1.0f, 1.0f, kOpaqueWhite);
        if (item == PanelItem::kMusic || item == PanelItem::kEffects) {
            const int level = item == PanelItem::kMusic ? MusicVolume() : EffectsVolume();
            DrawPicture(*this, volume_.get(), &kVolumeUnlit, kValueX, y + 8.0f, 1.0f, 1.0f, kOpaqueWhite);
            const platform::Rect lit = VolumeLit(level);
            if (lit.right > 0) DrawPicture(*this, volume_.get(), &lit, kValueX, y + 8.0f, 1.0f, 1.0f, kOpaqueWhite);
        } else if (item == PanelItem::kFullScreen) {
            platform::Texture* state = platform::IsFullScreen(MainWindowHandle) ? on_.get() : off_.get();
            DrawPicture(*this, state, nullptr, kValueX, y, 1.0f, 1.0f, kOpaqueWhite);
        }
    }
}
