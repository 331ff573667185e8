#pragma once
// Seeds for tests of random choices: the game draws from the platform's generator, so a test picks the
// seed that makes the next draw come out as it needs.

#include <cstdint>

#include "platform/core/random.h"

// A seed whose first draw modulo `choices` is `choice`; the generator is left seeded with it.
inline std::uint32_t SeedDrawingFirst(int choice, int choices) {
    for (std::uint32_t seed = 1;; ++seed) {
        platform::Srand(seed);
        if (platform::Rand() % choices == choice) {
            platform::Srand(seed);
            return seed;
        }
    }
}
