#pragma once
// What a random-play soak checks after every frame of the real game object. Each check answers an empty
// string when all is well, or what went wrong and in which record.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "collision/body_record.h"
#include "collision/boss_bullet.h"
#include "collision/enemy_record.h"
#include "collision/enemy_shot_record.h"
#include "collision/pickup_record.h"
#include "collision/player_shot.h"
#include "collision/player_state.h"

class GameApp;

// The name of the first field that is NaN or infinite, or empty.
std::string FirstNonFinite(const PlayerState& r);
std::string FirstNonFinite(const EnemyRecord& r);
std::string FirstNonFinite(const EnemyShotRecord& r);
std::string FirstNonFinite(const PlayerShot& r);
std::string FirstNonFinite(const PickupRecord& r);
std::string FirstNonFinite(const BodyRecord& r);
std::string FirstNonFinite(const BossBullet& r);

// Every record the hit tests read, in the game object as it stands.
std::string CheckRecordsFinite(GameApp& game);

// How long the input has been held back without a break.
class InputLockWatch {
public:
    explicit InputLockWatch(std::uint32_t limitMs) : limitMs_(limitMs) {}
    // Once a frame: whether the input is held back now. Non-empty once a lock has lasted past the limit.
    std::string Update(bool locked, std::uint32_t now);

private:
    std::uint32_t limitMs_;
    bool locked_ = false;
    std::uint32_t since_ = 0;
};

// Whether the gate or a camera cut-in holds the input back now (as the frame's input sampling sees it).
bool InputLocked(std::uint32_t now);

// The allocated bytes, sampled at each return to the title: after the games the baseline waits for, a
// sample may exceed the lowest one seen by the slack at most.
class MemoryWatch {
public:
    MemoryWatch(int warmUpSamples, std::size_t slackBytes) : warmUp_(warmUpSamples), slack_(slackBytes) {}
    std::string Sample(std::size_t bytes);
    std::size_t First() const { return first_; }
    std::size_t Last() const { return last_; }
    int Samples() const { return samples_; }

private:
    int warmUp_;
    std::size_t slack_;
    int samples_ = 0;
    std::size_t first_ = 0;
    std::size_t baseline_ = 0;
    std::size_t last_ = 0;
};

// The bytes the allocator holds for the program now (the sanitizer's count when it runs under one).
std::size_t AllocatedBytes();

// The pools' sizes and the places of the records whose addresses were handed out, taken once the game
// is loaded; every later frame must find them the same, and the counters within their ranges.
class PoolWatch {
public:
    void Capture(GameApp& game);
    std::string Check(GameApp& game) const;

private:
    struct Pool {
        std::string name;
        const void* data = nullptr;
        std::size_t size = 0;
    };
    static std::vector<Pool> Pools(GameApp& game);
    std::vector<Pool> pools_;
};

// More than one boss in play.
std::string CheckOneBossBattle(GameApp& game);
