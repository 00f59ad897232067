#pragma once
#include <QByteArray>
#include <QByteArrayView>

// Calls fn with each line of bytes as a view, without its line end (CR LF or LF alone); a
// final line end gives no empty line after it.
template <typename Fn> void forEachLine(const QByteArray& bytes, Fn fn) {
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype nl = bytes.indexOf('\n', at);
        if (nl < 0)
            nl = bytes.size();
        QByteArrayView line = QByteArrayView(bytes).sliced(at, nl - at);
        if (line.endsWith('\r'))
            line.chop(1);
        at = nl + 1;
        fn(line);
    }
}
