#pragma once
#include <QDialog>
#include <memory>

class HelpSource;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class UrlOpener;

// The help window: shows the program's own HTML help from the program folder, or the pages
// of a help source (a compiled help file) with its table of contents beside them.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    struct Texts {
        QString title, back, close, missing; // missing: "%1" is the file
    };
    // Pages of the help folder open here; web and mail links go through the opener.
    HelpViewer(const QString& indexFile, const Texts& texts, UrlOpener& opener,
               QWidget* parent = nullptr);
    // Pages of the source open here, starting at its home page; links that leave the source
    // go through the opener when they are web or mail addresses and are refused otherwise.
    // `contentsHeading` heads the table of contents.
    HelpViewer(std::unique_ptr<HelpSource> source, const Texts& texts,
               const QString& contentsHeading, UrlOpener& opener, QWidget* parent = nullptr);
    ~HelpViewer() override;

    bool isLoaded() const { return m_loaded; }
    QTextBrowser* browser() const { return m_browser; }
    QTreeWidget* contentsTree() const { return m_contents; }
    const HelpSource* source() const { return m_source.get(); }
    // Shows a page as a click on a link to it would.
    void followLink(const QUrl& url);

private:
    void build(const Texts& texts, const QString& contentsHeading = QString());
    void fillContents();
    void contentsClicked(QTreeWidgetItem* item);

    std::unique_ptr<HelpSource> m_source;
    UrlOpener& m_opener;
    QTextBrowser* m_browser;
    QTreeWidget* m_contents = nullptr;
    bool m_loaded = false;
};
