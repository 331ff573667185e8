#pragma once
// A random-play soak of the real game object: games started from the title one after another, the
// ship's life held full in every other game (those reach the bosses and the later stages) and real in
// the rest (those end in game over), every frame checked. It stops at the first failure.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

struct SoakOptions {
    double seconds = 60.0;
    std::uint32_t seed = 1;
    // GAME START's stage for every game; 0 takes stages 1, 2 and 3 in turn, two games each.
    std::int32_t stage = 0;
    // A game with its life held full lets go of it after this much game time, so it ends too.
    std::uint32_t heldMs = 300000;
    // Returns to the title that come before the memory baseline, and the growth allowed after it.
    int memoryWarmUp = 3;
    std::size_t memorySlack = 4u << 20;
    // The longest the input may be held back.
    std::uint32_t lockLimitMs = 10000;
    // A line of progress every so many seconds of game time (0: none).
    std::uint32_t progressSeconds = 0;
};

struct SoakSummary {
    std::uint64_t gameMs = 0;
    std::uint64_t frames = 0;
    int gamesStarted = 0;
    std::set<int> stagesReached;
    int bossesBeaten = 0;
    int gameOvers = 0;
    int stagesCleared = 0;
    int staffRolls = 0;
    int stories = 0;
    std::size_t memoryFirst = 0;
    std::size_t memoryLast = 0;
    int memorySamples = 0;
    // Empty when every check held; otherwise the first failure, with where it happened.
    std::string failure;
};

SoakSummary RunSoak(const SoakOptions& options);
std::string FormatSummary(const SoakSummary& summary);
