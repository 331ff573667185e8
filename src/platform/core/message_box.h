#pragma once
// The counterpart of MessageBoxA with MB_OK. Texts are UTF-8.

#include <functional>
#include <string>
#include <string_view>

#include "platform/core/window.h"

namespace platform {

// Shows a modal message box. With no display (headless runs) the caption and text go to standard
// error instead, and nothing ever waits for a person.
void MessageBox(WindowHandle owner, std::string_view text, std::string_view caption);

// Tests catch message boxes here instead of showing them. Pass an empty function to restore.
using MessageBoxHook = std::function<void(const std::string& text, const std::string& caption)>;
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace platform
