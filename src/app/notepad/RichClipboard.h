#pragma once
#include <QByteArray>
#include <QStringList>

class QMimeData;
class QTextCursor;

// The notepad's selection on the clipboard as plain text, HTML and RTF, so that word
// processors keep its formatting; and RTF found on the clipboard, from whatever put it there.
class RichClipboard {
public:
    // The names under which RTF travels on the clipboard, on each platform.
    static QStringList rtfFormats();
    // Nothing when the cursor has no selection.
    static QMimeData* fromSelection(const QTextCursor& cursor);
    // Empty when the data holds no RTF.
    static QByteArray rtfOf(const QMimeData* data);
};
