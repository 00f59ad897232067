#pragma once
#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <vector>

// The middle of the measured times: one slow run on a shared machine does not move it.
inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// How long `work` takes, in milliseconds.
inline double millis(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}
