#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// File access as the data expects it: folder and file names are matched without regard to
// letter case, and folder values end in a separator. Nothing here throws; failures are
// reported through return values.
namespace FileFunctions {

// The path with each existing component replaced by the on-disk spelling that matches it
// case-insensitively. Components that do not exist are kept as written.
QString resolve(const QString& path);

// Ensures the path ends in a separator ("folder values end in a backslash").
QString withSeparator(const QString& folder);

// True when the file can be opened for reading (opened and closed at once).
bool FileExists(const QString& path);
bool FolderExists(const QString& path);

// File names (not paths) in folder matching a wildcard pattern ("b_*.txt", "c?_*.chm",
// "*.*"), case-insensitively, sorted without regard to case.
QStringList listFiles(const QString& folder, const QString& pattern);
bool anyFileMatches(const QString& folder, const QString& pattern);
QStringList listSubfolders(const QString& folder);
// Deletes the matching files; returns how many were deleted.
int deleteFiles(const QString& folder, const QString& pattern);

// Creates one folder; false when it exists already or cannot be made.
bool makeFolder(const QString& path);
bool removeFolder(const QString& path);

bool readWholeFile(const QString& path, QByteArray& out);
// Replaces the file atomically: a failed write leaves the old file untouched.
bool writeWholeFile(const QString& path, const QByteArray& bytes);
qint64 fileSize(const QString& path); // -1 when missing

} // namespace FileFunctions
