#pragma once
#include <QByteArray>
#include <QString>

// Module, catalogue and message files are single-byte Windows-1252 text.
// Qt has no built-in converter for it, so the table lives here.
namespace Win1252 {
QString decode(const QByteArray& bytes);
QChar decodeByte(unsigned char byte);
// Characters without a Windows-1252 byte become '?'; *lossless tells whether that happened.
QByteArray encode(const QString& text, bool* lossless = nullptr);
// The byte for one character, or -1 when Windows-1252 has none.
int encodeChar(QChar c);
} // namespace Win1252
