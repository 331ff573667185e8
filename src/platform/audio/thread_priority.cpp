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

    rlimit limit{};
    if (getrlimit(RLIMIT_RTPRIO, &limit) == 0 && limit.rlim_cur > 0) {
        sched_param param{};
        const int highest = sched_get_priority_max(SCHED_RR);
        param.sched_priority = static_cast<int>(std::min<rlim_t>(limit.rlim_cur, static_cast<rlim_t>(highest)));
        if (pthread_setschedparam(pthread_self(), SCHED_RR, &param) == 0) return GrantedPriority::kRealtime;
    }

    // RLIMIT_NICE holds 20 - the lowest nice value allowed; without it an ordinary user cannot go below 0.
    int lowestNice = 0;
    if (getrlimit(RLIMIT_NICE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur > 20) {
        lowestNice = std::max(-20, 20 - static_cast<int>(limit.rlim_cur));
    } else if (getrlimit(RLIMIT_NICE, &limit) == 0 && limit.rlim_cur == RLIM_INFINITY) {
        lowestNice = -20;
    }
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    if (lowestNice < 0 && setpriority(PRIO_PROCESS, tid, lowestNice) == 0) return GrantedPriority::kRaisedNice;
    return GrantedPriority::kNormal;
}

void NameThisThread(const char* name) {
    char shortName[16] = {};
    std::strncpy(shortName, name, sizeof shortName - 1);
    pthread_setname_np(pthread_self(), shortName);
}

}  // namespace platform
