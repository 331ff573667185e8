#include "platform/core/events.h"

#include <SDL.h>
#include <signal.h>

#include <atomic>
#include <utility>

#include "platform/core/window.h"

namespace platform {

namespace {
std::atomic<bool> g_quitPosted{false};
std::atomic<int> g_quitCode{0};
std::atomic<bool> g_screenshot{false};
std::atomic<bool> g_pause{false};
bool g_menuTakesEscape = false;
bool g_escape = false;
WindowActivity g_activity = WindowActivity::kUnchanged;

// The quit is posted from a signal handler: only lock-free atomics may be touched there.
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

extern "C" void OnTerminationSignal(int) { PostQuitMessage(0); }

// F11, or Enter with Alt held, as in most games and players on the desktop.
bool IsFullScreenKey(const SDL_KeyboardEvent& key) {
    const SDL_Scancode code = key.keysym.scancode;
    if (code == SDL_SCANCODE_F11) return true;
    return (code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER) && (key.keysym.mod & KMOD_ALT) != 0;
}

void NoteWindowEvent(const SDL_WindowEvent& window) {
    switch (window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            PostQuitMessage(0);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            NoteWindowSize(CurrentMainWindow());
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            g_activity = WindowActivity::kLost;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_RESTORED:
            g_activity = WindowActivity::kRegained;
            break;
        default:
            break;
    }
}
}  // namespace

void QuitOnTerminationSignals() {
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        // Whoever started us ignoring a hang-up or an interrupt meant it: "nohup korvex" keeps playing when
        // the terminal closes, and a game started in the background is not stopped by Ctrl-C.
        struct sigaction inherited = {};
        if (signal != SIGTERM && sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) {
            continue;
        }
        sigaction(signal, &action, nullptr);
    }
}

void PostQuitMessage(int exitCode) {
    g_quitCode.store(exitCode);
    g_quitPosted.store(true);
}

bool PumpMessages(int* exitCode) {
    SDL_Event e;
    while (SDL_WasInit(SDL_INIT_EVENTS) && SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT:
                PostQuitMessage(0);
                break;
            case SDL_WINDOWEVENT:
                NoteWindowEvent(e.window);
                break;
            case SDL_CONTROLLERBUTTONDOWN:
                if (e.cbutton.button == SDL_CONTROLLER_BUTTON_START) g_pause.store(true);
                break;
            case SDL_KEYDOWN:
                if (e.key.keysym.scancode == SDL_SCANCODE_ESCAPE && !e.key.repeat) {
                    if (g_menuTakesEscape) {
                        g_escape = true;
                    } else {
                        PostQuitMessage(0);
                    }
                }
                if (e.key.keysym.scancode == SDL_SCANCODE_F12 && !e.key.repeat) g_screenshot.store(true);
                if ((e.key.keysym.scancode == SDL_SCANCODE_P || e.key.keysym.scancode == SDL_SCANCODE_PAUSE) &&
                    !e.key.repeat) {
                    g_pause.store(true);
                }
                if (IsFullScreenKey(e.key) && !e.key.repeat) {
                    const WindowHandle window = CurrentMainWindow();
                    SetFullScreen(window, !IsFullScreen(window));
                }
                break;
            default:
                break;
        }
    }
    if (g_quitPosted.exchange(false)) {
        if (exitCode) *exitCode = g_quitCode.load();
        return true;
    }
    return false;
}

void SetMenuTakesEscape(bool taken) {
    g_menuTakesEscape = taken;
    g_escape = false;
}

bool ConsumeEscapeRequest() { return std::exchange(g_escape, false); }

bool ConsumeScreenshotRequest() { return g_screenshot.exchange(false); }

bool ConsumePauseRequest() { return g_pause.exchange(false); }

WindowActivity ConsumeWindowActivity() { return std::exchange(g_activity, WindowActivity::kUnchanged); }

namespace {
// A press and its release, as the system delivers them: the keyboard's table of keys down follows both.
void PushKey(SDL_Scancode code, Uint16 mod) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.scancode = code;
    e.key.keysym.sym = SDL_GetKeyFromScancode(code);
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    SDL_PushEvent(&e);
}
}  // namespace

void PushEscapeKey() { PushKey(SDL_SCANCODE_ESCAPE, KMOD_NONE); }

void PushWindowKey(WindowKey key) {
    PushKey(key == WindowKey::kF11 ? SDL_SCANCODE_F11 : SDL_SCANCODE_RETURN,
            key == WindowKey::kAltEnter ? KMOD_LALT : KMOD_NONE);
}

void PushPauseKey() { PushKey(SDL_SCANCODE_P, KMOD_NONE); }

void PushWindowFocus(bool focused) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = focused ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&e);
}

void PushCloseRequest() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
}

}  // namespace platform
