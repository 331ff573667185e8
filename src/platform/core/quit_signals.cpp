#include "platform/core/quit_signals.h"

#include <SDL.h>

#include <atomic>
#include <csignal>

namespace platform {

namespace {

// Lock-free, so the handler may touch it whichever thread the signal lands on.
std::atomic<int> g_pendingSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnQuitSignal(int signal) {
    int expected = 0;
    if (!g_pendingSignal.compare_exchange_strong(expected, signal)) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

}  // namespace

void InstallQuitSignalHandlers() {
    // The video system would otherwise put its own handlers in, which only work while it runs.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool TakeQuitSignal() { return g_pendingSignal.exchange(0) != 0; }

}  // namespace platform
