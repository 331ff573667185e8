#include "core/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/text_encoding.h"

namespace {

constexpr std::size_t kNameSize = 256;
char g_name[kNameSize];
std::FILE* g_stream = nullptr;
// Held while the stream is used, so a write from the music thread is never cut by another write
// nor by a close on the main thread.
std::mutex g_lock;

}  // namespace

void LogSetFile(const char* name) {
    std::memset(g_name, 0, sizeof g_name);
    if (!name || std::strlen(name) >= kNameSize) return;
    std::snprintf(g_name, sizeof g_name, "%s", name);
    std::remove(g_name);
}

void LogOpen() {
    if (g_name[0] == '\0') return;
    std::lock_guard<std::mutex> lock(g_lock);
    if (g_stream) return;
    g_stream = std::fopen(g_name, "w");
    if (g_stream) std::fflush(g_stream);
}

void LogWrite(const char* format, ...) {
    std::lock_guard<std::mutex> lock(g_lock);
    if (!g_stream || !format) return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n > 0) {
        std::vector<char> buf(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, args);
        std::string bytes = platform::Utf8ToCp932(std::string_view(buf.data(), static_cast<std::size_t>(n)));
        std::fwrite(bytes.data(), 1, bytes.size(), g_stream);
        std::fflush(g_stream);
    }
    va_end(args);
}

void LogClose() {
    std::lock_guard<std::mutex> lock(g_lock);
    if (!g_stream) return;
    std::fflush(g_stream);
    std::fclose(g_stream);
    g_stream = nullptr;
}

bool LogIsOpen() {
    std::lock_guard<std::mutex> lock(g_lock);
    return g_stream != nullptr;
}
