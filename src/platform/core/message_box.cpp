#include "platform/core/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <mutex>

namespace platform {

namespace {
std::mutex g_hookMutex;
MessageBoxHook g_hook;
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) {
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_hook = std::move(hook);
}

void MessageBox(WindowHandle /*owner*/, std::string_view text, std::string_view caption) {
    std::string t(text), c(caption);
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        if (g_hook) {
            g_hook(t, c);
            return;
        }
    }
    std::fprintf(stderr, "[%s] %s\n", c.c_str(), t.c_str());
    // The owner may already be hidden by the time a load fails, so the box is shown unowned.
    if (!IsHeadless()) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, c.c_str(), t.c_str(), nullptr);
    }
}

}  // namespace platform
