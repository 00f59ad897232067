#pragma once
#include "reference/NamesFile.h"

#include <QHash>
#include <QString>
#include <QVector>

// The table behind Integrate Names: the names file read once, then each selection looked
// up in memory, whatever its letter case. A file that cannot be read leaves no table at all,
// so the next selection tries again instead of searching half a table.
class NameLookup {
public:
    // Reads `path` unless its table is loaded already; false when there is no table.
    bool load(const QString& path);
    bool isLoaded() const { return !m_path.isEmpty(); }
    int size() const { return int(m_entries.size()); }

    // The first entry (file order) whose name equals the selection with its leading and
    // trailing blanks removed, compared in capitals; nullptr when none does.
    const NamesFile::Entry* find(const QString& selection) const;

private:
    QString m_path;
    QVector<NamesFile::Entry> m_entries;
    QHash<QString, int> m_byCapitals;
};
