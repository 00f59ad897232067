#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// Dates as the diary writes them: entry names "yyyyMMdd" and the user's display format.
class DiaryDate {
public:
    // The entry name of a day: four-digit year, month, day.
    static QString EntryName(const QDate& date);
    // The entry name of an entry number (the name read as a number).
    static QString EntryName(qint32 number);
    // The day of an entry name of exactly eight digits, if it is a real day.
    static std::optional<QDate> FromEntryName(const QString& name);

    // The date in a display format such as "dd-MMM-yyyy" (month names in English).
    static QString Format(const QDate& date, const QString& format);
    // A date typed in a display format; a two-digit year "yy" is read as 20yy. Nothing when
    // the text does not read as a date in that format.
    static std::optional<QDate> Parse(const QString& text, const QString& format);

    // The twelve patterns of the date-format window, in their order.
    static const QStringList& Patterns();
    // The pattern with its first and second "-" replaced by the separator (empty: removed).
    static QString ApplySeparator(const QString& pattern, const QString& separator);
};
