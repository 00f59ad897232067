// The main window's start-up, activation, busy state, timer and shut-down, driven offscreen.
#include "MainMenuFixture.h"
#include "ModalDriver.h"

#include "app/ModuleAvailability.h"
#include "library/FileFunctions.h"
#include "library/TolvaneRoutines.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QDialog>
#include <QTextBrowser>
#include <QTextEdit>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTest>
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
    void activeUpdateSetting_data();
    void activeUpdateSetting();
    void shortBookCatalogueRecovers();
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
    void shutDownKeepsGeometryWhenMinimised();
    void scratchFilesFollowTheOption();
    void splashShowsAFavouriteVerse();
    void webItemsOpenOnlyOurAddresses();
    void helpOpensOnF1AndKeepsWebLinksOutside();
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
    QCOMPARE(f.settings->read(QStringLiteral("Module_Path"), QStringLiteral("ModulePath"),
                              QString()),
             f.folder.path() + QStringLiteral("/Modules/"));
    QCOMPARE(f.settings->read(QStringLiteral("Module_Path"), QStringLiteral("TolvanePath"),
                              QString()),
             f.folder.path() + '/');
    // 10500 x 8000 twips at 1000, 1000: at 96 dpi, 700 x 533 pixels at 67, 67.
    const double dpi = w.logicalDpiX();
    QCOMPARE(w.width(), qRound(10500.0 * dpi / 1440));
    QCOMPARE(w.height(), qRound(8000.0 * dpi / 1440));
    QCOMPARE(w.pos(), QPoint(qRound(1000.0 * dpi / 1440), qRound(1000.0 * dpi / 1440)));
    QCOMPARE(w.cboBooks->count(), 72);
    QCOMPARE(w.cboBooks->currentIndex(), 68);
    QCOMPARE(w.SelectedBook, 69);
    QCOMPARE(w.cboTranslation->currentText(), QStringLiteral("Test Bible"));
    QCOMPARE(w.CurrentBibleFile, QStringLiteral("b_tst.TXT"));
    QVERIFY(w.chkNone->isChecked());
    QVERIFY(!w.chkActiveUpd->isChecked());
    QVERIFY(w.cStop->isHidden());
    QCOMPARE(w.windowTitle(), QStringLiteral("Tolvane"));
    QCOMPARE(w.cboSize->currentText(), QStringLiteral("12"));
    QCOMPARE(w.cboFont->currentText(), QStringLiteral("Times New Roman"));
    for (const QString& sub : {QStringLiteral("Modules/Bible"), QStringLiteral("Modules/Prayers"),
                               QStringLiteral("Index"), QStringLiteral("Scratch")})
        QVERIFY2(FileFunctions::FolderExists(f.folder.file(sub)), qPrintable(sub));
    QVERIFY(f.dialogs.records().isEmpty());
}

void TestMainMenu::startUpRunsItsStepsInOrder() {
    MainMenuFixture f;
    f.load();
    const QStringList expected = {
        "1",  "2",  "6",  "7",  "8",  "9",  "10", "11", "13", "14", "15", "16", "18",
        "21", "22", "23", "24", "26", "27", "28", "29", "30", "31", "32", "33", "activate"};
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
    QCOMPARE(f.window->cboTranslation->currentIndex(), 0);
    QCOMPARE(f.window->cboBooks->currentIndex(), 0);
    QCOMPARE(f.state->Bib1Fontsize, quint8(12));
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
    QCOMPARE(f.window->chkActiveUpd->isChecked(), ticked);
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
    QCOMPARE(f.window->cboTranslation->count(), 1);
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
    QCOMPARE(f.window->cboTranslation->count(), 0);
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
    QCOMPARE(w.action(QStringLiteral("QuitApp"))->text(), QStringLiteral("Leave"));
    QCOMPARE(w.chkNone->text(), QStringLiteral("Pattern"));
    QCOMPARE(w.action(QStringLiteral("menDebug"))->text(), QStringLiteral("Debugging"));
    // With debug mode on, texts carry their numbers.
    f.settings->write(S, QStringLiteral("DEBUG"), QStringLiteral("True"));
    f.restart();
    f.load();
    QVERIFY(f.window->action(QStringLiteral("menDebug"))->isChecked());
    QVERIFY(f.window->action(QStringLiteral("QuitApp"))->text().endsWith(QStringLiteral("65")));
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
    w.action(QStringLiteral("menIntegrateNames"))->setChecked(true);
    w.Form_Activate();
    QVERIFY(!w.action(QStringLiteral("menIntegrateNames"))->isChecked());
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
    auto* bold = w.findChild<QToolButton*>(QStringLiteral("cmdBold"));
    w.menDisable();
    QVERIFY(!w.cStop->isHidden());
    QVERIFY(!w.Command1->isEnabled());
    QVERIFY(!w.menFile->menuAction()->isEnabled());
    QVERIFY(!w.menTools->menuAction()->isEnabled());
    QVERIFY(w.Help->menuAction()->isEnabled());
    QVERIFY(!bold->isEnabled());
    w.menEnable();
    QVERIFY(w.cStop->isHidden());
    QVERIFY(w.Command1->isEnabled());
    QVERIFY(w.Edit->menuAction()->isEnabled());
    QVERIFY(bold->isEnabled());
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
    QVERIFY(w.Label1->text().endsWith(' ' + w.DayLabel));
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
    f.window->action(QStringLiteral("menDebug"))->trigger();
    QVERIFY(f.state->DebugMode);
    QCOMPARE(f.settings->read(S, QStringLiteral("DEBUG"), QString()), QStringLiteral("True"));
    f.dialogs.expectMessage();
    f.window->action(QStringLiteral("menDebug"))->trigger();
    QVERIFY(!f.state->DebugMode);
    QCOMPARE(f.settings->read(S, QStringLiteral("DEBUG"), QString()), QStringLiteral("False"));
    QCOMPARE(f.dialogs.records().size(), 2);
    QVERIFY(f.dialogs.records().at(0).box.icon == Dialogs::Icon::Information);
}

void TestMainMenu::clearHistoryAsksFirst() {
    MainMenuFixture f;
    f.settings->write(QStringLiteral("Search History"), QStringLiteral("0"), QStringLiteral("love"));
    f.load();
    f.dialogs.expectMessage(Dialogs::Answer::No);
    f.window->Command2->click();
    QVERIFY(f.settings->contains(QStringLiteral("Search History"), QStringLiteral("0")));
    f.dialogs.expectMessage(Dialogs::Answer::Yes);
    f.window->Command2->click();
    QVERIFY(!f.settings->contains(QStringLiteral("Search History"), QStringLiteral("0")));
    QCOMPARE(f.window->cboSearch->count(), 0);
    QCOMPARE(f.window->cboSearch->currentText(), QStringLiteral("*"));
    const auto& box = f.dialogs.records().last().box;
    QCOMPARE(box.title, QStringLiteral("Confirm Delete"));
    QVERIFY(box.defaultButton == Dialogs::Answer::No);
}

void TestMainMenu::shutDownStoresState() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    w.cboFont->setEditText(QStringLiteral("DejaVu Serif"));
    w.resize(900, 640);
    w.move(40, 50);
    QVERIFY(w.close());
    QCOMPARE(f.endRequests, 1);
    QCOMPARE(f.settings->read(S, QStringLiteral("DEFAULTFONT"), QString()),
             QStringLiteral("DejaVu Serif"));
    const double k = 1440.0 / w.logicalDpiX();
    QCOMPARE(f.settings->readNumber(S, QStringLiteral("MainWidth"), 0),
             std::round(w.geometry().width() * k));
    QCOMPARE(f.settings->readNumber(S, QStringLiteral("MainLeft"), 0),
             std::round(w.geometry().x() * k));
    QVERIFY(w.RT->toPlainText().isEmpty());
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
        const int left = QDir(f.folder.file(QStringLiteral("Scratch")))
                             .entryList(QDir::Files).size();
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
    f.window->action(QStringLiteral("GotoWebsite"))->trigger();
    f.window->action(QStringLiteral("mEmailSendMail"))->trigger();
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
    QString first, second;
    ModalDriver::whenModal(QStringLiteral("HelpViewer"), [&](QWidget* w) {
        auto* browser = w->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
        first = browser->toPlainText();
        emit browser->anchorClicked(QUrl(QStringLiteral("page2.html")));
        second = browser->toPlainText();
        emit browser->anchorClicked(QUrl(QStringLiteral("https://tolvane.example.org/help")));
        static_cast<QDialog*>(w)->accept();
    });
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QTest::keyClick(f.window->RT, Qt::Key_F1);
    QVERIFY(first.contains(QStringLiteral("Contents")));
    QCOMPARE(second, QStringLiteral("Second page"));
    QCOMPARE(f.opener.opened, QStringList{QStringLiteral("https://tolvane.example.org/help")});
}

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
