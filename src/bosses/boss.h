#pragma once
// The base of the eight bosses. A boss only moves, attacks and draws: the roster decides when it enters,
// tests every hit and applies all damage. Motion and attack timing come from keyframe tracks read at the
// tick count, so nothing is integrated per frame.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/keyframe_track.h"
#include "collision/body_record.h"
#include "collision/boss_bullet.h"
#include "bosses/boss_mesh.h"
#include "bosses/bullet_pool.h"
#include "collision/player_state.h"
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

    // Every frame, whether in battle or not; nothing is drawn or placed unless active.
    virtual void Draw(std::uint32_t now);
    // Every frame while active: the clock fields, then the class's own steps, which draw their parts.
    virtual void Update(std::uint32_t now) = 0;
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

    Drawable& DrawContext() { return drawContext_; }
    BodyRecord& Body() { return body_; }
    const BodyRecord& Body() const { return body_; }
    BulletPool& List(int i) { return live_[static_cast<std::size_t>(i)]; }
    const BulletPool& List(int i) const { return live_[static_cast<std::size_t>(i)]; }
    const BulletPool& InitialList(int i) const { return initial_[static_cast<std::size_t>(i)]; }
    // The roster's copy of the ship, refreshed before every frame's drawing and updating.
    void SetPlayer(const PlayerState& player) { player_ = player; }
    const PlayerState& PlayerCopy() const { return player_; }

    const KeyframeTrack& MoveX(int set) const { return moveX_[set]; }
    const KeyframeTrack& MoveY(int set) const { return moveY_[set]; }
    const KeyframeTrack& MoveZ(int set) const { return moveZ_[set]; }
    std::uint32_t Elapsed() const { return elapsed_; }
    std::uint32_t BattleStart() const { return battleStart_; }

protected:
    // Builds list i and its saved copy with count copies of one entry.
    void BuildList(int i, std::size_t count, const BossBullet& entry);
    void BuildList(int i, const std::vector<BossBullet>& entries);
    // Copies every saved list over its live list.
    void RestoreLists();
    // The refresh every Update begins with.
    void Tick(std::uint32_t now);
    // The shared sway: x 0 -> -5 -> 0 -> +5 -> 0 over 8000 ms, y and z constant.
    void BuildSway(float y, float z);
    // Sets x, y, z from motion set 0 unless the boss holds its own position.
    void PlaceOnSway(std::uint32_t now);
    // Freezing and resuming motion set 0 (and the aux tracks) so that the sway picks up where it stopped.
    void PauseSway(std::uint32_t now);
    void ResumeSway(std::uint32_t now, bool withAux);
    // The body mesh at the body's place, translucent for the frame after a hit; clears the hit flash.
    void StandardDraw(std::uint32_t now, bool rotate);
    // Loads mesh i of `meshes_` (the body first), reporting a failure with `lostText`.
    bool LoadMesh(std::size_t i, std::string_view path, std::string_view lostText);
    // Draws a mesh at the world transform already set, with its own materials, or with every material's
    // diffuse alpha set to `alpha`.
    void DrawMesh(const BossMesh& mesh);
    void DrawMesh(const BossMesh& mesh, float alpha);

    Drawable drawContext_;
    BodyRecord body_;
    std::array<BulletPool, kListCount> live_;
    std::array<BulletPool, kListCount> initial_;
    KeyframeTrack aux_[kAuxCount];
    KeyframeTrack moveX_[kMotionSets];
    KeyframeTrack moveY_[kMotionSets];
    KeyframeTrack moveZ_[kMotionSets];
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
    void DrawSubsets(const BossMesh& mesh, const float* alpha);
};
