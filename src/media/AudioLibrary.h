#pragma once
#include <QString>
#include <QVector>

// The recorded books under the module folder's "mp3" folder: one folder per language, each
// holding one ".mp3" file per book. Lists show names in capitals; every entry keeps the name
// it has on disk, from which its path is built.
class AudioLibrary {
public:
    struct Entry {
        QString shown; // in capitals, as the lists show it
        QString name;  // as it is on disk
    };

    explicit AudioLibrary(const QString& root); // ModulePath + "mp3/"
    QString root() const { return m_root; }

    // True when the folder holds anything at all (a file or a folder).
    bool hasEntries() const;
    QVector<Entry> languages() const;
    QVector<Entry> books(const QString& language) const;
    QString bookPath(const QString& language, const QString& book) const;

private:
    QString m_root;
};
