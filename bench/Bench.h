#pragma once

#include "toolkit/NullInteraction.h"

#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace hibimo::bench {

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Median wall time of runs calls of work, in milliseconds.
inline double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    times.reserve(static_cast<size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(msSince(start));
    }
    return median(std::move(times));
}

// One figure per line: "<name> <median> ms".
inline void report(const char* name, double ms) {
    std::printf("%s %.3f ms\n", name, ms);
}

} // namespace hibimo::bench
