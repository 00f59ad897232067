#pragma once
#include "media/AudioLibrary.h"

#include <QByteArray>
#include <QDialog>
#include <QPointer>

class NoticeFetcher;
class QAudioOutput;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMediaPlayer;
class QPushButton;
class QSlider;
class QStatusBar;
class UrlOpener;
class frmMSG;
struct ProgramState;

// The audio Bible window: languages from the module folder's "mp3" folder, the books recorded
// in the chosen language, and a player for the book double-clicked. "Download" fetches the
// maker's notice of where more recordings can be found and shows it. Not modal.
class frmMP3 : public QDialog {
    Q_OBJECT
public:
    frmMP3(ProgramState& state, UrlOpener& opener, QWidget* parent = nullptr);
    ~frmMP3() override;

    void Form_Load();
    void Form_Activate();
    void cboLang_Click();
    void Lb_DblClick(QListWidgetItem* item);
    void cmdPlay_Click();
    void cmdPause_Click();
    void cmdStop_Click();
    void sldPosition_Release();
    void cmdDownload_Click();
    void cmdHelp_Click();
    void cmdClose_Click();
    void Inet_StateChanged(int state);

    QString statusText() const; // panel 1 of the status bar
    QString sMP3() const { return m_sMP3; }
    bool downloadOnActivation() const { return m_downloadOnActivation; }
    QString noticeAddress() const;
    // The notice window while it is open.
    frmMSG* notice() const;
    // The transfer's time limit (tests shorten it).
    void setTransferTimeout(int ms);

    QLabel* lblLang = nullptr;
    QLabel* lblBooks = nullptr;
    QComboBox* cboLang = nullptr;
    QListWidget* Lb = nullptr;
    QMediaPlayer* Mp = nullptr;
    QAudioOutput* MpOutput = nullptr;
    NoticeFetcher* Inet = nullptr;
    QStatusBar* Sb = nullptr;
    QLabel* SbPanel1 = nullptr;
    QLabel* lblTime = nullptr;
    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdPause = nullptr;
    QPushButton* cmdStop = nullptr;
    QSlider* sldPosition = nullptr;
    QPushButton* cmdDownload = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdClose = nullptr;

signals:
    // F1 or the help button: the program's own help.
    void helpRequested();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectPlayer();
    void setStatus(const QString& text);
    void showTime();
    void Inet_Finished(const QByteArray& body, const QString& error);
    void downloadFailed(const QString& why);

    ProgramState& m_state;
    UrlOpener& m_opener;
    AudioLibrary m_library;
    QString m_language; // the chosen language's folder as it is on disk
    QByteArray m_sMP3;
    bool m_downloadOnActivation = false;
    QPointer<frmMSG> m_notice;
};
