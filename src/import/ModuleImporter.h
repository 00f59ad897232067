#pragma once
#include "import/SwordModuleInfo.h"

#include <QString>
#include <QStringList>
#include <functional>

struct ProgramState;
class SwordLibrary;

// Brings one SWORD module into Tolvane's library: converts it (SwordLibrary and the builders),
// checks the file with the module validator, writes it and its verse index into a temporary
// folder beside the library, moves them into place, adds the module's record to
// "Translations.txt" in the range of its kind (a Bible after the Bibles there are, enabled)
// and reloads the translation catalogue. Any failure, and a cancel, leaves the library, the
// index folder and the catalogue exactly as they were.
class ModuleImporter {
public:
    enum class Status { Imported, Exists, Refused, Cancelled, Failed, NotFound };

    struct Outcome {
        Status status = Status::NotFound;
        ImportRefusal refusal = ImportRefusal::None; // Refused: why
        QString detail;                              // Refused: the refusal's detail
        QString failure;                             // Failed: the step and file that failed
        QString name;                                // the SWORD module
        QString description;                         // as the catalogue shows it
        QString code;                                // the library's file name, no extension
        SwordModuleInfo::Kind kind = SwordModuleInfo::Kind::Other;
        bool replaced = false;         // an earlier import was replaced
        int lines = 0;                 // verses or entries written
        qint64 charactersReplaced = 0; // written as their nearest character
        QStringList booksLeftOut;      // "Tob (245)": OSIS name and entries
    };

    explicit ModuleImporter(ProgramState& state) : m_state(state) {}

    // The code a module gets: "b_" (every Bible file begins so), "c_" or "d_" and its name in
    // small letters, characters other than letters, digits, "_" and "-" as "_". The same
    // module always gets the same code, which is how a second import is recognised.
    static QString CodeFor(const SwordModuleInfo& info);
    // Whether the library holds a module of that code (a catalogue record or its file).
    bool IsImported(const SwordModuleInfo& info) const;

    // Called now and then while the module is read; returning false cancels the import.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    // Exists: imported before and `replace` not set (ask, then call again with it set).
    Outcome Import(const SwordLibrary& library, const QString& name, bool replace,
                   const Progress& progress = Progress());

private:
    QString kindFolder(SwordModuleInfo::Kind kind) const;

    ProgramState& m_state;
};
