#pragma once
// Hooks for driving the sequencer deterministically: with stepping on, Initialize starts no playback
// thread and the caller runs the wake-ups the reference clock has released.

#include <cstdint>

namespace GeneMusic::testing {

void SetStepped(bool stepped);
// Runs one wake-up for every release the tick semaphore holds; returns how many ran.
int RunPendingWakeups();

struct Snapshot {
    bool exists = false;
    std::int32_t currentSlot = -1;
    bool playing = false;
    std::uint64_t position = 0;
    std::uint32_t tempo = 0;
    bool fadingOut = false;
    bool catchingUp = false;
    bool timerRunning = false;
    bool threadRunning = false;
    bool downloadOnPlay = false;
};
Snapshot Inspect();

}  // namespace GeneMusic::testing
