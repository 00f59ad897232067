// tolvane-cli passage prints what the multi-Bible pane shows, for the same folder.
#include "ParallelFixture.h"
#include "parallel/MultiBib.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString errors;
};

Run passage(const ParallelFixture& fx, const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TOLVANE_CLI), QStringList{QStringLiteral("passage"),
                                                     QStringLiteral("--folder"), fx.folder.path()} +
                                             args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.errors = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

void standardLibrary(ParallelFixture& fx) {
    fx.oldAndNew(QStringLiteral("b_a"), "A \xe9");
    fx.newOnly(QStringLiteral("b_n"), "N");
    fx.load("1,1,\"Alpha\",\"b_a\"\r\n2,1,\"Nova\",\"b_n\"\r\n");
}

} // namespace

class TestCliPassage : public QObject {
    Q_OBJECT
private slots:
    void printsWhatThePaneShows_data();
    void printsWhatThePaneShows();
    void nothingToShowExitsWithOne();
    void badArgumentsExitWithTwo_data();
    void badArgumentsExitWithTwo();
};

void TestCliPassage::printsWhatThePaneShows_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("book");
    QTest::addColumn<int>("chapter");
    QTest::addColumn<int>("verse"); // -1: the whole chapter
    QTest::newRow("a verse, book by name") << QStringList{"--book", "jOHN", "--chapter", "3",
                                                          "--verse", "16"}
                                           << 43 << 3 << 16;
    QTest::newRow("a psalm's title") << QStringList{"--book", "19", "--chapter", "3", "--verse",
                                                    "0"}
                                     << 19 << 3 << 0;
    QTest::newRow("a chapter") << QStringList{"--book", "19", "--chapter", "3"} << 19 << 3 << -1;
}

void TestCliPassage::printsWhatThePaneShows() {
    QFETCH(QStringList, args);
    QFETCH(int, book);
    QFETCH(int, chapter);
    QFETCH(int, verse);
    ParallelFixture fx;
    standardLibrary(fx);
    const Run r = passage(fx, args);
    QCOMPARE(r.status, 0);
    QVERIFY2(r.errors.contains(QStringLiteral("No index for Alpha ..Creating..  done.")),
             qPrintable(r.errors));

    QPointer<MultiBib> w = new MultiBib(*fx.state);
    w->CurBook = book;
    w->CurChap = chapter;
    w->CurVerse = qMax(0, verse);
    (verse < 0 ? w->optChap : w->optNone)->click();
    w->cmdGo->click();
    QString pane = w->RT->toPlainText();
    if (!pane.endsWith(QLatin1Char('\n')))
        pane += QLatin1Char('\n');
    QCOMPARE(r.out, pane + w->SB1Panel2->text() + QLatin1Char('\n'));
    QVERIFY(r.out.contains(QString::fromUtf8("A \xc3\xa9"))); // Windows-1252 text in UTF-8
    delete w;
}

void TestCliPassage::nothingToShowExitsWithOne() {
    ParallelFixture fx;
    standardLibrary(fx);
    Run r = passage(fx, {"--book", "19", "--chapter", "150", "--verse", "1"});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QStringLiteral("Length: 0 Bytes 0 Bibles\n"));
    r = passage(fx, {"--book", "1", "--chapter", "2"}); // a chapter past the book's end
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QStringLiteral("Alpha\n\nNova\nLength: 13 Bytes 0 Verses\n"));
}

void TestCliPassage::badArgumentsExitWithTwo_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("book 0") << QStringList{"--book", "0", "--chapter", "1"};
    QTest::newRow("book 67") << QStringList{"--book", "67", "--chapter", "1"};
    QTest::newRow("no such book name") << QStringList{"--book", "Hezekiah", "--chapter", "1"};
    QTest::newRow("chapter 999") << QStringList{"--book", "1", "--chapter", "999"};
    QTest::newRow("verse abc") << QStringList{"--book", "1", "--chapter", "1", "--verse", "abc"};
    QTest::newRow("no chapter") << QStringList{"--book", "1"};
    QTest::newRow("a stray word") << QStringList{"--book", "1", "--chapter", "1", "x"};
    QTest::newRow("no program folder") << QStringList{"--folder", "/nonexistent/tolvane",
                                                      "--book", "1", "--chapter", "1"};
}

void TestCliPassage::badArgumentsExitWithTwo() {
    QFETCH(QStringList, args);
    ParallelFixture fx;
    standardLibrary(fx);
    const Run r = passage(fx, args);
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.errors.startsWith(QStringLiteral("tolvane-cli: ")));
}

QTEST_MAIN(TestCliPassage)
#include "tst_clipassage.moc"
