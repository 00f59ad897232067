#pragma once
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QVector>

// Pages for the help window that come from somewhere other than the help folder (a compiled
// help file): the window asks the source for every page and picture it shows.
class HelpSource {
public:
    struct Topic {
        QString title;
        QUrl url;      // empty for a heading without a page
        int depth = 0; // 0 for the top level
    };

    virtual ~HelpSource() = default;
    virtual QString title() const = 0;
    virtual QUrl home() const = 0;
    // True when the address names something inside this source.
    virtual bool holds(const QUrl& url) const = 0;
    // The address of a link that points into this source in a form of its own (such as
    // "ms-its:file.chm::/page.htm"), or the address unchanged.
    virtual QUrl normalise(const QUrl& url) const { return url; }
    // A page as text, a picture or style sheet as bytes; a null value when it is not there.
    // `type` is a QTextDocument::ResourceType.
    virtual QVariant resource(int type, const QUrl& url) const = 0;
    virtual QVector<Topic> contents() const = 0;
};
