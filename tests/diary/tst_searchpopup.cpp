// The diary search window, walking hits through the diary window.
#include "DiaryFixture.h"
#include "diary/PrayerPopup.h"
#include "diary/SearchPopup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

namespace {
// A diary with entries on four days, and its search window.
struct Search : DiaryFixture {
    Search() {
        storeIdentities({"Default"}, "Default");
        entry("20001231", "grace too early", "Thanksgiving");
        entry("20240105", "grace and GRACE", "Thanksgiving");
        entry("20240101", "first Grace", "thanksgiving");
        entry("20240110", "nothing to see", "Confession");
        diary = new PrayerPopup(state, print);
        diary->show();
        diary->mPowerS->trigger();
        window = diary->searchWindow();
    }
    ~Search() { delete diary; }
    void entry(const char* day, const QByteArray& text, const QByteArray& heading) {
        writeEntry("Default", QString::fromLatin1(day), simpleRtf(text),
                   "\"" + heading + "\",\"Awaiting Answer\",0,0,0,0,0,16777215\r\n");
    }
    // Where the diary window stands after a step: entry, selection start and text.
    QString shown() const {
        const QTextCursor c = diary->RT->textCursor();
        return diary->CurrentFile + ':' + QString::number(c.selectionStart()) + ':' +
               c.selectedText();
    }
    QPointer<PrayerPopup> diary;
    SearchPopup* window = nullptr;
};
} // namespace

class TestSearchPopup : public QObject {
    Q_OBJECT
private slots:
    void loadsWithTheDefaults();
    void walksEveryHitInDateOrder();
    void filtersByHeadingExactly();
    void changedEntryIsOfferedForSavingFirst();
    void datesAreReadInTheDiaryFormat();
    void damagedEntryIsPassedOnce();
};

void TestSearchPopup::loadsWithTheDefaults() {
    Search s;
    QVERIFY(s.window && s.window->isVisible());
    QCOMPARE(s.window->txtFrom->text(), QStringLiteral("01-Jan-2001"));
    const QDate to = qMax(QDate(2030, 12, 25), QDate::currentDate());
    QCOMPARE(s.window->TxtTo->text(), to.toString(QStringLiteral("dd-MMM-yyyy")));
    QCOMPARE(s.window->cboType->itemText(0), QStringLiteral("ALL"));
    QCOMPARE(s.window->cboType->count(), 5);
    QVERIFY(s.window->chkAll->isChecked());
    QVERIFY(s.window->optNone->isChecked());
    s.window->chkByType->click();
    QVERIFY(!s.window->chkAll->isChecked());
    s.window->chkAll->click();
    QVERIFY(!s.window->chkByType->isChecked());
}

void TestSearchPopup::walksEveryHitInDateOrder() {
    Search s;
    s.window->txtSearch->setText(QStringLiteral("grace"));
    s.window->optChrono->setChecked(true);
    QStringList steps;
    s.window->OKButton->click();
    steps.append(s.shown());
    for (int i = 0; i < 2; ++i) {
        s.window->cmdAgain->click();
        steps.append(s.shown());
    }
    QCOMPARE(steps, (QStringList{"20240101:6:Grace", "20240105:0:grace", "20240105:10:GRACE"}));
    // The diary shows the found day and takes the entry as its own, unchanged.
    QCOMPARE(s.diary->DT1->date(), QDate(2024, 1, 5));
    QVERIFY(!s.diary->Dirty);
    QCOMPARE(s.diary->lblType->text(), QStringLiteral("Thanksgiving"));
    s.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("No more matches"));
    s.window->cmdAgain->click();
    s.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("No more matches"));
    s.window->cmdAgain->click();

    s.window->optRChrono->setChecked(true);
    s.window->OKButton->click();
    QCOMPARE(s.shown(), QStringLiteral("20240105:0:grace"));
    QCOMPARE(s.dialogs.pending(), 0);
}

void TestSearchPopup::filtersByHeadingExactly() {
    Search s;
    s.window->txtSearch->setText(QStringLiteral("grace"));
    s.window->chkByType->click();
    s.window->cboType->setCurrentText(QStringLiteral("Thanksgiving"));
    s.window->OKButton->click();
    QCOMPARE(s.shown(), QStringLiteral("20240105:0:grace"));
    s.window->chkByType->click(); // neither box ticked now: nothing passes
    s.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("No more matches"));
    s.window->OKButton->click();
    s.window->chkAll->click();
    s.window->txtFrom->setText(QStringLiteral("01-Jan-2031"));
    s.window->TxtTo->setText(QStringLiteral("01-Jan-2032"));
    s.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("between these dates"));
    s.window->OKButton->click();
    QCOMPARE(s.dialogs.pending(), 0);
}

void TestSearchPopup::changedEntryIsOfferedForSavingFirst() {
    Search s;
    s.diary->DT1->setDate(QDate(2024, 1, 10));
    s.diary->RT->moveCursor(QTextCursor::End);
    s.diary->RT->insertPlainText(QStringLiteral(" but grace"));
    s.window->txtSearch->setText(QStringLiteral("first"));
    s.dialogs.expectMessage(Dialogs::Answer::Yes, QStringLiteral("20240110"));
    s.dialogs.expectMessage(Dialogs::Answer::Yes, QStringLiteral("10-Jan-2024"));
    s.window->OKButton->click();
    QCOMPARE(s.shown(), QStringLiteral("20240101:0:first"));
    // The edit went to its own day; saving now goes to the day found.
    s.diary->DT1->setDate(QDate(2024, 1, 10));
    QCOMPARE(s.diary->RT->toPlainText(), QStringLiteral("nothing to see but grace"));
    QCOMPARE(s.dialogs.pending(), 0);
}

void TestSearchPopup::datesAreReadInTheDiaryFormat() {
    Search s;
    s.state.DateFormat = QStringLiteral("dd/MM/yy");
    s.window->txtSearch->setText(QStringLiteral("grace"));
    s.window->txtFrom->setText(QStringLiteral("02/01/24")); // 2024, not 1924
    s.window->TxtTo->setText(QStringLiteral("31/12/24"));
    s.window->OKButton->click();
    QCOMPARE(s.shown(), QStringLiteral("20240105:0:grace"));
    s.window->TxtTo->setText(QStringLiteral("someday"));
    s.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("\"someday\" cannot be read"));
    s.window->OKButton->click();
    QVERIFY(s.window->TxtTo->hasSelectedText());
    QCOMPARE(s.dialogs.pending(), 0);
}

void TestSearchPopup::damagedEntryIsPassedOnce() {
    Search s;
    s.window->txtSearch->setText(QStringLiteral("e"));
    s.window->optChrono->setChecked(true);
    s.window->OKButton->click();
    QCOMPARE(s.diary->CurrentFile, QStringLiteral("20240101"));
    QFile::remove(s.identityFolder() + QStringLiteral("20240105.Px"));
    s.dialogs.setLenient(true); // the error report for the lost entry
    while (s.diary->CurrentFile == QLatin1String("20240101"))
        s.window->cmdAgain->click();
    s.dialogs.setLenient(false);
    QCOMPARE(s.diary->CurrentFile, QStringLiteral("20240110"));
    QCOMPARE(s.dialogs.messageTexts().filter(QStringLiteral("Power Search - OpenNext")).size(), 1);
}

QTEST_MAIN(TestSearchPopup)
#include "tst_searchpopup.moc"
