#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QTextCharFormat>

class QTextDocument;

// Documents and look-ups shared by the RTF tests.
namespace RtfTestDocuments {

// A small picture with distinct pixels, so a wrong decode shows.
QImage testImage();

// A document with every attribute the writer handles: runs named after their format
// ("bold", "italic", "red", ...), aligned and indented paragraphs, a bulleted and a
// numbered list, special characters, a picture and a background colour.
void fillFormatted(QTextDocument* document);

// The plain text fillFormatted puts in (the picture shows as U+FFFC).
QString formattedText();

// The character format at the first character of the first occurrence of text.
QTextCharFormat formatOf(const QTextDocument& document, const QString& text);

// The blocks' text joined by "\n"; unlike toPlainText, line breaks stay U+2028.
QString textOf(const QTextDocument& document);

// The block holding the first occurrence of text; invalid when there is none.
int blockNumberOf(const QTextDocument& document, const QString& text);

} // namespace RtfTestDocuments
