#include "platform/HelpViewer.h"

#include "platform/UrlOpener.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpViewer::HelpViewer(const QString& indexFile, const Texts& texts, UrlOpener& opener,
                       QWidget* parent)
    : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(texts.title);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Links outside the help folder go to the desktop, through the one safe call.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this, &opener](const QUrl& url) {
        if (url.scheme().isEmpty() || url.isLocalFile())
            m_browser->setSource(url);
        else
            opener.open(url.toString());
    });
    auto* back = new QPushButton(texts.back, this);
    auto* close = new QPushButton(texts.close, this);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    back->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);
    resize(720, 560);
    const QFileInfo info(indexFile);
    if (info.isFile()) {
        m_browser->setSearchPaths({info.absolutePath()});
        m_browser->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
        m_loaded = true;
    } else {
        m_browser->setPlainText(texts.missing.arg(indexFile));
    }
}
