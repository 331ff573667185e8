#pragma once
// Scheduling for the audio threads (the music sequencer and its wake-up clock): they ask for the best
// the system gives an unprivileged process and carry on with whatever they get.

namespace platform {

enum class GrantedPriority { kRealtime, kRaisedNice, kNormal };

// Real-time round-robin scheduling where the resource limits allow it, else the lowest nice value
// allowed, else nothing. Also asks for the finest timer slack, so timed waits end on time.
GrantedPriority RaiseThreadPriority();

// The name shown by ps and debuggers (at most 15 characters are kept).
void NameThisThread(const char* name);

}  // namespace platform
