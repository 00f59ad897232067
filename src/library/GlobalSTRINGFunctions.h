#pragma once
#include <QDate>
#include <QString>

// Small text helpers with 1-based positions.
namespace GlobalSTRINGFunctions {
QString CharAt(const QString& text, int n);
QString ReplaceCharAt(const QString& text, int n, const QString& c);
QString DeleteCharAt(const QString& text, int n);
QString ReplaceChar(const QString& text, const QString& a, const QString& b);
// "LEV 23:3" on Sundays, otherwise the English weekday name.
QString DayText(const QDate& date = QDate::currentDate());
} // namespace GlobalSTRINGFunctions
