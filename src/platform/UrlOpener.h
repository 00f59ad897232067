#pragma once
#include <QString>
#include <QStringList>

// The one way the program hands an address to the desktop: only web and mail addresses and
// local files that the caller names as allowed are opened; anything else is refused.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // True when the address is of a kind we open at all.
    static bool isAllowed(const QString& address, const QStringList& allowedLocalFiles = {});
    bool open(const QString& address, const QStringList& allowedLocalFiles = {});

protected:
    // The desktop call; tests replace it to see what would have been opened.
    virtual bool launch(const QString& address);
};
