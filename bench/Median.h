#pragma once
#include <algorithm>
#include <vector>

// The middle of the measured times: one slow run on a shared machine does not move it.
inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
