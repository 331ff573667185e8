#include "core/main_window.h"

platform::WindowHandle MainWindowHandle = nullptr;
