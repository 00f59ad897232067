#pragma once
#include <QDialog>

class QTextBrowser;
class UrlOpener;

// The help window: shows the program's own HTML help from the program folder.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    struct Texts {
        QString title, back, close, missing; // missing: "%1" is the file
    };
    // Pages of the help folder open here; web and mail links go through the opener.
    HelpViewer(const QString& indexFile, const Texts& texts, UrlOpener& opener,
               QWidget* parent = nullptr);
    bool isLoaded() const { return m_loaded; }
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
    bool m_loaded = false;
};
