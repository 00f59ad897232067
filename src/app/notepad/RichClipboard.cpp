#include "app/notepad/RichClipboard.h"

#include "platform/rtf/RtfWriter.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>

QStringList RichClipboard::rtfFormats() {
    return {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
            QStringLiteral("text/richtext"),
            QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\"")};
}

QMimeData* RichClipboard::fromSelection(const QTextCursor& cursor) {
    if (!cursor.hasSelection())
        return nullptr;
    auto* data = new QMimeData;
    const QTextDocumentFragment fragment = cursor.selection();
    data->setText(fragment.toPlainText());
    data->setHtml(fragment.toHtml());
    const QByteArray rtf = RtfWriter::writeSelection(cursor);
    for (const QString& format : rtfFormats())
        data->setData(format, rtf);
    return data;
}

QByteArray RichClipboard::rtfOf(const QMimeData* data) {
    if (!data)
        return QByteArray();
    for (const QString& format : rtfFormats())
        if (data->hasFormat(format)) {
            const QByteArray bytes = data->data(format);
            if (!bytes.isEmpty())
                return bytes;
        }
    return QByteArray();
}
