#pragma once
#include "library/VerseIndexEntry.h"

#include <QString>
#include <QVector>

// The chapter and verse numbers a text really holds, for the chapter and verse lists of the
// reading windows. Counting "1" up to the number of lines would offer a verse too many in a
// chapter whose title is written as verse 0 (the Psalms of several translations), never offer
// the title itself, and miss any gap in the numbering.
//
// Both read the loaded index the caller passes in; it must be the index of the text read, so
// the caller loads it first (VerseIndex::PrepareIndex).
namespace ChapterVerses {

// The chapter numbers of `book`, each once, in the order the index holds them. Empty when the
// index holds no chapter of the book.
QVector<int> Chapters(const VerseIndexTable& index, int book);

// The verse numbers of one chapter, each once, in the order of the text: the lines in the
// byte range the index gives for the chapter, read from textPath. Lines that are not verse
// lines, or belong to another book or chapter, are passed over. Empty when the index holds no
// such chapter or the text cannot be read.
QVector<int> Verses(const VerseIndexTable& index, const QString& textPath, int book, int chapter);

// The numbers as list entries ("0", "1", ...).
QStringList Entries(const QVector<int>& numbers);

} // namespace ChapterVerses
