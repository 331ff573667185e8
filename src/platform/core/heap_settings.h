#pragma once
// How the C library's heap treats the large blocks the loaders free.

#include <cstddef>

namespace platform {

// Blocks of at least this many bytes (whole decoded pictures and their levels) are mapped apart and
// given back to the system when freed.
constexpr std::size_t kLargeBlockBytes = std::size_t{1} << 20;

// Fixes the heap's threshold for mapping blocks apart at kLargeBlockBytes. By default the threshold rises
// to the size of each large block freed, so that later pictures come from the heap and their freed
// space stays with the process: after loading, several pictures' worth of memory the game no longer
// uses would otherwise still count as resident. Call first thing in main, before any thread starts.
void ReturnLargeBlocksToTheSystem();

}  // namespace platform
