#include "app/notepad/DocumentFile.h"

#include "platform/Win1252.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextDocument>

DocumentFile::Contents DocumentFile::read(const QString& path) {
    Contents c;
    const QFileInfo info(path);
    c.exists = !path.isEmpty() && info.exists() && info.isFile();
    if (!c.exists)
        return c;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return c;
    c.bytes = file.readAll();
    c.readable = file.error() == QFileDevice::NoError;
    return c;
}

bool DocumentFile::loadRich(const QByteArray& bytes, QTextDocument* document) {
    return RtfReader::read(bytes, document).isRtf;
}

QString DocumentFile::decodePlain(const QByteArray& bytes) {
    QString text = decodeText(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QString DocumentFile::decodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const auto encoding =
            bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        QStringDecoder decoder(encoding);
        return decoder(bytes.mid(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return Win1252::decode(bytes);
}

QString DocumentFile::saveRich(const QString& path, const QTextDocument& document) {
    if (path.isEmpty())
        return QStringLiteral("No file name.");
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk) shows in what write() returns: a buffered
    // QSaveFile can flush part of its buffer on commit and still report success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const QByteArray rtf = RtfWriter::write(document);
    if (file.write(rtf) != rtf.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
