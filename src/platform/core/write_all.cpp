#include "platform/core/write_all.h"

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace platform {

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        // A short write is how a full disk first shows; the next write reports the error.
        if (n <= 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace platform
