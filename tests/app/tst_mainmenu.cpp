// The main window's start-up, activation, busy state, timer and shut-down, driven offscreen.
#include "MainMenuFixture.h"
#include "ModalDriver.h"

#include "app/ModuleAvailability.h"
#include "diary/PrayerPopup.h"
#include "library/FileFunctions.h"
#include "library/TolvaneRoutines.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {
const QString S = QStringLiteral("Settings");
}

class TestMainMenu : public QObject {
    Q_OBJECT
private slots:
    void firstStartUsesDefaults();
    void startUpRunsItsStepsInOrder();
    void secondStartCreatesNoFolders();
    void badStoredValuesDoNotStopStartUp();
    void outOfRangeStoredValuesAreNotUsed_data();
    void outOfRangeStoredValuesAreNotUsed();
    void activeUpdateSetting_data();
    void activeUpdateSetting();
    void shortBookCatalogueRecovers();
    void unwritableSettingsAreReportedOnce();
    void damagedTranslationRecordIsReported();
    void missingCatalogueEndsWithMessage();
    void noBiblesWindowEndsProgram();
    void missingMessageFileIsReported();
    void pageValueErrorReportsAndSkipsSteps();
    void interfaceTextsComeFromMessageFiles();
    void activationFollowsInstalledModules();
    void availabilityProbesEachModuleFolder();
    void busyStateDisablesAndRestores();
    void timerAnimatesAndSlowsDown();
    void debugModeToggles();
    void clearHistoryAsksFirst();
    void shutDownStoresState();
    void storedFaceIsKeptUnlessChosen();
    void shutDownKeepsGeometryWhenMinimised();
    void scratchFilesFollowTheOption();
    void splashShowsAFavouriteVerse();
    void webItemsOpenOnlyOurAddresses();
    void helpOpensOnF1AndKeepsWebLinksOutside();
    void prayerDiaryFromTheMainWindow();
};

void TestMainMenu::firstStartUsesDefaults() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    QCOMPARE(f.endRequests, 0);
    QCOMPARE(f.settings->read(S, QStringLiteral("L"), QString()), QStringLiteral("ENGLISH_"));
    QCOMPARE(f.state->LanguagePrefix, QStringLiteral("ENGLISH_"));
    QCOMPARE(f.settings->read(S, QStringLiteral("Revision"), QString()),
             TolvaneRoutines::VersionDigits());
    QCOMPARE(
        f.settings->read(QStringLiteral("Module_Path"), QStringLiteral("ModulePath"), QString()),
        f.folder.path() + QStringLiteral("/Modules/"));
    QCOMPARE(
        f.settings->read(QStringLiteral("Module_Path"), QStringLiteral("TolvanePath"), QString()),
        f.folder.path() + '/');
    // 10500 x 8000 twips at 1000, 1000: at 96 dpi, 700 x 533 pixels at 67, 67.
    const double dpi = w.logicalDpiX();
    QCOMPARE(w.width(), qRound(10500.0 * dpi / 1440));
    QCOMPARE(w.height(), qRound(8000.0 * dpi / 1440));
    QCOMPARE(w.pos(), QPoint(qRound(1000.0 * dpi / 1440), qRound(1000.0 * dpi / 1440)));
    QCOMPARE(ctl<QComboBox>(w, "cboBooks")->count(), 72);
    QCOMPARE(ctl<QComboBox>(w, "cboBooks")->currentIndex(), 68);
    QCOMPARE(w.selectedBook(), 69);
    QCOMPARE(ctl<QComboBox>(w, "cboTranslation")->currentText(), QStringLiteral("Test Bible"));
    QCOMPARE(w.currentBibleFile(), QStringLiteral("b_tst.TXT"));
    QVERIFY(ctl<QRadioButton>(w, "chkNone")->isChecked());
    QVERIFY(!ctl<QCheckBox>(w, "chkActiveUpd")->isChecked());
    QVERIFY(ctl<QPushButton>(w, "cStop")->isHidden());
    QCOMPARE(w.windowTitle(), QStringLiteral("Tolvane"));
    QCOMPARE(ctl<QComboBox>(w, "cboSize")->currentText(), QStringLiteral("12"));
    QCOMPARE(ctl<QComboBox>(w, "cboFont")->currentText(), QStringLiteral("Times New Roman"));
    for (const QString& sub : {QStringLiteral("Modules/Bible"), QStringLiteral("Modules/Prayers"),
                               QStringLiteral("Index"), QStringLiteral("Scratch")})
        QVERIFY2(FileFunctions::FolderExists(f.folder.file(sub)), qPrintable(sub));
    QVERIFY(f.dialogs.records().isEmpty());
}

void TestMainMenu::startUpRunsItsStepsInOrder() {
    MainMenuFixture f;
    f.load();
    const QStringList expected = {"1",  "2",  "6",  "7",  "8",  "9",  "10", "11",      "13",
                                  "14", "15", "16", "18", "21", "22", "23", "24",      "26",
                                  "27", "28", "29", "30", "31", "32", "33", "activate"};
    QCOMPARE(f.steps, expected);
}

void TestMainMenu::secondStartCreatesNoFolders() {
    MainMenuFixture f;
    f.load();
    QDir(f.folder.file(QStringLiteral("Modules/SNotes"))).removeRecursively();
    f.restart();
    f.load();
    QVERIFY(!QFileInfo::exists(f.folder.file(QStringLiteral("Modules/SNotes"))));
    // An upgrade (another stored revision) creates them again.
    f.settings->write(S, QStringLiteral("Revision"), QStringLiteral("402"));
    f.restart();
    f.load();
    QVERIFY(QFileInfo::exists(f.folder.file(QStringLiteral("Modules/SNotes"))));
}

void TestMainMenu::badStoredValuesDoNotStopStartUp() {
    MainMenuFixture f;
    f.settings->write(S, QStringLiteral("MainWidth"), QStringLiteral("wide"));
    f.settings->write(S, QStringLiteral("WhichBib"), QStringLiteral("7"));
    f.settings->write(S, QStringLiteral("CBOBookmark"), QStringLiteral("400"));
    f.settings->write(S, QStringLiteral("Bib1Fontsize"), QStringLiteral("huge"));
    f.load();
    QCOMPARE(f.endRequests, 0);
    QCOMPARE(f.window->width(), qRound(10500.0 * f.window->logicalDpiX() / 1440));
    QCOMPARE(ctl<QComboBox>(*f.window, "cboTranslation")->currentIndex(), 0);
    QCOMPARE(ctl<QComboBox>(*f.window, "cboBooks")->currentIndex(), 0);
    QCOMPARE(f.state->Bib1Fontsize, quint8(12));
}

void TestMainMenu::outOfRangeStoredValuesAreNotUsed_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("ShowSplash beyond 16 bits") << "ShowSplash"
                                               << "99999";
    QTest::newRow("CBOBookmark 1e10") << "CBOBookmark"
                                      << "1e10";
    QTest::newRow("WhichBib -1e300") << "WhichBib"
                                     << "-1e300";
    QTest::newRow("MainWidth 1e308") << "MainWidth"
                                     << "1e308";
    QTest::newRow("MainLeft -1e40") << "MainLeft"
                                    << "-1e40";
    QTest::newRow("Bib1Fontsize 1e300") << "Bib1Fontsize"
                                        << "1e300";
    QTest::newRow("MAXCountSize 1e12") << "MAXCountSize"
                                       << "1e12";
    QTest::newRow("WidthPage beyond a single") << "WidthPage"
                                               << "1e39";
    QTest::newRow("FitToDesktop 1e10") << "FitToDesktop"
                                       << "1e10";
    QTest::newRow("ApplyToAllForms -70000") << "ApplyToAllForms"
                                            << "-70000";
}

// Hand-edited values that no variable can hold: each falls back to its default (page
// values take the page-value error path), and none reaches a conversion that cannot hold it.
void TestMainMenu::outOfRangeStoredValuesAreNotUsed() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    MainMenuFixture f;
    f.settings->write(S, key, value);
    const bool pageValue =
        QStringList{"WidthPage", "FitToDesktop", "ApplyToAllForms"}.contains(key);
    if (pageValue) {
        f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Load Main."));
        ModalDriver::whenModal(QString(), [](QWidget* w) { w->close(); });
    }
    f.load();
    QCOMPARE(f.endRequests, 0);
    MainMenu& w = *f.window;
    const double dpi = w.logicalDpiX();
    QCOMPARE(w.width(), qRound(10500.0 * dpi / 1440));
    QCOMPARE(w.pos(), QPoint(qRound(1000.0 * dpi / 1440), qRound(1000.0 * dpi / 1440)));
    QCOMPARE(f.state->ShowSplash, qint16(key == QLatin1String("ShowSplash") ? 1 : 0));
    QCOMPARE(ctl<QComboBox>(w, "cboBooks")->currentIndex(), 68);
    QCOMPARE(ctl<QComboBox>(w, "cboTranslation")->currentIndex(), 0);
    QCOMPARE(f.state->Bib1Fontsize, quint8(12));
    QCOMPARE(f.state->MAXCountSize, 500);
    QCOMPARE(f.steps.contains(QStringLiteral("29")), !pageValue);
    QCOMPARE(f.dialogs.pending(), 0);
}

void TestMainMenu::activeUpdateSetting_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("1 stays") << "1" << true;
    QTest::newRow("5 becomes 0") << "5" << false;
    QTest::newRow("0") << "0" << false;
}

void TestMainMenu::activeUpdateSetting() {
    QFETCH(QString, stored);
    QFETCH(bool, ticked);
    MainMenuFixture f;
    f.settings->write(S, QStringLiteral("ActiveUpdateBib1"), stored);
    f.load();
    QCOMPARE(ctl<QCheckBox>(*f.window, "chkActiveUpd")->isChecked(), ticked);
}

void TestMainMenu::unwritableSettingsAreReportedOnce() {
    MainMenuFixture f;
    // A settings file whose folder cannot exist: its "folder" is a plain file.
    f.folder.write(QStringLiteral("blocked"), "a file, not a folder");
    const QString path = f.folder.file(QStringLiteral("blocked/Tolvane.conf"));
    f.settings = std::make_unique<SettingsStore>(path);
    f.settings->write(S, QStringLiteral("ShowSplash"), QStringLiteral("0"));
    f.restart();
    f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("cannot be saved"));
    f.load();
    QCOMPARE(f.endRequests, 0);
    QCOMPARE(f.dialogs.records().size(), 1);
    QVERIFY(f.dialogs.records().at(0).box.text.contains(QDir::toNativeSeparators(path)));
    QVERIFY(f.window->close()); // and nothing more is said at the end
    QCOMPARE(f.dialogs.records().size(), 1);
    // A writable store says nothing.
    MainMenuFixture fine;
    fine.load();
    QVERIFY(fine.dialogs.records().isEmpty());
}

void TestMainMenu::shortBookCatalogueRecovers() {
    MainMenuFixture f;
    f.folder.writeBooks(71);
    f.settings->write(QStringLiteral("Search History"), QStringLiteral("0"), QStringLiteral("x"));
    f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Books.txt"));
    f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Will attempt to recover"));
    f.load();
    QCOMPARE(f.endRequests, 1);
    QVERIFY(f.state->EndRequested);
    QVERIFY(!f.settings->contains(S, QStringLiteral("L")));
    QVERIFY(f.settings->contains(QStringLiteral("Search History"), QStringLiteral("0")));
    QVERIFY(f.dialogs.records().at(0).box.text.contains(f.state->SysDefsFolder));
    QCOMPARE(f.dialogs.pending(), 0);
}

void TestMainMenu::damagedTranslationRecordIsReported() {
    MainMenuFixture f;
    f.folder.addSmallBible(QStringLiteral("b_two"));
    f.folder.writeTranslations("1,1,\"Test Bible\",\"b_tst\"\r\nx,1,\"Broken\",\"b_x\"\r\n"
                               "2,1,\"Second\",\"b_two\"\r\n");
    f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Translations.txt line 2"));
    f.load();
    QCOMPARE(f.endRequests, 0);
    // The Bibles before and after the damaged record are both offered.
    QCOMPARE(ctl<QComboBox>(*f.window, "cboTranslation")->count(), 2);
    QCOMPARE(ctl<QComboBox>(*f.window, "cboTranslation")->itemText(1), QStringLiteral("Second"));
    QVERIFY(f.dialogs.records().at(0).box.title.contains(QStringLiteral("Unforseen error")));
}

void TestMainMenu::missingCatalogueEndsWithMessage() {
    MainMenuFixture f;
    QFile::remove(f.folder.file(QStringLiteral("sysdefs/Translations.txt")));
    f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral(" File not found!"));
    f.load();
    QCOMPARE(f.endRequests, 1);
    QVERIFY(f.dialogs.records().at(0).box.text.contains(TolvaneRoutines::WebAddress()));
}

void TestMainMenu::noBiblesWindowEndsProgram() {
    MainMenuFixture f;
    f.folder.writeTranslations("1,0,\"Test Bible\",\"b_tst\"\r\n");
    ModalDriver::clickInModal(QStringLiteral("NoBibles"), QStringLiteral("Command1"));
    f.load();
    QCOMPARE(f.endRequests, 1);
    QVERIFY(f.state->EndRequested);
    QCOMPARE(ctl<QComboBox>(*f.window, "cboTranslation")->count(), 0);
}

void TestMainMenu::missingMessageFileIsReported() {
    MainMenuFixture f;
    QFile::remove(f.folder.file(QStringLiteral("msg/ENGLISH_FRM.mes")));
    f.dialogs.setLenient(true);
    f.load();
    QCOMPARE(f.endRequests, 0);
    const QStringList texts = f.dialogs.messageTexts();
    QVERIFY(!texts.isEmpty());
    QVERIFY(texts.first().startsWith(QStringLiteral("Serious Error!'")));
    QVERIFY(texts.first().endsWith(QStringLiteral("ENGLISH_FRM.mes' missing.")));
    QVERIFY(texts.contains(QStringLiteral("Error in language file with message 27.")));
    QCOMPARE(f.window->findChild<QWidget*>(QStringLiteral("cmdOpen"))->toolTip(), QString());
}

void TestMainMenu::pageValueErrorReportsAndSkipsSteps() {
    MainMenuFixture f;
    f.settings->write(S, QStringLiteral("WidthPage"), QStringLiteral("A4"));
    f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Load Main."));
    // The page setup window opens so the user can correct the values.
    ModalDriver::whenModal(QString(), [](QWidget* w) { w->close(); });
    f.load();
    QVERIFY(!f.steps.contains(QStringLiteral("29")));
    QVERIFY(!f.steps.contains(QStringLiteral("32")));
    QVERIFY(f.steps.contains(QStringLiteral("33")));
    QCOMPARE(f.endRequests, 0);
}

void TestMainMenu::interfaceTextsComeFromMessageFiles() {
    MainMenuFixture f;
    const QByteArray frm = f.folder.read(QStringLiteral("msg/ENGLISH_FRM.mes"));
    f.folder.write(QStringLiteral("msg/ENGLISH_FRM.mes"),
                   "0027 Open a document\r\n0065 Leave\r\n0131 Pattern\r\n0199 Debugging\r\n" +
                       frm);
    f.load();
    MainMenu& w = *f.window;
    QCOMPARE(w.findChild<QWidget*>(QStringLiteral("cmdOpen"))->toolTip(),
             QStringLiteral("Open a document"));
    QCOMPARE(ctl<QAction>(w, "QuitApp")->text(), QStringLiteral("Leave"));
    QCOMPARE(ctl<QRadioButton>(w, "chkNone")->text(), QStringLiteral("Pattern"));
    QCOMPARE(ctl<QAction>(w, "menDebug")->text(), QStringLiteral("Debugging"));
    // With debug mode on, texts carry their numbers.
    f.settings->write(S, QStringLiteral("DEBUG"), QStringLiteral("True"));
    f.restart();
    f.load();
    QVERIFY(ctl<QAction>(*f.window, "menDebug")->isChecked());
    QVERIFY(ctl<QAction>(*f.window, "QuitApp")->text().endsWith(QStringLiteral("65")));
}

void TestMainMenu::activationFollowsInstalledModules() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    auto* chm = w.findChild<QToolButton*>(QStringLiteral("cmdCHM"));
    auto* mp3 = w.findChild<QToolButton*>(QStringLiteral("cmdMP3"));
    QCOMPARE(chm->property("Tag").toString(), QString());
    QCOMPARE(mp3->property("Tag").toString(), QString());
    f.folder.write(QStringLiteral("Modules/CHM/cE_kjv.chm"), "x");
    QDir().mkpath(f.folder.file(QStringLiteral("Modules/mp3/English")));
    w.Form_Activate();
    QCOMPARE(chm->property("Tag").toString(), QStringLiteral("OK"));
    QCOMPARE(mp3->property("Tag").toString(), QStringLiteral("OK"));
    // The integrate-names tick goes when no names module is installed.
    ctl<QAction>(w, "menIntegrateNames")->setChecked(true);
    w.Form_Activate();
    QVERIFY(!ctl<QAction>(w, "menIntegrateNames")->isChecked());
}

void TestMainMenu::availabilityProbesEachModuleFolder() {
    MainMenuFixture f;
    f.load();
    ModuleAvailability a = ModuleAvailability::probe(*f.state);
    QVERIFY(!a.dictionary && !a.commentary && !a.names && !a.maps && !a.translationNotes);
    f.folder.write(QStringLiteral("Modules/Dictionary/naves.TXT"), "x");
    f.folder.write(QStringLiteral("Modules/Name/bnames.txt"), "x");
    f.folder.write(QStringLiteral("Modules/Maps/holy land.JPG"), "x");
    f.folder.write(QStringLiteral("Modules/tlnotes.txt"), "x");
    f.folder.write(QStringLiteral("Modules/Commentary/readme.doc"), "x");
    a = ModuleAvailability::probe(*f.state);
    QVERIFY(a.dictionary && a.names && a.maps && a.translationNotes);
    QVERIFY(!a.commentary); // only "*.txt" files count
}

void TestMainMenu::busyStateDisablesAndRestores() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    // Everything that could start or change work: menus, tool buttons, search controls.
    QList<QWidget*> controls = {
        ctl<QPushButton>(w, "Command1"),     ctl<QPushButton>(w, "Command2"),
        ctl<QComboBox>(w, "cboTranslation"), ctl<QComboBox>(w, "cboBooks"),
        ctl<QComboBox>(w, "cboSearch"),      ctl<QComboBox>(w, "cboFont"),
        ctl<QGroupBox>(w, "Frame1")};
    for (QToolButton* b : w.findChildren<QToolButton*>())
        if (b->defaultAction())
            controls << b;
    QList<QAction*> menus;
    for (QAction* a : w.menuBar()->actions())
        menus << a;
    QHash<QObject*, bool> before;
    for (QWidget* c : controls)
        before[c] = c->isEnabled();
    QVERIFY(before.value(ctl<QToolButton>(w, "cmdBold")));

    w.menDisable();
    QVERIFY(!ctl<QPushButton>(w, "cStop")->isHidden());
    QVERIFY(ctl<QPushButton>(w, "cStop")->isEnabled());
    QVERIFY(ctl<QCheckBox>(w, "chkActiveUpd")->isEnabled()); // may be ticked to watch
    QVERIFY(ctl<QTextEdit>(w, "RT")->isReadOnly());
    for (QWidget* c : controls)
        QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
    for (QAction* m : menus)
        QVERIFY2(!m->isEnabled(), qPrintable(m->objectName()));
    QVERIFY(!ctl<QAction>(w, "Contents")->isEnabled()); // F1 included

    w.menEnable();
    QVERIFY(ctl<QPushButton>(w, "cStop")->isHidden());
    QVERIFY(!ctl<QTextEdit>(w, "RT")->isReadOnly());
    for (QWidget* c : controls)
        QVERIFY2(c->isEnabled() == before.value(c), qPrintable(c->objectName()));
    for (QAction* m : menus)
        QVERIFY(m->isEnabled());
}

void TestMainMenu::timerAnimatesAndSlowsDown() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    w.timer()->stop();
    QCOMPARE(w.timer()->interval(), 100);
    QCOMPARE(w.animationFrame(), 8);
    w.Timer1_Timer();
    QCOMPARE(w.animationFrame(), 7);
    QVERIFY(ctl<QLabel>(w, "Label1")->text().endsWith(' ' + w.dayLabel()));
    for (int i = 1; i < 8 * 9; ++i)
        w.Timer1_Timer();
    QCOMPARE(w.animationCycles(), 9);
    QCOMPARE(w.timer()->interval(), 1000);
    for (int i = 0; i < 8 * 3; ++i)
        w.Timer1_Timer();
    QCOMPARE(w.animationCycles(), 10); // above 10 goes back to 9, so it stays within 9..10
}

void TestMainMenu::debugModeToggles() {
    MainMenuFixture f;
    f.load();
    f.dialogs.expectMessage();
    ctl<QAction>(*f.window, "menDebug")->trigger();
    QVERIFY(f.state->DebugMode);
    QCOMPARE(f.settings->read(S, QStringLiteral("DEBUG"), QString()), QStringLiteral("True"));
    f.dialogs.expectMessage();
    ctl<QAction>(*f.window, "menDebug")->trigger();
    QVERIFY(!f.state->DebugMode);
    QCOMPARE(f.settings->read(S, QStringLiteral("DEBUG"), QString()), QStringLiteral("False"));
    QCOMPARE(f.dialogs.records().size(), 2);
    QVERIFY(f.dialogs.records().at(0).box.icon == Dialogs::Icon::Information);
}

void TestMainMenu::clearHistoryAsksFirst() {
    MainMenuFixture f;
    f.settings->write(QStringLiteral("Search History"), QStringLiteral("0"),
                      QStringLiteral("love"));
    f.load();
    f.dialogs.expectMessage(Dialogs::Answer::No);
    ctl<QPushButton>(*f.window, "Command2")->click();
    QVERIFY(f.settings->contains(QStringLiteral("Search History"), QStringLiteral("0")));
    f.dialogs.expectMessage(Dialogs::Answer::Yes);
    ctl<QPushButton>(*f.window, "Command2")->click();
    QVERIFY(!f.settings->contains(QStringLiteral("Search History"), QStringLiteral("0")));
    QCOMPARE(ctl<QComboBox>(*f.window, "cboSearch")->count(), 0);
    QCOMPARE(ctl<QComboBox>(*f.window, "cboSearch")->currentText(), QStringLiteral("*"));
    const auto& box = f.dialogs.records().last().box;
    QCOMPARE(box.title, QStringLiteral("Confirm Delete"));
    QVERIFY(box.defaultButton == Dialogs::Answer::No);
}

void TestMainMenu::shutDownStoresState() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    // The face the user picks in the list is the one stored.
    auto* fonts = ctl<QComboBox>(w, "cboFont");
    const int dejaVu = fonts->findText(QStringLiteral("DejaVu Serif"));
    QVERIFY(dejaVu > 0);
    fonts->setCurrentIndex(dejaVu);
    emit fonts->activated(dejaVu);
    w.resize(900, 640);
    w.move(40, 50);
    QVERIFY(w.close());
    QCOMPARE(f.endRequests, 1);
    QCOMPARE(f.settings->read(S, QStringLiteral("DEFAULTFONT"), QString()),
             QStringLiteral("DejaVu Serif"));
    // The frame's position and the inside's size, as the next start sets them.
    const double k = 1440.0 / w.logicalDpiX();
    QCOMPARE(f.settings->readNumber(S, QStringLiteral("MainWidth"), 0), std::round(900 * k));
    QCOMPARE(f.settings->readNumber(S, QStringLiteral("MainLeft"), 0), std::round(40 * k));
    QCOMPARE(f.settings->readNumber(S, QStringLiteral("MainTop"), 0), std::round(50 * k));
    QVERIFY(ctl<QTextEdit>(w, "RT")->toPlainText().isEmpty());
}

void TestMainMenu::storedFaceIsKeptUnlessChosen() {
    // A face that is not installed keeps its name (shown in its substitute), also when the
    // caret has stood in text of another face and through several starts.
    for (int start = 0; start < 3; ++start) {
        MainMenuFixture f;
        if (start > 0)
            f.settings->write(S, QStringLiteral("DEFAULTFONT"), QStringLiteral("Times New Roman"));
        f.load();
        QTextEdit* rt = ctl<QTextEdit>(*f.window, "RT");
        QCOMPARE(ctl<QComboBox>(*f.window, "cboFont")->currentText(),
                 QStringLiteral("Times New Roman"));
        QTextCharFormat other;
        other.setFontFamilies({QStringLiteral("DejaVu Sans")});
        QTextCursor c(rt->document());
        c.insertText(QStringLiteral("elsewhere"), other);
        rt->setTextCursor(c);
        f.window->UpdateButtons();
        f.window->setDocumentChanged(false);
        QVERIFY(f.window->close());
        QCOMPARE(f.settings->read(S, QStringLiteral("DEFAULTFONT"), QString()),
                 QStringLiteral("Times New Roman"));
    }
    if (!QFontDatabase::families().contains(QStringLiteral("Times New Roman")))
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Times New Roman"))).family(),
                 QStringLiteral("Liberation Serif"));
}

void TestMainMenu::shutDownKeepsGeometryWhenMinimised() {
    MainMenuFixture f;
    f.settings->write(S, QStringLiteral("MainWidth"), QStringLiteral("12345"));
    f.load();
    f.window->showMinimized();
    QVERIFY(f.window->close());
    QCOMPARE(f.settings->read(S, QStringLiteral("MainWidth"), QString()), QStringLiteral("12345"));
}

void TestMainMenu::scratchFilesFollowTheOption() {
    for (const char* option : {"1", "0"}) {
        MainMenuFixture f;
        f.settings->write(S, QStringLiteral("DeleteTempFilesOnExit"), QString::fromLatin1(option));
        f.load();
        f.folder.write(QStringLiteral("Scratch/BibTmp_b_tst.TXT"), "x");
        f.folder.write(QStringLiteral("Scratch/noext"), "x");
        f.window->close();
        const int left =
            QDir(f.folder.file(QStringLiteral("Scratch"))).entryList(QDir::Files).size();
        QCOMPARE(left, option[0] == '1' ? 0 : 2);
    }
}

void TestMainMenu::splashShowsAFavouriteVerse() {
    MainMenuFixture f;
    f.settings->write(S, QStringLiteral("ShowSplash"), QStringLiteral("1"));
    f.folder.write(QStringLiteral("msg/ENGLISH_FavVerses.txt"), "Jesus wept. John 11:35\r\n");
    QString shown;
    ModalDriver::whenModal(QStringLiteral("frmSplash"), [&shown](QWidget* w) {
        shown = w->findChild<QLabel*>(QStringLiteral("lblVerse"))->text();
    });
    f.window->setSplashMilliseconds(300);
    f.load();
    QCOMPARE(shown, QStringLiteral("Jesus wept. John 11:35"));
    QCOMPARE(f.endRequests, 0);
}

void TestMainMenu::webItemsOpenOnlyOurAddresses() {
    MainMenuFixture f;
    f.load();
    ctl<QAction>(*f.window, "GotoWebsite")->trigger();
    ctl<QAction>(*f.window, "mEmailSendMail")->trigger();
    QCOMPARE(f.opener.opened,
             QStringList({TolvaneRoutines::WebAddress(),
                          QStringLiteral("mailto:") + TolvaneRoutines::EmailAddress()}));
    f.dialogs.expectMessage(Dialogs::Answer::Ok);
    f.window->OpenAddress(QStringLiteral("javascript:alert(1)"));
    QCOMPARE(f.opener.opened.size(), 2);
}

void TestMainMenu::helpOpensOnF1AndKeepsWebLinksOutside() {
    MainMenuFixture f;
    f.folder.write(QStringLiteral("help/index.html"),
                   "<html><body><h1>Contents</h1><a href=\"page2.html\">next</a></body></html>");
    f.folder.write(QStringLiteral("help/page2.html"), "<html><body>Second page</body></html>");
    f.load();
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QTest::keyClick(ctl<QTextEdit>(*f.window, "RT"), Qt::Key_F1);
    // The help window stays open beside the main window; F1 again brings the same one up.
    auto* help = ctl<QDialog>(*f.window, "HelpViewer");
    QVERIFY(help->isVisible());
    QVERIFY(!help->isModal());
    auto* browser = ctl<QTextBrowser>(*help, "HelpBrowser");
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Contents")));
    emit browser->anchorClicked(QUrl(QStringLiteral("page2.html")));
    QCOMPARE(browser->toPlainText(), QStringLiteral("Second page"));
    emit browser->anchorClicked(QUrl(QStringLiteral("https://tolvane.example.org/help")));
    QCOMPARE(f.opener.opened, QStringList{QStringLiteral("https://tolvane.example.org/help")});
    ctl<QAction>(*f.window, "Contents")->trigger();
    QCOMPARE(f.window->findChildren<QDialog*>(QStringLiteral("HelpViewer")).size(), 1);
    // Shut-down closes it.
    QVERIFY(f.window->close());
    QTRY_VERIFY(f.window->findChildren<QDialog*>(QStringLiteral("HelpViewer")).isEmpty());
}

void TestMainMenu::prayerDiaryFromTheMainWindow() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    QAction* switchIdent = ctl<QAction>(w, "SwitchIdent");
    QVERIFY(switchIdent->isEnabled());

    // From the main window the identity window only switches.
    ModalDriver::whenModal(QStringLiteral("PIdentity"), [](QWidget* identities) {
        QVERIFY(!ctl<QPushButton>(*identities, "cmdAdd")->isVisible());
        ctl<QPushButton>(*identities, "cmdUpdate")->click();
    });
    switchIdent->trigger();
    QCOMPARE(switchIdent->text(), QStringLiteral("&Switch Identity [Default]"));

    // A fresh folder: no identity yet, so the diary opens without a password question.
    ctl<QAction>(w, "OpenPrayerDiary")->trigger();
    PrayerPopup* diary = w.findChild<PrayerPopup*>(QStringLiteral("PrayerPopup"));
    QVERIFY(diary && diary->isVisible());
    QVERIFY(!switchIdent->isEnabled());
    ctl<QTextEdit>(*diary, "RT")->insertPlainText(QStringLiteral("said at closing time"));
    ctl<QTextEdit>(*diary, "RT")->selectAll();
    ctl<QTextEdit>(*diary, "RT")->setFontPointSize(16);

    // Shut-down saves the changed entry and keeps the diary's font.
    QVERIFY(w.close());
    QCOMPARE(f.endRequests, 1);
    const QString entry = QStringLiteral("Modules/Prayers/Default/") +
                          QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    QVERIFY(QFile::exists(f.folder.file(entry + QStringLiteral(".Px"))));
    QVERIFY(!QFile::exists(f.folder.file(entry + QStringLiteral(".Pr"))));
    QCOMPARE(f.settings->read(S, QStringLiteral("PrayerFontSize"), QString()),
             QStringLiteral("16"));
    QCOMPARE(f.dialogs.pending(), 0);
}

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
