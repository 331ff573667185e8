#pragma once
// The system's window behind a window handle, for the platform layer's own use.

#include "platform/core/window.h"

struct SDL_Window;

namespace platform {

SDL_Window* NativeWindow(WindowHandle window);

}  // namespace platform
