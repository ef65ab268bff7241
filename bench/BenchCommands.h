// Timing of peer programs run as commands (POSIX): the CPU time, user and
// system over all threads, of the best of several runs.
#pragma once

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace ad::bench {

inline double ChildrenSeconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

// Best CPU time of a command over several runs; -1 when it fails (unless a
// failure is what is timed: mayFail).
inline double BestCommandSeconds(const std::string& cmd, int runs = 3, bool mayFail = false) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        double t0 = ChildrenSeconds();
        if (std::system(cmd.c_str()) != 0 && !mayFail) return -1;
        best = std::min(best, ChildrenSeconds() - t0);
    }
    return best;
}

}  // namespace ad::bench
