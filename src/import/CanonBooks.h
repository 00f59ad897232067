#pragma once
#include <QString>

// The 66 books Tolvane's texts hold, by their OSIS names (the names module keys use).
namespace CanonBooks {

// 1 to 66, or 0 for a book outside the 66 (the deuterocanon, other additions).
int number(const QString& osisName);
// The OSIS name of book 1 to 66.
QString osisName(int book);

} // namespace CanonBooks
