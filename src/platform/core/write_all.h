#pragma once
// Inside the platform layer: all of some bytes to an open file descriptor.

#include <string_view>

namespace platform {

// Writes every byte, going on after a signal interrupts a write. False when the file refuses one (a full
// disk first shows as a short write, then as the error).
bool WriteAll(int fd, std::string_view bytes);

}  // namespace platform
