// The prayer diary window, driven as its user drives it.
#include "../printing/PdfCheck.h"
#include "DiaryFixture.h"
#include "ModalDriver.h"
#include "diary/PIdentity.h"
#include "diary/PrayerPopup.h"
#include "platform/rtf/RtfWriter.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <csignal>
#include <sys/resource.h>

namespace {
const QDate kToday = QDate::currentDate();
QString day(const QDate& d) {
    return d.toString(QStringLiteral("yyyyMMdd"));
}

// A diary window for the default identity, shown (so today's entry is loaded).
struct Diary : DiaryFixture {
    explicit Diary(bool show = true) {
        storeIdentities({"Default", "Anna"}, "Default");
        window = new PrayerPopup(state, print);
        if (show)
            window->show();
    }
    ~Diary() { delete window; }
    void type(const QString& text) {
        window->RT->setFocus();
        window->RT->moveCursor(QTextCursor::End);
        window->RT->insertPlainText(text);
    }
    QPointer<PrayerPopup> window;
};
} // namespace

class TestPrayerPopup : public QObject {
    Q_OBJECT
private slots:
    void newDaySavesEncipheredAndLoadsBack();
    void dateChangeSavesUnderTheDayWritten();
    void failedSaveKeepsThePageAndTheWindow();
    void cancelledSaveAndExitStaysLoaded();
    void picturesFillTheSlotsInTurn();
    void headingListEditing();
    void findStartsAtTheBeginningAndIgnoresCase();
    void deleteAsksOnlyForAnEntry();
    void openAsksThePassword();
    void printEndsTheJobAfterTheLastCopy();
    void manageIdentitiesSavesToItsOwnIdentity();
    void closingSavesAndStoresTheFont();
    void oldLayoutIsConvertedOnce();
};

void TestPrayerPopup::newDaySavesEncipheredAndLoadsBack() {
    Diary d;
    PrayerPopup& w = *d.window;
    QCOMPARE(w.lblType->text(), QStringLiteral("New Prayer"));
    QCOMPARE(w.lblResults->text(), QStringLiteral("New"));
    QVERIFY(w.RT->toPlainText().isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Prayer Diary - Default"));
    d.type(QString::fromUtf8("Thanks for caf\xc3\xa9 and \xe2\x82\xac and \xe4\xb8\xad.\nAmen"));
    w.cboPrayerT->setCurrentIndex(3);
    w.cboPrayerT_Click();
    w.tbIcons_ButtonClick(7);
    d.dialogs.expectColour(QColor(255, 255, 0));
    w.tbMenu_ButtonClick(QStringLiteral("Background Colour"));
    QVERIFY(w.Dirty);
    w.CmdSave->click();

    QVERIFY(!w.Dirty);
    const QString base = QStringLiteral("Modules/Prayers/Default/") + day(kToday);
    QCOMPARE(d.files(), (QStringList{day(kToday) + ".PE", day(kToday) + ".Px"}));
    // The file holds exactly the enciphered RTF of the page.
    QCOMPARE(d.folder.read(base + ".Px"),
             DiaryFixture::referenceTransform(RtfWriter::write(*w.RT->document())));
    QCOMPARE(d.folder.read(base + ".PE"),
             QByteArray("\"Thanksgiving\",\"New\",7,0,0,0,0,65535\r\n"));
    QCOMPARE(w.SbMainPanels[2]->text(), QStringLiteral("File Saved."));

    const QString text = w.RT->toPlainText();
    w.DT1->setDate(kToday.addDays(-1));
    QVERIFY(w.RT->toPlainText().isEmpty());
    QCOMPARE(w.SbPicsPanels[0]->property("picture").toInt(), 0);
    w.DT1->setDate(kToday);
    QCOMPARE(w.RT->toPlainText(), text);
    QCOMPARE(w.lblType->text(), QStringLiteral("Thanksgiving"));
    QCOMPARE(w.SbPicsPanels[0]->property("picture").toInt(), 7);
    QCOMPARE(w.RT->palette().color(QPalette::Base), QColor(255, 255, 0));
    QVERIFY(!w.Dirty);
    QCOMPARE(d.dialogs.pending(), 0);
}

void TestPrayerPopup::dateChangeSavesUnderTheDayWritten() {
    Diary d(false);
    const QDate earlier = kToday.addDays(-2);
    d.writeEntry("Default", day(earlier), DiaryFixture::simpleRtf("old words"),
                 "\"Adoration\",\"New\",0,0,0,0,0,16777215\r\n");
    d.window->show();
    PrayerPopup& w = *d.window;
    w.DT1->setDate(earlier);
    QCOMPARE(w.RT->toPlainText(), QStringLiteral("old words"));
    // Merely clicking into the text counts as a change.
    QTest::mouseClick(w.RT->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(w.Dirty);
    d.type(QStringLiteral(" and new"));
    // Both questions name the day the page was written for, not the day chosen.
    const QString earlierText = earlier.toString(QStringLiteral("dd-MMM-yyyy"));
    d.dialogs.expectMessage(Dialogs::Answer::Yes, day(earlier));
    d.dialogs.expectMessage(Dialogs::Answer::Yes, earlierText);
    w.DT1->setDate(kToday);
    QCOMPARE(d.dialogs.pending(), 0);
    QCOMPARE(w.CurrentFile, day(kToday));
    QVERIFY(w.RT->toPlainText().isEmpty());
    QVERIFY(!d.files().contains(day(kToday) + ".Px"));
    w.DT1->setDate(earlier);
    QCOMPARE(w.RT->toPlainText(), QStringLiteral("old words and new"));
}

void TestPrayerPopup::failedSaveKeepsThePageAndTheWindow() {
    Diary d(false);
    d.writeEntry("Default", day(kToday), DiaryFixture::simpleRtf("the old page"),
                 "\"Adoration\",\"New\",0,0,0,0,0,16777215\r\n");
    const QByteArray oldText = d.folder.read("Modules/Prayers/Default/" + day(kToday) + ".Px");
    d.window->show();
    PrayerPopup& w = *d.window;
    d.type(QString(20000, QLatin1Char('w')));
    QSignalSpy unloaded(&w, &PrayerPopup::diaryLoadedChanged);
    d.dialogs.expectMessage(Dialogs::Answer::Yes, QStringLiteral("already a diary entry"));
    d.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("could not be saved"));
    // A full disk, as far as this process can tell: writes past 1000 bytes fail.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    w.cmdSaveExit->click();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);

    QCOMPARE(d.dialogs.pending(), 0);
    QVERIFY(w.isVisible());
    QVERIFY(w.Dirty);
    QCOMPARE(w.RT->toPlainText().size(), 20000 + 12);
    QCOMPARE(d.folder.read("Modules/Prayers/Default/" + day(kToday) + ".Px"), oldText);
    QCOMPARE(d.files(), (QStringList{day(kToday) + ".PE", day(kToday) + ".Px"}));
    QCOMPARE(unloaded.count(), 0);
    QVERIFY(d.state.DiaryOpen);
}

void TestPrayerPopup::cancelledSaveAndExitStaysLoaded() {
    Diary d(false);
    d.writeEntry("Default", day(kToday), DiaryFixture::simpleRtf("kept"));
    d.window->show();
    PrayerPopup& w = *d.window;
    QSignalSpy caption(&w, &PrayerPopup::switchIdentityCaption);
    d.type(QStringLiteral(" changed"));
    d.dialogs.expectMessage(Dialogs::Answer::Cancel, QStringLiteral("already a diary entry"));
    w.cmdSaveExit->click();
    QVERIFY(w.isVisible());
    QVERIFY(d.state.DiaryOpen);
    QCOMPARE(caption.count(), 0); // no unload step ran
    QCOMPARE(w.CancelExit, true);

    // "No" gives the changes up and closes.
    d.type(QStringLiteral(" again"));
    d.dialogs.expectMessage(Dialogs::Answer::No);
    w.cmdSaveExit->click();
    QTRY_VERIFY(d.window.isNull());
    QCOMPARE(caption.count(), 1);
    QCOMPARE(caption.first().first().toString(), QStringLiteral("&Switch Identity [Default]"));
    QVERIFY(!d.state.DiaryOpen);
    QCOMPARE(DiaryFixture::referenceTransform(
                 d.folder.read("Modules/Prayers/Default/" + day(kToday) + ".Px")),
             DiaryFixture::simpleRtf("kept"));
}

void TestPrayerPopup::picturesFillTheSlotsInTurn() {
    Diary d;
    PrayerPopup& w = *d.window;
    for (int picture = 1; picture <= 6; ++picture)
        w.findChild<QAction*>(QStringLiteral("tbIcons%1").arg(picture))->trigger();
    QCOMPARE(w.PictureMarks, (std::array<quint8, 5>{6, 2, 3, 4, 5}));
    QCOMPARE(w.SbPicsPanels[5]->text(), QStringLiteral("2"));
    QVERIFY(!w.SbPicsPanels[0]->pixmap().isNull());
    w.CmdClear->click();
    QCOMPARE(w.PictureMarks, (std::array<quint8, 5>{0, 0, 0, 0, 0}));
    QVERIFY(w.SbPicsPanels[0]->pixmap().isNull());
    w.tbIcons_ButtonClick(24);
    QCOMPARE(w.PictureMarks, (std::array<quint8, 5>{0, 24, 0, 0, 0}));
}

void TestPrayerPopup::headingListEditing() {
    Diary d;
    PrayerPopup& w = *d.window;
    QCOMPARE(w.cboPrayerT->count(), 4);
    QCOMPARE(w.cboPrayerT->currentText(), QStringLiteral("Adoration"));
    auto enter = [&](QComboBox* list, const QString& text) {
        list->setEditText(text);
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    };
    enter(w.cboPrayerT, QStringLiteral("Adoration"));
    enter(w.cboPrayerT, QStringLiteral("adoration"));
    QCOMPARE(w.cboPrayerT->count(), 5);
    d.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("double quote"));
    enter(w.cboPrayerT, QStringLiteral("say \"amen\""));
    d.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("double quote"));
    enter(w.CboResult, QStringLiteral("0"));
    d.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("reserved"));
    enter(w.cboPrayerT, QStringLiteral("Null"));
    QVERIFY(w.cboPrayerT->currentText().isEmpty());
    QCOMPARE(w.cboPrayerT->count(), 5);
    QCOMPARE(d.dialogs.pending(), 0);
    // Del removes the entry shown; the stored list is renumbered without gaps.
    w.cboPrayerT->setCurrentIndex(1);
    QTest::keyClick(w.cboPrayerT->lineEdit(), Qt::Key_Delete);
    QCOMPARE(d.settings->read("PrayerTypes", "1", QString()), QStringLiteral("Provision"));
    QCOMPARE(d.settings->read("PrayerTypes", "3", QString()), QStringLiteral("adoration"));
    QVERIFY(!d.settings->contains("PrayerTypes", "4"));
}

void TestPrayerPopup::findStartsAtTheBeginningAndIgnoresCase() {
    Diary d;
    PrayerPopup& w = *d.window;
    d.type(QString::fromUtf8("Gra\xc3\x9f grace GRACE"));
    auto selected = [&] { return w.RT->textCursor().selectionStart(); };
    d.dialogs.expectInput(QStringLiteral("grace"));
    w.mFind->trigger();
    QCOMPARE(selected(), 5);
    w.mFindAgain->trigger();
    QCOMPARE(selected(), 11);
    QCOMPARE(w.RT->textCursor().selectedText(), QStringLiteral("GRACE"));
    d.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("No more matches"));
    w.mFindAgain->trigger();
    d.dialogs.expectInput(QStringLiteral("GRACE"));
    w.mFind->trigger();
    QCOMPARE(selected(), 5); // a new Find starts again at the beginning
    QCOMPARE(d.dialogs.pending(), 0);
}

void TestPrayerPopup::deleteAsksOnlyForAnEntry() {
    Diary d(false);
    d.writeEntry("Default", day(kToday), DiaryFixture::simpleRtf("to go"),
                 "\"Adoration\",\"New\",1,0,0,0,0,16777215\r\n");
    d.window->show();
    PrayerPopup& w = *d.window;
    w.DT1->setDate(kToday.addDays(-1));
    w.cndDelete->click(); // no entry: nothing asked
    w.DT1->setDate(kToday);
    d.dialogs.expectMessage(Dialogs::Answer::No, QStringLiteral("Delete the diary entry"));
    w.cndDelete->click();
    QCOMPARE(d.files().size(), 2);
    d.dialogs.expectMessage(Dialogs::Answer::Yes);
    w.cndDelete->click();
    QVERIFY(d.files().isEmpty());
    QVERIFY(w.RT->toPlainText().isEmpty());
    QCOMPARE(w.lblType->text(), QStringLiteral("New Prayer"));
    QCOMPARE(w.PictureMarks[0], quint8(0));
}

void TestPrayerPopup::openAsksThePassword() {
    Diary d(false);
    d.storeIdentities({"Default"}, "Default", {"secret1"});
    QSignalSpy loaded(d.window.data(), &PrayerPopup::diaryLoadedChanged);
    d.dialogs.expectInput(QStringLiteral("wrong"));
    d.dialogs.expectMessage(Dialogs::Answer::No, QStringLiteral("not correct"));
    QVERIFY(!d.window->OpenPrayerDiary());
    // Not left loaded and hidden, which would keep "&Switch Identity" disabled.
    QVERIFY(!d.state.DiaryOpen);
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded.first().first().toBool(), false);
    QTRY_VERIFY(d.window.isNull());

    d.window = new PrayerPopup(d.state, d.print);
    d.dialogs.expectInput(QStringLiteral("wrong"));
    d.dialogs.expectMessage(Dialogs::Answer::Yes);
    d.dialogs.expectInput(QStringLiteral("secret1"));
    QVERIFY(d.window->OpenPrayerDiary());
    QVERIFY(d.window->isVisible());
    QVERIFY(d.window->OpenPrayerDiary()); // shown already: no question
    delete d.window;

    // Marked open while a password is stored: refused without a question.
    d.settings->write("Identity", "Password Protected0", "0");
    d.window = new PrayerPopup(d.state, d.print);
    d.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("changed outside"));
    QVERIFY(!d.window->OpenPrayerDiary());
    // A stored value longer than any password is damaged, not a key to read past.
    d.settings->write("Identity", "Password Protected0", "1");
    d.settings->write("Identity", "Password0", QString(40, QLatin1Char('x')));
    d.window = new PrayerPopup(d.state, d.print);
    d.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("is damaged"));
    QVERIFY(!d.window->OpenPrayerDiary());
    QCOMPARE(d.dialogs.pending(), 0);
}

void TestPrayerPopup::printEndsTheJobAfterTheLastCopy() {
    if (!PdfCheck::ToolsAvailable())
        QSKIP("pdfinfo is not installed");
    Diary d;
    d.type(QStringLiteral("Page text for printing\n").repeated(80));
    const QString pdf = d.folder.file(QStringLiteral("diary.pdf"));
    d.dialogs.expectPrinter(true, [pdf](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setCopyCount(3);
    });
    d.window->mPrint->trigger();
    const int pages = PdfCheck::PageCount(pdf);
    QVERIFY2(pages > 0 && pages % 3 == 0, qPrintable(QString::number(pages)));
    QCOMPARE(PdfCheck::Text(pdf).count(QStringLiteral("Page text for printing")), 240);
    QCOMPARE(d.dialogs.pending(), 0);
}

void TestPrayerPopup::manageIdentitiesSavesToItsOwnIdentity() {
    Diary d;
    PrayerPopup& w = *d.window;
    d.type(QStringLiteral("Default's prayer"));
    d.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("\"Anna\""));
    ModalDriver::whenModal(QStringLiteral("PIdentity"), [](QWidget* window) {
        auto* identities = static_cast<PIdentity*>(window);
        identities->lstUsers->setCurrentRow(1);
        identities->cmdSetDefault->click();
        identities->cmdUpdate->click();
    });
    w.mSwitchIdentity->trigger();
    QCOMPARE(d.dialogs.pending(), 0);
    QCOMPARE(d.files("Default"), (QStringList{day(kToday) + ".PE", day(kToday) + ".Px"}));
    QVERIFY(d.files("Anna").isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Prayer Diary - Anna"));
    QVERIFY(w.RT->toPlainText().isEmpty());
    d.type(QStringLiteral("Anna's prayer"));
    w.CmdSave->click();
    QCOMPARE(d.files("Anna").size(), 2);
}

void TestPrayerPopup::closingSavesAndStoresTheFont() {
    Diary d;
    PrayerPopup& w = *d.window;
    d.type(QStringLiteral("closing words"));
    w.RT->selectAll();
    w.RT->setFontPointSize(18);
    w.close();
    QTRY_VERIFY(d.window.isNull());
    QCOMPARE(d.files().size(), 2);
    QCOMPARE(d.settings->read("Settings", "PrayerFontSize", QString()), QStringLiteral("18"));
    QVERIFY(d.settings->contains("Settings", "ScreenPrayerX"));
    QVERIFY(!d.state.DiaryOpen);
}

void TestPrayerPopup::oldLayoutIsConvertedOnce() {
    DiaryFixture f;
    f.folder.write(QStringLiteral("Modules/Prayers/") + day(kToday) + ".Px",
                   DiaryFixture::referenceTransform(DiaryFixture::simpleRtf("from before")));
    PrayerPopup* w = new PrayerPopup(f.state, f.print);
    QVERIFY(w->OpenPrayerDiary()); // no password
    QCOMPARE(w->RT->toPlainText(), QStringLiteral("from before"));
    QCOMPARE(f.settings->read("Identity", "0", QString()), QStringLiteral("Default"));
    QCOMPARE(f.settings->read("Identity", "Password0", QString()), QStringLiteral("5190372"));
    QCOMPARE(f.files(), QStringList{day(kToday) + ".Px"});
    delete w;
    // With a list but no default, nothing is converted and the identity keeps its password.
    f.storeIdentities({"Anna"}, QString(), {"annapass"});
    f.settings->deleteKey("Identity", "Default");
    const QString stored = f.settings->read("Identity", "Password0", QString());
    w = new PrayerPopup(f.state, f.print);
    QCOMPARE(f.state.CurrentIdentity, QStringLiteral("Anna"));
    QCOMPARE(f.settings->read("Identity", "Password0", QString()), stored);
    delete w;
}

QTEST_MAIN(TestPrayerPopup)
#include "tst_prayerpopup.moc"
