#pragma once
#include <QByteArray>

// A plain substring search over bytes, for the short terms of a search text. The search
// runs tens of thousands of times per search, and over whole texts, so it looks for the
// term's two least common bytes in English text 16 places at a time where the processor
// allows, otherwise for its least common byte with memchr (vectorised by the C library),
// and compares the whole term only where they occur.
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
    qsizetype vectorScan(const char* text, qsizetype size, qsizetype from) const;
    qsizetype wideScan(const char* text, qsizetype size, qsizetype from) const;
    qsizetype candidateAt(const char* text, qsizetype at, unsigned mask) const;
    qsizetype scalarIndexIn(const char* text, qsizetype size, qsizetype from) const;

    QByteArray m_needle;
    qsizetype m_anchor = 0; // position in the needle of the byte memchr looks for
    qsizetype m_second = 0; // the next least common byte's, for the vector scan
};
