#pragma once
// The message pump: what the window procedure and PeekMessage did for the game.

namespace platform {

// Posts the quit, as PostQuitMessage: the pump answers it once the waiting events have been taken.
void PostQuitMessage(int exitCode);

// From now on the system's termination requests (SIGTERM at logout or shut-down, SIGINT, SIGHUP) post
// the quit, as closing the window does, so that the game ends through its own shut-down. Only the
// first: a second request ends the process at once. A hang-up or interrupt that the process was started
// ignoring (nohup, a background job) stays ignored.
void QuitOnTerminationSignals();

// Takes every waiting system event. Escape (unless a menu takes it) and the window's close request post the quit; F11 and
// Alt+Enter switch the main window between full screen and a window; P, Pause and a pad's Start are
// kept as a pause request, and the window's losing or regaining the player as its activity; other key
// presses are swallowed (the game reads its keys through the input devices). Returns true and the exit code when the quit
// has been taken.
bool PumpMessages(int* exitCode);

// While a menu is open it takes Escape, to close itself, and the game does not quit: a press is then
// kept as a request instead. Setting it either way forgets a request not yet taken. A held Escape's
// repeats never quit, so a press that closed a menu does not go on to quit the game.
void SetMenuTakesEscape(bool taken);
bool ConsumeEscapeRequest();

// True once after F12 was pressed: the player asked for a screenshot.
bool ConsumeScreenshotRequest();

// True once after P, the Pause key or a game pad's Start was pressed: the player asked to pause or to
// go on.
bool ConsumePauseRequest();

// Whether the window lost the player (focus gone to another window, minimised, hidden) or has them back
// since the last call; the latest change wins.
enum class WindowActivity { kUnchanged, kLost, kRegained };
WindowActivity ConsumeWindowActivity();

// For tests: queue events as the system would deliver them.
void PushEscapeKey();
void PushCloseRequest();
enum class WindowKey { kF11, kAltEnter, kEnter };
void PushWindowKey(WindowKey key);
void PushPauseKey();
// The window's focus lost (false) or gained (true).
void PushWindowFocus(bool focused);

}  // namespace platform
