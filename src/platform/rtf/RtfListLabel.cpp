#include "RtfListLabel.h"

namespace RtfListLabel {

namespace {

using Style = QTextListFormat::Style;

QString roman(int n) {
    static const struct {
        int value;
        const char* text;
    } kParts[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"},
                  {50, "l"},   {40, "xl"},  {10, "x"},  {9, "ix"},   {5, "v"},   {4, "iv"},
                  {1, "i"}};
    QString out;
    for (const auto& part : kParts) {
        while (n >= part.value) {
            out += QLatin1String(part.text);
            n -= part.value;
        }
    }
    return out;
}

// a..z, then aa, ab, ...: the letters Qt shows.
QString letters(int n) {
    QString out;
    while (n > 0) {
        --n;
        out.prepend(QChar(u'a' + n % 26));
        n /= 26;
    }
    return out;
}

int romanDigit(QChar c) {
    switch (c.unicode()) {
    case u'i':
        return 1;
    case u'v':
        return 5;
    case u'x':
        return 10;
    case u'l':
        return 50;
    case u'c':
        return 100;
    case u'd':
        return 500;
    case u'm':
        return 1000;
    default:
        return 0;
    }
}

int fromRoman(const QString& lower) {
    if (lower.size() > 16)
        return 0;
    int value = 0;
    for (int i = 0; i < lower.size(); ++i) {
        const int digit = romanDigit(lower.at(i));
        if (digit == 0)
            return 0;
        const int next = i + 1 < lower.size() ? romanDigit(lower.at(i + 1)) : 0;
        value += digit < next ? -digit : digit;
    }
    // What is not written the way we would write its value ("iiii", "vx") is no numeral.
    return value > 0 && value < 4000 && roman(value) == lower ? value : 0;
}

int fromLetters(const QString& lower) {
    if (lower.size() > 3)
        return 0;
    int value = 0;
    for (QChar c : lower) {
        if (c < u'a' || c > u'z')
            return 0;
        value = value * 26 + (c.unicode() - u'a' + 1);
    }
    return value;
}

bool isRoman(Style s) {
    return s == QTextListFormat::ListLowerRoman || s == QTextListFormat::ListUpperRoman;
}
bool isAlpha(Style s) {
    return s == QTextListFormat::ListLowerAlpha || s == QTextListFormat::ListUpperAlpha;
}

} // namespace

bool isNumbered(Style style) {
    return style == QTextListFormat::ListDecimal || isAlpha(style) || isRoman(style);
}

QString number(int n, Style style) {
    if (n <= 0)
        return QString::number(n);
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
        return n < 18279 ? letters(n) : QString::number(n);
    case QTextListFormat::ListUpperAlpha:
        return n < 18279 ? letters(n).toUpper() : QString::number(n);
    case QTextListFormat::ListLowerRoman:
        return n < 4000 ? roman(n) : QString::number(n);
    case QTextListFormat::ListUpperRoman:
        return n < 4000 ? roman(n).toUpper() : QString::number(n);
    default:
        return QString::number(n);
    }
}

int nfc(Style style) {
    switch (style) {
    case QTextListFormat::ListUpperRoman:
        return 1;
    case QTextListFormat::ListLowerRoman:
        return 2;
    case QTextListFormat::ListUpperAlpha:
        return 3;
    case QTextListFormat::ListLowerAlpha:
        return 4;
    case QTextListFormat::ListDecimal:
        return 0;
    default:
        return 23;
    }
}

Style styleOfNfc(int nfc) {
    switch (nfc) {
    case 1:
        return QTextListFormat::ListUpperRoman;
    case 2:
        return QTextListFormat::ListLowerRoman;
    case 3:
        return QTextListFormat::ListUpperAlpha;
    case 4:
        return QTextListFormat::ListLowerAlpha;
    case 23:
        return QTextListFormat::ListDisc;
    case 255:
        return QTextListFormat::ListStyleUndefined;
    default:
        return QTextListFormat::ListDecimal; // ordinals, words, other scripts: shown as digits
    }
}

Style bulletStyle(const QString& label) {
    const QString shape = label.trimmed();
    if (shape.isEmpty())
        return QTextListFormat::ListDisc;
    switch (shape.at(0).unicode()) {
    case u'o':
    case u'O':
    case 0x25E6: // white bullet
    case 0x25CB: // white circle
    case 0xF06F:
        return QTextListFormat::ListCircle;
    case 0x25AA: // small black square
    case 0x25A0:
    case 0x25A1:
    case 0x00A7: // the symbol fonts' square, read as Windows-1252
    case 0xF0A7:
    case 0xF06E:
        return QTextListFormat::ListSquare;
    default:
        return QTextListFormat::ListDisc;
    }
}

QChar bulletCharacter(Style style) {
    switch (style) {
    case QTextListFormat::ListCircle:
        return QChar(0x25E6);
    case QTextListFormat::ListSquare:
        return QChar(0x25AA);
    default:
        return QChar(0x2022);
    }
}

Parsed parse(const QString& label, Style current, int next) {
    Parsed out;
    const QString text = label.trimmed();
    // The item's own number is the last run of letters or digits: "2.3)" is item 3.
    int end = int(text.size());
    while (end > 0 && !text.at(end - 1).isLetterOrNumber())
        --end;
    int start = end;
    while (start > 0 && text.at(start - 1).isLetterOrNumber())
        --start;
    const QString core = text.mid(start, end - start);
    const QString lower = core.toLower();
    const bool upper = core == core.toUpper();
    bool digits = false;
    const int decimal = core.toInt(&digits);
    const int asRoman = digits ? 0 : fromRoman(lower);
    const int asLetters = digits || (core != lower && !upper) ? 0 : fromLetters(lower);

    enum class Kind { Decimal, Roman, Letters, Bullet };
    Kind kind = Kind::Bullet;
    if (digits && decimal > 0)
        kind = Kind::Decimal;
    else if (asLetters > 0 && isAlpha(current) && asLetters == next)
        kind = Kind::Letters; // "i" after "h"
    else if (asRoman > 0 && isRoman(current) && asRoman == next)
        kind = Kind::Roman;
    else if (text.compare(QLatin1String("o"), Qt::CaseInsensitive) == 0)
        kind = Kind::Bullet; // the usual round bullet
    else if (asRoman > 0 && (core.size() > 1 || lower == u"i"))
        kind = Kind::Roman;
    else if (asLetters > 0)
        kind = Kind::Letters;

    switch (kind) {
    case Kind::Decimal:
        out.style = QTextListFormat::ListDecimal;
        out.number = decimal;
        break;
    case Kind::Roman:
        out.style = upper ? QTextListFormat::ListUpperRoman : QTextListFormat::ListLowerRoman;
        out.number = asRoman;
        break;
    case Kind::Letters:
        out.style = upper ? QTextListFormat::ListUpperAlpha : QTextListFormat::ListLowerAlpha;
        out.number = asLetters;
        break;
    case Kind::Bullet:
        out.style = bulletStyle(text); // no number: a bullet, or a word shown as one
        return out;
    }
    out.prefix = text.left(start);
    out.suffix = text.mid(end);
    return out;
}

} // namespace RtfListLabel
