#include "media/AudioLibrary.h"

#include "library/FileFunctions.h"

#include <QDir>

AudioLibrary::AudioLibrary(const QString& root) : m_root(FileFunctions::withSeparator(root)) {}

bool AudioLibrary::hasEntries() const {
    const QDir dir(FileFunctions::resolve(m_root));
    return dir.exists() &&
           !dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty();
}

namespace {
QVector<AudioLibrary::Entry> entries(const QStringList& names) {
    QVector<AudioLibrary::Entry> out;
    out.reserve(names.size());
    for (const QString& n : names)
        out.append({n.toUpper(), n});
    return out;
}
} // namespace

QVector<AudioLibrary::Entry> AudioLibrary::languages() const {
    return entries(FileFunctions::listSubfolders(m_root));
}

QVector<AudioLibrary::Entry> AudioLibrary::books(const QString& language) const {
    // The language comes from the folder listing; a name that could leave it is not one.
    if (language.isEmpty() || language.contains(QLatin1Char('/')) ||
        language == QLatin1String("..") || language == QLatin1String("."))
        return {};
    return entries(FileFunctions::listFiles(m_root + language + QLatin1Char('/'),
                                            QStringLiteral("*.mp3")));
}

QString AudioLibrary::bookPath(const QString& language, const QString& book) const {
    return FileFunctions::resolve(m_root + language + QLatin1Char('/') + book);
}
