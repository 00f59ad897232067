#include "diary/DiaryFolder.h"

#include "diary/DiaryDate.h"
#include "diary/EncryptDecrypt.h"
#include "library/FileFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kText = QStringLiteral(".Px");
const QString kExtras = QStringLiteral(".PE");
const QString kPlain = QStringLiteral(".Pr");
constexpr QFileDevice::Permissions kOwnerFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
} // namespace

DiaryFolder::DiaryFolder(const QString& folder)
    : m_folder(folder.isEmpty() ? QString()
                                : FileFunctions::withSeparator(FileFunctions::resolve(folder))) {}

QString DiaryFolder::Base(const QString& entryName) const {
    return m_folder + entryName;
}

// The file of an entry as it is spelt on disk, or as this program spells it when there is none.
// Entry names are digits, so only the two letters of the extension can differ in case: four
// look-ups instead of reading a folder of thousands of entries.
QString DiaryFolder::File(const QString& entryName, const QString& extension) const {
    if (m_folder.isEmpty())
        return QString(); // no folder: no file, rather than one in the working folder
    const QString base = Base(entryName);
    for (int variant = 0; variant < 4; ++variant) {
        QString ext = extension;
        ext[1] = variant & 1 ? ext.at(1).toLower() : ext.at(1).toUpper();
        ext[2] = variant & 2 ? ext.at(2).toUpper() : ext.at(2).toLower();
        if (QFileInfo::exists(base + ext))
            return base + ext;
    }
    return base + extension;
}

bool DiaryFolder::HasEntry(const QString& entryName) const {
    return QFileInfo(File(entryName, kText)).isFile();
}

bool DiaryFolder::Load(const QString& entryName, Entry& entry, QString* error) const {
    if (!EncryptDecrypt::DecipherFile(File(entryName, kText), entry.rtf, error))
        return false;
    entry.extrasFields = ReadExtras(entryName, entry.extras);
    const QString plain = File(entryName, kPlain);
    if (QFileInfo(plain).isFile())
        QFile::remove(plain);
    return true;
}

int DiaryFolder::ReadExtras(const QString& entryName, EntryExtras& extras) const {
    QByteArray line;
    const QString path = File(entryName, kExtras);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    line = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return 0;
    return extras.readLine(line);
}

bool DiaryFolder::Save(const QString& entryName, const QByteArray& rtf, const EntryExtras& extras,
                       QString* error) const {
    const QString extrasPath = File(entryName, kExtras);
    QByteArray oldExtras;
    const bool hadExtras =
        QFileInfo(extrasPath).isFile() && FileFunctions::readWholeFile(extrasPath, oldExtras);
    const QByteArray line = extras.toLine();
    // Unchanged extras are not written again: one file replaced, not two.
    if ((!hadExtras || oldExtras != line) &&
        !EncryptDecrypt::WriteOwnerOnly(extrasPath, line, error))
        return false;
    if (EncryptDecrypt::EncipherFile(File(entryName, kText), rtf, error))
        return true;
    if (hadExtras)
        EncryptDecrypt::WriteOwnerOnly(extrasPath, oldExtras);
    else
        QFile::remove(extrasPath);
    return false;
}

bool DiaryFolder::Delete(const QString& entryName) const {
    if (m_folder.isEmpty())
        return false;
    FileFunctions::deleteFiles(m_folder, entryName + QStringLiteral(".*"));
    return !HasEntry(entryName);
}

QStringList DiaryFolder::EntryNames(bool sorted) const {
    if (m_folder.isEmpty())
        return {};
    QDir dir(m_folder);
    const QStringList files = dir.entryList({QStringLiteral("*") + kText}, QDir::Files,
                                            sorted ? QDir::Name : QDir::Unsorted);
    QStringList names;
    names.reserve(files.size());
    for (const QString& f : files) {
        const QString name = f.left(f.size() - kText.size());
        if (name.size() == 8 && f.endsWith(kText, Qt::CaseInsensitive) &&
            DiaryDate::FromEntryName(name))
            names.append(name);
    }
    return names;
}

int DiaryFolder::RemoveLeftovers() const {
    if (m_folder.isEmpty())
        return 0;
    return FileFunctions::deleteFiles(m_folder, QStringLiteral("*.pr")) +
           FileFunctions::deleteFiles(m_folder, QStringLiteral("*.px.*")) +
           FileFunctions::deleteFiles(m_folder, QStringLiteral("*.pe.*"));
}

bool DiaryFolder::Create() const {
    return MakeOwnerOnlyFolder(m_folder);
}

bool DiaryFolder::MakeOwnerOnlyFolder(const QString& path) {
    const QString p = FileFunctions::resolve(path);
    if (!QFileInfo(p).isDir() && !QDir().mkpath(p))
        return false;
    return QFile::setPermissions(p, kOwnerFolder);
}

QStringList DiaryFolder::MoveOldLayout(const QString& prayersPath) {
    const QString from = FileFunctions::withSeparator(FileFunctions::resolve(prayersPath));
    const QString to = from + QStringLiteral("Default/");
    QStringList left;
    const QStringList files = FileFunctions::listFiles(from, QStringLiteral("*.*"));
    if (files.isEmpty())
        return left;
    if (!MakeOwnerOnlyFolder(to))
        return files;
    for (const QString& name : files) {
        QByteArray bytes;
        if (!FileFunctions::readWholeFile(from + name, bytes)) {
            left.append(name);
            continue;
        }
        const QString target = FileFunctions::resolve(to + name);
        QByteArray there;
        const bool exists = QFileInfo(target).exists();
        const bool copied = exists
                                ? FileFunctions::readWholeFile(target, there) && there == bytes
                                : EncryptDecrypt::WriteOwnerOnly(target, bytes) &&
                                      FileFunctions::readWholeFile(target, there) && there == bytes;
        if (copied && QFile::remove(from + name))
            continue;
        left.append(name);
    }
    return left;
}

DiaryFolder::RenameResult DiaryFolder::RenameDirectory(const QString& prayersPath,
                                                       const QString& oldName,
                                                       const QString& newName) {
    const QString root = FileFunctions::withSeparator(FileFunctions::resolve(prayersPath));
    const QString oldPath = FileFunctions::resolve(root + oldName);
    const QString newPath = root + newName;
    const QString existingNew = FileFunctions::resolve(newPath);
    if (!QFileInfo(oldPath).isDir()) {
        // Nothing to move: the new name starts with an empty folder, unless one is there.
        if (QFileInfo::exists(existingNew))
            return RenameResult::TargetExists;
        return MakeOwnerOnlyFolder(newPath) ? RenameResult::Renamed : RenameResult::Failed;
    }
    if (existingNew == oldPath) {
        // The same folder (the names differ at most in letter case).
        if (oldPath == newPath)
            return RenameResult::Unchanged;
        return QDir().rename(oldPath, newPath) ? RenameResult::Renamed : RenameResult::Failed;
    }
    if (QFileInfo::exists(existingNew))
        return RenameResult::TargetExists;
    return QDir().rename(oldPath, newPath) ? RenameResult::Renamed : RenameResult::Failed;
}
