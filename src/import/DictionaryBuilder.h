#pragma once
#include "import/NearestWin1252.h"
#include "import/SwordModuleInfo.h"

#include <QByteArray>
#include <QString>
#include <QVector>

struct SwordEntry;

// Builds a dictionary from a module's entries: one line per entry (number from 1, headword,
// definition with "|" between its lines) in the module's order. A link to another entry
// becomes a cross-reference mark with that entry's number where its key names an entry (as
// written, or else without regard to letter case); other links stay plain text.
class DictionaryBuilder {
public:
    void add(const SwordEntry& entry);

    // The file, or a refusal: more entries than numbers (32,767), or none.
    ImportRefusal finish(QString* detail);
    const QByteArray& bytes() const { return m_bytes; }

    int entries() const { return m_entries; }
    int linksResolved() const { return m_resolved; }
    int linksUnresolved() const { return m_unresolved; }
    int charactersReplaced() const { return m_replaced; }
    const NearestWin1252& encoder() const { return m_encoder; }

private:
    struct Entry {
        QString headword;
        QString text;
    };
    QVector<Entry> m_list;
    QByteArray m_bytes;
    NearestWin1252 m_encoder;
    int m_entries = 0;
    int m_resolved = 0;
    int m_unresolved = 0;
    int m_replaced = 0;
};
