#include "diary/DiaryDate.h"

#include <QLocale>

QString DiaryDate::EntryName(const QDate& date) {
    return date.toString(QStringLiteral("yyyyMMdd"));
}

QString DiaryDate::EntryName(qint32 number) {
    return QStringLiteral("%1").arg(number, 8, 10, QLatin1Char('0'));
}

std::optional<QDate> DiaryDate::FromEntryName(const QString& name) {
    if (name.size() != 8)
        return std::nullopt;
    for (QChar c : name)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const QDate d(name.left(4).toInt(), name.mid(4, 2).toInt(), name.mid(6, 2).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString DiaryDate::Format(const QDate& date, const QString& format) {
    return QLocale::c().toString(date, format);
}

std::optional<QDate> DiaryDate::Parse(const QString& text, const QString& format) {
    QDate d = QLocale::c().toDate(text.trimmed(), format);
    if (!d.isValid())
        return std::nullopt;
    // A two-digit year means this century, not the last one.
    if (!format.contains(QLatin1String("yyyy")) && d.year() < 2000)
        d = d.addYears(100);
    return d;
}

const QStringList& DiaryDate::Patterns() {
    static const QStringList patterns{QStringLiteral("dd-MM-yy"),  QStringLiteral("dd-MM-yyyy"),
                                      QStringLiteral("dd-MMM-yy"), QStringLiteral("dd-MMM-yyyy"),
                                      QStringLiteral("MM-dd-yy"),  QStringLiteral("MM-dd-yyyy"),
                                      QStringLiteral("MMM-dd-yy"), QStringLiteral("MMM-dd-yyyy"),
                                      QStringLiteral("yy-MM-dd"),  QStringLiteral("yyyy-MM-dd"),
                                      QStringLiteral("yy-MMM-dd"), QStringLiteral("yyyy-MMM-dd")};
    return patterns;
}

QString DiaryDate::ApplySeparator(const QString& pattern, const QString& separator) {
    QString out = pattern;
    for (int k = 0; k < 2; ++k) {
        const qsizetype at = out.indexOf(QLatin1Char('-'));
        if (at < 0)
            break;
        out.replace(at, 1, separator);
    }
    return out;
}
