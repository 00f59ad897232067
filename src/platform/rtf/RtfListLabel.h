#pragma once

#include <QString>
#include <QTextListFormat>

// List labels: the numbers a QTextList shows, RTF's number formats (\levelnfc) and the
// labels files show before list paragraphs (\listtext, \pntext), read back into a style.
namespace RtfListLabel {

// QTextFormat::ListStart of Qt 6.6 and later: a list's first number. Older Qt keeps the
// property, so it is written back, but numbers every list from 1.
constexpr int kListStart = 0x3004;

// In RTF level texts, characters 0 to 8 stand for the numbers of levels 1 to 9.
inline QChar placeholder(int level) {
    return QChar(char16_t(level));
}
inline int placeholderLevel(QChar c) {
    return c.unicode() < 9 ? int(c.unicode()) : -1;
}

bool isNumbered(QTextListFormat::Style style);

// n as a list of that style numbers it: 4 gives "4", "d", "D", "iv" or "IV".
QString number(int n, QTextListFormat::Style style);

// RTF number format (\levelnfc) of a style, and back; bullets are format 23, and a level
// without a label (format 255) gives ListStyleUndefined.
int nfc(QTextListFormat::Style style);
QTextListFormat::Style styleOfNfc(int nfc);

// The bullet shape a label shows: disc, circle (◦, o) or square (▪, the symbol fonts' §).
QTextListFormat::Style bulletStyle(const QString& label);
QChar bulletCharacter(QTextListFormat::Style style);

// A label as a file shows it, e.g. "1.", "(b)", "2.3)", "iv." or "•".
struct Parsed {
    QTextListFormat::Style style = QTextListFormat::ListDisc;
    QString prefix; // before the item's own number: "(", or "2." of "2.3)"
    QString suffix;
    int number = 0; // 0 for bullets
};
// `current` is the style of the list the label may continue and `next` the number it
// would show next: they decide whether a lone "i" or "o" is a letter, a numeral or a bullet.
Parsed parse(const QString& label, QTextListFormat::Style current = {}, int next = 0);

} // namespace RtfListLabel
