#pragma once
#include <QtGlobal>
#include <array>

// One chapter of a loaded verse index, with the widths the index format allows.
struct VerseIndexEntry {
    qint16 firstVerse = 0;
    qint16 lastVerse = 0;
    quint8 book = 0;
    quint8 chapter = 0;
    quint8 verseCount = 0;
    qint32 startOffset = 0; // 1-based byte position of the chapter's first line
    qint32 endOffset = 0;   // 1-based byte position just after its last line
};

constexpr int kVerseIndexSize = 1300;
using VerseIndexTable = std::array<VerseIndexEntry, kVerseIndexSize>;
