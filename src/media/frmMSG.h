#pragma once
#include "media/DownloadNotice.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTextEdit;
class UrlOpener;
struct ProgramState;

// The download notice: where audio Bibles can be downloaded, a message from the maker and a
// contact. Its three links open only web addresses (a mail address for the contact) through
// the one safe opener; any other address is shown as text and its link is disabled.
class frmMSG : public QDialog {
    Q_OBJECT
public:
    frmMSG(ProgramState& state, UrlOpener& opener, const DownloadNotice& notice,
           QWidget* parent = nullptr);

    void Form_Load();
    void txtURL_Click();
    void txtContact_Click();
    void txtURL1_Click();
    void cmdClose_Click();

    // The addresses each link opens; empty when the notice's address is refused.
    QString downloadAddress() const { return m_download; }
    QString contactAddress() const { return m_contact; }
    QString secondAddress() const { return m_second; }

    QLineEdit* txtURL = nullptr;
    QTextEdit* txtMSG = nullptr;
    QLineEdit* txtContact = nullptr;
    QLineEdit* txtURL1 = nullptr;
    QLineEdit* txtH = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    // A link box: clickable when its address was accepted, else plain and disabled with the
    // refused address in its tool tip.
    void setLink(QLineEdit* box, const QString& text, const QString& raw, const QString& safe);

    ProgramState& m_state;
    UrlOpener& m_opener;
    DownloadNotice m_notice;
    QString m_download, m_contact, m_second;
};
