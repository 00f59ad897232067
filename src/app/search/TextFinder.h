#pragma once
#include <QByteArray>

// A plain substring search over bytes, for the short terms of a search text. The line
// loop runs it tens of thousands of times, so it lets memchr (vectorised by the C library)
// look for the term's least common byte in English text, and compares the whole term only
// where that byte occurs.
class TextFinder {
public:
    explicit TextFinder(const QByteArray& needle = QByteArray());

    // The first position >= from where the needle starts, ending at or before `size`;
    // -1 when there is none. An empty needle is found at `from`.
    qsizetype indexIn(const char* text, qsizetype size, qsizetype from = 0) const;
    qsizetype indexIn(const QByteArray& text, qsizetype from = 0) const {
        return indexIn(text.constData(), text.size(), from);
    }
    qsizetype size() const { return m_needle.size(); }

private:
    QByteArray m_needle;
    qsizetype m_anchor = 0; // position in the needle of the byte memchr looks for
};
