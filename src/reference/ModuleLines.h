#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <cstring>

// Reading the tab-separated lines of a module file held in memory as bytes: lines ended by
// CR LF or LF alone, the last with or without its end.
namespace ModuleLines {

// Calls fn(line, offset) for every line, the line without its end, offset 0-based.
template <typename Fn> void forEachLine(const QByteArray& bytes, Fn fn) {
    const char* const data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype at = 0;
    while (at < size) {
        const void* nl = std::memchr(data + at, '\n', size_t(size - at));
        const qsizetype next = nl ? static_cast<const char*>(nl) - data : size;
        qsizetype end = next;
        if (end > at && data[end - 1] == '\r')
            --end;
        fn(QByteArrayView(data + at, end - at), at);
        at = next + 1;
    }
}

// Position of the next tab at or after `from`, or -1.
inline qsizetype nextTab(QByteArrayView line, qsizetype from) {
    if (from >= line.size())
        return -1;
    const void* t = std::memchr(line.data() + from, '\t', size_t(line.size() - from));
    return t ? static_cast<const char*>(t) - line.data() : -1;
}

// A line split at its first `n` tabs: fields 0..n-1 and the rest after the n-th tab.
// False when the line has fewer than n tabs.
template <int N> struct Split {
    QByteArrayView field[N];
    QByteArrayView rest;
};
template <int N> bool splitTabs(QByteArrayView line, Split<N>& out) {
    qsizetype at = 0;
    for (int i = 0; i < N; ++i) {
        const qsizetype t = nextTab(line, at);
        if (t < 0)
            return false;
        out.field[i] = line.sliced(at, t - at);
        at = t + 1;
    }
    out.rest = line.sliced(at);
    return true;
}

// A whole number written as digits with optional surrounding blanks, in [low, high].
inline bool toNumber(QByteArrayView text, int low, int high, int& out) {
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok || v < low || v > high)
        return false;
    out = int(v);
    return true;
}

} // namespace ModuleLines
