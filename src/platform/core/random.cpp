#include "platform/core/random.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<std::uint32_t> g_state{1};
}

void Srand(std::uint32_t seed) { g_state.store(seed); }

int Rand() {
    std::uint32_t next = g_state.load() * 214013u + 2531011u;
    g_state.store(next);
    return static_cast<int>((next >> 16) & 0x7FFF);
}

}  // namespace platform
