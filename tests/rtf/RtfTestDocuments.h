#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
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

// Lists as a user builds them in the pane: numbers, letters and Roman numerals nested three
// deep, numbering that continues after a paragraph, bullets of two shapes, a list that
// starts again at 1 and section numbers that repeat the chapter's ("1.1.").
void fillNestedLists(QTextDocument* document);
// The lines of fillNestedLists as labelledLines gives them.
QStringList nestedListLines();

// One line per paragraph as a reader sees it: two spaces for each level below the first,
// then the list label and a space, then the text.
QStringList labelledLines(const QTextDocument& document);

// The character format at the first character of the first occurrence of text.
QTextCharFormat formatOf(const QTextDocument& document, const QString& text);

// The blocks' text joined by "\n"; unlike toPlainText, line breaks stay U+2028.
QString textOf(const QTextDocument& document);

// The block holding the first occurrence of text; invalid when there is none.
int blockNumberOf(const QTextDocument& document, const QString& text);

} // namespace RtfTestDocuments
