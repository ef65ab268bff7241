// Timing helpers the grid benchmarks share: milliseconds since a start, and
// the best of several runs.
#pragma once

#include <algorithm>
#include <chrono>

namespace ad::bench {

inline double Millis(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The smallest of the figures run() returns over the given number of runs.
template <class F>
double Best(int runs, F run) {
    double best = 1e300;
    for (int k = 0; k < runs; ++k) best = std::min(best, run());
    return best;
}

}  // namespace ad::bench
