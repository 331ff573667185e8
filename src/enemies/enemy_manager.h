#pragma once
// Every ordinary enemy of the three stages: a class for each row of the kinds table and their shots,
// built once from the stage timetable at load. Each frame it moves them, retires those whose path is over, fires their
// shots, brings in those whose time has come, and answers the player's shots, the bomb's blast and the
// ship's body. The program-wide explosion, which enemies and shot-down scenery burst into, lives here.
//
// Records are built at load and never resized afterwards: their addresses are handed out to the ship,
// the console and the bomb, and a new game restores them in place.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "collision/collision_tests.h"
#include "effects/bomb_blast.h"
#include "effects/explosion.h"
#include "enemies/enemy.h"
#include "enemies/enemy_kinds.h"
#include "collision/enemy_record.h"
#include "collision/enemy_shot_record.h"
#include "enemies/enemy_shots.h"
#include "enemies/enemy_timetable_sink.h"
#include "collision/player_shot.h"
#include "collision/player_state.h"
#include "platform/gfx/load_prefetch.h"
#include "render/drawable.h"

class EnemyManager : public Drawable, public EnemyTimetableSink {
public:
    using TimetableBuilder = std::function<void(EnemyTimetableSink&)>;

    static constexpr int kClassCount = static_cast<int>(kEnemyKinds.size());
    static constexpr std::int32_t kKillScore = 100;
    // The bomb's target when no enemy is on the field: out of its reach.
    static constexpr double kNoTargetDepth = 500.0;
    // Enemies fire only between these depths (both exclusive).
    static constexpr double kFireNear = 20.0;
    static constexpr double kFireFar = 150.0;
    // Enemies and shots that come this close are gone.
    static constexpr double kPassedDepth = 1.0;

    EnemyManager();
    EnemyManager(const EnemyManager&) = delete;
    EnemyManager& operator=(const EnemyManager&) = delete;

    // What builds the timetable; set before Load.
    void SetTimetable(TimetableBuilder builder) { timetable_ = std::move(builder); }
    // The classes' models, the shot model, the explosion and the blast; then the timetable.
    bool Load();
    // What Load loads, in its order.
    static void AppendAssets(std::vector<platform::PrefetchItem>* out);
    // Creates every enemy and shot from the timetable (Load does this; tests without a device call it
    // directly). Must run before any record's address is handed out.
    void BuildTimetable();

    void AddEntry(const EnemyEntry& entry) override;
    // An order for an index the class does not have is ignored.
    void Order(EnemyClass enemyClass, std::int32_t index, double x, double y, double z,
               std::int32_t durationMs) override;

    // Every record back as the timetable made it (keeping the attitudes the orders gave), effects cleared.
    void ResetForNewGame();
    // Once a frame of the game: the enemies' flight, their step with their shots, the shots' flight,
    // the bomb's blast and the timetable's arrivals.
    void Update(std::uint32_t now);
    // What the last update kept: the enemies, their shots and the blast, in the 3D pass.
    void Draw() const;
    // Keeps a copy of the ship for aimed shots and tests the ship against the enemies' bodies.
    void SetPlayerState(const PlayerState& state);
    // The player's shots and the bomb's blast against every enemy.
    void CheckPlayerShots(std::uint32_t now, std::uint8_t blast);
    // The nearest active enemy, or a record at depth 500 when there is none.
    std::vector<EnemyRecord> TargetList();

    // One of the player's 50 main-gun shots, registered once at load.
    void AddPlayerShot(PlayerShot* shot) { playerShots_.push_back(shot); }

    // The flag the ship reads and clears: an enemy's body touched it.
    std::uint8_t* BodyHit() { return &bodyHit_; }
    std::uint8_t BlastActive() const { return blastActive_; }
    // In the order of EnemyClass; the records' addresses stay valid for the whole run.
    std::deque<Enemy>& Classes() { return classes_; }
    const std::deque<Enemy>& Classes() const { return classes_; }
    Enemy& Class(EnemyClass enemyClass) { return classes_[ClassSlot(enemyClass)]; }
    std::vector<EnemyRecord>& Records(EnemyClass enemyClass) { return Class(enemyClass).Records(); }
    std::vector<EnemyShotRecord>& ShotRecords() { return shots_.Records(); }
    EnemyShots& Shots() { return shots_; }
    // False while a shot waits for its enemy's first launch (its record is then inactive).
    bool Launched(std::size_t shot) const { return shots_.Launched(shot); }
    Explosion& ProgramExplosion() { return explosion_; }
    BombBlast& Blast() { return blast_; }
    const EnemyRecord& TargetRecord() const { return target_; }

private:
    static std::size_t ClassSlot(EnemyClass enemyClass) { return static_cast<std::size_t>(enemyClass) - 1; }
    static bool ValidClass(EnemyClass enemyClass);
    void EnemyStep(std::uint32_t now);
    void SpawnStep(std::uint32_t now);
    void Kill(std::uint32_t now, EnemyRecord& enemy, std::int32_t sound);

    CollisionTests collision_;
    PlayerState player_;
    EnemyRecord target_;
    std::vector<EnemyRecord> master_;
    std::vector<EnemyShotRecord> masterShots_;
    // For each class, the master index of each of its records.
    std::array<std::vector<std::size_t>, kClassCount> masterIndex_;
    std::uint8_t blastActive_ = 0;
    std::uint8_t bodyHit_ = 0;
    EnemyShots shots_;
    BombBlast blast_;
    Explosion explosion_;
    std::vector<PlayerShot*> playerShots_;
    // One per row of the kinds table, in its order (which is also the order of processing).
    std::deque<Enemy> classes_;
    TimetableBuilder timetable_;
};
