#pragma once
#include "media/ChmFile.h"
#include "platform/HelpSource.h"

#include <QString>

// A compiled help file as pages for the help window: addresses "chm:/page.htm" name objects
// inside the file, which is read in place.
class ChmHelpSource : public HelpSource {
public:
    static constexpr const char* kScheme = "chm";

    // Takes an open file.
    ChmHelpSource(std::unique_ptr<ChmFile> file, const QString& title);

    QString title() const override { return m_title; }
    QUrl home() const override;
    bool holds(const QUrl& url) const override;
    QUrl normalise(const QUrl& url) const override;
    QVariant resource(int type, const QUrl& url) const override;
    QVector<Topic> contents() const override;

    static QUrl urlFor(const QString& archivePath);

private:
    std::unique_ptr<ChmFile> m_file;
    QString m_title;
};
