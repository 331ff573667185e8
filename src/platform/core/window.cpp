#include "platform/core/window.h"

#include <SDL.h>

#include <cstring>

#include "platform/core/window_native.h"

namespace platform {

struct WindowImpl {
    SDL_Window* sdl = nullptr;
    SDL_GLContext gl = nullptr;
    int logicalWidth = 800;
    int logicalHeight = 600;
    bool destroyed = false;
};

namespace {
WindowHandle g_mainWindow = nullptr;
}  // namespace

bool InitVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The game reads the keyboard itself; a full-screen game should not vanish when focus moves away.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    return SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
}

void ShutdownVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

WindowHandle CreateMainWindow(const char* title, int width, int height, bool fullscreen) {
    if (!InitVideo()) return nullptr;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    int windowWidth = width, windowHeight = height;
    SDL_DisplayMode desktop;
    if (fullscreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        // The window is made at the desktop's size as well: where no window manager honours the
        // full-screen request, the window would otherwise stay small while drawing assumed the desktop.
        x = 0;
        y = 0;
        windowWidth = desktop.w;
        windowHeight = desktop.h;
    }
    SDL_Window* sdl = SDL_CreateWindow(title, x, y, windowWidth, windowHeight, flags);
    if (!sdl) return nullptr;
    auto* w = new WindowImpl;
    w->sdl = sdl;
    w->logicalWidth = width;
    w->logicalHeight = height;
    g_mainWindow = w;
    return w;
}

void DestroyWindow(WindowHandle window) {
    if (!window || window->destroyed) return;
    window->destroyed = true;
    SDL_HideWindow(window->sdl);
}

bool IsWindowDestroyed(WindowHandle window) { return !window || window->destroyed; }

void ReleaseWindow(WindowHandle window) {
    if (!window) return;
    if (window == g_mainWindow) g_mainWindow = nullptr;
    DestroyGLContext(window);
    SDL_DestroyWindow(window->sdl);
    delete window;
}

WindowHandle CurrentMainWindow() { return g_mainWindow; }

bool IsFullScreen(WindowHandle window) {
    return window && (SDL_GetWindowFlags(window->sdl) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP)) != 0;
}

void LeaveFullScreen(WindowHandle window) {
    if (window) SDL_SetWindowFullscreen(window->sdl, 0);
}

SDL_Window* NativeWindow(WindowHandle window) { return window ? window->sdl : nullptr; }

bool IsWindowMinimisedOrHidden(WindowHandle window) {
    if (!window) return true;
    Uint32 f = SDL_GetWindowFlags(window->sdl);
    return window->destroyed || (f & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}

bool WindowHasFocus(WindowHandle window) {
    if (!window || window->destroyed) return false;
    if (IsHeadless()) return true;  // nothing can take the focus from an offscreen window
    return (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void ShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void GetDrawableSize(WindowHandle window, int* width, int* height) {
    int w = 0, h = 0;
    if (window) SDL_GL_GetDrawableSize(window->sdl, &w, &h);
    if (width) *width = w;
    if (height) *height = h;
}

void GetLogicalSize(WindowHandle window, int* width, int* height) {
    if (width) *width = window ? window->logicalWidth : 0;
    if (height) *height = window ? window->logicalHeight : 0;
}

bool CreateGLContext(WindowHandle window) {
    if (!window) return false;
    if (window->gl) return true;
    window->gl = SDL_GL_CreateContext(window->sdl);
    if (!window->gl) return false;
    SDL_GL_MakeCurrent(window->sdl, window->gl);
    // Pacing is the game's own (33.3 ms slots); a swap interval would add a second clock to it.
    SDL_GL_SetSwapInterval(0);
    return true;
}

void DestroyGLContext(WindowHandle window) {
    if (window && window->gl) {
        SDL_GL_DeleteContext(window->gl);
        window->gl = nullptr;
    }
}

void SwapWindow(WindowHandle window) {
    if (window && window->gl) SDL_GL_SwapWindow(window->sdl);
}

void* GetGLProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

const char* VideoDriverName() {
    const char* d = SDL_GetCurrentVideoDriver();
    return d ? d : "";
}

bool IsHeadless() {
    const char* d = SDL_GetCurrentVideoDriver();
    if (!d) {
        const char* hint = SDL_getenv("SDL_VIDEODRIVER");
        return hint && (!std::strcmp(hint, "offscreen") || !std::strcmp(hint, "dummy"));
    }
    return !std::strcmp(d, "offscreen") || !std::strcmp(d, "dummy");
}

}  // namespace platform
