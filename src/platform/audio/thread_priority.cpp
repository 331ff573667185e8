#include "platform/audio/thread_priority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace platform {

GrantedPriority RaiseThreadPriority() {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);

    // Real-time round-robin, at most at the level audio servers use, so the kernel's own threads still
    // come first. Granted to the superuser, to CAP_SYS_NICE, or up to RLIMIT_RTPRIO.
    constexpr int kWantedRealtime = 50;
    const int highest = std::min(kWantedRealtime, sched_get_priority_max(SCHED_RR));
    rlimit limit{};
    int allowed = 0;
    if (getrlimit(RLIMIT_RTPRIO, &limit) == 0) {
        allowed =
            limit.rlim_cur == RLIM_INFINITY ? highest : static_cast<int>(std::min<rlim_t>(limit.rlim_cur, highest));
    }
    for (int priority : {highest, allowed}) {
        if (priority <= 0) continue;
        sched_param param{};
        param.sched_priority = priority;
        if (pthread_setschedparam(pthread_self(), SCHED_RR, &param) == 0) return GrantedPriority::kRealtime;
    }

    // Otherwise the lowest nice value this thread may take.
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    for (int nice = -20; nice < 0; ++nice) {
        if (setpriority(PRIO_PROCESS, tid, nice) == 0) return GrantedPriority::kRaisedNice;
    }
    return GrantedPriority::kNormal;
}

void NameThisThread(const char* name) {
    char shortName[16] = {};
    std::strncpy(shortName, name, sizeof shortName - 1);
    pthread_setname_np(pthread_self(), shortName);
}

}  // namespace platform
