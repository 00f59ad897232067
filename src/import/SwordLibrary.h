#pragma once
#include "import/SwordModuleInfo.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

// One entry of a module in plain text, as SwordLibrary reads it.
struct SwordEntry {
    QString book; // OSIS name of the book ("Gen"); empty for dictionaries
    int chapter = 0;
    int verse = 0;
    QString key;   // dictionaries: the entry's key (its headword)
    QString text;  // the plain text, with the marks PlainEntryText explains
    QString title; // Bibles: the psalm title that stands before this verse, plain text
};

// The SWORD modules installed in a set of SWORD folders (each holding "mods.d" and
// "modules"), read through libsword: the list with what Tolvane can import, and the entries of
// one module in plain text, in the module's order.
class SwordLibrary {
public:
    // Later folders win when two hold a module of the same name (the user's copy over the
    // system's). Folders that hold no "mods.d" are skipped.
    explicit SwordLibrary(const QStringList& folders);
    ~SwordLibrary();
    SwordLibrary(const SwordLibrary&) = delete;
    SwordLibrary& operator=(const SwordLibrary&) = delete;

    // False when Tolvane was built without libsword: the list is then always empty.
    static bool Available();
    // The system's SWORD folders and the user's (~/.sword), those that exist, system first.
    static QStringList StandardFolders();
    static bool IsSwordFolder(const QString& folder);

    // Every module found, sorted by name without regard to case.
    const QVector<SwordModuleInfo>& modules() const { return m_modules; }
    // Index in modules(), or -1; names are matched without regard to case.
    int indexOf(const QString& name) const;

    // Called for each entry with the entries read so far and the total expected; returning
    // false stops the reading (Cancelled).
    using EntrySink = std::function<bool(const SwordEntry& entry, qint64 done, qint64 total)>;
    enum class ReadResult { Done, Cancelled, Damaged, NotFound };
    // Damaged: an entry the index gives a size could not be read from the data file.
    ReadResult Read(const QString& name, const EntrySink& sink) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
    QVector<SwordModuleInfo> m_modules;
};
