#include "media/frmMP3.h"

#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "media/DownloadNotice.h"
#include "media/Mp3Probe.h"
#include "media/NoticeCipher.h"
#include "media/NoticeFetcher.h"
#include "media/frmMSG.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <limits>

using MessageText::Frm;
using MessageText::Std;

namespace {
QString clock(qint64 ms) {
    const qint64 s = qMax<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

constexpr int kRealName = Qt::UserRole;
} // namespace

frmMP3::frmMP3(ProgramState& state, UrlOpener& opener, QWidget* parent)
    : QDialog(parent), m_state(state), m_opener(opener),
      m_library(state.Folders.moduleRootFor(state.ModulePath + QStringLiteral("mp3/"))) {
    setObjectName(QStringLiteral("frmMP3"));
    buildControls();
    connectPlayer();
}

frmMP3::~frmMP3() {
    if (Mp)
        Mp->stop();
}

void frmMP3::buildControls() {
    cboLang = named(new QComboBox(this), "cboLang");
    Lb = named(new QListWidget(this), "Lb");
    Sb = named(new QStatusBar(this), "Sb");
    SbPanel1 = named(new QLabel(Sb), "SbPanel1");
    lblTime = named(new QLabel(Sb), "lblTime");
    cmdPlay = named(new QPushButton(this), "cmdPlay");
    cmdPause = named(new QPushButton(this), "cmdPause");
    cmdStop = named(new QPushButton(this), "cmdStop");
    sldPosition = named(new QSlider(Qt::Horizontal, this), "sldPosition");
    cmdDownload = named(new QPushButton(this), "cmdDownload");
    cmdHelp = named(new QPushButton(this), "cmdHelp");
    cmdClose = named(new QPushButton(this), "cmdClose");
    Mp = new QMediaPlayer(this);
    Mp->setObjectName(QStringLiteral("Mp"));
    MpOutput = new QAudioOutput(this);
    Mp->setAudioOutput(MpOutput);
    Inet = new NoticeFetcher(this);
    Inet->setObjectName(QStringLiteral("Inet"));

    Sb->setSizeGripEnabled(false);
    Sb->addWidget(SbPanel1, 1);
    Sb->addPermanentWidget(lblTime);
    cmdPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    cmdPause->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    cmdStop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    sldPosition->setRange(0, 0);
    sldPosition->setTracking(false);

    checkedConnect(cboLang, &QComboBox::activated, this, [this] { cboLang_Click(); });
    checkedConnect(Lb, &QListWidget::itemDoubleClicked, this, &frmMP3::Lb_DblClick);
    checkedConnect(Lb, &QListWidget::itemActivated, this, &frmMP3::Lb_DblClick);
    checkedConnect(cmdPlay, &QPushButton::clicked, this, &frmMP3::cmdPlay_Click);
    checkedConnect(cmdPause, &QPushButton::clicked, this, &frmMP3::cmdPause_Click);
    checkedConnect(cmdStop, &QPushButton::clicked, this, &frmMP3::cmdStop_Click);
    checkedConnect(sldPosition, &QSlider::sliderMoved, this, &frmMP3::showTime);
    checkedConnect(sldPosition, &QSlider::sliderReleased, this, &frmMP3::sldPosition_Release);
    checkedConnect(sldPosition, &QSlider::actionTriggered, this, [this](int action) {
        // Clicks on the groove and keys move the slider without a drag.
        if (action != QAbstractSlider::SliderMove && action != QAbstractSlider::SliderNoAction)
            QMetaObject::invokeMethod(this, &frmMP3::sldPosition_Release, Qt::QueuedConnection);
    });
    checkedConnect(cmdDownload, &QPushButton::clicked, this, &frmMP3::cmdDownload_Click);
    checkedConnect(cmdHelp, &QPushButton::clicked, this, &frmMP3::cmdHelp_Click);
    checkedConnect(cmdClose, &QPushButton::clicked, this, &frmMP3::cmdClose_Click);
    checkedConnect(Inet, &NoticeFetcher::stateChanged, this, &frmMP3::Inet_StateChanged);
    checkedConnect(Inet, &NoticeFetcher::finished, this, &frmMP3::Inet_Finished);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    checkedConnect(f1, &QShortcut::activated, this, &frmMP3::cmdHelp_Click);

    auto* lists = new QGridLayout;
    lblLang = named(new QLabel(this), "lblLang");
    lblBooks = named(new QLabel(this), "lblBooks");
    lblLang->setBuddy(cboLang);
    lblBooks->setBuddy(Lb);
    lists->addWidget(lblLang, 0, 0);
    lists->addWidget(cboLang, 0, 1);
    lists->addWidget(lblBooks, 1, 0, Qt::AlignTop);
    lists->addWidget(Lb, 1, 1);
    lists->setColumnStretch(1, 1);
    auto* player = new QHBoxLayout;
    player->addWidget(cmdPlay);
    player->addWidget(cmdPause);
    player->addWidget(cmdStop);
    player->addWidget(sldPosition, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDownload);
    buttons->addStretch();
    buttons->addWidget(cmdHelp);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(player);
    layout->addLayout(buttons);
    layout->addWidget(Sb);
    resize(460, 380);
}

void frmMP3::connectPlayer() {
    checkedConnect(Mp, &QMediaPlayer::durationChanged, this, [this](qint64 d) {
        sldPosition->setRange(0, int(qBound<qint64>(qint64(0), d, qint64(std::numeric_limits<int>::max()))));
        showTime();
    });
    checkedConnect(Mp, &QMediaPlayer::positionChanged, this, [this](qint64 p) {
        if (!sldPosition->isSliderDown())
            sldPosition->setValue(int(qBound<qint64>(qint64(0), p, qint64(sldPosition->maximum()))));
        showTime();
    });
    checkedConnect(Mp, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error e, const QString& text) {
        if (e != QMediaPlayer::NoError)
            setStatus(Std(m_state, 518, text));
    });
}

void frmMP3::Form_Load() {
    setWindowTitle(Frm(m_state, 16));
    lblLang->setText(Frm(m_state, 1021));
    lblBooks->setText(Frm(m_state, 1022));
    cmdPlay->setToolTip(Frm(m_state, 1018));
    cmdPause->setToolTip(Frm(m_state, 1019));
    cmdStop->setToolTip(Frm(m_state, 1020));
    sldPosition->setToolTip(Frm(m_state, 1024));
    cmdDownload->setText(Frm(m_state, 1015));
    cmdHelp->setText(Frm(m_state, 1016));
    cmdClose->setText(Frm(m_state, 1014));
    if (!m_library.hasEntries() &&
        m_state.dialogs.show(Dialogs::Icon::Question, windowTitle(), Std(m_state, 14),
                             Dialogs::Buttons::YesNo,
                             Dialogs::Answer::Yes) == Dialogs::Answer::Yes)
        m_downloadOnActivation = true;
    cboLang->clear();
    for (const AudioLibrary::Entry& e : m_library.languages())
        cboLang->addItem(e.shown, e.name);
    if (cboLang->count() > 0) {
        cboLang->setCurrentIndex(0);
        cboLang_Click();
    }
    showTime();
}

void frmMP3::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmMP3::Form_Activate() {
    if (!m_downloadOnActivation)
        return;
    m_downloadOnActivation = false;
    cmdDownload_Click();
}

void frmMP3::cboLang_Click() {
    Lb->clear();
    m_language = cboLang->currentData(kRealName).toString();
    const QVector<AudioLibrary::Entry> books = m_library.books(m_language);
    for (const AudioLibrary::Entry& e : books) {
        auto* item = new QListWidgetItem(e.shown, Lb);
        item->setData(kRealName, e.name);
    }
    setStatus(Std(m_state, 511, QString::number(books.size())));
}

void frmMP3::Lb_DblClick(QListWidgetItem* item) {
    if (!item || m_language.isEmpty())
        return;
    const QString name = item->data(kRealName).toString();
    const QString path = m_library.bookPath(m_language, name);
    // A file that only looks like a recording is refused here rather than by the player.
    if (!Mp3Probe::probeFile(path).isAudio) {
        Mp->stop();
        Mp->setSource(QUrl());
        setStatus(Std(m_state, 517, name));
        m_state.dialogs.show(Dialogs::Icon::Warning, windowTitle(), Std(m_state, 517, name));
        return;
    }
    Mp->setSource(QUrl::fromLocalFile(path));
    Mp->play();
    setStatus(QMediaDevices::audioOutputs().isEmpty() ? Std(m_state, 520) : item->text());
}

void frmMP3::cmdPlay_Click() {
    if (Mp->source().isEmpty()) {
        Lb_DblClick(Lb->currentItem());
        return;
    }
    Mp->play();
}

void frmMP3::cmdPause_Click() { Mp->pause(); }

void frmMP3::cmdStop_Click() {
    Mp->stop();
    sldPosition->setValue(0);
    showTime();
}

void frmMP3::sldPosition_Release() {
    Mp->setPosition(sldPosition->sliderPosition());
    showTime();
}

void frmMP3::showTime() {
    lblTime->setText(clock(sldPosition->sliderPosition()) + QStringLiteral(" / ") +
                     clock(Mp->duration()));
}

void frmMP3::cmdHelp_Click() { emit helpRequested(); }

void frmMP3::cmdClose_Click() { close(); }

void frmMP3::closeEvent(QCloseEvent* event) {
    Mp->stop();
    Inet->abort();
    QDialog::closeEvent(event);
}

QString frmMP3::statusText() const { return SbPanel1->text(); }

frmMSG* frmMP3::notice() const { return m_notice; }

void frmMP3::setStatus(const QString& text) {
    SbPanel1->setText(text);
}

QString frmMP3::noticeAddress() const {
    return m_state.settings.read(SettingsKeys::Settings, SettingsKeys::NoticeURL,
                                 TolvaneRoutines::WebAddress() + SettingsKeys::NoticeFileName);
}

void frmMP3::setTransferTimeout(int ms) { Inet->setTimeout(ms); }

void frmMP3::cmdDownload_Click() {
    if (Inet->busy())
        return;
    Inet->fetch(QUrl(noticeAddress()));
}

void frmMP3::Inet_StateChanged(int state) {
    setStatus(state >= 0 && state <= 12 ? Std(m_state, 15 + state) : QString());
    SbPanel1->repaint();
}

void frmMP3::downloadFailed(const QString& why) {
    m_sMP3 = "ERROR";
    setStatus(Std(m_state, 510));
    qInfo("Download notice not shown: %s", qPrintable(why));
}

void frmMP3::Inet_Finished(const QByteArray& body, const QString& error) {
    if (body.isEmpty()) {
        downloadFailed(error.isEmpty() ? QStringLiteral("the notice is empty") : error);
        return;
    }
    const NoticeCipher::Result plain = NoticeCipher::unscramble(body);
    if (!plain.ok()) {
        downloadFailed(QStringLiteral("the notice could not be unscrambled (group %1)")
                           .arg(plain.group));
        return;
    }
    DownloadNotice::Failure failure = DownloadNotice::Failure::None;
    const DownloadNotice notice = DownloadNotice::parse(plain.text, &failure);
    if (failure != DownloadNotice::Failure::None) {
        downloadFailed(QStringLiteral("the notice lacks fields or its caption is malformed"));
        return;
    }
    m_sMP3 = plain.text;
    if (m_notice)
        m_notice->close();
    auto* window = new frmMSG(m_state, m_opener, notice, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->Form_Load();
    m_notice = window;
    window->show();
}
