// The search as the user drives it in the main window: translation and book choice, the
// search button and Enter, highlighting, the stop button, the history and re-indexing.
#include "MainMenuFixture.h"

#include "library/FileFunctions.h"
#include "platform/WinColour.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
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
    w.cboSearch->setEditText(text);
    w.Command1->click();
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
    void historyComesBackAtNextStart();
    void missingBookSaysSoAndShowsNothingStale();
    void tooManyTermsAreRefused();
    void stopButtonEndsTheSearch();
    void reIndexEmptiesTheIndexFolder();
};

void TestMainSearch::translationChoiceBuildsIndex() {
    MainMenuFixture f;
    f.load();
    // Start-up chose the remembered translation, which built its index.
    QVERIFY(FileFunctions::FileExists(f.state->IndexFolder + QStringLiteral("b_tst.TXT.INDEX")));
    QCOMPARE(f.window->Text1->text(), QStringLiteral("done"));
    QCOMPARE(f.state->CurrentIndexFile, QStringLiteral("b_tst.TXT"));
    QCOMPARE(f.settings->read(QStringLiteral("Settings"), QStringLiteral("WhichBib"), QString()),
             QStringLiteral("0"));
}

void TestMainSearch::patternSearchFillsAndHighlights() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    w.cboBooks->setCurrentIndex(71); // whole Bible
    w.cboBooks_Click();
    search(w, QStringLiteral("*God*"));
    // Every result line ends with a line break, as in the results file.
    QStringList lines = w.RT->toPlainText().split('\n');
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.first(),
             QStringLiteral("GENESIS 1:1 In the beginning God created the heaven and the earth."));
    QCOMPARE(lines.last(), QStringLiteral("JOHN 3:16 For God so loved the world, that he gave "
                                          "his only begotten Son."));
    QCOMPARE(w.Text1->text(), QStringLiteral("4 Matches 4 Verses"));
    const int at = w.RT->toPlainText().indexOf(QStringLiteral("God"));
    QCOMPARE(colourAt(w.RT, at), WinColour::toQColor(f.state->Bib1H1));
    QCOMPARE(colourAt(w.RT, 0), WinColour::toQColor(f.state->Bib1TC));
    QVERIFY(!w.isBusy());
    QVERIFY(w.cStop->isHidden());
    QVERIFY(!w.DocumentChanged);
    // Without wildcards a pattern must match the whole line.
    search(w, QStringLiteral("God"));
    QVERIFY(w.RT->toPlainText().isEmpty());
    QCOMPARE(w.Text1->text(), QStringLiteral("0 Matches 0 Verses"));
}

void TestMainSearch::termsGetTheirColoursAndSummary() {
    MainMenuFixture f;
    f.settings->write(QStringLiteral("Settings"), QStringLiteral("CBOBookmark"),
                      QStringLiteral("71"));
    f.load();
    MainMenu& w = *f.window;
    w.chkAnyTerms->setChecked(true);
    w.ChkCase->setChecked(true);
    search(w, QStringLiteral("light*Jesus*nothing"));
    const QString text = w.RT->toPlainText();
    QCOMPARE(w.RT->document()->blockCount(), 3 + 1);
    QCOMPARE(colourAt(w.RT, text.indexOf(QStringLiteral("light"))),
             WinColour::toQColor(f.state->Bib1H1));
    QCOMPARE(colourAt(w.RT, text.indexOf(QStringLiteral("Jesus"))),
             WinColour::toQColor(f.state->Bib1H2));
    QCOMPARE(w.cboResults->count(), 3);
    QCOMPARE(w.cboResults->itemText(0), QStringLiteral("2 LIGHT"));
    QCOMPARE(w.cboResults->itemText(2), QStringLiteral("0 NOTHING"));
    QCOMPARE(w.cboResults->currentText(), QStringLiteral("SEARCH SUMMARY"));
    QCOMPARE(w.TermCount, 3);
    QCOMPARE(w.SearchTerms.at(2), QStringLiteral("Jesus"));
}

void TestMainSearch::enterSavesHistoryAndSearches() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    w.cboSearch->setEditText(QStringLiteral("*light*"));
    // Keys reach the box first (it holds the focus), as they do from the keyboard.
    QTest::keyClick(w.cboSearch, Qt::Key_Return);
    QCOMPARE(w.cboSearch->count(), 1);
    QCOMPARE(f.settings->read(QStringLiteral("Search History"), QStringLiteral("0"), QString()),
             QStringLiteral("*light*"));
    QVERIFY(w.Text1->text().endsWith(QStringLiteral(" Verses")));
    // The same text again is not added; another letter case is.
    QTest::keyClick(w.cboSearch->lineEdit(), Qt::Key_Return);
    QCOMPARE(w.cboSearch->count(), 1);
    w.cboSearch->setEditText(QStringLiteral("*Light*"));
    w.cboSearch_LostFocus();
    QCOMPARE(w.cboSearch->count(), 2);
}

void TestMainSearch::historyComesBackAtNextStart() {
    MainMenuFixture f;
    f.settings->write(QStringLiteral("Search History"), QStringLiteral("0"), QStringLiteral("a"));
    f.settings->write(QStringLiteral("Search History"), QStringLiteral("2"), QStringLiteral("c"));
    f.settings->write(QStringLiteral("Search History"), QStringLiteral("101"), QStringLiteral("x"));
    f.load();
    QCOMPARE(f.window->cboSearch->count(), 2);
    QCOMPARE(f.window->cboSearch->itemText(1), QStringLiteral("c"));
    QCOMPARE(f.window->cboSearch->currentText(), QStringLiteral("*"));
}

void TestMainSearch::missingBookSaysSoAndShowsNothingStale() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    w.cboBooks->setCurrentIndex(0); // Genesis
    w.cboBooks_Click();
    search(w, QStringLiteral("*"));
    QCOMPARE(w.RT->document()->blockCount(), 5 + 1);
    w.cboBooks->setCurrentIndex(2); // Leviticus: not in the small Bible
    w.cboBooks_Click();
    search(w, QStringLiteral("*"));
    QVERIFY(w.RT->toPlainText().isEmpty());
    QVERIFY(w.Text1->text().contains(QStringLiteral("Leviticus")));
}

void TestMainSearch::tooManyTermsAreRefused() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    w.chkAnyOrder->setChecked(true);
    search(w, QStringLiteral("a*").repeated(31) + QStringLiteral("b"));
    QVERIFY(w.Text1->text().contains(QStringLiteral("Too many")));
    QVERIFY(!w.isBusy());
    QVERIFY(!w.Searching);
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
        if (w.Searching && !w.cStop->isHidden())
            w.cStop->click();
    });
    stopper.start();
    search(w, QStringLiteral("*"));
    stopper.stop();
    const int shown = w.RT->document()->blockCount();
    QVERIFY2(shown > 0 && shown < 30000, qPrintable(QString::number(shown)));
    QVERIFY(!w.StopRequested);
    QVERIFY(!w.isBusy());
}

void TestMainSearch::reIndexEmptiesTheIndexFolder() {
    MainMenuFixture f;
    f.load();
    MainMenu& w = *f.window;
    f.dialogs.expectMessage(Dialogs::Answer::Ok);
    w.action(QStringLiteral("ReIndex"))->trigger();
    QVERIFY(FileFunctions::listFiles(f.state->IndexFolder, QStringLiteral("*.*")).isEmpty());
    QVERIFY(f.dialogs.records().last().box.title.endsWith(QStringLiteral(" Delete index")));
    search(w, QStringLiteral("*"));
    QVERIFY(FileFunctions::FileExists(f.state->IndexFolder + QStringLiteral("b_tst.TXT.INDEX")));
}

QTEST_MAIN(TestMainSearch)
#include "tst_mainsearch.moc"
