// tolvane-cli passage prints what the multi-Bible pane shows, for the same folder.
#include "ParallelFixture.h"
#include "parallel/MultiBib.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QtTest>

class TestCliPassage : public QObject {
    Q_OBJECT

    struct Run {
        int status = -1;
        QString out, errors;
    };
    // A folder with two translations, one holding only the New Testament.
    ParallelFixture* library() {
        auto* fx = new ParallelFixture;
        fx->oldAndNew(QStringLiteral("b_a"), "A \xe9");
        fx->newOnly(QStringLiteral("b_n"), "N");
        fx->load("1,1,\"Alpha\",\"b_a\"\r\n2,1,\"Nova\",\"b_n\"\r\n");
        return fx;
    }
    Run passage(const ParallelFixture& fx, const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(TOLVANE_CLI),
                QStringList{"passage", "--folder", fx.folder.path()} + args);
        Run r;
        if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
            r.status = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.errors = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

private slots:
    void printsWhatThePaneShows_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("book");
        QTest::addColumn<int>("chapter");
        QTest::addColumn<int>("verse"); // -1: the whole chapter
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("status");
        QTest::newRow("a verse, book by name")
            << QStringList{"--book", "jOHN", "--chapter", "3", "--verse", "16"} << 43 << 3 << 16
            << "Alpha\nJOHN 3:16 A \u00e9 so loved\n\nNova\nJOHN 3:16 N so loved\n"
               "Length: 61 Bytes 2 Bibles\n"
            << 0;
        // Nova has no Psalms: it shows nothing, never another verse.
        QTest::newRow("a psalm's title")
            << QStringList{"--book", "19", "--chapter", "3", "--verse", "0"} << 19 << 3 << 0
            << "Alpha\nPSALMS 3:0 A \u00e9 a psalm\nLength: 31 Bytes 1 Bibles\n"
            << 0;
        QTest::newRow("a chapter, one lacking it")
            << QStringList{"--book", "19", "--chapter", "3"} << 19 << 3 << -1
            << "Alpha\n3:0 A \u00e9 a psalm\n3:1 A \u00e9 increased\n3:2 A \u00e9 no help\n\n"
               "Nova\nLength: 66 Bytes 3 Verses\n"
            << 0;
        QTest::newRow("a verse no one has")
            << QStringList{"--book", "19", "--chapter", "150", "--verse", "1"} << 19 << 150 << 1
            << "Length: 0 Bytes 0 Bibles\n"
            << 1;
        QTest::newRow("a chapter past the book's end")
            << QStringList{"--book", "1", "--chapter", "2"} << 1 << 2 << -1
            << "Alpha\n\nNova\nLength: 13 Bytes 0 Verses\n"
            << 1;
    }
    void printsWhatThePaneShows() {
        QFETCH(QStringList, args);
        QFETCH(int, book);
        QFETCH(int, chapter);
        QFETCH(int, verse);
        QFETCH(QString, out);
        QFETCH(int, status);
        std::unique_ptr<ParallelFixture> fx(library());
        const Run r = passage(*fx, args);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, out); // Windows-1252 text as UTF-8
        QCOMPARE(r.errors, QStringLiteral("No index for Alpha ..Creating..  done.\n"
                                          "No index for Nova ..Creating..  done.\n"));

        QPointer<MultiBib> w = new MultiBib(*fx->state);
        w->CurBook = book;
        w->CurChap = chapter;
        w->CurVerse = qMax(0, verse);
        (verse < 0 ? w->optChap : w->optNone)->click();
        w->cmdGo->click();
        QString pane = w->RT->toPlainText();
        if (!pane.isEmpty() && !pane.endsWith(QLatin1Char('\n')))
            pane += QLatin1Char('\n');
        QCOMPARE(r.out, pane + w->SB1Panel2->text() + QLatin1Char('\n'));
        delete w;
    }

    void badArgumentsExitWithTwo_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("book 0") << QStringList{"--book", "0", "--chapter", "1"};
        QTest::newRow("book 67") << QStringList{"--book", "67", "--chapter", "1"};
        QTest::newRow("no such book") << QStringList{"--book", "Hezekiah", "--chapter", "1"};
        QTest::newRow("chapter 999") << QStringList{"--book", "1", "--chapter", "999"};
        QTest::newRow("verse abc")
            << QStringList{"--book", "1", "--chapter", "1", "--verse", "abc"};
        QTest::newRow("no chapter") << QStringList{"--book", "1"};
        QTest::newRow("no program folder")
            << QStringList{"--folder", "/nonexistent", "--book", "1", "--chapter", "1"};
    }
    void badArgumentsExitWithTwo() {
        QFETCH(QStringList, args);
        std::unique_ptr<ParallelFixture> fx(library());
        const Run r = passage(*fx, args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.errors.startsWith(QStringLiteral("tolvane-cli: ")));
    }
};

QTEST_MAIN(TestCliPassage)
#include "tst_clipassage.moc"
