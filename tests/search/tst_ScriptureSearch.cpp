#include "SearchFixture.h"
#include "app/search/ScriptureSearch.h"
#include "app/search/VerseLine.h"
#include "library/FileFunctions.h"
#include "localisation/MessageText.h"

#include <QtTest>

// The search engine on TestProgramFolder's small Bible:
//   GENESIS 1:1-3, 2:1-2, EXODUS 1:1, MATTHEW 1:1-2, JOHN 3:16, REVELATION 22:21.
class TestScriptureSearch : public QObject {
    Q_OBJECT

private:
    struct Result {
        QStringList lines;
        QString status;
        int verses = 0;
    };

    Result search(SearchFixture& fx, const QString& text, SearchMode mode, int selection = 72,
                  bool ignoreCase = false) {
        ScriptureSearch s(*fx.state);
        Result r;
        if (!s.prepare(SearchRequest{fx.bibleFile(), selection, mode, ignoreCase, text})) {
            r.status = s.statusText(0);
            return r;
        }
        bool stop = false;
        s.run({}, stop);
        r.lines = s.paneText().split('\n', Qt::SkipEmptyParts);
        r.verses = s.verseCount();
        r.status = s.statusText(s.highlightPlan().outcome().MatchCount);
        return r;
    }
    // The references of the result lines ("GENESIS 1:1").
    static QStringList refs(const Result& r) {
        QStringList out;
        for (const QString& l : r.lines)
            out << l.section(' ', 0, 1);
        return out;
    }

private slots:
    void resultLinesCarryTheReferenceInCapitals() {
        SearchFixture fx;
        fx.writeBible(TestProgramFolder::bibleLine(1, 1, 1, 1, "In the beginning") +
                      TestProgramFolder::bibleLine(2, 1, 1, 7, "x").replace("\t7\t", "\t007\t") +
                      "3\t43\t03\t16\tFor God\r\n");
        const Result r = search(fx, QStringLiteral("*"), SearchMode::Pattern);
        // The chapter as written, the verse as a number.
        QCOMPARE(r.lines, (QStringList{QStringLiteral("GENESIS 1:1 In the beginning"),
                                       QStringLiteral("GENESIS 1:7 x"),
                                       QStringLiteral("JOHN 03:16 For God")}));
        QCOMPARE(r.status, QStringLiteral("3 Verses"));
    }

    void everyModeAndCase_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<QStringList>("expected");
        const auto P = int(SearchMode::Pattern), A = int(SearchMode::AllTerms),
                   Y = int(SearchMode::AnyTerm), E = int(SearchMode::EntireSelection);
        const QStringList god{"GENESIS 1:1", "GENESIS 1:3", "GENESIS 2:2", "JOHN 3:16"};
        QTest::newRow("pattern *God*") << "*God*" << P << false << god;
        QTest::newRow("pattern *god* exact") << "*god*" << P << false << QStringList();
        QTest::newRow("pattern *god* ignoring case") << "*god*" << P << true << god;
        QTest::newRow("pattern must match the whole line") << "God" << P << false << QStringList();
        QTest::newRow("pattern with ? # and a list")
            << "[GJ]??? #:## *" << P << false
            << QStringList{"JOHN 3:16"}; // "GENESIS" is longer than four letters
        QTest::newRow("pattern across reference and text")
            << "*1:1 In*" << P << false << QStringList{"GENESIS 1:1"};
        QTest::newRow("term across reference and text")
            << "3 And*light" << A << false << QStringList{"GENESIS 1:3"};
        QTest::newRow("any term, one only in a reference")
            << "EXODUS*Amen" << Y << false << QStringList{"EXODUS 1:1", "REVELATION 22:21"};
        QTest::newRow("all terms in any order")
            << "earth*God" << A << false << QStringList{"GENESIS 1:1"};
        QTest::newRow("any term") << "Isaac*Amen" << Y << false
                                  << QStringList{"MATTHEW 1:2", "REVELATION 22:21"};
        QTest::newRow("any term ignoring case")
            << "isaac*amen" << Y << true << QStringList{"MATTHEW 1:2", "REVELATION 22:21"};
        QTest::newRow("a term inside the reference")
            << "GEN" << A << true
            << QStringList{"GENESIS 1:1", "GENESIS 1:2", "GENESIS 1:3", "GENESIS 2:1",
                           "GENESIS 2:2", "MATTHEW 1:1"}; // "generation"
        QTest::newRow("terms after the seventh are not tested")
            << "the*the*the*the*the*the*the*NOWHERE" << A << false
            << QStringList{"GENESIS 1:1", "GENESIS 1:2", "GENESIS 1:3", "GENESIS 2:1",
                           "GENESIS 2:2", "EXODUS 1:1", "MATTHEW 1:1", "JOHN 3:16"};
        QTest::newRow("entire selection ignores the text")
            << "NOWHERE" << E << false
            << QStringList{"GENESIS 1:1", "GENESIS 1:2", "GENESIS 1:3", "GENESIS 2:1",
                           "GENESIS 2:2", "EXODUS 1:1", "MATTHEW 1:1", "MATTHEW 1:2",
                           "JOHN 3:16", "REVELATION 22:21"};
    }
    void everyModeAndCase() {
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(bool, ignoreCase);
        QFETCH(QStringList, expected);
        SearchFixture fx;
        QCOMPARE(refs(search(fx, text, SearchMode(mode), 72, ignoreCase)), expected);
    }

    void emptySearchTextInEachMode() {
        SearchFixture fx;
        QCOMPARE(search(fx, QString(), SearchMode::Pattern).verses, 0);
        QCOMPARE(search(fx, QString(), SearchMode::AnyTerm).verses, 0);
        QCOMPARE(search(fx, QString(), SearchMode::AllTerms).verses, 10);
        const Result entire = search(fx, QString(), SearchMode::EntireSelection);
        QCOMPARE(entire.verses, 10);
        QCOMPARE(entire.status, QStringLiteral("10 Verses"));
        // "*" is the box's default text: every verse, and no terms to count.
        const Result star = search(fx, QStringLiteral("*"), SearchMode::Pattern);
        QCOMPARE(star.verses, 10);
        QCOMPARE(star.status, QStringLiteral("10 Verses"));
    }

    void everyBookSelectionReadsOnlyItsBooks_data() {
        QTest::addColumn<int>("selection");
        QTest::addColumn<int>("verses");
        QTest::newRow("Genesis") << 1 << 5;
        QTest::newRow("John") << 43 << 1;
        QTest::newRow("Leviticus, absent") << 3 << 0;
        QTest::newRow("books 1-5") << 67 << 6;
        QTest::newRow("Old Testament") << 68 << 6;
        QTest::newRow("New Testament") << 69 << 4;
        QTest::newRow("Gospels") << 70 << 3;
        QTest::newRow("Synoptic Gospels") << 71 << 2;
        QTest::newRow("whole Bible") << 72 << 10;
    }
    void everyBookSelectionReadsOnlyItsBooks() {
        QFETCH(int, selection);
        QFETCH(int, verses);
        SearchFixture fx;
        QCOMPARE(search(fx, QStringLiteral("*"), SearchMode::Pattern, selection).verses, verses);
    }

    void rangeTestFollowsTheSelectionTable() {
        // The test itself, for lines a scratch copy would not hold (selection 72 reads the
        // text file directly, so every line meets the test).
        QVERIFY(VerseLine::InSelection(5, 67) && !VerseLine::InSelection(6, 67));
        QVERIFY(VerseLine::InSelection(39, 68) && !VerseLine::InSelection(40, 68));
        QVERIFY(VerseLine::InSelection(40, 69) && VerseLine::InSelection(66, 69));
        QVERIFY(VerseLine::InSelection(43, 70) && !VerseLine::InSelection(44, 70));
        QVERIFY(VerseLine::InSelection(42, 71) && !VerseLine::InSelection(43, 71));
        QVERIFY(VerseLine::InSelection(17, 72) && VerseLine::InSelection(17, 17));
        QVERIFY(!VerseLine::InSelection(18, 17) && !VerseLine::InSelection(39, 69));
    }

    void selectionTheTranslationLacksListsNothingAndSaysSo() {
        SearchFixture fx;
        QVERIFY(search(fx, QStringLiteral("*"), SearchMode::Pattern, 1).verses > 0);
        // Replace the text by a New Testament only one; its Genesis copy must not be read.
        fx.writeBible(TestProgramFolder::bibleLine(1, 40, 1, 1, "The book") +
                      TestProgramFolder::bibleLine(2, 40, 1, 2, "Abraham"));
        for (int selection : {1, 67, 68}) {
            const Result r = search(fx, QStringLiteral("*"), SearchMode::Pattern, selection);
            QCOMPARE(r.verses, 0);
            QVERIFY2(r.status.startsWith(QStringLiteral("0 Verses: ")), qPrintable(r.status));
            QVERIFY(r.status.contains(fx.state->BookDisplayNames.at(selection - 1)));
        }
    }

    void filesThatCannotBeWrittenAreNamedNotBlamedOnTheTranslation_data() {
        QTest::addColumn<bool>("index"); // else the scratch folder
        QTest::addColumn<int>("message");
        QTest::newRow("index folder") << true << 411;
        QTest::newRow("scratch folder") << false << 412;
    }
    void filesThatCannotBeWrittenAreNamedNotBlamedOnTheTranslation() {
        QFETCH(bool, index);
        QFETCH(int, message);
        SearchFixture fx;
        // A plain file where the folder should be: not even root can write into it.
        const QString folder = index ? fx.state->IndexFolder : fx.state->ScratchFolder;
        QVERIFY(QDir(folder).removeRecursively());
        QFile(QDir::cleanPath(folder)).open(QIODevice::WriteOnly);

        QStringList statuses;
        ScriptureSearch s(*fx.state);
        QVERIFY(!s.prepare(SearchRequest{fx.bibleFile(), 69, SearchMode::Pattern, false, "*God*"},
                           [&](const QString& t, bool) { statuses << t; }));
        const QString file = QDir::toNativeSeparators(folder + fx.bibleFile() +
                                                      (index ? QStringLiteral(".INDEX") : ""));
        const QStringList text = MessageText::Std(*fx.state, message, QStringLiteral("@")).split('@');
        const QString status = s.statusText(0);
        QVERIFY2(status.startsWith(text[0] + file + QStringLiteral(": ")) &&
                     status.endsWith(text[1]) && status.size() > text.join(file).size() + 2,
                 qPrintable(status)); // the file and the system's reason
        QCOMPARE(s.verseCount(), 0);
        // The index step ends on the same words where it would have said "done".
        QCOMPARE(statuses.constLast() == status, index);
        QCOMPARE(fx.dialogs.records().size(), 0);
    }

    void resultsFileHoldsTheLinesWithCrLf() {
        SearchFixture fx;
        ScriptureSearch s(*fx.state);
        QVERIFY(s.prepare(SearchRequest{fx.bibleFile(), 40, SearchMode::Pattern, false, "*"}));
        QStringList found;
        s.setLineFound([&](const QByteArray& l) { found << QString::fromLatin1(l); });
        bool stop = false;
        s.run({}, stop);
        QCOMPARE(s.resultsFilePath(),
                 fx.state->ScratchFolder + QStringLiteral("BibTmp_") + fx.bibleFile());
        QByteArray file;
        QVERIFY(FileFunctions::readWholeFile(s.resultsFilePath(), file));
        QCOMPARE(file, QByteArray("MATTHEW 1:1 The book of the generation of Jesus Christ.\r\n"
                                  "MATTHEW 1:2 Abraham begat Isaac; and Isaac begat Jacob.\r\n"));
        QCOMPARE(found.join('\n') + '\n', s.paneText());
    }

    void tooManyTermsAreRefused() {
        SearchFixture fx;
        const QString thirty = QStringLiteral("a*").repeated(29) + QStringLiteral("a");
        QCOMPARE(search(fx, thirty, SearchMode::AllTerms).verses, 10);
        QByteArray before, after;
        const QString results = fx.state->ScratchFolder + "BibTmp_" + fx.bibleFile();
        FileFunctions::readWholeFile(results, before);
        const Result r = search(fx, thirty + QStringLiteral("*b"), SearchMode::AllTerms);
        QVERIFY(r.lines.isEmpty());
        QVERIFY2(r.status.contains(QStringLiteral("31")) && r.status.contains("30"),
                 qPrintable(r.status));
        FileFunctions::readWholeFile(results, after);
        QCOMPARE(after, before); // nothing was searched
    }

    void statusCountsMatchesAndVerses() {
        QCOMPARE(ScriptureSearch::CountText(2, 57, 42), QStringLiteral("57 Matches 42 Verses"));
        QCOMPARE(ScriptureSearch::CountText(0, 0, 42), QStringLiteral("42 Verses"));
        SearchFixture fx;
        // "the" (exact case) is in eight verses; the highlighting counts every THE of the
        // pane, MATTHEW included.
        QCOMPARE(search(fx, QStringLiteral("*the*"), SearchMode::Pattern).status,
                 QStringLiteral("16 Matches 8 Verses"));
    }

    void indexIsBuiltOnFirstUseAndAfterReindexing() {
        SearchFixture fx;
        QStringList statuses;
        auto run = [&] {
            ScriptureSearch s(*fx.state);
            s.prepare(SearchRequest{fx.bibleFile(), 1, SearchMode::Pattern, false, "*"},
                      [&](const QString& t, bool) { statuses << t; });
            bool stop = false;
            s.run({}, stop);
            return s.verseCount();
        };
        QCOMPARE(run(), 5);
        QCOMPARE(statuses.value(0), QStringLiteral("Creating index ") + fx.bibleFile() +
                                        QStringLiteral(" please wait.."));
        statuses.clear();
        QCOMPARE(run(), 5);
        QVERIFY(statuses.isEmpty());
        // Another window loaded another index: the search reloads its own.
        fx.state->CurrentIndexFile = QStringLiteral("b_other.TXT");
        fx.state->VerseIndex.fill(VerseIndexEntry{});
        QCOMPARE(run(), 5);
        QVERIFY(statuses.isEmpty());
        VerseIndex::DeleteIndexFiles(*fx.state);
        QCOMPARE(run(), 5);
        QCOMPARE(statuses.size(), 2);
    }

    void stopEndsTheLoopAndKeepsWhatWasFound_data() {
        QTest::addColumn<bool>("twoThreads");
        QTest::newRow("one thread") << false;
        QTest::newRow("two threads") << true;
    }

    // With two threads only the first part's lines found before the stop are kept.
    void stopEndsTheLoopAndKeepsWhatWasFound() {
        QFETCH(bool, twoThreads);
        SearchFixture fx;
        QByteArray text;
        for (int n = 1; n <= 4000; ++n)
            text += TestProgramFolder::bibleLine(n, 1 + n / 100, 1 + n % 100, 1, "verse");
        fx.writeBible(text);
        ScriptureSearch s(*fx.state);
        if (twoThreads)
            s.setParallelFrom(0);
        QVERIFY(s.prepare(SearchRequest{fx.bibleFile(), 72, SearchMode::Pattern, false, "*"}));
        bool stop = false;
        QList<int> progress;
        s.run(
            [&](int lines) {
                progress << lines;
                if (progress.size() == 2)
                    stop = true; // as cStop_Click would while events are let through
            },
            stop);
        QVERIFY(s.stopped());
        QVERIFY(!stop); // the loop clears the flag it obeyed
        QCOMPARE(progress.size(), 2);
        if (twoThreads)
            QVERIFY(progress.at(1) >= 300); // progress counts both parts
        else
            QCOMPARE(progress, (QList<int>{150, 300}));
        QCOMPARE(s.verseCount(), 300);
        QCOMPARE(s.linesRead(), 300);
        QCOMPARE(s.paneBytes().count('\n'), 300);
        QVERIFY(s.paneBytes().startsWith("GENESIS 2:1 verse\n"));
        QByteArray file;
        FileFunctions::readWholeFile(s.resultsFilePath(), file);
        QCOMPARE(file.count('\n'), 300);
    }

    void stepsCanBePacedByTheCaller() {
        SearchFixture fx;
        ScriptureSearch s(*fx.state);
        QVERIFY(s.prepare(SearchRequest{fx.bibleFile(), 72, SearchMode::Pattern, false, "*"}));
        QVERIFY(s.step(4));
        QCOMPARE(s.linesRead(), 4);
        QVERIFY(!s.step(100));
        QCOMPARE(s.verseCount(), 10);
        s.finish();
        QVERIFY(QFile::exists(s.resultsFilePath()));
    }

    void lfOnlyTextSearchesLikeCrLf() {
        SearchFixture fx;
        QByteArray text = TestProgramFolder::smallBibleText();
        text.replace("\r\n", "\n");
        fx.writeBible(text);
        QCOMPARE(refs(search(fx, QStringLiteral("*God*"), SearchMode::Pattern, 1)),
                 (QStringList{"GENESIS 1:1", "GENESIS 1:3", "GENESIS 2:2"}));
        // Every verse ends in "." once its line end is gone, CR included.
        QCOMPARE(search(fx, QStringLiteral("*."), SearchMode::Pattern).verses, 10);
    }

    void malformedLinesAreNotVerses() {
        SearchFixture fx;
        fx.writeBible("1\t1\t1\tno fourth tab\r\n2\t99\t1\t1\tbook 99\r\n" +
                      TestProgramFolder::bibleLine(3, 1, 1, 2, "a verse"));
        fx.dialogs.setLenient(true); // the index builder reports the first line
        const Result r = search(fx, QStringLiteral("*"), SearchMode::Pattern);
        QCOMPARE(refs(r), QStringList{"GENESIS 1:2"});
    }

    void ignoreCaseUsesWindows1252Capitals() {
        SearchFixture fx;
        fx.writeBible(TestProgramFolder::bibleLine(1, 1, 1, 1, "\xe9t\xe9 \x9a\xff"));
        QCOMPARE(search(fx, QString::fromUtf8("*ÉTÉ Š*"), SearchMode::Pattern, 72, true).verses,
                 1);
        QCOMPARE(search(fx, QString::fromUtf8("*ÉTÉ*"), SearchMode::Pattern, 72, false).verses, 0);
        QCOMPARE(search(fx, QString::fromUtf8("Ÿ"), SearchMode::AnyTerm, 72, true).verses, 1);
    }
};

QTEST_GUILESS_MAIN(TestScriptureSearch)
#include "tst_ScriptureSearch.moc"
