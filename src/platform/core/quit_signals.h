#pragma once
// Termination requests from the system (SIGTERM from a session ending or a kill, SIGINT from Ctrl-C)
// become the same orderly quit as Escape, so that shut-down runs in full: the high score is saved and
// the log gets its last lines.

namespace platform {

// Installs the handlers. The handler only notes the signal; the message pump reports it as a quit.
// A second signal while the first is still untaken ends the process at once, for a program that has
// stopped pumping.
void InstallQuitSignalHandlers();

// True once for a signal noted since the last call. The message pump asks this.
bool TakeQuitSignal();

}  // namespace platform
