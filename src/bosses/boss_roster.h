#pragma once
// The eight bosses and their battles. The roster brings a boss in when the stage clock reaches its entry
// time, steps and draws the boss in play, runs its battle controller (the player's shots and the bomb's
// blast on the boss, the boss's bullets on the player, the boss's death), keeps the boss life gauge, and
// hands the homing bomb the boss in play as its target.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/keyframe_track.h"
#include "bosses/battle_rules.h"
#include "collision/body_record.h"
#include "bosses/boss.h"
#include "collision/collision_tests.h"
#include "effects/bomb_blast.h"
#include "effects/damage_flash.h"
#include "effects/explosion.h"
#include "platform/core/window.h"
#include "collision/player_shot.h"
#include "collision/player_state.h"
#include "collision/ship_life.h"
#include "platform/gfx/load_prefetch.h"

// What a battle's end means for the stage; the game object acts on it (the roster changes no scene).
enum class StageEnd : std::uint8_t {
    kNone,
    kStageClear,  // a stage's final boss fell: the stage-clear screen, then the next stage
    kLastClear,   // the last boss fell: the stage-clear screen, then the staff roll
};

namespace platform {
class Device;
class Sprite;
}  // namespace platform

class BossRoster {
public:
    // One per entry of BossEntries().
    static constexpr int kBossCount = 8;
    static constexpr std::int32_t kBossScore = 10000;
    static constexpr std::int32_t kBlastDamage = 50;
    static constexpr std::int32_t kGaugeEmpty = 223;
    // The lock-on entry's depth when no boss is in play: out of the bomb's reach.
    static constexpr double kNoTarget = 500.0;
    // The blast opens this deep, at the locked-on boss's x and y.
    static constexpr double kBlastDepth = 100.0;
    static constexpr std::int32_t kStageClearFadeMs = 2000;
    // The stage-clear screen leaves by itself once this gate, set when the boss falls, runs out.
    static constexpr std::uint32_t kStageClearGateMs = 4000;
    // The capture of the stage-2 final boss: the ship is carried this deep and back, is gone while beyond
    // the vanishing depth, and loses this much life when it is let go.
    static constexpr std::uint32_t kCaptureMs = 4000;
    static constexpr double kCaptureDepth = 45.0;
    static constexpr double kVanishDepth = 40.0;
    static constexpr std::int32_t kCaptureLife = 20;

    // Builds every boss of BossEntries() with a provisional life that Reset replaces before any play.
    BossRoster();
    BossRoster(const BossRoster&) = delete;
    BossRoster& operator=(const BossRoster&) = delete;

    // Every boss in roster order, then the explosions, the flash and the blast.
    void Load(platform::Device* device, platform::Sprite* sprite, platform::WindowHandle window);
    // Before every stage: the gauge empty, every boss as built and configured, the effects cleared.
    void Reset(std::uint32_t now);
    // Once a frame of the game scene, after the ship's control step: every boss's step (which lists what it
    // shows) and a boss enters when its time has come (never once the game is lost). Touches no device.
    void Step(std::uint32_t now);
    // Draws what every boss's last step listed, in roster order. Reads nothing the frame's later logic
    // (Battle) changes, so it may run anywhere after Step.
    void Draw() const;
    // The homing bomb's blast flag, every frame before Battle.
    void SetSpecial(std::uint8_t on) { specialOn_ = on; }
    // Once a frame after the ship's weapons: the controller of the boss in play. Reports a fallen final
    // boss; a boss that falls once the game is lost counts for nothing.
    StageEnd Battle(std::uint32_t now);
    // The lock-on list: entry 0 is the boss in play, or a point out of reach when there is none.
    std::vector<BodyRecord> Targets();

    // The explosions at fallen bosses and shields, and the bomb's blast: their step, then their draw
    // inside the game frame's 3D pass.
    void StepEffects(std::uint32_t now);
    void DrawEffects() const;
    // The flash of a boss hit on the ship: its step, then its draw inside the game frame's second sprite
    // bracket.
    void StepFlash(std::uint32_t now) { hitEffects_.Step(now); }
    void DrawFlash() const { hitEffects_.Draw(); }

    // Appends every boss's meshes and pictures, in roster order, to the start-up prefetch.
    static void AppendBossAssets(std::vector<platform::PrefetchItem>* out);

    // Wiring, once at load.
    void AddPlayerShot(PlayerShot* shot) { playerShots_.push_back(shot); }
    void SetPlayerState(PlayerState* state) { playerState_ = state; }
    // Whom the bullets and the black hole's grip ask to take the ship's life.
    void SetShipLife(ShipLife* life) { shipLife_ = life; }
    void SetStage1Flag(std::uint8_t* flag) { stage1Flag_ = flag; }
    void SetGaugeValue(std::int32_t* value) { gaugeValue_ = value; }

    Boss& GetBoss(int index) { return *bossList_[static_cast<std::size_t>(index)]; }
    const Boss& GetBoss(int index) const { return *bossList_[static_cast<std::size_t>(index)]; }
    std::uint8_t GaugeFull() const { return gaugeFull_; }
    std::uint8_t TargetHeld() const { return targetHeld_; }
    std::uint8_t SpecialOn() const { return specialOn_; }
    const DamageFlash& HitEffects() const { return hitEffects_; }
    const Explosion& Explosions() const { return explosions_; }
    const BombBlast& Blast() const { return bombBlast_; }
    // Carries the ship's depth while a black hole of the stage-2 final boss holds it.
    KeyframeTrack& CaptureTrack() { return captureTrack_; }
    // 1 while a black hole holds the ship. The ship's centring byte is set with it, which only freezes
    // the movement buttons; this flag is the capture's own.
    std::uint8_t Captured() const { return captured_; }

private:
    // Boss `index` as its entry makes it at the start of a stage, with `life`.
    void Configure(int index, std::int32_t life);
    // At most one boss enters per check: a jump of the clock past several entry times brings them in one
    // battle after another, never together.
    void EntryCheck(std::uint32_t now, std::uint32_t stageClock);
    void Enter(std::uint32_t now, int index);
    StageEnd Controller(std::uint32_t now, int index);
    void ShotsOnBoss(std::uint32_t now, Boss& boss);
    // A shot on the boss's extra bodies: true when one took it.
    bool ShotOnExtras(std::uint32_t now, Boss& boss, PlayerShot& shot, std::span<BodyRecord> extras);
    void BlastOnBoss(Boss& boss);
    void BulletsOnPlayer(std::uint32_t now, int index, Boss& boss);
    bool BulletHits(BulletTest test, const Boss& boss, const BossBullet& bullet) const;
    void PlayerHit(std::uint32_t now, const BossBullet& bullet);
    StageEnd Death(std::uint32_t now, int index, Boss& boss);
    void StandardEnd(std::uint32_t now, const BodyRecord& body);
    void UpdateGauge(const BodyRecord& body);
    void StartCapture(std::uint32_t now, Boss& boss);
    void FollowCapture(std::uint32_t now);
    // Puts the ship back in its plane, alive if it has life, with its buttons free; the boss's sway resumes.
    void ReleaseCapture(std::uint32_t now);

    std::array<std::unique_ptr<Boss>, kBossCount> bosses_;
    CollisionTests tests_;
    std::vector<Boss*> bossList_;
    std::vector<BodyRecord> targets_;
    BodyRecord scratch_;
    std::uint8_t gaugeFull_ = 0;
    std::uint8_t specialOn_ = 0;
    std::int32_t hitEffect_ = 0;
    std::uint8_t targetHeld_ = 0;
    KeyframeTrack captureTrack_;
    std::uint8_t captured_ = 0;
    // The boss whose entry captures, told when the capture begins and ends.
    Boss* capturer_ = nullptr;
    std::vector<PlayerShot*> playerShots_;
    Explosion explosions_;
    DamageFlash hitEffects_;
    BombBlast bombBlast_;
    PlayerState* playerState_ = nullptr;
    ShipLife* shipLife_ = nullptr;
    std::uint8_t* stage1Flag_ = nullptr;
    std::int32_t* gaugeValue_ = nullptr;
};
