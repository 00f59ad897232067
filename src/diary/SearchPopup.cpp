#include "diary/SearchPopup.h"

#include "diary/DiaryDate.h"
#include "diary/PrayerPopup.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "platform/Dialogs.h"
#include "platform/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kMsgBadDate = 474;
const QDate kFirstDay(2001, 1, 1);
const QDate kLastDay(2030, 12, 25);

} // namespace

SearchPopup::SearchPopup(ProgramState& state, PrayerPopup& diary)
    : QDialog(&diary), m_state(state), m_diary(diary), m_search(diary.Folder()) {
    setObjectName(QStringLiteral("SearchPopup"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tolvane Prayer Diary Power Search"));
    buildControls();
    Form_Load();
}

void SearchPopup::buildControls() {
    txtSearch = named(new QLineEdit(this), "txtSearch");
    txtFrom = named(new QLineEdit(this), "txtFrom");
    TxtTo = named(new QLineEdit(this), "TxtTo");
    auto* lblSearch = named(new QLabel(QStringLiteral("Text to Find"), this), "lblSearch");
    lblSearch->setBuddy(txtSearch);
    auto* lblDates =
        named(new QLabel(QStringLiteral("FROM Date        TO Date"), this), "lblDates");

    frm1 = named(new QGroupBox(QStringLiteral("Prayer Types and Responses"), this), "frm1");
    chkAll = named(new QCheckBox(QStringLiteral("Search &All"), frm1), "chkAll");
    chkByType = named(new QCheckBox(QStringLiteral("Match &Heading"), frm1), "chkByType");
    chkByResp = named(new QCheckBox(QStringLiteral("Match &Response"), frm1), "chkByResp");
    cboType = named(new QComboBox(frm1), "cboType");
    cboResponse = named(new QComboBox(frm1), "cboResponse");
    auto* types = new QGridLayout(frm1);
    types->addWidget(chkAll, 0, 0);
    types->addWidget(chkByType, 1, 0);
    types->addWidget(chkByResp, 2, 0);
    types->addWidget(named(new QLabel(QStringLiteral("PrayerHeading"), frm1), "lblType"), 0, 1);
    types->addWidget(cboType, 1, 1);
    types->addWidget(named(new QLabel(QStringLiteral("Prayer Response"), frm1), "lblResponse"), 2,
                     1);
    types->addWidget(cboResponse, 3, 1);

    frmSort = named(new QGroupBox(QStringLiteral("Date Sorting Options"), this), "frmSort");
    optNone = named(new QRadioButton(QStringLiteral("&Not sorted"), frmSort), "optNone");
    optChrono = named(new QRadioButton(QStringLiteral("Ch&ronological"), frmSort), "optChrono");
    optRChrono =
        named(new QRadioButton(QStringLiteral("Re&verse Chronological"), frmSort), "optRChrono");
    auto* sort = new QVBoxLayout(frmSort);
    for (QRadioButton* b : {optNone, optChrono, optRChrono})
        sort->addWidget(b);

    OKButton = named(new QPushButton(QStringLiteral("Find Firs&t"), this), "OKButton");
    cmdAgain = named(new QPushButton(QStringLiteral("&Find Next"), this), "cmdAgain");
    CancelButton = named(new QPushButton(QStringLiteral("&Cancel"), this), "CancelButton");
    for (QPushButton* b : {OKButton, cmdAgain, CancelButton})
        b->setAutoDefault(false);

    auto* dates = new QHBoxLayout;
    dates->addWidget(txtFrom);
    dates->addWidget(TxtTo);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {OKButton, cmdAgain, CancelButton})
        buttons->addWidget(b);
    auto* lower = new QHBoxLayout;
    lower->addWidget(frm1, 1);
    lower->addWidget(frmSort);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSearch);
    layout->addWidget(txtSearch);
    layout->addWidget(lblDates);
    layout->addLayout(dates);
    layout->addLayout(lower);
    layout->addLayout(buttons);

    checkedConnect(txtSearch, &QLineEdit::returnPressed, this, &SearchPopup::OKButton_Click);
    checkedConnect(OKButton, &QPushButton::clicked, this, &SearchPopup::OKButton_Click);
    checkedConnect(cmdAgain, &QPushButton::clicked, this, &SearchPopup::cmdAgain_Click);
    checkedConnect(CancelButton, &QPushButton::clicked, this, &SearchPopup::CancelButton_Click);
    checkedConnect(chkAll, &QCheckBox::clicked, this, &SearchPopup::chkAll_Click);
    checkedConnect(chkByType, &QCheckBox::clicked, this, &SearchPopup::chkByType_Click);
    checkedConnect(chkByResp, &QCheckBox::clicked, this, &SearchPopup::chkByResp_Click);
    for (QWidget* w : std::initializer_list<QWidget*>{chkAll, chkByType, chkByResp, optNone,
                                                      optChrono, optRChrono})
        w->installEventFilter(this);
}

void SearchPopup::Form_Load() {
    txtFrom->setText(DiaryDate::Format(kFirstDay, m_state.DateFormat));
    TxtTo->setText(DiaryDate::Format(qMax(kLastDay, QDate::currentDate()), m_state.DateFormat));
    fillList(cboType, SettingsKeys::PrayerTypes);
    fillList(cboResponse, SettingsKeys::PrayerResults);
    chkAll->setChecked(true);
    optNone->setChecked(true);
    placeBesideDiary();
}

void SearchPopup::fillList(QComboBox* list, const QString& section) {
    list->clear();
    list->addItem(QStringLiteral("ALL"));
    for (int k = 0; k <= SettingsKeys::PrayerListLastStoredKey; ++k) {
        const QString v = m_state.settings.read(section, QString::number(k), QString());
        if (!v.isEmpty() && v != SettingsKeys::PrayerListEmpty)
            list->addItem(v);
    }
}

void SearchPopup::placeBesideDiary() {
    adjustSize();
    const QRect d = m_diary.frameGeometry();
    const QRect screenArea = m_diary.screen()->availableGeometry();
    int x = d.right() + 8;
    if (x + width() > screenArea.right())
        x = qMax(screenArea.left(), screenArea.right() - width());
    move(x, qMax(screenArea.top(), d.top()));
}

void SearchPopup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    txtSearch->setFocus();
}

bool SearchPopup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease)
        txtSearch->setFocus();
    return QDialog::eventFilter(watched, event);
}

void SearchPopup::chkAll_Click() {
    if (chkAll->isChecked()) {
        chkByType->setChecked(false);
        chkByResp->setChecked(false);
    }
}

void SearchPopup::chkByType_Click() {
    if (chkByType->isChecked())
        chkAll->setChecked(false);
}

void SearchPopup::chkByResp_Click() {
    if (chkByResp->isChecked())
        chkAll->setChecked(false);
}

// A date field read in the diary's date format, as an entry number.
std::optional<qint32> SearchPopup::dateField(QLineEdit* field) {
    const std::optional<QDate> day = DiaryDate::Parse(field->text(), m_state.DateFormat);
    if (!day) {
        m_state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, kMsgBadDate, field->text()));
        field->setFocus();
        field->selectAll();
        return std::nullopt;
    }
    return DiaryDate::EntryName(*day).toInt();
}

void SearchPopup::OKButton_Click() {
    raise();
    const std::optional<qint32> from = dateField(txtFrom);
    if (!from)
        return;
    const std::optional<qint32> to = dateField(TxtTo);
    if (!to)
        return;
    const DiarySearch::Order order = optChrono->isChecked()    ? DiarySearch::Order::Chronological
                                     : optRChrono->isChecked() ? DiarySearch::Order::Reverse
                                                               : DiarySearch::Order::None;
    DiarySearch::Filter filter;
    filter.all = chkAll->isChecked();
    filter.byHeading = chkByType->isChecked();
    filter.byAnswer = chkByResp->isChecked();
    filter.heading = cboType->currentText();
    filter.answer = cboResponse->currentText();
    if (m_search.Start(*from, *to, order, filter) == 0) {
        m_state.dialogs.show(Dialogs::Icon::Information, QStringLiteral("No Files Found"),
                             MessageText::Std(m_state, 83));
        return;
    }
    if (!showNext(QString()))
        NoMoreFiles();
}

void SearchPopup::cmdAgain_Click() {
    // The walk goes on inside the entry shown only while the diary still shows it.
    if (m_diary.CurrentFile != m_search.Shown)
        m_search.Shown.clear();
    if (!showNext(m_diary.PaneText()))
        NoMoreFiles();
}

bool SearchPopup::showNext(const QString& shownText) {
    const auto hit = m_search.FindNext(
        txtSearch->text(), shownText, [this](const QString& entry, const QString& error) {
            TolvaneRoutines::ReportError(
                m_state.dialogs, TolvaneRoutines::ErrorNumber::PathFileAccess,
                QStringLiteral("Power Search - OpenNext"), entry + QStringLiteral(": ") + error);
        });
    if (!hit)
        return false;
    if (!hit->sameEntry)
        m_diary.ShowFoundEntry(hit->entry);
    m_diary.SelectFound(hit->position, hit->length);
    m_diary.raise();
    m_diary.RepaintEntry();
    raise();
    return true;
}

void SearchPopup::NoMoreFiles() {
    m_state.dialogs.show(Dialogs::Icon::Information, QStringLiteral("No Files"),
                         MessageText::Std(m_state, 80));
}

void SearchPopup::CancelButton_Click() {
    close();
}
