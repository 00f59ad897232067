#include "app/notepad/NotepadFind.h"

#include <QTextCursor>
#include <QTextDocument>

QTextCursor NotepadFind::find(const QTextDocument& document, const QString& text, int from) {
    if (text.isEmpty())
        return QTextCursor();
    const int last = document.characterCount() - 1;
    if (from > last)
        return QTextCursor();
    return document.find(text, qMax(0, from));
}
