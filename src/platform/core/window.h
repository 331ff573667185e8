#pragma once
// The game's single window and the OpenGL context drawn into it.

#include <cstdint>

namespace platform {

struct WindowImpl;
using WindowHandle = WindowImpl*;

// Brings up the video and event systems. False when no video driver at all can be had.
bool InitVideo();
void ShutdownVideo();

// The window shows an 800 x 600 picture. Full screen uses the desktop's own mode, never changing the
// monitor's, and the picture is scaled to fit with black bars; otherwise a plain 800 x 600 window.
// The window is created ready for an OpenGL 2.1 compatibility context with 24-bit depth and 8-bit stencil.
WindowHandle CreateMainWindow(const char* title, int width, int height, bool fullscreen);

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
// Address of an OpenGL entry point, for those past OpenGL 1.1.
void* GetGLProcAddress(const char* name);

// The name of the video driver in use ("x11", "wayland", "offscreen", ...).
const char* VideoDriverName();
// True when nothing can be shown to a person (offscreen or dummy video).
bool IsHeadless();

}  // namespace platform
