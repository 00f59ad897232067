#include "platform/UrlOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool UrlOpener::isAllowed(const QString& address, const QStringList& allowedLocalFiles) {
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url.isValid() && !url.host().isEmpty();
    if (scheme == QLatin1String("mailto"))
        return url.isValid() && !url.path().isEmpty();
    // launch() hands any address with a scheme to the desktop as that address, so a listed
    // file whose name merely reads like one ("javascript:...") must not pass as a file.
    if (!scheme.isEmpty() && scheme != QLatin1String("file"))
        return false;
    const QString local = scheme == QLatin1String("file") ? url.toLocalFile() : address;
    const QString canonical = QFileInfo(local).canonicalFilePath();
    if (canonical.isEmpty())
        return false;
    for (const QString& allowed : allowedLocalFiles)
        if (QFileInfo(allowed).canonicalFilePath() == canonical)
            return true;
    return false;
}

bool UrlOpener::open(const QString& address, const QStringList& allowedLocalFiles) {
    if (!isAllowed(address, allowedLocalFiles))
        return false;
    return launch(address);
}

bool UrlOpener::launch(const QString& address) {
    const QUrl url(address);
    if (url.scheme().isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(address));
    return QDesktopServices::openUrl(url);
}
