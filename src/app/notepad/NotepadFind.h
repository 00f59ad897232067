#pragma once
#include <QString>

class QTextCursor;
class QTextDocument;

// Finding text in the notepad, letter case ignored. Positions are character positions in
// the document, counted from 0, so a match at the very first character is found.
class NotepadFind {
public:
    // The first match that starts at or after `from`, selected; a null cursor when there
    // is none (or the text is empty).
    static QTextCursor find(const QTextDocument& document, const QString& text, int from);
};
