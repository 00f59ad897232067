#pragma once
#include <QByteArray>
#include <QString>

class QTextDocument;

// Reading and writing the notepad's documents: rich text (RTF) first, plain text otherwise;
// always written as RTF.
class DocumentFile {
public:
    struct Contents {
        bool exists = false;
        bool readable = false;
        QByteArray bytes;
    };
    static Contents read(const QString& path);

    // True when the bytes are RTF; the document then holds what they describe.
    static bool loadRich(const QByteArray& bytes, QTextDocument* document);
    // Plain text as files on this system come: UTF-8 or UTF-16 with a byte order mark, UTF-8
    // without one when the bytes are valid UTF-8, Windows-1252 otherwise.
    static QString decodePlain(const QByteArray& bytes);

    // Writes the document as RTF to a temporary file beside `path` that then replaces it, so
    // a failed write (no permission, full disk) never leaves half a file. Returns what went
    // wrong, empty when the file was written.
    static QString saveRich(const QString& path, const QTextDocument& document);

private:
    static QString decodeText(const QByteArray& bytes);
};
