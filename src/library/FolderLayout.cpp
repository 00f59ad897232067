#include "library/FolderLayout.h"

#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"

#include <QDir>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifndef TOLVANE_INSTALLED_DATA
#define TOLVANE_INSTALLED_DATA "../share/tolvane"
#endif

namespace {

QString folderValue(const QString& path) {
    return path.isEmpty() ? QString()
                          : FileFunctions::withSeparator(QDir::cleanPath(QDir(path).absolutePath()));
}

QString codeKey(const QString& code) { return code.trimmed().toLower(); }

QSet<QString> codesOf(const QByteArray& catalogue) {
    QSet<QString> codes;
    for (const Catalogues::TranslationRecord& r : Catalogues::ParseTranslations(catalogue).records)
        codes.insert(codeKey(r.code));
    return codes;
}

const QString kCatalogue = QStringLiteral("Translations.txt");

} // namespace

FolderLayout::FolderLayout(const QString& shipped, const QString& writable)
    : m_shipped(folderValue(shipped)), m_writable(folderValue(writable)) {}

QString FolderLayout::UserFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Tolvane");
}

QString FolderLayout::InstalledDataRelative() { return QStringLiteral(TOLVANE_INSTALLED_DATA); }

QString FolderLayout::MergedCatalogueName() { return QStringLiteral("ShippedTranslations.txt"); }

bool FolderLayout::CanWriteIn(const QString& folder) {
    if (!FileFunctions::FolderExists(folder))
        return false;
    QTemporaryFile probe(FileFunctions::withSeparator(folder) +
                         QStringLiteral(".tolvane-write-check-XXXXXX"));
    return probe.open(); // removed again when probe goes
}

bool FolderLayout::IsProgramFolder(const QString& folder) {
    const QString base = FileFunctions::withSeparator(folder);
    return FileFunctions::FolderExists(FileFunctions::resolve(base + QStringLiteral("msg"))) &&
           FileFunctions::FolderExists(FileFunctions::resolve(base + QStringLiteral("sysdefs")));
}

FolderLayout FolderLayout::ForExecutable(const QString& executableDir, const QString& userFolder,
                                         const QString& installedData) {
    const QString beside = folderValue(executableDir);
    if (IsProgramFolder(beside))
        return CanWriteIn(beside) ? FolderLayout(beside, beside) : FolderLayout(beside, userFolder);
    const QString installed = folderValue(beside + installedData);
    if (IsProgramFolder(installed))
        return FolderLayout(installed, userFolder);
    // No program folder anywhere: the start-up reports what it cannot find, as it always did.
    return FolderLayout(beside, beside);
}

bool FolderLayout::separate() const {
    return !m_writable.isEmpty() && m_shipped.compare(m_writable) != 0;
}

QString FolderLayout::shippedCounterpart(const QString& folder) const {
    if (!separate())
        return QString();
    const QString userRoot = FileFunctions::resolve(m_writable + QStringLiteral("Modules/"));
    const QString resolved = FileFunctions::resolve(FileFunctions::withSeparator(folder));
    if (!resolved.startsWith(userRoot, Qt::CaseInsensitive))
        return QString();
    const QString shippedRoot = FileFunctions::resolve(m_shipped + QStringLiteral("Modules/"));
    return FileFunctions::resolve(shippedRoot + resolved.mid(userRoot.size()));
}

QString FolderLayout::moduleFolderFor(const QString& folder, const QString& file) const {
    if (file.isEmpty() || FileFunctions::FileExists(folder + file))
        return folder;
    const QString shipped = shippedCounterpart(folder);
    if (!shipped.isEmpty() && FileFunctions::FileExists(shipped + file))
        return shipped;
    return folder;
}

QStringList FolderLayout::moduleFiles(const QString& folder, const QString& pattern) const {
    QStringList names = FileFunctions::listFiles(folder, pattern);
    const QString shipped = shippedCounterpart(folder);
    if (shipped.isEmpty())
        return names;
    QSet<QString> own;
    for (const QString& n : names)
        own.insert(n.toLower());
    for (const QString& n : FileFunctions::listFiles(shipped, pattern))
        if (!own.contains(n.toLower()))
            names.append(n);
    return names;
}

bool FolderLayout::anyModuleFile(const QString& folder, const QString& pattern) const {
    if (FileFunctions::anyFileMatches(folder, pattern))
        return true;
    const QString shipped = shippedCounterpart(folder);
    return !shipped.isEmpty() && FileFunctions::anyFileMatches(shipped, pattern);
}

QString FolderLayout::moduleRootFor(const QString& folder) const {
    const QString own = FileFunctions::resolve(FileFunctions::withSeparator(folder));
    if (!QDir(own).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot))
        return own;
    const QString shipped = shippedCounterpart(own);
    return !shipped.isEmpty() && FileFunctions::FolderExists(shipped) ? shipped : own;
}

QByteArray FolderLayout::mergeTranslations(const QByteArray& user, const QByteArray& shipped,
                                           const QByteArray& previousShipped, bool* changed) {
    QSet<QString> known = codesOf(user);
    known.unite(codesOf(previousShipped));
    QVector<Catalogues::TranslationRecord> added;
    for (const Catalogues::TranslationRecord& r : Catalogues::ParseTranslations(shipped).records) {
        if (known.contains(codeKey(r.code)))
            continue;
        known.insert(codeKey(r.code));
        added.append(r);
    }
    if (changed)
        *changed = !added.isEmpty();
    if (added.isEmpty())
        return user;
    // The user's lines stay byte for byte, damaged ones too; the new records follow.
    QByteArray out = user;
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += "\r\n";
    return out + Catalogues::FormatTranslations(added);
}

QStringList FolderLayout::prepare() const {
    QStringList failed;
    if (!separate())
        return failed;
    if (!QDir().mkpath(m_writable)) {
        failed << m_writable;
        return failed;
    }
    for (const QString& name : DataFolders::FolderNames()) {
        const QString path = FileFunctions::resolve(m_writable + name);
        if (!QDir().mkpath(path))
            failed << path;
    }
    const QString from = FileFunctions::resolve(m_shipped + QStringLiteral("sysdefs/"));
    const QString to = FileFunctions::resolve(m_writable + QStringLiteral("sysdefs/"));
    const QString markerPath = to + MergedCatalogueName();
    QByteArray shippedCatalogue;
    const bool haveShipped = FileFunctions::readWholeFile(from + kCatalogue, shippedCatalogue);
    QByteArray previous;
    const bool mergedBefore = FileFunctions::readWholeFile(markerPath, previous);

    for (const QString& name : FileFunctions::listFiles(from, QStringLiteral("*"))) {
        const QString target = FileFunctions::resolve(to + name);
        if (FileFunctions::FileExists(target))
            continue;
        QByteArray bytes;
        if (!FileFunctions::readWholeFile(from + name, bytes) ||
            !FileFunctions::writeWholeFile(target, bytes))
            failed << target;
    }

    const QString userCatalogue = FileFunctions::resolve(to + kCatalogue);
    QByteArray user;
    if (haveShipped && FileFunctions::readWholeFile(userCatalogue, user)) {
        bool changed = false;
        const QByteArray merged =
            mergeTranslations(user, shippedCatalogue, mergedBefore ? previous : QByteArray(),
                              &changed);
        if (changed && !FileFunctions::writeWholeFile(userCatalogue, merged))
            failed << userCatalogue;
        // Remembered only once merged, so that a failed write is tried again next time.
        if (!failed.contains(userCatalogue) && (!mergedBefore || previous != shippedCatalogue) &&
            !FileFunctions::writeWholeFile(markerPath, shippedCatalogue))
            failed << markerPath;
    }
    return failed;
}
