#include "TestProgramFolder.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

// tolvane-cli search on a throw-away program folder holding the small test Bible.
class TestCliSearch : public QObject {
    Q_OBJECT

private:
    struct Run {
        int status = -1;
        QStringList lines; // standard output, one entry per line
        QString errors;
    };

    Run cli(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(TOLVANE_CLI), QStringList{QStringLiteral("search")} + args);
        if (!p.waitForFinished(60000))
            return {};
        Run r;
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
        if (r.lines.constLast().isEmpty())
            r.lines.removeLast();
        r.errors = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }
    QStringList in(const TestProgramFolder& f) { return {QStringLiteral("--folder"), f.path()}; }

private slots:
    void printsThePaneLinesThenTheStatus() {
        TestProgramFolder f;
        f.makeStandard();
        const Run r = cli(in(f) + QStringList{QStringLiteral("*God*")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines,
                 (QStringList{"GENESIS 1:1 In the beginning God created the heaven and the earth.",
                              "GENESIS 1:3 And God said, Let there be light: and there was light.",
                              "GENESIS 2:2 And on the seventh day God ended his work.",
                              "JOHN 3:16 For God so loved the world, that he gave his only "
                              "begotten Son.",
                              "4 Matches 4 Verses"}));
        // Index and results where the window keeps them.
        QVERIFY(QFile::exists(f.file(QStringLiteral("Index/b_tst.TXT.INDEX"))));
        QVERIFY(QFile::exists(f.file(QStringLiteral("Scratch/BibTmp_b_tst.TXT"))));
    }

    void optionsChooseTranslationBookModeAndCase() {
        TestProgramFolder f;
        f.makeStandard();
        f.write(QStringLiteral("Modules/Bible/b_two.txt"),
                TestProgramFolder::bibleLine(1, 40, 1, 1, "caf\xe9 au lait"));
        f.writeTranslations("1,1,\"Test Bible\",\"b_tst\"\r\n2,1,\"Second\",\"b_two\"\r\n");
        Run r = cli(in(f) + QStringList{"--translation", "second", "--ignore-case", "*CAF\xc3\x89*"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines, (QStringList{QString::fromUtf8("MATTHEW 1:1 café au lait"),
                                       "1 Matches 1 Verses"}));
        r = cli(in(f) + QStringList{"--translation", "b_tst", "--book", "40", "--mode", "entire",
                                    "--", "*"});
        QCOMPARE(r.lines.size(), 3);
        QCOMPARE(r.lines.constLast(), QStringLiteral("2 Verses"));
        r = cli(in(f) + QStringList{"--mode", "any-term", "Isaac*Amen"});
        QCOMPARE(r.lines.constLast(), QStringLiteral("3 Matches 2 Verses"));
        r = cli(in(f) + QStringList{"--mode", "all-terms", "earth", "God"});
        QCOMPARE(r.lines.size(), 1); // "earth God" is one term
        QCOMPARE(r.status, 1);
    }

    void anIndexThatCannotBeWrittenIsNamedWithTheReason() {
        TestProgramFolder f;
        f.makeStandard();
        // A plain file where the index folder should be: not even root can write there.
        QVERIFY(QDir(f.file(QStringLiteral("Index"))).removeRecursively());
        f.write(QStringLiteral("Index"), QByteArray());
        Run r = cli(in(f) + QStringList{"--book", "69", "*God*"});
        QCOMPARE(r.status, 2);
        QVERIFY(r.lines.isEmpty());
        const QString index =
            QDir::toNativeSeparators(f.file(QStringLiteral("Index/b_tst.TXT.INDEX")));
        QVERIFY2(r.errors.contains(QStringLiteral("The verse index could not be written (") +
                                   index + QStringLiteral(": ")),
                 qPrintable(r.errors));
        QCOMPARE(r.errors.count(index), 1); // said once, with no usage text
        QVERIFY(!r.errors.contains(QStringLiteral("usage:")));
        // The whole Bible is read without its index.
        r = cli(in(f) + QStringList{"*God*"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines.constLast(), QStringLiteral("4 Matches 4 Verses"));
    }

    void nothingMatchedExitsWithOne() {
        TestProgramFolder f;
        f.makeStandard();
        const Run r = cli(in(f) + QStringList{QStringLiteral("*nowhere*")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.lines, QStringList{"0 Matches 0 Verses"});
    }

    void badArgumentsExitWithTwo_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no text") << QStringList{};
        QTest::newRow("unknown mode") << QStringList{"--mode", "fuzzy", "x"};
        QTest::newRow("book 0") << QStringList{"--book", "0", "x"};
        QTest::newRow("book 73") << QStringList{"--book", "73", "x"};
        QTest::newRow("unknown option") << QStringList{"--fast", "x"};
        QTest::newRow("unknown translation") << QStringList{"--translation", "b_none", "x"};
        QTest::newRow("31 terms") << QStringList{QStringLiteral("a*").repeated(30) + "a"};
    }
    void badArgumentsExitWithTwo() {
        QFETCH(QStringList, args);
        TestProgramFolder f;
        f.makeStandard();
        const Run r = cli(in(f) + args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.lines.isEmpty());
        QVERIFY(r.errors.contains(QStringLiteral("usage:")));
    }

    void folderWithoutBiblesExitsWithTwo() {
        TestProgramFolder f;
        f.makeStandard();
        QVERIFY(QFile::remove(f.file(QStringLiteral("Modules/Bible/b_tst.txt"))));
        QCOMPARE(cli(in(f) + QStringList{"x"}).status, 2);
        TestProgramFolder empty;
        QCOMPARE(cli(in(empty) + QStringList{"x"}).status, 2);
        QVERIFY(QDir(empty.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliSearch)
#include "tst_CliSearch.moc"
