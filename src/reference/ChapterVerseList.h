#pragma once
#include "library/VerseIndexEntry.h"

#include <QString>
#include <QVector>

// The chapter and verse numbers a text really holds, for the lists that offer them: a chapter
// that opens with a title line (verse 0) offers that title, and a chapter is never offered a
// verse it lacks. Both work on the loaded verse index, which must be that of the text.
namespace ChapterVerseList {

// The chapter numbers of a book, in text order, each once; empty when the book is missing.
QVector<int> Chapters(const VerseIndexTable& index, int book);

// The verse numbers of one chapter of the text at textPath, in text order, each once; read
// from the chapter's byte range in the text. Malformed lines are skipped.
QVector<int> Verses(const VerseIndexTable& index, const QString& textPath, int book, int chapter);

} // namespace ChapterVerseList
