#pragma once
#include <QByteArrayView>
#include <QString>

// A check of a compiled help file's framing before chmlib reads it. chmlib trusts the file:
// a directory chunk that names itself as the next one makes it list for ever, and entries
// that run past their chunk make it read beyond its buffer. This check walks the same
// structures with every offset and length bounded, and refuses a file that would lead there.
namespace ChmStructure {

// True when the headers, the directory chunks (the listing chain and the index tree) and
// their entries are sound. `why` tells what is not.
bool check(QByteArrayView file, QString* why = nullptr);

} // namespace ChmStructure
