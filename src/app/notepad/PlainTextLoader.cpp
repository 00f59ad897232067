#include "app/notepad/PlainTextLoader.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {
// CR LF and a lone CR become LF, in one pass (QString::replace moves the tail of the text
// for every batch of matches, which on a long text takes far longer than the text).
QString withLineFeeds(const QString& text) {
    QString out(text.size(), Qt::Uninitialized);
    QChar* to = out.data();
    const QChar* from = text.constData();
    const QChar* const end = from + text.size();
    for (; from < end; ++from) {
        if (*from != QLatin1Char('\r'))
            *to++ = *from;
        else if (from + 1 == end || from[1] != QLatin1Char('\n'))
            *to++ = QLatin1Char('\n');
    }
    out.truncate(to - out.constData());
    return out;
}
} // namespace

bool PlainTextLoader::fill(QTextDocument& document, const QString& text,
                           const QTextCharFormat& format,
                           const std::function<bool(qint64, qint64)>& progress) {
    // Line ends as files bring them (CR LF, LF, a lone CR) all end a paragraph.
    const QString lines = withLineFeeds(text);
    document.clear();
    QTextCursor cursor(&document);
    cursor.setCharFormat(format);
    const qint64 total = lines.size();
    qint64 done = 0;
    while (done < total) {
        qint64 end = qMin(total, done + kPieceCharacters);
        // A character outside the basic plane stays whole.
        if (end < total && lines.at(end - 1).isHighSurrogate())
            ++end;
        // One edit block a piece: the document tells its layout of the change once.
        cursor.beginEditBlock();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(lines.mid(done, end - done), format);
        cursor.endEditBlock();
        done = end;
        if (progress && !progress(done, total))
            return false;
    }
    return true;
}
