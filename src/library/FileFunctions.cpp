#include "library/FileFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace FileFunctions {

namespace {

QString matchComponent(const QString& parent, const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return name;
    const QString direct = parent + name;
    if (QFileInfo::exists(direct))
        return name;
    const QStringList entries =
        QDir(parent.isEmpty() ? QStringLiteral(".") : parent)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return name;
}

QDir::Filters fileFilters() { return QDir::Files | QDir::Hidden | QDir::System; }

QStringList namePatterns(const QString& pattern) {
    // "*.*" means every file, with or without an extension.
    if (pattern == QLatin1String("*.*"))
        return {QStringLiteral("*")};
    return {pattern};
}

} // namespace

QString resolve(const QString& path) {
    if (path.isEmpty())
        return path;
    const QString clean = QDir::fromNativeSeparators(path);
    const bool trailing = clean.endsWith('/');
    const QStringList parts = clean.split('/');
    QString out;
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        if (i == 0 && part.isEmpty()) { // absolute path
            out = QStringLiteral("/");
            continue;
        }
        if (part.isEmpty())
            continue;
        out += matchComponent(out, part);
        if (i + 1 < parts.size())
            out += '/';
    }
    if (trailing && !out.endsWith('/'))
        out += '/';
    return out;
}

QString withSeparator(const QString& folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith('/'))
        f += '/';
    return f;
}

bool FileExists(const QString& path) {
    const QString p = resolve(path);
    if (!QFileInfo(p).isFile())
        return false;
    QFile f(p);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    f.close();
    return true;
}

bool FolderExists(const QString& path) { return QFileInfo(resolve(path)).isDir(); }

QStringList listFiles(const QString& folder, const QString& pattern) {
    QDir dir(resolve(folder));
    if (!dir.exists())
        return {};
    return dir.entryList(namePatterns(pattern), fileFilters(), QDir::Name | QDir::IgnoreCase);
}

bool anyFileMatches(const QString& folder, const QString& pattern) {
    return !listFiles(folder, pattern).isEmpty();
}

QStringList listSubfolders(const QString& folder) {
    QDir dir(resolve(folder));
    if (!dir.exists())
        return {};
    return dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDir::Name | QDir::IgnoreCase);
}

int deleteFiles(const QString& folder, const QString& pattern) {
    const QString base = withSeparator(resolve(folder));
    int count = 0;
    for (const QString& name : listFiles(base, pattern))
        if (QFile::remove(base + name))
            ++count;
    return count;
}

bool makeFolder(const QString& path) {
    const QString p = resolve(path);
    if (QFileInfo::exists(p))
        return false;
    return QDir().mkdir(p);
}

bool removeFolder(const QString& path) { return QDir().rmdir(resolve(path)); }

bool readWholeFile(const QString& path, QByteArray& out) {
    QFile f(resolve(path));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    out = f.readAll();
    return f.error() == QFile::NoError;
}

bool writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile f(resolve(path));
    // Unbuffered: a write the disk takes only in part must show as short here. Through the
    // buffer the missing end is lost at commit without an error, and the cut file replaces
    // the whole one.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

qint64 fileSize(const QString& path) {
    QFileInfo info(resolve(path));
    return info.isFile() ? info.size() : -1;
}

} // namespace FileFunctions
