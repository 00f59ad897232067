#pragma once
#include <QString>
#include <QStringList>

// Where Tolvane reads and where it writes. The shipped folder holds the program folder as it
// was laid out or installed (messages, catalogues, modules, help, pictures); the writable
// folder holds everything Tolvane writes (catalogues, check values, language book lists,
// indexes, scratch copies, bookmarks, the prayer diary, modules the user adds).
//
// Run from a build folder, or any program folder it may write in, the two are one folder and
// nothing changes. Installed, the shipped folder is never written: the writable folder is the
// user's own, under the user's data location, and the shipped modules are read where they
// lie, each looked up after the user's own module of the same name.
class FolderLayout {
public:
    FolderLayout() = default;
    // Both end in a separator once stored.
    FolderLayout(const QString& shipped, const QString& writable);

    // The layout for a program started from executableDir. The program folder next to the
    // executable (one that holds msg/ and sysdefs/) is used for both when it can be written;
    // an installed program folder (executableDir + installedData) is never written, whoever
    // runs the program. Every other case writes under userFolder.
    static FolderLayout ForExecutable(const QString& executableDir,
                                      const QString& userFolder = UserFolder(),
                                      const QString& installedData = InstalledDataRelative());
    // The user's program folder: the XDG data location + "/Tolvane".
    static QString UserFolder();
    // Where the installed program folder lies, relative to the installed executables.
    static QString InstalledDataRelative();
    // True when a file can be created (and removed again) in folder: a real attempt, since
    // permissions, read-only mounts and access lists all decide it.
    static bool CanWriteIn(const QString& folder);
    // True when folder holds a program folder's message and catalogue folders.
    static bool IsProgramFolder(const QString& folder);

    bool isEmpty() const { return m_shipped.isEmpty(); }
    const QString& shipped() const { return m_shipped; }
    const QString& writable() const { return m_writable; }
    // True when the shipped folder is read only and the user's folder takes the writes.
    bool separate() const;

    // The folder a module file is read from: `folder` (a folder of the user's module root)
    // when the file is there, else its shipped counterpart when the file is there, else
    // `folder`. Without a separate layout, or for another module root, always `folder`.
    QString moduleFolderFor(const QString& folder, const QString& file) const;
    QString moduleFile(const QString& folder, const QString& file) const {
        return moduleFolderFor(folder, file) + file;
    }
    // The files matching pattern in folder and in its shipped counterpart, the user's first,
    // a shipped file of the same name (in any case) left out.
    QStringList moduleFiles(const QString& folder, const QString& pattern) const;
    bool anyModuleFile(const QString& folder, const QString& pattern) const;
    // For a module kept as a whole folder (the audio Bibles): folder when it holds anything,
    // else its shipped counterpart when that exists, else folder.
    QString moduleRootFor(const QString& folder) const;

    // Makes the writable folder ready. With one folder: nothing. Separate: creates the
    // folder tree, copies each shipped catalogue file the user does not have, and merges a
    // newer shipped translation catalogue into the user's (mergeTranslations). Returns the
    // paths that could not be made or written.
    QStringList prepare() const;

    // The translation catalogue after an upgrade: the user's records first, in the user's
    // order with the user's flags; then each shipped record whose module (by code, in any
    // case) neither the user's catalogue nor the previously shipped one knows, in shipped
    // order. A module the user removed therefore stays removed. The previous catalogue may
    // be empty (never merged before).
    static QByteArray mergeTranslations(const QByteArray& user, const QByteArray& shipped,
                                        const QByteArray& previousShipped, bool* changed);

    // The copy of the last shipped catalogue merged, in the user's catalogue folder.
    static QString MergedCatalogueName();

private:
    QString shippedCounterpart(const QString& folder) const;

    QString m_shipped;
    QString m_writable;
};
