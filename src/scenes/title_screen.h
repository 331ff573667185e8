#pragma once
// The title: a slowly turning backdrop, the player's ship in front of it (turned with left and right),
// the title picture over everything and the two-item menu. Confirming "exit" ends the program.

#include <cstdint>
#include <span>
#include <vector>

#include "core/input_state.h"
#include "core/keyframe_track.h"
#include "platform/gfx/device_types.h"
#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"
#include "render/mesh_resource.h"
#include "render/textured_mesh.h"
#include "scenes/title_layer.h"

class TitleScreen : public Drawable {
public:
    // The pictures and meshes Load loads, in its order.
    static std::span<const AssetRef> Assets();

    TitleScreen();
    bool Load();
    void Reset(std::uint32_t now);
    // The backdrop's turn, and the ship's turn with left and right.
    void Step(std::uint32_t now, InputState input);
    // The backdrop and the ship as the last Step turned them.
    void DrawScene() const;
    // Keeps the menu's choice as it stands at this point of the frame, before the frame's confirmation;
    // ends the program once exit has been confirmed.
    void StepMenu();
    // Inside a sprite bracket: the title picture and the menu as StepMenu kept it.
    void DrawMenu();

    // Tests: every title draws its picture from the picture itself every frame rather than from the kept
    // layer (the slow route to the same pixels).
    static void DrawPictureEachFrame(bool each) { pictureEachFrame_ = each; }
    const TitleLayer& Layer() const { return layer_; }

    void ChooseExit() { exitChosen_ = 1; }
    std::uint8_t ExitChosen() const { return exitChosen_; }
    double ShipYaw() const { return shipYaw_; }
    double BackdropAngle() const { return backdropAngle_; }

private:
    bool UsesLayer() const { return !pictureEachFrame_ && layer_.Built(); }

    platform::TexturePtr titlePicture_;
    TitleLayer layer_;
    static inline bool pictureEachFrame_ = false;
    MaterialTextures blueTextures_;
    MaterialTextures redTextures_;
    platform::TexturePtr startItem_;
    platform::TexturePtr exitItem_;
    MeshResource ship_;
    MeshResource backdrop_;
    MeshResource secondMesh_;
    double shipYaw_ = 210.0;
    double shipPitch_ = 0.0;
    double shipRoll_ = 0.0;
    KeyframeTrack spin_;
    KeyframeTrack counterSpin_;
    KeyframeTrack shipTurn_;
    double backdropAngle_ = 0.0;
    platform::Rect startNormal_{0, 0, 128, 32};
    platform::Rect startSelected_{0, 32, 128, 64};
    platform::Rect exitNormal_{0, 0, 128, 32};
    platform::Rect exitSelected_{0, 32, 128, 64};
    std::uint8_t exitChosen_ = 0;
    bool shownStartChosen_ = true;
};
