#pragma once
// The counterpart of MessageBoxA with MB_OK. Texts are UTF-8.

#include <functional>
#include <string>
#include <string_view>

#include "platform/core/window.h"

namespace platform {

// Shows a modal message box over its owner (the main window when none is given), leaving full screen
// first so that the box cannot end up behind the picture. The caption and text always go to standard
// error too; with no display (headless runs) that is all, and nothing ever waits for a person.
void MessageBox(WindowHandle owner, std::string_view text, std::string_view caption);

// Tests catch message boxes here instead of showing them. Pass an empty function to restore.
using MessageBoxHook = std::function<void(const std::string& text, const std::string& caption)>;
void SetMessageBoxHook(MessageBoxHook hook);

// What puts the box on the screen: the system's dialog, given the owner that was settled on (null for
// none). Tests put their own here to see what reaches it, headless too. Pass an empty function to restore.
using MessageBoxBackend = std::function<void(WindowHandle owner, const std::string& text, const std::string& caption)>;
void SetMessageBoxBackend(MessageBoxBackend backend);

}  // namespace platform
