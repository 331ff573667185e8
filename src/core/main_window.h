#pragma once
// The handle of the game's one window, which the sound bank and the loaders' message boxes use.

#include "platform/core/window.h"

extern platform::WindowHandle MainWindowHandle;
