#pragma once

#include <QByteArray>
#include <QString>

class QTextCursor;
class QTextDocument;

struct RtfReadResult {
    bool isRtf = false; // false: the bytes are not RTF and nothing was changed
    QString error;      // what was wrong with RTF input; what could be read was kept
};

// Reads RTF into QTextDocument: what RtfWriter writes and what common word
// processors write. Damaged or hostile input never crashes, hangs or grows memory
// without bound; the document then holds whatever could be made of it.
class RtfReader {
public:
    // True when the bytes start like an RTF file (leading white space and a
    // UTF-8 byte order mark are allowed).
    static bool looksLikeRtf(const QByteArray& bytes);

    // Replaces the document's content, its background (the root frame's
    // background) and its undo history; the document is then unmodified.
    static RtfReadResult read(const QByteArray& rtf, QTextDocument* document);

    // Inserts the RTF at the cursor as one undoable edit, replacing a selection;
    // the document's background is left as it is.
    static RtfReadResult insert(const QByteArray& rtf, QTextCursor& cursor);
};
