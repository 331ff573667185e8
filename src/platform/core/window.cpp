#include "platform/core/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/core/window_native.h"

namespace platform {

struct WindowImpl {
    SDL_Window* sdl = nullptr;
    SDL_GLContext gl = nullptr;
    int logicalWidth = 800;
    int logicalHeight = 600;
    int windowedWidth = 800;  // the size to come back to from full screen
    int windowedHeight = 600;
    bool maximisedBefore = false;  // when full screen: the window it came from was maximised
    bool presentOnRefreshWanted = false;
    bool destroyed = false;
};

namespace {
WindowHandle g_mainWindow = nullptr;

// The desktop's work area (without panels and docks); the whole desktop where no work area is known.
bool WorkArea(int* width, int* height) {
    SDL_Rect area;
    if (SDL_GetDisplayUsableBounds(0, &area) != 0 || area.w <= 0 || area.h <= 0) {
        SDL_DisplayMode desktop;
        if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return false;
        area.w = desktop.w;
        area.h = desktop.h;
    }
    *width = area.w;
    *height = area.h;
    return true;
}

// The largest whole multiple of the picture whose window, frame included, fits the work area.
void FitWindowToWorkArea(WindowImpl* w, int frameWidth, int frameHeight) {
    int areaWidth = 0, areaHeight = 0;
    const int scale =
        WorkArea(&areaWidth, &areaHeight)
            ? WholeMultipleThatFits(areaWidth - frameWidth, areaHeight - frameHeight, w->logicalWidth, w->logicalHeight)
            : 1;
    w->windowedWidth = w->logicalWidth * scale;
    w->windowedHeight = w->logicalHeight * scale;
}

// A window is never made larger than the work area, whatever size it is asked for (one saved on a
// larger display, say): it could not be seen whole, nor its edges reached.
void KeepInsideWorkArea(WindowImpl* w, int frameWidth, int frameHeight) {
    int areaWidth = 0, areaHeight = 0;
    if (!WorkArea(&areaWidth, &areaHeight)) return;
    w->windowedWidth = std::min(w->windowedWidth, std::max(areaWidth - frameWidth, w->logicalWidth / 2));
    w->windowedHeight = std::min(w->windowedHeight, std::max(areaHeight - frameHeight, w->logicalHeight / 2));
}

bool ApplySwapInterval(WindowImpl* w, int* refreshHz) {
    if (refreshHz) *refreshHz = 0;
    if (!w || !w->gl) return false;
    int hz = 0;
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(w->sdl);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) hz = mode.refresh_rate;
    if (refreshHz) *refreshHz = hz;
    const bool onRefresh = w->presentOnRefreshWanted && RefreshSuitsFramePacing(hz) && SDL_GL_SetSwapInterval(1) == 0;
    if (!onRefresh) SDL_GL_SetSwapInterval(0);
    return onRefresh;
}

}  // namespace

int WholeMultipleThatFits(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return 1;
    return std::max(1, std::min(areaWidth / pictureWidth, areaHeight / pictureHeight));
}

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
    return CreateMainWindow(title, width, height, WindowOptions{fullscreen, width, height});
}

WindowHandle CreateMainWindow(const char* title, int width, int height, const WindowOptions& options) {
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
    auto* w = new WindowImpl;
    w->logicalWidth = width;
    w->logicalHeight = height;
    const bool fit = options.windowWidth <= 0 || options.windowHeight <= 0;
    if (fit) {
        FitWindowToWorkArea(w, 0, 0);
    } else {
        w->windowedWidth = options.windowWidth;
        w->windowedHeight = options.windowHeight;
        KeepInsideWorkArea(w, 0, 0);
    }
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    int windowWidth = w->windowedWidth, windowHeight = w->windowedHeight;
    SDL_DisplayMode desktop;
    if (options.fullScreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        // The window is made at the desktop's size as well: where no window manager honours the
        // full-screen request, the window would otherwise stay small while drawing assumed the desktop.
        x = 0;
        y = 0;
        windowWidth = desktop.w;
        windowHeight = desktop.h;
    }
    SDL_Window* sdl = SDL_CreateWindow(title, x, y, windowWidth, windowHeight, flags);
    if (!sdl) {
        delete w;
        return nullptr;
    }
    w->sdl = sdl;
    SDL_SetWindowMinimumSize(sdl, width / 2, height / 2);
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(sdl, &top, &left, &bottom, &right) == 0) {
        // The frame is known only now that the window is up: a size that fitted the area alone may not
        // fit with its title bar.
        if (fit) {
            FitWindowToWorkArea(w, left + right, top + bottom);
        } else {
            KeepInsideWorkArea(w, left + right, top + bottom);
        }
        if (!options.fullScreen && (w->windowedWidth != windowWidth || w->windowedHeight != windowHeight)) {
            SDL_SetWindowSize(sdl, w->windowedWidth, w->windowedHeight);
            SDL_SetWindowPosition(sdl, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
    }
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

void LeaveFullScreen(WindowHandle window) { SetFullScreen(window, false); }

void SetFullScreen(WindowHandle window, bool fullScreen) {
    if (!window || window->destroyed || IsFullScreen(window) == fullScreen) return;
    if (fullScreen) {
        window->maximisedBefore = (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_MAXIMIZED) != 0;
        NoteWindowSize(window);
        // Made the display's size first, as at creation: where no window manager honours the request
        // the window would stay as it was.
        SDL_Rect display;
        if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window->sdl)), &display) == 0) {
            SDL_SetWindowPosition(window->sdl, display.x, display.y);
            SDL_SetWindowSize(window->sdl, display.w, display.h);
        }
        SDL_SetWindowFullscreen(window->sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window->sdl, 0);
        if (window->maximisedBefore) {
            SDL_MaximizeWindow(window->sdl);
        } else {
            KeepInsideWorkArea(window, 0, 0);
            SDL_SetWindowSize(window->sdl, window->windowedWidth, window->windowedHeight);
            SDL_SetWindowPosition(window->sdl, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
    }
    // The window may now be on another display, with another refresh.
    ApplySwapInterval(window, nullptr);
}

void NoteWindowSize(WindowHandle window) {
    if (!window || IsFullScreen(window) || (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_MAXIMIZED) != 0) return;
    SDL_GetWindowSize(window->sdl, &window->windowedWidth, &window->windowedHeight);
}

void GetWindowedSize(WindowHandle window, int* width, int* height) {
    NoteWindowSize(window);
    if (width) *width = window ? window->windowedWidth : 0;
    if (height) *height = window ? window->windowedHeight : 0;
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
    // Pacing is the game's own (33.3 ms slots): presents wait for the display only where asked to and
    // its refresh suits that pacing (SetPresentOnRefresh).
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

bool RefreshSuitsFramePacing(int refreshHz) { return refreshHz > 0 && refreshHz % 30 == 0; }

bool SetPresentOnRefresh(WindowHandle window, bool wanted, int* refreshHz) {
    if (window) window->presentOnRefreshWanted = wanted;
    return ApplySwapInterval(window, refreshHz);
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
