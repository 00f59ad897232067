#include "import/CanonBooks.h"

#include <QHash>

namespace {

const char* const kOsisNames[66] = {
    "Gen",   "Exod", "Lev",  "Num",  "Deut", "Josh", "Judg",  "Ruth",   "1Sam",   "2Sam",  "1Kgs",
    "2Kgs",  "1Chr", "2Chr", "Ezra", "Neh",  "Esth", "Job",   "Ps",     "Prov",   "Eccl",  "Song",
    "Isa",   "Jer",  "Lam",  "Ezek", "Dan",  "Hos",  "Joel",  "Amos",   "Obad",   "Jonah", "Mic",
    "Nah",   "Hab",  "Zeph", "Hag",  "Zech", "Mal",  "Matt",  "Mark",   "Luke",   "John",  "Acts",
    "Rom",   "1Cor", "2Cor", "Gal",  "Eph",  "Phil", "Col",   "1Thess", "2Thess", "1Tim",  "2Tim",
    "Titus", "Phlm", "Heb",  "Jas",  "1Pet", "2Pet", "1John", "2John",  "3John",  "Jude",  "Rev"};

} // namespace

namespace CanonBooks {

int number(const QString& osisName) {
    static const QHash<QString, int> kNumbers = [] {
        QHash<QString, int> h;
        for (int i = 0; i < 66; ++i)
            h.insert(QLatin1String(kOsisNames[i]), i + 1);
        return h;
    }();
    return kNumbers.value(osisName, 0);
}

QString osisName(int book) {
    return book >= 1 && book <= 66 ? QLatin1String(kOsisNames[book - 1]) : QString();
}

} // namespace CanonBooks
