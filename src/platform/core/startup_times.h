#pragma once
// Where the time from launch to the first title frame goes. Each phase adds up the time spent in it
// (the pictures are decoded on two threads, so their phases may overlap). The print is wanted only when
// KORVEX_STARTUP_TIMES=1; otherwise the times are still kept, at the cost of a clock read per phase.

#include <cstdint>
#include <cstdio>

namespace platform {

enum class StartupPhase : int {
    kWindow,           // video system, window and GL context
    kDecodeMain,       // pictures decoded by the loading thread itself
    kDecodeWorker,     // pictures decoded ahead by the prefetch thread
    kDecodeWait,       // the loading thread waiting for a picture the prefetch was decoding
    kMipChain,         // colour key, scaling and the smaller levels
    kUpload,           // textures given to GL
    kMeshes,           // X files parsed by the loading thread and the meshes' buffers made
    kMeshParseWorker,  // X files parsed ahead by the prefetch thread
    kSounds,           // the sound bank and its synthesised waves
    kMusic,            // the synthesiser, the MIDI songs and the first track
    kFirstFrame,       // the first frame drawn and presented
    kCount
};

// Microseconds since an arbitrary fixed point (steady), and of CPU used by the calling thread. The CPU
// time tells the phases apart when other programs share the cores and stretch the wall time.
std::uint64_t StartupNowMicros();
std::uint64_t ThreadCpuMicros();
void AddStartupTime(StartupPhase phase, std::uint64_t wallMicros, std::uint64_t cpuMicros);
std::uint64_t StartupTime(StartupPhase phase);
std::uint64_t StartupCpuTime(StartupPhase phase);
void ResetStartupTimes();

// Adds the time between its construction and its destruction to a phase.
class StartupTimer {
public:
    explicit StartupTimer(StartupPhase phase) : phase_(phase), wall_(StartupNowMicros()), cpu_(ThreadCpuMicros()) {}
    ~StartupTimer() { AddStartupTime(phase_, StartupNowMicros() - wall_, ThreadCpuMicros() - cpu_); }
    StartupTimer(const StartupTimer&) = delete;
    StartupTimer& operator=(const StartupTimer&) = delete;

private:
    StartupPhase phase_;
    std::uint64_t wall_;
    std::uint64_t cpu_;
};

// True when KORVEX_STARTUP_TIMES is set to 1.
bool StartupTimesWanted();
// The phases in milliseconds, the time since `mainEntryMicros` (taken first thing in main) and since the
// process was started by the kernel, and the peak resident memory so far.
void PrintStartupTimes(std::FILE* out, std::uint64_t mainEntryMicros);
// VmHWM of /proc/self/status in KiB, 0 when it cannot be read.
std::uint64_t PeakResidentKib();

}  // namespace platform
