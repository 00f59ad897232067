#pragma once
#include "diary/EntryExtras.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The entry files of one identity's diary folder. An entry is named by its day ("yyyyMMdd"):
// ".Px" holds its RTF enciphered and exists exactly when the day has an entry; ".PE" holds its
// extras line. The plain RTF is kept in memory only; a plain ".Pr" found on disk is a
// left-over of older versions or of an interrupted run and is removed.
class DiaryFolder {
public:
    // An empty folder stands for none: nothing is found there and nothing can be saved.
    explicit DiaryFolder(const QString& folder);
    const QString& path() const { return m_folder; }

    QString Base(const QString& entryName) const;
    bool HasEntry(const QString& entryName) const;

    struct Entry {
        QByteArray rtf;
        EntryExtras extras;
        int extrasFields = 0; // fields found in the ".PE" (0: missing)
    };
    // Deciphers the entry in memory and reads its extras; then removes a plain ".Pr" beside
    // it. False with the reason when the ".Px" cannot be read.
    bool Load(const QString& entryName, Entry& entry, QString* error = nullptr) const;
    // The extras alone; returns the fields found (0 when the file is missing).
    int ReadExtras(const QString& entryName, EntryExtras& extras) const;
    // Writes the extras and then the enciphered text, each replacing its file in one step.
    // When the text cannot be written the extras are put back as they were, so a failed save
    // changes nothing.
    bool Save(const QString& entryName, const QByteArray& rtf, const EntryExtras& extras,
              QString* error = nullptr) const;
    // Deletes every file of the entry; false when its ".Px" is still there afterwards.
    bool Delete(const QString& entryName) const;

    // Names of exactly eight digits that have a ".Px": sorted, or in the file system's order.
    QStringList EntryNames(bool sorted = true) const;
    // Removes plain ".Pr" files and temporary files of interrupted saves; returns the count.
    int RemoveLeftovers() const;

    // Creates the folder (and its parents) readable by the owner only.
    bool Create() const;
    static bool MakeOwnerOnlyFolder(const QString& path);

    // The old single-folder layout: every file directly in the Prayers folder moves into the
    // folder of the identity "Default". A file is deleted only after its copy was read back
    // unchanged, and a different file of the same name is never overwritten. Returns the
    // names left where they were.
    static QStringList MoveOldLayout(const QString& prayersPath);

    // Renames an identity's folder in one step.
    enum class RenameResult { Renamed, Unchanged, TargetExists, Failed };
    static RenameResult RenameDirectory(const QString& prayersPath, const QString& oldName,
                                        const QString& newName);

private:
    QString File(const QString& entryName, const QString& extension) const;

    QString m_folder;
};
