#pragma once
#include <QByteArray>

// One line of a Bible text as the search reads it, and the result line built from it.
class VerseLine {
public:
    // Splits "running<TAB>book<TAB>chapter<TAB>verse<TAB>text" (the line without its line end).
    // False when the line has fewer than four tabs. The text is what follows the fourth tab.
    bool split(const char* line, qsizetype size);

    int book = 0;
    const char* chapter = nullptr; // as written in the text line
    qsizetype chapterSize = 0;
    int verse = 0;                 // as a number, so without leading zeros
    const char* text = nullptr;
    qsizetype textSize = 0;

    // "GENESIS 1:1 In the beginning...": the reference name in capitals, a space, the
    // chapter, ":", the verse, a space and the verse text. Appended to `out`.
    void appendResultLine(const QByteArray& capitalRefName, QByteArray& out) const;
    // Points chapter and text at the same offsets of another copy of the input: the line is
    // split in the copy that is tested and built from the one that is shown.
    void moveTo(const char* from, const char* to);

    // The range test of the book selections: 1-66 one book, 67 the books before 6, 68 those
    // before 40, 69 those after 39, 70 books 40-43, 71 books 40-42, 72 every line.
    static bool InSelection(int book, int selection);
};
