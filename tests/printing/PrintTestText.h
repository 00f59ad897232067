#pragma once
#include <QString>

class QTextDocument;

// Texts for the printing tests: verse-like paragraphs of ordinary words, in a fixed font so
// that page counts do not depend on the desktop's default font.
namespace PrintTestText {
// `paragraphs` numbered paragraphs of about three lines each on an A4 page.
QString Verses(int paragraphs);
void Fill(QTextDocument& document, const QString& text);
// The words of a text, for comparing texts that were wrapped differently.
QStringList Words(const QString& text);
} // namespace PrintTestText
