#include "library/GlobalSTRINGFunctions.h"

namespace GlobalSTRINGFunctions {

QString CharAt(const QString& text, int n) {
    if (n < 1 || n > text.size())
        return QString();
    return text.mid(n - 1, 1);
}

// "The first character of c" of an empty c is the empty text, so the character is removed.
QString ReplaceCharAt(const QString& text, int n, const QString& c) {
    if (n < 1 || text.size() < n)
        return text;
    return text.left(n - 1) + c.left(1) + text.mid(n);
}

QString DeleteCharAt(const QString& text, int n) {
    if (n < 1 || n > text.size())
        return text;
    return text.left(n - 1) + text.mid(n);
}

// An empty b removes every occurrence, as with ReplaceCharAt; an empty a changes nothing.
QString ReplaceChar(const QString& text, const QString& a, const QString& b) {
    if (a.isEmpty())
        return text;
    QString out = text;
    out.replace(a.at(0), b.left(1));
    return out;
}

QString DayText(const QDate& date) {
    static const char* const names[] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                        "Friday", "Saturday"};
    const int dow = date.dayOfWeek(); // 1 = Monday ... 7 = Sunday
    if (dow == 7)
        return QStringLiteral("LEV 23:3");
    return QString::fromLatin1(names[dow - 1]);
}

} // namespace GlobalSTRINGFunctions
