#pragma once
// The message pump: what the window procedure and PeekMessage did for the game.

namespace platform {

// Posts the quit, as PostQuitMessage: the pump answers it once the waiting events have been taken.
void PostQuitMessage(int exitCode);

// Takes every waiting system event. Escape, the window's close request and a termination signal (once
// InstallQuitSignalHandlers has run) post the quit; other key presses are swallowed (the game reads
// its keys through the input devices). Returns true and the exit code when the quit has been taken.
bool PumpMessages(int* exitCode);

// True once after F12 was pressed: the player asked for a screenshot.
bool ConsumeScreenshotRequest();

// For tests: queue events as the system would deliver them.
void PushEscapeKey();
void PushCloseRequest();

}  // namespace platform
