#include "RtfReader.h"

#include "RtfParser.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>

namespace {

// Where "{\rtf" starts, or -1.
qsizetype rtfStart(const QByteArray& bytes) {
    qsizetype i = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf" ? i : -1;
}

} // namespace

bool RtfReader::looksLikeRtf(const QByteArray& bytes) {
    return rtfStart(bytes) >= 0;
}

RtfReadResult RtfReader::read(const QByteArray& rtf, QTextDocument* document) {
    RtfReadResult result;
    const qsizetype start = rtfStart(rtf);
    if (!document || start < 0)
        return result;
    result.isRtf = true;

    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    document->clear();
    QTextCursor cursor(document);
    RtfParser parser(rtf.mid(start), cursor);
    parser.run();

    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    if (parser.background())
        frame.setBackground(*parser.background());
    else
        frame.clearBackground();
    document->rootFrame()->setFrameFormat(frame);
    document->setUndoRedoEnabled(undo);
    document->setModified(false);

    result.error = parser.error();
    return result;
}

RtfReadResult RtfReader::insert(const QByteArray& rtf, QTextCursor& cursor) {
    RtfReadResult result;
    const qsizetype start = rtfStart(rtf);
    if (cursor.isNull() || start < 0)
        return result;
    result.isRtf = true;

    // Read into a scratch document first: the fragment then goes in as one edit,
    // merging with the paragraph at the cursor the way any paste does.
    QTextDocument scratch;
    scratch.setUndoRedoEnabled(false);
    scratch.setIndentWidth(cursor.document()->indentWidth());
    QTextCursor scratchCursor(&scratch);
    RtfParser parser(rtf.mid(start), scratchCursor);
    parser.run();

    // Fragments do not carry resources; pictures must exist in the target first.
    for (const RtfParser::Picture& picture : parser.pictures())
        cursor.document()->addResource(QTextDocument::ImageResource, picture.name, picture.image);
    cursor.insertFragment(QTextDocumentFragment(&scratch));

    result.error = parser.error();
    return result;
}
