#pragma once
// The C library's rand/srand as the game was tuned for them: a 15-bit generator (0 to 32767).
// The game divides rand() by 32767, so a generator with a larger range would give wrong values.

#include <cstdint>

namespace platform {

inline constexpr int kRandMax = 32767;

void Srand(std::uint32_t seed);
int Rand();

}  // namespace platform
