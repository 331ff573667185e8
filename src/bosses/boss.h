#pragma once
// The base of the eight bosses. A boss only moves, attacks and shows itself: the roster decides when it enters,
// tests every hit and applies all damage. Motion and attack timing come from keyframe tracks read at the
// tick count, so nothing is integrated per frame.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/keyframe_track.h"
#include "core/track3.h"
#include "collision/body_record.h"
#include "collision/boss_bullet.h"
#include "bosses/boss_mesh.h"
#include "bosses/boss_part.h"
#include "bosses/bullet_pool.h"
#include "collision/player_state.h"
#include "platform/gfx/texture.h"
#include "render/asset_ref.h"
#include "render/drawable.h"

class Boss {
public:
    static constexpr int kListCount = 6;
    static constexpr int kAuxCount = 4;
    static constexpr int kMotionSets = 3;
    // The diffuse alpha of the frame after a hit.
    static constexpr float kHitAlpha = 0.3f;

    Boss() = default;
    virtual ~Boss() = default;
    Boss(const Boss&) = delete;
    Boss& operator=(const Boss&) = delete;

    // Every frame, whether in battle or not; nothing is placed or shown unless active. The body's step
    // (placed on its sway, its hit flash shown and cleared), then while active the class's own steps. The
    // frame's parts to show are listed here and nowhere touches the device.
    void Step(std::uint32_t now);
    // The body's step alone, without the class's own: a frame that shows and moves the body only.
    void StepBodyOnly(std::uint32_t now);
    // Draws the parts the last step listed, in the order it listed them: the body, then the class's parts.
    void Draw() const;
    // What the last step listed.
    std::span<const BossPart> Parts() const { return parts_; }
    // Forgets the listed parts (a new stage shows nothing of the last).
    void ClearParts() { parts_.clear(); }
    // The meshes and pictures, once; a failure is reported by the loaders' convention.
    virtual bool Load() = 0;
    // At entry: motion set `set` and the attack clock start now.
    virtual void Start(std::uint32_t now, int set);
    // Before every stage: the class's state as built, with the bullet lists restored.
    virtual void Reset() = 0;

    // What the roster's battle controller tests besides the body: further bodies that the player's shots
    // hit (shields), and bullet records kept outside the six lists. None by default.
    virtual std::span<BodyRecord> ExtraBodies() { return {}; }
    virtual std::span<BossBullet> ExtraBullets() { return {}; }
    // The controller tells the boss that its last extra body has fallen and the body lost its shield.
    virtual void ShieldsDown() {}
    // A boss whose entry captures: the ship is taken and let go. Releasing with nothing held does nothing.
    virtual void HoldForCapture(std::uint32_t /*now*/) {}
    virtual void ReleaseCapture(std::uint32_t /*now*/) {}

    Drawable& DrawContext() { return drawContext_; }
    BodyRecord& Body() { return body_; }
    const BodyRecord& Body() const { return body_; }
    BulletPool& List(int i) { return live_[static_cast<std::size_t>(i)]; }
    const BulletPool& List(int i) const { return live_[static_cast<std::size_t>(i)]; }
    const BulletPool& InitialList(int i) const { return initial_[static_cast<std::size_t>(i)]; }
    // The roster's copy of the ship, refreshed before every frame's step.
    void SetPlayer(const PlayerState& player) { player_ = player; }
    const PlayerState& PlayerCopy() const { return player_; }

    const KeyframeTrack& MoveX(int set) const { return move_[set].x; }
    const KeyframeTrack& MoveY(int set) const { return move_[set].y; }
    const KeyframeTrack& MoveZ(int set) const { return move_[set].z; }
    std::uint32_t Elapsed() const { return elapsed_; }
    std::uint32_t BattleStart() const { return battleStart_; }

protected:
    // The body's step; by default placed on the sway and shown turned by its angles.
    virtual void StepBody(std::uint32_t now);
    // Every frame while active, after the body: the clock fields, then the class's own steps.
    virtual void StepParts(std::uint32_t now) = 0;
    // Builds list i and its saved copy with count copies of one entry.
    void BuildList(int i, std::size_t count, const BossBullet& entry);
    void BuildList(int i, const std::vector<BossBullet>& entries);
    // Puts an entry at a point read from its flight.
    static void MoveTo(BossBullet& entry, const TrackPoint& at) {
        entry.x = at.x;
        entry.y = at.y;
        entry.z = at.z;
    }
    // Copies every saved list over its live list.
    void RestoreLists();
    // The refresh every StepParts begins with.
    void Tick(std::uint32_t now);
    // The shared sway: x 0 -> -5 -> 0 -> +5 -> 0 over 8000 ms, y and z constant.
    void BuildSway(float y, float z);
    // Sets x, y, z from motion set 0 unless the boss holds its own position.
    void PlaceOnSway(std::uint32_t now);
    // Freezing and resuming motion set 0 (and the aux tracks) so that the sway picks up where it stopped.
    void PauseSway(std::uint32_t now);
    void ResumeSway(std::uint32_t now, bool withAux);
    // Places the body on its sway and shows the body mesh there, translucent for the frame after a hit.
    // The battle sets the hit flash after this frame's parts were listed, so it shows in the next frame's
    // body: it is read here and cleared.
    void ShowBody(std::uint32_t now, bool rotate);
    // Loads mesh i of `meshes_` (the body first) from its asset, reporting a failure with `lostText`, by
    // default the file's standard one.
    bool LoadMesh(std::size_t i, const AssetRef& asset);
    bool LoadMesh(std::size_t i, const AssetRef& asset, std::string_view lostText);
    // Loads a picture: keyed on its colour key, or the plain file without one.
    bool LoadPicture(const AssetRef& asset, platform::TexturePtr* out);
    // Gives mesh i's materials their pictures: material k the k-th of `pictures`, the last for any beyond.
    bool LoadMaterialPictures(std::size_t i, std::span<const AssetRef> pictures);
    // Lists a part to show this frame. A mesh with its own materials when alpha is below 0, or with every
    // material's diffuse alpha set to `alpha`; then times `alphaTimes`.
    void ShowMesh(const BossMesh& mesh, const platform::Matrix& world, const DrawState& state = {},
                  float alpha = -1.0f, float alphaTimes = 1.0f);
    void ShowFlipbook(platform::VertexBuffer* quad, platform::Texture* texture, const QuadPlacement& placement,
                      const DrawState& state = {});
    void ShowSprite(platform::VertexBuffer* quad, platform::Texture* texture, const platform::Matrix& world,
                    const DrawState& state);
    void ShowScrolledSprite(platform::VertexBuffer* quad, platform::Texture* texture, const platform::Matrix& world,
                            const DrawState& state, float u, float v);

    // Only the drawable's working matrix changes while drawing.
    mutable Drawable drawContext_;
    BodyRecord body_;
    std::array<BulletPool, kListCount> live_;
    std::array<BulletPool, kListCount> initial_;
    KeyframeTrack aux_[kAuxCount];
    Track3 move_[kMotionSets];
    // The sway frozen by an attack: its start at the freeze, how long the freeze lasted, when it began,
    // and the later start it resumes with.
    std::uint32_t savedMoveStart_ = 0;
    std::uint32_t pausedFor_ = 0;
    std::uint32_t pauseStart_ = 0;
    std::uint32_t resumedStart_ = 0;
    // Milliseconds since battleStart_, which each attack restarts.
    std::uint32_t elapsed_ = 0;
    std::uint32_t now_ = 0;
    std::uint32_t battleStart_ = 0;
    PlayerState player_;
    std::vector<BossMesh> meshes_;

private:
    void DrawPart(platform::Device& device, const BossPart& part) const;
    void DrawSubsets(platform::Device& device, const BossPart& part) const;

    std::vector<BossPart> parts_;
};
