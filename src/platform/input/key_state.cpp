#include "platform/input/key_state.h"

#include <SDL.h>

#include <array>
#include <atomic>
#include <mutex>

#include "platform/input/dik_codes.h"
#include "platform/input/input_injection.h"
#include "platform/input/scancode_table.h"

namespace platform {

namespace {

// Events may be pushed from any thread, so every byte is atomic on its own.
std::array<std::atomic<std::uint8_t>, kKeyStateSize> g_keys{};
std::mutex g_followMutex;
int g_followers = 0;

void SetKey(int dik, bool down) {
    if (dik <= 0 || dik >= kKeyStateSize) return;
    g_keys[dik].store(down ? kKeyDownBit : 0);
}

void ClearKeys() {
    for (auto& k : g_keys) k.store(0);
}

// Watches see every event as it is queued, real or pushed, before the pump takes it; the message pump
// swallows key presses, so this is where the key state learns of them.
int KeyEventWatch(void* /*userdata*/, SDL_Event* e) {
    switch (e->type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            SetKey(DikFromScancode(e->key.keysym.scancode), e->type == SDL_KEYDOWN);
            break;
        case SDL_WINDOWEVENT:
            // A key released while another window has the focus would never be seen to go up.
            if (e->window.event == SDL_WINDOWEVENT_FOCUS_LOST) ClearKeys();
            break;
        default:
            break;
    }
    return 1;
}

void TakeKeysAlreadyDown() {
    int count = 0;
    const Uint8* sdlKeys = SDL_GetKeyboardState(&count);
    ClearKeys();
    for (int scancode = 0; sdlKeys && scancode < count; ++scancode) {
        if (sdlKeys[scancode]) SetKey(DikFromScancode(scancode), true);
    }
}

}  // namespace

void StartFollowingKeys() {
    std::lock_guard<std::mutex> lock(g_followMutex);
    if (g_followers++ > 0) return;
    TakeKeysAlreadyDown();
    SDL_AddEventWatch(KeyEventWatch, nullptr);
}

void StopFollowingKeys() {
    std::lock_guard<std::mutex> lock(g_followMutex);
    if (g_followers == 0 || --g_followers > 0) return;
    SDL_DelEventWatch(KeyEventWatch, nullptr);
    ClearKeys();
}

void CopyKeyState(std::uint8_t* keys) {
    for (int i = 0; i < kKeyStateSize; ++i) keys[i] = g_keys[i].load();
}

void InjectKey(int dik, bool down) { SetKey(dik, down); }

void ReleaseAllKeys() { ClearKeys(); }

bool PushKeyEvent(int dik, bool down) {
    const int scancode = ScancodeFromDik(dik);
    if (scancode == 0 || !SDL_WasInit(SDL_INIT_EVENTS)) return false;
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    e.key.keysym.sym = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode));
    return SDL_PushEvent(&e) == 1;
}

}  // namespace platform
