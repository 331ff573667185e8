#include "soak/soak_checks.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "core/registry.h"
#include "bosses/boss_roster.h"
#include "enemies/enemy_manager.h"
#include "player/pickups.h"
#include "scenes/game_app.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's runtime has it; GCC ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

using Field = std::pair<const char*, double>;

std::string FirstBad(std::initializer_list<Field> fields) {
    for (const Field& f : fields) {
        if (!std::isfinite(f.second)) return f.first;
    }
    return {};
}

constexpr EnemyClass kClasses[] = {EnemyClass::k01, EnemyClass::k02, EnemyClass::k03, EnemyClass::k04, EnemyClass::k05};

template <typename Range>
std::string FirstInRange(const char* what, const Range& records) {
    std::size_t i = 0;
    for (const auto& r : records) {
        const std::string field = FirstNonFinite(r);
        if (!field.empty()) return std::string(what) + "[" + std::to_string(i) + "]." + field;
        ++i;
    }
    return {};
}

}  // namespace

std::string FirstNonFinite(const PlayerState& r) {
    return FirstBad({{"x", r.x},
                     {"y", r.y},
                     {"z", r.z},
                     {"yaw", r.yaw},
                     {"pitch", r.pitch},
                     {"roll", r.roll},
                     {"prevX", r.prevX},
                     {"prevY", r.prevY},
                     {"rh", r.rh},
                     {"rv", r.rv},
                     {"rz", r.rz},
                     {"speedX", r.speedX},
                     {"speedY", r.speedY},
                     {"speedZ", r.speedZ}});
}

std::string FirstNonFinite(const EnemyRecord& r) {
    return FirstBad({{"x", r.x},
                     {"y", r.y},
                     {"z", r.z},
                     {"targetX", r.targetX},
                     {"targetY", r.targetY},
                     {"targetZ", r.targetZ},
                     {"homeX", r.homeX},
                     {"homeY", r.homeY},
                     {"homeZ", r.homeZ},
                     {"yaw", r.yaw},
                     {"pitch", r.pitch},
                     {"roll", r.roll},
                     {"rh", r.rh},
                     {"rv", r.rv},
                     {"rz", r.rz}});
}

std::string FirstNonFinite(const EnemyShotRecord& r) {
    return FirstBad({{"x", r.x},
                     {"y", r.y},
                     {"z", r.z},
                     {"yaw", r.yaw},
                     {"pitch", r.pitch},
                     {"roll", r.roll},
                     {"rh", r.rh},
                     {"rv", r.rv},
                     {"rz", r.rz}});
}

std::string FirstNonFinite(const PlayerShot& r) {
    return FirstBad({{"x", r.x},
                     {"y", r.y},
                     {"z", r.z},
                     {"yaw", r.yaw},
                     {"pitch", r.pitch},
                     {"roll", r.roll},
                     {"rh", r.rh},
                     {"rv", r.rv},
                     {"rz", r.rz}});
}

std::string FirstNonFinite(const PickupRecord& r) {
    return FirstBad({{"x", r.x},
                     {"y", r.y},
                     {"z", r.z},
                     {"scaleX", r.scaleX},
                     {"scaleY", r.scaleY},
                     {"scaleZ", r.scaleZ},
                     {"rh", r.rh},
                     {"rv", r.rv},
                     {"rz", r.rz},
                     {"alpha", r.alpha}});
}

std::string FirstNonFinite(const BodyRecord& r) {
    return FirstBad({{"x", r.x},
                     {"y", r.y},
                     {"z", r.z},
                     {"yaw", r.yaw},
                     {"pitch", r.pitch},
                     {"roll", r.roll},
                     {"rh", r.rh},
                     {"rv", r.rv},
                     {"rz", r.rz}});
}

std::string FirstNonFinite(const BossBullet& r) {
    return FirstBad({{"x", r.x},
                     {"y", r.y},
                     {"z", r.z},
                     {"yaw", r.yaw},
                     {"pitch", r.pitch},
                     {"roll", r.roll},
                     {"sx", r.sx},
                     {"sy", r.sy},
                     {"sz", r.sz},
                     {"rh", r.rh},
                     {"rv", r.rv},
                     {"rz", r.rz},
                     {"work[0]", r.work[0]},
                     {"work[1]", r.work[1]},
                     {"angles[0]", r.angles[0]},
                     {"angles[1]", r.angles[1]},
                     {"angles[2]", r.angles[2]}});
}

std::string CheckRecordsFinite(GameApp& game) {
    std::string bad = FirstNonFinite(game.Ship().State());
    if (!bad.empty()) return "ship." + bad;
    for (EnemyClass c : kClasses) {
        const std::string what = "enemy class " + std::to_string(static_cast<int>(c));
        bad = FirstInRange(what.c_str(), game.Enemies().Records(c));
        if (!bad.empty()) return bad;
    }
    if (!(bad = FirstInRange("enemy shot", game.Enemies().ShotRecords())).empty()) return bad;
    if (!(bad = FirstInRange("main gun shot", game.Ship().Gun().Shots())).empty()) return bad;
    if (!(bad = FirstNonFinite(game.Ship().Bomb().Shot())).empty()) return "homing bomb." + bad;
    if (!(bad = FirstInRange("ring", game.Ship().Items().Rings())).empty()) return bad;
    if (!(bad = FirstInRange("bomb item", game.Ship().Items().BombItems())).empty()) return bad;
    for (int i = 0; i < BossRoster::kBossCount; ++i) {
        Boss& boss = game.Bosses().GetBoss(i);
        const std::string who = "boss " + std::to_string(i);
        if (!(bad = FirstNonFinite(boss.Body())).empty()) return who + " body." + bad;
        if (!(bad = FirstInRange((who + " extra body").c_str(), boss.ExtraBodies())).empty()) return bad;
        if (!(bad = FirstInRange((who + " extra bullet").c_str(), boss.ExtraBullets())).empty()) return bad;
        for (int l = 0; l < Boss::kListCount; ++l) {
            const std::string list = who + " list " + std::to_string(l) + " bullet";
            if (!(bad = FirstInRange(list.c_str(), boss.List(l))).empty()) return bad;
        }
    }
    return {};
}

std::string InputLockWatch::Update(bool locked, std::uint32_t now) {
    if (!locked) {
        locked_ = false;
        return {};
    }
    if (!locked_) {
        locked_ = true;
        since_ = now;
    }
    const std::uint32_t held = now - since_;
    if (held <= limitMs_) return {};
    return "input held back for " + std::to_string(held) + " ms" +
           (IsCameraCutInActive() ? " (camera cut-in " + std::to_string(GetCameraCutInIndex()) + ")" : " (gate)");
}

bool InputLocked(std::uint32_t now) { return IsCameraCutInActive() != 0 || !InputGateExpired(now); }

std::string MemoryWatch::Sample(std::size_t bytes) {
    ++samples_;
    last_ = bytes;
    if (samples_ == 1) first_ = bytes;
    if (samples_ <= warmUp_) return {};
    if (baseline_ == 0 || bytes < baseline_) baseline_ = bytes;
    if (bytes <= baseline_ + slack_) return {};
    return "memory grew from " + std::to_string(baseline_) + " to " + std::to_string(bytes) + " bytes";
}

std::size_t AllocatedBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

std::vector<PoolWatch::Pool> PoolWatch::Pools(GameApp& game) {
    std::vector<Pool> pools;
    for (EnemyClass c : kClasses) {
        auto& records = game.Enemies().Records(c);
        pools.push_back({"enemy class " + std::to_string(static_cast<int>(c)), records.data(), records.size()});
    }
    auto& shots = game.Enemies().ShotRecords();
    pools.push_back({"enemy shots", shots.data(), shots.size()});
    for (int i = 0; i < BossRoster::kBossCount; ++i) {
        Boss& boss = game.Bosses().GetBoss(i);
        const std::string who = "boss " + std::to_string(i);
        for (int l = 0; l < Boss::kListCount; ++l) {
            pools.push_back({who + " list " + std::to_string(l), boss.List(l).begin(), boss.List(l).Size()});
        }
        pools.push_back({who + " extra bodies", boss.ExtraBodies().data(), boss.ExtraBodies().size()});
        pools.push_back({who + " extra bullets", boss.ExtraBullets().data(), boss.ExtraBullets().size()});
    }
    return pools;
}

void PoolWatch::Capture(GameApp& game) { pools_ = Pools(game); }

std::string PoolWatch::Check(GameApp& game) const {
    const std::vector<Pool> now = Pools(game);
    for (std::size_t i = 0; i < now.size() && i < pools_.size(); ++i) {
        if (now[i].size != pools_[i].size) {
            return now[i].name + " holds " + std::to_string(now[i].size) + " records, not " +
                   std::to_string(pools_[i].size);
        }
        if (now[i].data != pools_[i].data) return now[i].name + " moved";
    }
    const PlayerState& ship = game.Ship().State();
    if (ship.bombs < 0 || ship.bombs > Pickups::kMaxBombs) return "ship holds " + std::to_string(ship.bombs) + " bombs";
    if (ship.life > PlayerState::kFullLife) return "ship's life " + std::to_string(ship.life) + " above full";
    return {};
}

std::string CheckOneBossBattle(GameApp& game) {
    std::string active;
    int count = 0;
    for (int i = 0; i < BossRoster::kBossCount; ++i) {
        if (game.Bosses().GetBoss(i).Body().active) {
            ++count;
            active += " " + std::to_string(i);
        }
    }
    if (count <= 1) return {};
    return "bosses in play at once:" + active;
}
