#include "media/frmMSG.h"

#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Named.h"
#include "platform/UrlOpener.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

using MessageText::Frm;
using MessageText::Std;

frmMSG::frmMSG(ProgramState& state, UrlOpener& opener, const DownloadNotice& notice,
               QWidget* parent)
    : QDialog(parent), m_state(state), m_opener(opener), m_notice(notice) {
    setObjectName(QStringLiteral("frmMSG"));
    setModal(true);
    buildControls();
}

void frmMSG::buildControls() {
    txtURL = named(new QLineEdit(this), "txtURL");
    txtMSG = named(new QTextEdit(this), "txtMSG");
    txtContact = named(new QLineEdit(this), "txtContact");
    txtURL1 = named(new QLineEdit(this), "txtURL1");
    txtH = named(new QLineEdit(this), "txtH");
    cmdClose = named(new QPushButton(this), "cmdClose");
    txtMSG->setReadOnly(true);
    txtH->setReadOnly(true);
    txtH->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* link : {txtURL, txtContact, txtURL1}) {
        link->setReadOnly(true);
        link->setFocusPolicy(Qt::NoFocus);
        link->setAlignment(Qt::AlignHCenter);
        link->installEventFilter(this);
    }
    QFont big = txtURL->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    txtURL->setFont(big);
    setMouseTracking(true);
    checkedConnect(cmdClose, &QPushButton::clicked, this, &frmMSG::cmdClose_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtURL);
    layout->addWidget(txtMSG, 1);
    layout->addWidget(txtContact);
    layout->addWidget(txtURL1);
    layout->addWidget(txtH);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);
    resize(520, 360);
}

void frmMSG::setLink(QLineEdit* box, const QString& text, const QString& raw,
                     const QString& safe) {
    box->setText(text);
    QFont f = box->font();
    f.setUnderline(!safe.isEmpty());
    box->setFont(f);
    QPalette colours = palette();
    if (!safe.isEmpty())
        colours.setColor(QPalette::Text, colours.color(QPalette::Link));
    box->setPalette(colours);
    box->setEnabled(!safe.isEmpty());
    box->setCursor(safe.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    box->setToolTip(safe.isEmpty() && !raw.isEmpty() ? Std(m_state, 519, raw) : QString());
}

void frmMSG::Form_Load() {
    setWindowTitle(m_notice.hasCaption ? m_notice.caption : Frm(m_state, 16));
    cmdClose->setText(Frm(m_state, 1014));
    m_download = DownloadNotice::safeWebAddress(m_notice.downloadAddress);
    m_contact = DownloadNotice::safeContactAddress(m_notice.contactAddress);
    m_second = DownloadNotice::safeWebAddress(m_notice.secondAddress);
    setLink(txtURL, Frm(m_state, 1017), m_notice.downloadAddress, m_download);
    txtMSG->setPlainText(m_notice.message);
    setLink(txtContact, m_notice.contactText, m_notice.contactAddress, m_contact);
    setLink(txtURL1, m_notice.secondText, m_notice.secondAddress, m_second);
    if (!m_notice.available) {
        m_download.clear();
        setLink(txtURL, Std(m_state, 513), QString(), QString());
    }
    txtH->clear();
}

void frmMSG::txtURL_Click() {
    if (!m_download.isEmpty())
        m_opener.open(m_download);
}

void frmMSG::txtContact_Click() {
    if (!m_contact.isEmpty())
        m_opener.open(m_contact);
}

void frmMSG::txtURL1_Click() {
    if (!m_second.isEmpty())
        m_opener.open(m_second);
}

void frmMSG::cmdClose_Click() { accept(); }

bool frmMSG::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == txtURL)
            txtURL_Click();
        else if (watched == txtContact)
            txtContact_Click();
        else if (watched == txtURL1)
            txtURL1_Click();
    } else if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        // The hint shows where a link leads (the address as the notice gives it).
        if (watched == txtURL && m_notice.available)
            txtH->setText(Std(m_state, 514, m_notice.downloadAddress));
        else if (watched == txtContact)
            txtH->setText(m_notice.contactAddress);
        else if (watched == txtURL1)
            txtH->setText(m_notice.secondAddress);
        txtH->setCursorPosition(0); // a long hint shows its start
    }
    return QDialog::eventFilter(watched, event);
}

void frmMSG::mouseMoveEvent(QMouseEvent* event) {
    txtH->clear();
    QDialog::mouseMoveEvent(event);
}
