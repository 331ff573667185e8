#pragma once
// The game's single window and the OpenGL context drawn into it.

#include <cstdint>

namespace platform {

struct WindowImpl;
using WindowHandle = WindowImpl*;

// Brings up the video and event systems. False when no video driver at all can be had.
bool InitVideo();
void ShutdownVideo();

struct WindowOptions {
    bool fullScreen = false;
    // The window's size when it is not full screen, and the size it takes on leaving full screen; 0 x 0
    // is the largest whole multiple of the picture that fits the desktop's work area.
    int windowWidth = 0;
    int windowHeight = 0;
};

// The window shows a `width` x `height` picture. Full screen uses the desktop's own mode, never changing
// the monitor's; otherwise a window the player may resize and maximise. Either way the picture is
// scaled to fit, its shape kept, with black bars. The window is created ready for an OpenGL 2.1
// compatibility context with 24-bit depth and 8-bit stencil.
WindowHandle CreateMainWindow(const char* title, int width, int height, const WindowOptions& options);
// Full screen, or a window of the picture's own size.
WindowHandle CreateMainWindow(const char* title, int width, int height, bool fullscreen);

// The largest whole multiple of the picture that fits the area, at least 1.
int WholeMultipleThatFits(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);

// Hides the window at once; it is released at shut-down, so a frame still running may draw into it.
void DestroyWindow(WindowHandle window);
bool IsWindowDestroyed(WindowHandle window);
void ReleaseWindow(WindowHandle window);

bool IsWindowMinimisedOrHidden(WindowHandle window);
// The main window made last and not yet released, or null; a message box with no owner stands over it.
WindowHandle CurrentMainWindow();
bool IsFullScreen(WindowHandle window);
// Back to a plain window, so that a box shown over it is not hidden behind a full-screen picture.
void LeaveFullScreen(WindowHandle window);
// Full screen or a window, at the player's key: a window comes back at the size it last had.
void SetFullScreen(WindowHandle window, bool fullScreen);
// The window's size when it is neither full screen nor maximised: its present size when it is so, the
// size it had last otherwise.
void GetWindowedSize(WindowHandle window, int* width, int* height);
// Takes the window's present size as its own when it is neither full screen nor maximised; the pump
// calls it when the window changes size.
void NoteWindowSize(WindowHandle window);
bool WindowHasFocus(WindowHandle window);
void ShowCursor(bool show);

// The size of the drawable surface in pixels (larger than 800 x 600 when full screen).
void GetDrawableSize(WindowHandle window, int* width, int* height);
// The logical size the game draws at (800 x 600).
void GetLogicalSize(WindowHandle window, int* width, int* height);

// OpenGL context on the window. False when no context with the wanted buffers can be had.
bool CreateGLContext(WindowHandle window);
void DestroyGLContext(WindowHandle window);
void SwapWindow(WindowHandle window);
// Whether a display of this refresh rate shows every frame of the 30 Hz loop for the same number of
// refreshes: a whole multiple of 30 Hz.
bool RefreshSuitsFramePacing(int refreshHz);
// Presents each frame on the display's vertical refresh where the refresh suits the loop's pacing and
// `wanted` is set; otherwise, or where the driver refuses, at once. The loop keeps its own pacing either
// way. Taken again when the window changes between full screen and a window. Returns whether presents
// now wait for the refresh; `refreshHz` gets the display's rate (0 when unknown).
bool SetPresentOnRefresh(WindowHandle window, bool wanted, int* refreshHz = nullptr);
// Address of an OpenGL entry point, for those past OpenGL 1.1.
void* GetGLProcAddress(const char* name);

// The name of the video driver in use ("x11", "wayland", "offscreen", ...).
const char* VideoDriverName();
// True when nothing can be shown to a person (offscreen or dummy video).
bool IsHeadless();

}  // namespace platform
