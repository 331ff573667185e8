#include "app/main_window.h"

platform::WindowHandle MainWindowHandle = nullptr;
