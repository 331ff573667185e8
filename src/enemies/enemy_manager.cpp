#include "enemies/enemy_manager.h"

#include <algorithm>
#include <span>

#include "core/registry.h"
#include "platform/core/clock.h"
#include "audio/scene_audio.h"
#include "audio/sound_cues.h"

namespace {

// Degrees to radians as the timetable's attitudes are stored.
constexpr double kEntryRadians = 0.017453293005625408;

EnemyRecord NoTarget() {
    EnemyRecord r;
    r.z = EnemyManager::kNoTargetDepth;
    return r;
}

}  // namespace

EnemyManager::EnemyManager() : target_(NoTarget()) {
    for (const EnemyKind& kind : kEnemyKinds) classes_.emplace_back(kind);
}

void EnemyManager::AppendAssets(std::vector<platform::PrefetchItem>* out) {
    for (const EnemyKind& kind : kEnemyKinds) AppendPrefetch(std::span<const AssetRef>(&kind.mesh, 1), out);
    AppendPrefetch(EnemyShots::kAssets, out);
    AppendPrefetch(Explosion::kAssets, out);
    AppendPrefetch(BombBlast::kAssets, out);
}

bool EnemyManager::ValidClass(EnemyClass enemyClass) {
    const auto n = static_cast<std::int32_t>(enemyClass);
    return n >= 1 && n <= kClassCount;
}

bool EnemyManager::Load() {
    bool loaded = true;
    for (Enemy& enemy : classes_) {
        enemy.Bind(device_, sprite_, window_);
        if (!enemy.Load()) {
            loaded = false;
            break;
        }
    }
    if (loaded) {
        shots_.Bind(device_, sprite_, window_);
        explosion_.Bind(device_, sprite_, window_);
        blast_.Bind(device_, sprite_, window_);
        loaded = shots_.LoadModel() && explosion_.Load() && blast_.Load();
    }
    // The records are built even when a file failed: the program is ending then, but every address
    // handed out after this must still be a real record.
    BuildTimetable();
    return loaded;
}

void EnemyManager::BuildTimetable() {
    master_.clear();
    masterShots_.clear();
    for (auto& list : masterIndex_) list.clear();
    if (timetable_) timetable_(*this);
    shots_.SetRestingKeys();
}

void EnemyManager::AddEntry(const EnemyEntry& entry) {
    if (!ValidClass(entry.enemyClass)) return;
    EnemyRecord e;
    e.x = e.homeX = entry.x;
    e.y = e.homeY = entry.y;
    e.z = e.homeZ = entry.z;
    e.yaw = entry.yaw * kEntryRadians;
    e.pitch = entry.pitch * kEntryRadians;
    e.roll = entry.roll;
    e.active = entry.initiallyActive;
    e.hitPoints = entry.hitPoints;
    e.spawnTime = static_cast<std::uint32_t>(entry.time);
    e.spawned = 0;
    e.shotIndex = static_cast<std::int32_t>(master_.size());
    e.fireKind = entry.fireKind;
    e.stage = entry.stage;

    EnemyShotRecord s;
    s.x = entry.x;
    s.y = entry.y;
    s.z = entry.z;

    const std::size_t slot = ClassSlot(entry.enemyClass);
    masterIndex_[slot].push_back(master_.size());
    master_.push_back(e);
    classes_[slot].AddRecord(e);
    masterShots_.push_back(s);
    shots_.AddShot(s);
}

void EnemyManager::Order(EnemyClass enemyClass, std::int32_t index, double x, double y, double z,
                         std::int32_t durationMs) {
    if (!ValidClass(enemyClass)) return;
    Enemy& enemy = Class(enemyClass);
    if (index < 0 || static_cast<std::size_t>(index) >= enemy.Count()) return;
    enemy.Order(index, x, y, z, durationMs);
}

void EnemyManager::ResetForNewGame() {
    for (std::size_t c = 0; c < classes_.size(); ++c) {
        std::vector<EnemyRecord>& records = classes_[c].Records();
        for (std::size_t i = 0; i < records.size(); ++i) {
            EnemyRecord& e = records[i];
            // The attitudes are the orders' work, which the master copies were taken before.
            const double yaw = e.yaw, pitch = e.pitch, roll = e.roll;
            e = master_[masterIndex_[c][i]];
            e.yaw = yaw;
            e.pitch = pitch;
            e.roll = roll;
        }
    }
    std::vector<EnemyShotRecord>& shots = shots_.Records();
    for (std::size_t i = 0; i < shots.size(); ++i) {
        EnemyShotRecord& s = shots[i];
        const double yaw = s.yaw, pitch = s.pitch, roll = s.roll;
        s = masterShots_[i];
        s.yaw = yaw;
        s.pitch = pitch;
        s.roll = roll;
        shots_.Unlaunch(i);
    }
    target_ = NoTarget();
    bodyHit_ = 0;
    blastActive_ = 0;
    explosion_.Reset();
    blast_.Reset();
}

void EnemyManager::Update(std::uint32_t now) {
    UpdateStageClock(now);
    for (Enemy& enemy : classes_) enemy.Step(now);
    EnemyStep(now);
    shots_.Place(now);
    if (blastActive_ && target_.z < kNoTargetDepth) blast_.Spawn(now, target_.x, target_.y, target_.z);
    if (!IsBossBattleActive()) SpawnStep(now);
    blast_.StepLava(now);
}

void EnemyManager::Draw() const {
    for (const Enemy& enemy : classes_) enemy.Draw();
    shots_.Draw();
    blast_.DrawLava();
}

void EnemyManager::EnemyStep(std::uint32_t now) {
    std::vector<EnemyShotRecord>& shots = shots_.Records();
    for (Enemy& enemy : classes_) {
        std::vector<EnemyRecord>& records = enemy.Records();
        for (std::size_t i = 0; i < records.size(); ++i) {
            EnemyRecord& e = records[i];
            const auto s = static_cast<std::size_t>(e.shotIndex);
            if (s >= shots.size()) continue;
            EnemyShotRecord& shot = shots[s];
            if (e.active && enemy.PathEnded(i, now)) {
                e.active = 0;
                shot.active = 0;
            }
            if (shot.active && !e.active && shot.z <= kPassedDepth) shot.active = 0;
            if (e.active && e.z <= kPassedDepth) {
                e.active = 0;
                shot.active = 0;
            }
            if (e.active && e.z > kFireNear && e.z < kFireFar && shots_.ReadyToFire(s, now)) {
                shots_.Launch(s, e, player_, now);
            }
        }
    }
}

void EnemyManager::SpawnStep(std::uint32_t now) {
    const std::uint32_t elapsed = StageElapsed();
    const std::int32_t stage = GetStage();
    for (Enemy& enemy : classes_) {
        std::vector<EnemyRecord>& records = enemy.Records();
        for (std::size_t i = 0; i < records.size(); ++i) {
            EnemyRecord& e = records[i];
            if (e.stage != stage || elapsed < e.spawnTime || e.spawned) continue;
            // Without a path it would stand still for one frame, drawn, on the radar and the bomb's
            // target, and be gone the next.
            if (!enemy.HasPath(i)) continue;
            e.active = 1;
            e.spawned = 1;
            // The tick the enemy was due, so that one brought in late is already that far along its
            // path. Unsigned throughout: spawnTime - elapsed wraps and the sum comes back below now.
            const std::uint32_t due = now + (e.spawnTime - elapsed);
            enemy.StartTracks(i, due);
            const auto s = static_cast<std::size_t>(e.shotIndex);
            if (s < shots_.Count()) shots_.Unlaunch(s);
        }
    }
}

void EnemyManager::Kill(std::uint32_t now, EnemyRecord& enemy, std::int32_t sound) {
    Audio().PlaySound(sound);
    enemy.active = 0;
    explosion_.Spawn(now, enemy.x, enemy.y, enemy.z);
    AddScore(kKillScore);
}

void EnemyManager::CheckPlayerShots(std::uint32_t now, std::uint8_t blast) {
    blastActive_ = blast;
    // The blast is tested inside the shots' loop, as each shot's pass reaches the enemy; without any
    // registered shot it still gets its one pass.
    const std::size_t passes = std::max<std::size_t>(playerShots_.size(), 1);
    for (Enemy& enemy : classes_) {
        for (std::size_t p = 0; p < passes; ++p) {
            PlayerShot* shot = p < playerShots_.size() ? playerShots_[p] : nullptr;
            for (EnemyRecord& e : enemy.Records()) {
                if (shot && shot->active && e.active && collision_.PlayerShotHitsEnemy(*shot, e)) {
                    e.hitPoints -= shot->damage;
                    shot->active = 0;
                    if (e.hitPoints < 0) Kill(now, e, sound::kEnemyDown);
                }
                if (blastActive_ && e.active && collision_.BlastHitsEnemy(target_, e)) Kill(now, e, sound::kBlast);
            }
        }
    }
}

void EnemyManager::SetPlayerState(const PlayerState& state) {
    player_ = state;
    // Every active enemy is tested; the one flag makes any number of them one hit.
    for (const Enemy& enemy : classes_) {
        for (const EnemyRecord& e : enemy.Records()) {
            if (bodyHit_) return;
            if (e.active && collision_.EnemyHitsPlayer(e, player_)) bodyHit_ = 1;
        }
    }
}

std::vector<EnemyRecord> EnemyManager::TargetList() {
    target_.z = kNoTargetDepth;
    for (const Enemy& enemy : classes_) {
        for (const EnemyRecord& e : enemy.Records()) {
            if (e.active && e.z < target_.z) target_ = e;
        }
    }
    return {target_};
}
