#include "platform/core/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <mutex>

#include "platform/core/window_native.h"

namespace platform {

namespace {
std::mutex g_hookMutex;
MessageBoxHook g_hook;
MessageBoxBackend g_backend;

void ShowSystemBox(WindowHandle owner, const std::string& text, const std::string& caption) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(), NativeWindow(owner));
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) {
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_hook = std::move(hook);
}

void SetMessageBoxBackend(MessageBoxBackend backend) {
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_backend = std::move(backend);
}

void MessageBox(WindowHandle owner, std::string_view text, std::string_view caption) {
    std::string t(text), c(caption);
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        if (g_hook) {
            g_hook(t, c);
            return;
        }
    }
    std::fprintf(stderr, "[%s] %s\n", c.c_str(), t.c_str());
    MessageBoxBackend backend;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        backend = g_backend;
    }
    if (!backend && IsHeadless()) return;
    if (!owner) owner = CurrentMainWindow();
    // A window already hidden (a load failure on the way out) cannot carry the box: it stands alone then.
    if (IsWindowDestroyed(owner)) owner = nullptr;
    // A full-screen window would cover its own box under some window managers, and the box waits for
    // a person who cannot see it.
    if (IsFullScreen(owner)) LeaveFullScreen(owner);
    if (backend) {
        backend(owner, t, c);
    } else {
        ShowSystemBox(owner, t, c);
    }
}

}  // namespace platform
