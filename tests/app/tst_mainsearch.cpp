// The search as the user drives it in the main window: translation and book choice, the
// search button and Enter, highlighting, the stop button, the history and re-indexing.
#include "MainMenuFixture.h"

#include "library/FileFunctions.h"
#include "platform/WinColour.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

namespace {
QColor colourAt(QTextEdit* pane, int position) {
    QTextCursor c(pane->document());
    c.setPosition(position + 1); // the format of the character before the cursor
    return c.charFormat().foreground().color();
}

void search(MainMenu& w, const QString& text) {
    ctl<QComboBox>(w, "cboSearch")->setEditText(text);
    ctl<QPushButton>(w, "Command1")->click();
}

// A long text for the stop button: 300 chapters of 100 verses in books 1 to 3.
QByteArray longBible() {
    QByteArray out;
    int n = 0;
    for (int book = 1; book <= 3; ++book)
        for (int chapter = 1; chapter <= 100; ++chapter)
            for (int verse = 1; verse <= 100; ++verse)
                out += TestProgramFolder::bibleLine(++n, book, chapter, verse,
                                                    "and the word was with God and love");
    return out;
}
} // namespace

class TestMainSearch : public QObject {
    Q_OBJECT
private slots:
    void translationChoiceBuildsIndex();
    void patternSearchFillsAndHighlights();
    void termsGetTheirColoursAndSummary();
    void enterSavesHistoryAndSearches();
    void enterSearchesExactlyWhatWasTyped_data();
    void enterSearchesExactlyWhatWasTyped();
    void unsavedNotesAreOfferedASaveFirst_data();
    void unsavedNotesAreOfferedASaveFirst();
    void historyComesBackAtNextStart();
    void missingBookSaysSoAndShowsNothingStale();
    void anIndexThatCannotBeWrittenIsNamedNotBlamedOnTheBible();
    void tooManyTermsAreRefused();
    void stopButtonEndsTheSearch();
    void nothingElseRunsDuringALongSearch_data();
    void nothingElseRunsDuringALongSearch();
    void reIndexEmptiesTheIndexFolder();
};

void TestMainSearch::translationChoiceBuildsIndex() {
    MainMenuFixture f;
    f.load();
    // Start-up chose the remembered translation, which built its index.
    QVERIFY(FileFunctions::FileExists(f.state->IndexFolder + QStringLiteral("b_tst.TXT.INDEX")));
    QCOMPARE(ctl<QLineEdit>(*f.window, "Text1")->text(), QStringLiteral("done"));
    QCOMPARE(f.state->CurrentIndexFile, QStringLiteral("b_tst.TXT"));
    QCOMPARE(f.settings->read(QStringLiteral("Settings"), QStringLiteral("WhichBib"), QString()),
             QStringLiteral("0"));
}

void TestMainSearch::patternSearchFillsAndHighlights() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    ctl<QComboBox>(w, "cboBooks")->setCurrentIndex(71); // whole Bible
    w.cboBooks_Click();
    search(w, QStringLiteral("*God*"));
    // Every result line ends with a line break, as in the results file.
    QStringList lines = ctl<QTextEdit>(w, "RT")->toPlainText().split('\n');
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.first(),
             QStringLiteral("GENESIS 1:1 In the beginning God created the heaven and the earth."));
    QCOMPARE(lines.last(), QStringLiteral("JOHN 3:16 For God so loved the world, that he gave "
                                          "his only begotten Son."));
    QCOMPARE(ctl<QLineEdit>(w, "Text1")->text(), QStringLiteral("4 Matches 4 Verses"));
    const int at = ctl<QTextEdit>(w, "RT")->toPlainText().indexOf(QStringLiteral("God"));
    QCOMPARE(colourAt(ctl<QTextEdit>(w, "RT"), at), WinColour::toQColor(f.state->Bib1H1));
    QCOMPARE(colourAt(ctl<QTextEdit>(w, "RT"), 0), WinColour::toQColor(f.state->Bib1TC));
    QVERIFY(!w.isBusy());
    QVERIFY(ctl<QPushButton>(w, "cStop")->isHidden());
    QVERIFY(!w.documentChanged());
    // Without wildcards a pattern must match the whole line.
    search(w, QStringLiteral("God"));
    QVERIFY(ctl<QTextEdit>(w, "RT")->toPlainText().isEmpty());
    QCOMPARE(ctl<QLineEdit>(w, "Text1")->text(), QStringLiteral("0 Matches 0 Verses"));
}

void TestMainSearch::termsGetTheirColoursAndSummary() {
    MainMenuFixture f;
    f.settings->write(QStringLiteral("Settings"), QStringLiteral("CBOBookmark"),
                      QStringLiteral("71"));
    f.load();
    MainMenu& w = *f.window;
    ctl<QRadioButton>(w, "chkAnyTerms")->setChecked(true);
    ctl<QCheckBox>(w, "ChkCase")->setChecked(true);
    search(w, QStringLiteral("light*Jesus*nothing"));
    const QString text = ctl<QTextEdit>(w, "RT")->toPlainText();
    QCOMPARE(ctl<QTextEdit>(w, "RT")->document()->blockCount(), 3 + 1);
    QCOMPARE(colourAt(ctl<QTextEdit>(w, "RT"), text.indexOf(QStringLiteral("light"))),
             WinColour::toQColor(f.state->Bib1H1));
    QCOMPARE(colourAt(ctl<QTextEdit>(w, "RT"), text.indexOf(QStringLiteral("Jesus"))),
             WinColour::toQColor(f.state->Bib1H2));
    QCOMPARE(ctl<QComboBox>(w, "cboResults")->count(), 3);
    QCOMPARE(ctl<QComboBox>(w, "cboResults")->itemText(0), QStringLiteral("2 LIGHT"));
    QCOMPARE(ctl<QComboBox>(w, "cboResults")->itemText(2), QStringLiteral("0 NOTHING"));
    QCOMPARE(ctl<QComboBox>(w, "cboResults")->currentText(), QStringLiteral("SEARCH SUMMARY"));
    QCOMPARE(w.termCount(), 3);
    QCOMPARE(w.searchTerms().at(2), QStringLiteral("Jesus"));
}

void TestMainSearch::enterSavesHistoryAndSearches() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    ctl<QComboBox>(w, "cboSearch")->setEditText(QStringLiteral("*light*"));
    // Keys reach the box first (it holds the focus), as they do from the keyboard.
    QTest::keyClick(ctl<QComboBox>(w, "cboSearch"), Qt::Key_Return);
    QCOMPARE(ctl<QComboBox>(w, "cboSearch")->count(), 1);
    QCOMPARE(f.settings->read(QStringLiteral("Search History"), QStringLiteral("0"), QString()),
             QStringLiteral("*light*"));
    QVERIFY(ctl<QLineEdit>(w, "Text1")->text().endsWith(QStringLiteral(" Verses")));
    // The same text again is not added; another letter case is.
    QTest::keyClick(ctl<QComboBox>(w, "cboSearch")->lineEdit(), Qt::Key_Return);
    QCOMPARE(ctl<QComboBox>(w, "cboSearch")->count(), 1);
    ctl<QComboBox>(w, "cboSearch")->setEditText(QStringLiteral("*Light*"));
    w.cboSearch_LostFocus();
    QCOMPARE(ctl<QComboBox>(w, "cboSearch")->count(), 2);
}

void TestMainSearch::enterSearchesExactlyWhatWasTyped_data() {
    QTest::addColumn<QString>("history");
    QTest::addColumn<QString>("typed");
    QTest::newRow("a longer past search") << "faith*hope" << "faith";
    QTest::newRow("another letter case") << "*Israel*" << "*ISRAEL*";
    QTest::newRow("past search in capitals") << "*LIGHT*" << "*light*";
}

// Past searches are offered as the user types, but Enter searches the text as typed.
void TestMainSearch::enterSearchesExactlyWhatWasTyped() {
    QFETCH(QString, history);
    QFETCH(QString, typed);
    MainMenuFixture f;
    f.settings->write(QStringLiteral("Search History"), QStringLiteral("0"), history);
    f.load();
    MainMenu& w = *f.window;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* box = ctl<QComboBox>(w, "cboSearch");
    box->setFocus();
    box->clearEditText();
    QTest::keyClicks(box->lineEdit(), typed);
    QCOMPARE(box->currentText(), typed);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->currentText(), typed);
    QVERIFY(ctl<QLineEdit>(w, "Text1")->text().endsWith(QStringLiteral(" Verses")));
    QCOMPARE(f.settings->read(QStringLiteral("Search History"), QStringLiteral("1"), QString()),
             typed);
}

void TestMainSearch::unsavedNotesAreOfferedASaveFirst_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("searched");
    QTest::newRow("Yes saves, then searches") << int(Dialogs::Answer::Yes) << true;
    QTest::newRow("No searches") << int(Dialogs::Answer::No) << true;
    QTest::newRow("Cancel keeps the notes") << int(Dialogs::Answer::Cancel) << false;
}

void TestMainSearch::unsavedNotesAreOfferedASaveFirst() {
    QFETCH(int, answer);
    QFETCH(bool, searched);
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    QTextEdit* rt = ctl<QTextEdit>(w, "RT");
    // Results are replaced without a question.
    search(w, QStringLiteral("*God*"));
    search(w, QStringLiteral("*light*"));
    QVERIFY(f.dialogs.records().isEmpty());
    rt->setPlainText(QStringLiteral("my own notes"));
    QVERIFY(w.documentChanged());
    const QString saved = f.folder.file(QStringLiteral("notes.rtf"));
    f.dialogs.expectMessage(Dialogs::Answer(answer), QStringLiteral("not been saved"));
    if (Dialogs::Answer(answer) == Dialogs::Answer::Yes)
        f.dialogs.expectSaveFile(saved);
    search(w, QStringLiteral("*God*"));
    QCOMPARE(f.dialogs.pending(), 0);
    QCOMPARE(rt->toPlainText().contains(QStringLiteral("my own notes")), !searched);
    QCOMPARE(QFile::exists(saved), Dialogs::Answer(answer) == Dialogs::Answer::Yes);
    // Saved notes are replaced without a question.
    if (!searched) {
        f.dialogs.expectSaveFile(saved);
        ctl<QAction>(w, "Save")->trigger();
        search(w, QStringLiteral("*God*"));
        QVERIFY(!rt->toPlainText().contains(QStringLiteral("my own notes")));
    }
}

void TestMainSearch::historyComesBackAtNextStart() {
    MainMenuFixture f;
    f.settings->write(QStringLiteral("Search History"), QStringLiteral("0"), QStringLiteral("a"));
    f.settings->write(QStringLiteral("Search History"), QStringLiteral("2"), QStringLiteral("c"));
    f.settings->write(QStringLiteral("Search History"), QStringLiteral("101"), QStringLiteral("x"));
    f.load();
    QCOMPARE(ctl<QComboBox>(*f.window, "cboSearch")->count(), 2);
    QCOMPARE(ctl<QComboBox>(*f.window, "cboSearch")->itemText(1), QStringLiteral("c"));
    QCOMPARE(ctl<QComboBox>(*f.window, "cboSearch")->currentText(), QStringLiteral("*"));
}

void TestMainSearch::missingBookSaysSoAndShowsNothingStale() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    ctl<QComboBox>(w, "cboBooks")->setCurrentIndex(0); // Genesis
    w.cboBooks_Click();
    search(w, QStringLiteral("*"));
    QCOMPARE(ctl<QTextEdit>(w, "RT")->document()->blockCount(), 5 + 1);
    ctl<QComboBox>(w, "cboBooks")->setCurrentIndex(2); // Leviticus: not in the small Bible
    w.cboBooks_Click();
    search(w, QStringLiteral("*"));
    QVERIFY(ctl<QTextEdit>(w, "RT")->toPlainText().isEmpty());
    QVERIFY(ctl<QLineEdit>(w, "Text1")->text().contains(QStringLiteral("Leviticus")));
}

void TestMainSearch::anIndexThatCannotBeWrittenIsNamedNotBlamedOnTheBible() {
    MainMenuFixture f;
    // A plain file where the index folder should be: not even root can write there.
    QVERIFY(QDir(f.folder.file(QStringLiteral("Index"))).removeRecursively());
    f.folder.write(QStringLiteral("Index"), QByteArray());
    f.load();
    MainMenu& w = *f.window;
    auto* status = ctl<QLineEdit>(w, "Text1");
    const QString index = QDir::toNativeSeparators(f.state->IndexFolder + "b_tst.TXT.INDEX");
    // Choosing the translation at start-up said why, where it would have said "done".
    QVERIFY2(status->text().contains(index + QStringLiteral(": ")), qPrintable(status->text()));
    ctl<QTextEdit>(w, "RT")->setPlainText(QStringLiteral("kept"));
    w.setDocumentChanged(false); // notes already saved: the search asks nothing
    ctl<QComboBox>(w, "cboBooks")->setCurrentIndex(68); // the New Testament
    w.cboBooks_Click();
    search(w, QStringLiteral("*God*"));
    QVERIFY2(status->text().contains(index + QStringLiteral(": ")), qPrintable(status->text()));
    QVERIFY(!status->text().contains(QStringLiteral("has no")));
    QCOMPARE(ctl<QTextEdit>(w, "RT")->toPlainText(), QStringLiteral("kept")); // nothing lost
    QCOMPARE(f.dialogs.records().size(), 0);
    QVERIFY(!w.isBusy());
    ctl<QComboBox>(w, "cboBooks")->setCurrentIndex(71); // the whole Bible needs no index
    w.cboBooks_Click();
    search(w, QStringLiteral("*God*"));
    QCOMPARE(status->text(), QStringLiteral("4 Matches 4 Verses"));
}

void TestMainSearch::tooManyTermsAreRefused() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    ctl<QRadioButton>(w, "chkAnyOrder")->setChecked(true);
    search(w, QStringLiteral("a*").repeated(31) + QStringLiteral("b"));
    QVERIFY(ctl<QLineEdit>(w, "Text1")->text().contains(QStringLiteral("Too many")));
    QVERIFY(!w.isBusy());
    QVERIFY(!w.isSearching());
}

void TestMainSearch::stopButtonEndsTheSearch() {
    MainMenuFixture f;
    f.folder.write(QStringLiteral("Modules/Bible/b_long.txt"), longBible());
    f.folder.writeTranslations("1,1,\"Long\",\"b_long\"\r\n");
    f.settings->write(QStringLiteral("Settings"), QStringLiteral("CBOBookmark"),
                      QStringLiteral("71"));
    f.load();
    MainMenu& w = *f.window;
    QTimer stopper;
    stopper.setInterval(0);
    QObject::connect(&stopper, &QTimer::timeout, &w, [&w] {
        if (w.isSearching() && !ctl<QPushButton>(w, "cStop")->isHidden())
            ctl<QPushButton>(w, "cStop")->click();
    });
    stopper.start();
    search(w, QStringLiteral("*"));
    stopper.stop();
    const int shown = ctl<QTextEdit>(w, "RT")->document()->blockCount();
    QVERIFY2(shown > 0 && shown < 30000, qPrintable(QString::number(shown)));
    QVERIFY(!w.stopRequested());
    QVERIFY(!w.isBusy());
}

void TestMainSearch::nothingElseRunsDuringALongSearch_data() {
    QTest::addColumn<QString>("attempt");
    for (const char* a : {"type in the pane", "choose a translation", "choose a book",
                          "every menu item and button", "close the window"})
        QTest::newRow(a) << QString::fromLatin1(a);
}

// While the search and its highlighting run, the window lets events through (the stop
// button, repainting); what the user tries meanwhile must neither run nor disturb them.
void TestMainSearch::nothingElseRunsDuringALongSearch() {
    QFETCH(QString, attempt);
    MainMenuFixture f;
    f.folder.write(QStringLiteral("Modules/Bible/b_long.txt"), longBible());
    f.folder.addSmallBible(QStringLiteral("b_two"));
    f.folder.writeTranslations("1,1,\"Long\",\"b_long\"\r\n2,1,\"Two\",\"b_two\"\r\n");
    f.settings->write(QStringLiteral("Settings"), QStringLiteral("CBOBookmark"),
                      QStringLiteral("71"));
    f.load();
    MainMenu& w = *f.window;
    QTextEdit* rt = ctl<QTextEdit>(w, "RT");
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const QString bookSetting =
        f.settings->read(QStringLiteral("Settings"), QStringLiteral("CBOBookmark"), QString());
    int attempts = 0;
    QTimer meddler;
    meddler.setInterval(0);
    QObject::connect(&meddler, &QTimer::timeout, &w, [&] {
        if (!w.isBusy())
            return;
        ++attempts;
        if (attempt == QLatin1String("type in the pane")) {
            rt->setFocus();
            QTest::keyClicks(rt, QStringLiteral("zz"));
            QTest::keyClick(rt, Qt::Key_Delete);
        } else if (attempt == QLatin1String("choose a translation")) {
            QTest::keyClick(ctl<QComboBox>(w, "cboTranslation"), Qt::Key_Down);
        } else if (attempt == QLatin1String("choose a book")) {
            QTest::keyClick(ctl<QComboBox>(w, "cboBooks"), Qt::Key_Up);
        } else if (attempt == QLatin1String("every menu item and button")) {
            for (QAction* a : w.findChildren<QAction*>())
                if (!a->menu())
                    a->trigger();
            QTest::keyClick(rt, Qt::Key_F1);
            ctl<QPushButton>(w, "Command1")->click();
        } else {
            QVERIFY(!w.close());
        }
    });
    meddler.start();
    search(w, QStringLiteral("*word*"));
    meddler.stop();
    QVERIFY(attempts > 0);

    if (attempt == QLatin1String("close the window")) {
        // The search stopped at once, and the window closed as soon as it had unwound.
        QTRY_COMPARE(f.endRequests, 1);
        QVERIFY(!w.isBusy());
        QVERIFY(rt->toPlainText().isEmpty());
        return;
    }
    QCOMPARE(f.endRequests, 0);
    QVERIFY(!w.isBusy());
    QVERIFY(!rt->isReadOnly());
    // The whole result, untouched, with its terms coloured where they stand.
    const QString text = rt->toPlainText();
    QCOMPARE(rt->document()->blockCount(), 30000 + 1);
    QVERIFY(!text.contains(QLatin1Char('z')));
    int at = -1;
    for (int i = 0; i < 20; ++i) {
        at = text.indexOf(QStringLiteral("word"), at + 1);
        QCOMPARE(colourAt(rt, at), WinColour::toQColor(f.state->Bib1H1));
        QCOMPARE(colourAt(rt, at + 3), WinColour::toQColor(f.state->Bib1H1));
        QVERIFY(colourAt(rt, at - 2) != WinColour::toQColor(f.state->Bib1H1));
    }
    QCOMPARE(w.currentBibleFile(), QStringLiteral("b_long.TXT"));
    QCOMPARE(ctl<QComboBox>(w, "cboTranslation")->currentIndex(), 0);
    QVERIFY(!FileFunctions::FileExists(f.state->IndexFolder + QStringLiteral("b_two.TXT.INDEX")));
    QCOMPARE(w.selectedBook(), 72);
    QCOMPARE(f.settings->read(QStringLiteral("Settings"), QStringLiteral("CBOBookmark"), QString()),
             bookSetting);
    QVERIFY(w.findChildren<QDialog*>().isEmpty());
    QVERIFY(f.dialogs.records().isEmpty());
}

void TestMainSearch::reIndexEmptiesTheIndexFolder() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    f.dialogs.expectMessage(Dialogs::Answer::Ok);
    ctl<QAction>(w, "ReIndex")->trigger();
    QVERIFY(FileFunctions::listFiles(f.state->IndexFolder, QStringLiteral("*.*")).isEmpty());
    QVERIFY(f.dialogs.records().last().box.title.endsWith(QStringLiteral(" Delete index")));
    search(w, QStringLiteral("*"));
    QVERIFY(FileFunctions::FileExists(f.state->IndexFolder + QStringLiteral("b_tst.TXT.INDEX")));
}

QTEST_MAIN(TestMainSearch)
#include "tst_mainsearch.moc"
