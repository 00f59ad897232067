#include "media/ChmHelpSource.h"

#include "media/ChmContents.h"

#include <QTextDocument>

ChmHelpSource::ChmHelpSource(std::unique_ptr<ChmFile> file, const QString& title)
    : m_file(std::move(file)), m_title(title) {}

QUrl ChmHelpSource::urlFor(const QString& archivePath) {
    QUrl url;
    url.setScheme(QLatin1String(kScheme));
    url.setPath(archivePath.startsWith(QLatin1Char('/')) ? archivePath
                                                         : QLatin1Char('/') + archivePath);
    return url;
}

QUrl ChmHelpSource::home() const { return urlFor(m_file->homePage()); }

bool ChmHelpSource::holds(const QUrl& url) const {
    return url.scheme() == QLatin1String(kScheme) && m_file->contains(url.path());
}

QUrl ChmHelpSource::normalise(const QUrl& url) const {
    // Help files link into themselves as "ms-its:name.chm::/page.htm" (or "mk:@MSITStore:"):
    // the part after "::" is a page of this file when it holds one by that name.
    const QString text = url.toString();
    const qsizetype sep = text.indexOf(QLatin1String("::"));
    const QString scheme = url.scheme().toLower();
    if (sep < 0 || (scheme != QLatin1String("ms-its") && scheme != QLatin1String("mk") &&
                    scheme != QLatin1String("its")))
        return url;
    QUrl inner(text.mid(sep + 2));
    const QUrl candidate = urlFor(inner.path());
    if (!m_file->contains(candidate.path()))
        return url;
    QUrl out = candidate;
    out.setFragment(inner.fragment());
    return out;
}

QVariant ChmHelpSource::resource(int type, const QUrl& url) const {
    if (url.scheme() != QLatin1String(kScheme))
        return QVariant();
    QByteArray bytes;
    if (!m_file->read(url.path(), bytes))
        return QVariant();
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
        return ChmFile::decodePage(bytes);
    return bytes;
}

QVector<HelpSource::Topic> ChmHelpSource::contents() const {
    QVector<Topic> topics;
    QByteArray sitemap;
    if (m_file->contentsFile().isEmpty() || !m_file->read(m_file->contentsFile(), sitemap))
        return topics;
    const QUrl base = urlFor(m_file->contentsFile());
    const QVector<ChmContents::Entry> entries = ChmContents::parse(ChmFile::decodePage(sitemap));
    topics.reserve(entries.size());
    for (const ChmContents::Entry& e : entries) {
        QUrl url;
        if (!e.local.isEmpty())
            url = normalise(base.resolved(QUrl(e.local)));
        topics.append(Topic{e.name, url, e.depth});
    }
    return topics;
}
