#pragma once
#include <QString>
#include <QVector>

struct ProgramState;

// The two catalogues of the system-definitions folder: "Books.txt" (66 books and six groups)
// and "Translations.txt" (every known module with its kind number).
namespace Catalogues {

constexpr int kBookSelections = 72;

struct TranslationRecord {
    int number = 0;
    int flag = 0;
    QString description;
    QString code;
};

struct ParsedTranslations {
    QVector<TranslationRecord> records; // every valid record, in file order
    int badLine = 0;                    // 1-based line of the first damaged record, 0 when none
    QVector<int> badLines;              // 1-based lines of every damaged record
};

// Splits the quoted comma-separated records. A damaged record is left out and its line noted;
// the records before and after it are kept, so one bad line cannot hide every module.
ParsedTranslations ParseTranslations(const QByteArray& bytes);
QByteArray FormatTranslations(const QVector<TranslationRecord>& records);

// Reads the book lists. On failure shows the catalogue messages and runs the recovery
// step (which asks the program to end); returns false then.
bool LoadBookCatalogue(ProgramState& state);

// Replaces "Translations.txt" with these records in one step (a failed write leaves the old
// file as it was) and, when written, reloads the module lists so every window sees the
// change. The one way the program rewrites the catalogue: the precedence list and the
// module import both go through it.
bool RewriteTranslations(ProgramState& state, const QVector<TranslationRecord>& records);

enum class TranslationResult { Loaded, NoBibles, Missing };
// Rebuilds the module lists. Missing: the catalogue is absent (message shown, end requested).
// NoBibles: no enabled, present Bible; the caller shows the no-Bibles window.
TranslationResult LoadTranslationCatalogue(ProgramState& state);

// First and last book (1-based) covered by a book selection 1..72.
struct BookRange {
    int first;
    int last;
};
BookRange SelectionRange(int selection);

} // namespace Catalogues
