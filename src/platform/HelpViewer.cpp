#include "platform/HelpViewer.h"

#include "platform/CheckedConnect.h"
#include "platform/HelpSource.h"
#include "platform/UrlOpener.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// A browser that takes every page and picture from the help source instead of the disk.
class SourceBrowser : public QTextBrowser {
public:
    SourceBrowser(const HelpSource& source, QWidget* parent)
        : QTextBrowser(parent), m_source(source) {}

    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        return m_source.resource(type, m_source.normalise(url));
    }

private:
    const HelpSource& m_source;
};

} // namespace

HelpViewer::HelpViewer(const QString& indexFile, const Texts& texts, UrlOpener& opener,
                       QWidget* parent)
    : QDialog(parent), m_opener(opener), m_browser(new QTextBrowser(this)) {
    build(texts);
    // Links outside the help folder go to the desktop, through the one safe call.
    checkedConnect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme().isEmpty() || url.isLocalFile())
            m_browser->setSource(url);
        else
            m_opener.open(url.toString());
    });
    const QFileInfo info(indexFile);
    if (info.isFile()) {
        m_browser->setSearchPaths({info.absolutePath()});
        m_browser->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
        m_loaded = true;
    } else {
        m_browser->setPlainText(texts.missing.arg(indexFile));
    }
}

HelpViewer::HelpViewer(std::unique_ptr<HelpSource> source, const Texts& texts,
                       const QString& contentsHeading, UrlOpener& opener, QWidget* parent)
    : QDialog(parent), m_source(std::move(source)), m_opener(opener),
      m_browser(new SourceBrowser(*m_source, this)) {
    build(texts, contentsHeading);
    checkedConnect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    fillContents();
    m_browser->setSource(m_source->home(), QTextDocument::HtmlResource);
    m_loaded = !m_browser->toPlainText().isEmpty();
    if (!m_loaded)
        m_browser->setPlainText(texts.missing.arg(m_source->title()));
}

HelpViewer::~HelpViewer() {
    // The browser asks the source for pictures until it goes.
    delete m_browser;
    m_browser = nullptr;
}

void HelpViewer::build(const Texts& texts, const QString& contentsHeading) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(texts.title);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenLinks(false);
    auto* back = new QPushButton(texts.back, this);
    auto* close = new QPushButton(texts.close, this);
    back->setObjectName(QStringLiteral("HelpBack"));
    close->setObjectName(QStringLiteral("HelpClose"));
    checkedConnect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    checkedConnect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    checkedConnect(close, &QPushButton::clicked, this, &QDialog::accept);
    back->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    if (m_source) {
        auto* splitter = new QSplitter(this);
        m_contents = new QTreeWidget(splitter);
        m_contents->setObjectName(QStringLiteral("HelpContents"));
        m_contents->setHeaderLabel(contentsHeading);
        m_contents->header()->setStretchLastSection(true);
        splitter->addWidget(m_contents);
        splitter->addWidget(m_browser);
        splitter->setStretchFactor(1, 1);
        splitter->setSizes({220, 640});
        layout->addWidget(splitter);
        checkedConnect(m_contents, &QTreeWidget::itemActivated, this, &HelpViewer::contentsClicked);
        checkedConnect(m_contents, &QTreeWidget::itemClicked, this, &HelpViewer::contentsClicked);
        resize(900, 620);
    } else {
        layout->addWidget(m_browser);
        resize(720, 560);
    }
    layout->addLayout(buttons);
}

void HelpViewer::fillContents() {
    const QVector<HelpSource::Topic> topics = m_source->contents();
    QVector<QTreeWidgetItem*> parents;
    for (const HelpSource::Topic& t : topics) {
        const int depth = qBound(0, t.depth, int(parents.size()));
        parents.resize(depth);
        auto* item = parents.isEmpty() ? new QTreeWidgetItem(m_contents)
                                       : new QTreeWidgetItem(parents.last());
        item->setText(0, t.title);
        item->setData(0, Qt::UserRole, t.url);
        parents.append(item);
    }
    m_contents->setVisible(!topics.isEmpty());
    if (m_contents->topLevelItemCount() == 1)
        m_contents->topLevelItem(0)->setExpanded(true);
}

void HelpViewer::contentsClicked(QTreeWidgetItem* item) {
    const QUrl url = item->data(0, Qt::UserRole).toUrl();
    if (!url.isEmpty())
        followLink(url);
}

void HelpViewer::followLink(const QUrl& link) {
    if (!m_source) {
        emit m_browser->anchorClicked(link);
        return;
    }
    const QUrl url = m_source->normalise(link.isRelative() ? m_browser->source().resolved(link)
                                                           : link);
    if (m_source->holds(url))
        m_browser->setSource(url, QTextDocument::HtmlResource);
    else if (url.scheme() != QLatin1String("file") && !url.scheme().isEmpty())
        m_opener.open(url.toString()); // the opener takes only web and mail addresses
}
