#include "platform/core/startup_times.h"

#include <time.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace platform {

namespace {

std::array<std::atomic<std::uint64_t>, static_cast<std::size_t>(StartupPhase::kCount)> phaseMicros{};
std::array<std::atomic<std::uint64_t>, static_cast<std::size_t>(StartupPhase::kCount)> phaseCpuMicros{};

constexpr const char* kPhaseNames[] = {
    "window+GL", "decode (loader)",   "decode (prefetch)", "decode wait",  "mip chains", "GL upload",
    "meshes",    "meshes (prefetch)", "sounds+synth",      "music (MIDI)", "first frame"};
static_assert(std::size(kPhaseNames) == static_cast<std::size_t>(StartupPhase::kCount));

// Milliseconds the process has lived, from its start time in /proc (clock ticks since boot) and the
// boot-time clock; -1 when either cannot be read.
double MillisSinceProcessStart() {
    std::ifstream in("/proc/self/stat");
    std::string stat;
    if (!std::getline(in, stat)) return -1.0;
    // The command name may hold spaces; the fields that follow start after its closing parenthesis.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1.0;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22) startTicks = std::strtoull(field.c_str(), nullptr, 10);
    }
    timespec boot{};
    if (startTicks == 0 || clock_gettime(CLOCK_BOOTTIME, &boot) != 0) return -1.0;
    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    const double nowMs = static_cast<double>(boot.tv_sec) * 1000.0 + static_cast<double>(boot.tv_nsec) / 1e6;
    return nowMs - static_cast<double>(startTicks) * 1000.0 / ticksPerSecond;
}

}  // namespace

std::uint64_t StartupNowMicros() {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

std::uint64_t ThreadCpuMicros() {
    timespec t{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) != 0) return 0;
    return static_cast<std::uint64_t>(t.tv_sec) * 1000000u + static_cast<std::uint64_t>(t.tv_nsec) / 1000u;
}

void AddStartupTime(StartupPhase phase, std::uint64_t wallMicros, std::uint64_t cpuMicros) {
    phaseMicros[static_cast<std::size_t>(phase)].fetch_add(wallMicros, std::memory_order_relaxed);
    phaseCpuMicros[static_cast<std::size_t>(phase)].fetch_add(cpuMicros, std::memory_order_relaxed);
}

std::uint64_t StartupCpuTime(StartupPhase phase) {
    return phaseCpuMicros[static_cast<std::size_t>(phase)].load(std::memory_order_relaxed);
}

std::uint64_t StartupTime(StartupPhase phase) {
    return phaseMicros[static_cast<std::size_t>(phase)].load(std::memory_order_relaxed);
}

void ResetStartupTimes() {
    for (auto& p : phaseMicros) p.store(0, std::memory_order_relaxed);
    for (auto& p : phaseCpuMicros) p.store(0, std::memory_order_relaxed);
}

bool StartupTimesWanted() {
    const char* value = std::getenv("KORVEX_STARTUP_TIMES");
    return value && std::strcmp(value, "1") == 0;
}

std::uint64_t PeakResidentKib() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtoull(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

void PrintStartupTimes(std::FILE* out, std::uint64_t mainEntryMicros) {
    const double sinceMain = static_cast<double>(StartupNowMicros() - mainEntryMicros) / 1000.0;
    std::fprintf(out, "korvex: start-up times (ms)     wall   thread CPU\n");
    for (std::size_t i = 0; i < std::size(kPhaseNames); ++i) {
        const auto phase = static_cast<StartupPhase>(i);
        std::fprintf(out, "  %-18s %8.1f %8.1f\n", kPhaseNames[i], static_cast<double>(StartupTime(phase)) / 1000.0,
                     static_cast<double>(StartupCpuTime(phase)) / 1000.0);
    }
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(out, "  %-18s %8.1f\n", "process CPU",
                 static_cast<double>(cpu.tv_sec) * 1000.0 + static_cast<double>(cpu.tv_nsec) / 1e6);
    std::fprintf(out, "  %-18s %8.1f\n", "since main", sinceMain);
    std::fprintf(out, "  %-18s %8.1f\n", "since launch", MillisSinceProcessStart());
    std::fprintf(out, "  %-18s %8.1f MiB\n", "peak resident", static_cast<double>(PeakResidentKib()) / 1024.0);
    std::fflush(out);
}

}  // namespace platform
