#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// Wall-clock timing for the benchmarks that time their own rounds, side by
// side with a yardstick.
inline double secondsOf(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}
