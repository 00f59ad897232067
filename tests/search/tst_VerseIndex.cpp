#include "SearchFixture.h"
#include "library/FileFunctions.h"
#include "library/TolvaneRoutines.h"
#include "library/VerseIndex.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace {

QByteArray line(int running, int book, int chapter, int verse, const QByteArray& text) {
    return TestProgramFolder::bibleLine(running, book, chapter, verse, text);
}

QByteArray indexLine(std::initializer_list<qint64> fields) {
    QByteArrayList parts;
    for (qint64 f : fields)
        parts.append(QByteArray::number(f));
    return parts.join(',') + "\r\n";
}

// n chapters of one verse each, as index records (book 1 + i / 200, chapter 1 + i % 200).
QByteArray indexOfChapters(int n) {
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += indexLine({i + 1, i + 1, 1 + i / 200, 1 + i % 200, 1, 10 * i + 1, 10 * i + 11});
    return out;
}

} // namespace

// The ".INDEX" format, the shared table, the extractions and the re-index command.
class TestVerseIndex : public QObject {
    Q_OBJECT

private:
    QByteArray buildIndex(SearchFixture& fx, const QByteArray& text) {
        fx.writeBible(text);
        VerseIndex::CreateIndexFile(*fx.state, fx.state->BibleFolder, fx.bibleFile());
        return readIndex(fx);
    }
    QByteArray readIndex(SearchFixture& fx) {
        QByteArray bytes;
        FileFunctions::readWholeFile(VerseIndex::IndexPath(*fx.state, fx.bibleFile()), bytes);
        return bytes;
    }
    QByteArray scratch(SearchFixture& fx, const QString& name) {
        QByteArray bytes;
        FileFunctions::readWholeFile(fx.state->ScratchFolder + name, bytes);
        return bytes;
    }
    void writeIndex(SearchFixture& fx, const QByteArray& bytes) {
        QVERIFY(FileFunctions::writeWholeFile(VerseIndex::IndexPath(*fx.state, fx.bibleFile()),
                                              bytes));
    }

private slots:
    void indexFormatOfTheDocumentedExample() {
        SearchFixture fx;
        const QByteArray l1 = line(1, 1, 1, 1, "In the beginning"), l2 = line(2, 1, 1, 2, "And"),
                         l3 = line(3, 1, 2, 1, "Thus");
        const qint64 s2 = l1.size() + l2.size() + 1, e = l1.size() + l2.size() + l3.size() + 1;
        QCOMPARE(buildIndex(fx, l1 + l2 + l3),
                 indexLine({1, 2, 1, 1, 2, 1, s2}) + indexLine({3, 3, 1, 2, 1, s2, e}));
        QVERIFY(fx.dialogs.records().isEmpty());
        QVERIFY(QFileInfo(VerseIndex::IndexPath(*fx.state, fx.bibleFile())).fileName().endsWith(
            QLatin1String(".TXT.INDEX")));
    }

    void newBookWithTheSameChapterNumberStartsAChapter() {
        SearchFixture fx;
        // A New Testament text: its first chapter still starts with verse number 1.
        const QByteArray obad = line(23146, 31, 1, 21, "Obadiah"),
                         jonah1 = line(23147, 32, 1, 1, "Jonah"),
                         jonah2 = line(23148, 32, 1, 2, "Jonah again");
        const qint64 s2 = obad.size() + 1;
        QCOMPARE(buildIndex(fx, obad + jonah1 + jonah2),
                 indexLine({1, 23146, 31, 1, 1, 1, s2}) +
                     indexLine({23147, 23148, 32, 1, 2, s2, s2 + jonah1.size() + jonah2.size()}));
    }

    void lfOnlyLinesGiveTrueOffsetsAndCrLfCopies() {
        SearchFixture fx;
        const QByteArray text = "1\t1\t1\t1\ta\n2\t1\t1\t2\tbb\n3\t1\t2\t1\tccc\n";
        QCOMPARE(buildIndex(fx, text), indexLine({1, 2, 1, 1, 2, 1, 22}) +
                                           indexLine({3, 3, 1, 2, 1, 22, 34}));
        VerseIndex::LoadIndexFile(*fx.state, fx.bibleFile());
        QVERIFY(VerseIndex::ExtractChapter(*fx.state, fx.state->BibleFolder, fx.bibleFile(), 1,
                                           1, 1));
        QCOMPARE(scratch(fx, "1v_" + fx.bibleFile()), QByteArray("1\t1\t1\t1\ta\r\n2\t1\t1\t2\tbb\r\n"));
        QVERIFY(VerseIndex::ExtractBookRange(*fx.state, fx.bibleFile(), 1));
        QCOMPARE(scratch(fx, fx.bibleFile()),
                 QByteArray("1\t1\t1\t1\ta\r\n2\t1\t1\t2\tbb\r\n3\t1\t2\t1\tccc\r\n"));
    }

    void badTextLinesStopTheBuildingWithTheReport_data() {
        QTest::addColumn<QByteArray>("bad");
        QTest::addColumn<int>("error");
        QTest::newRow("fewer than four tabs") << QByteArray("4\t1\t2\t2 no tab\r\n") << 5;
        QTest::newRow("non-numeric running number") << QByteArray("x\t1\t2\t2\ttext\r\n") << 13;
        QTest::newRow("verse above 255") << QByteArray("4\t1\t2\t256\ttext\r\n") << 6;
        QByteArray longChapter; // chapter 2 grows to 256 lines
        for (int v = 2; v <= 256; ++v)
            longChapter += line(2 + v, 1, 2, v % 256, "verse");
        QTest::newRow("chapter of 256 lines") << longChapter << 6;
    }
    void badTextLinesStopTheBuildingWithTheReport() {
        QFETCH(QByteArray, bad);
        QFETCH(int, error);
        SearchFixture fx;
        const QByteArray good = line(1, 1, 1, 1, "a") + line(2, 1, 1, 2, "b");
        fx.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Create Index File"));
        const QByteArray index =
            buildIndex(fx, good + line(3, 1, 2, 1, "c") + bad + line(999, 2, 1, 1, "after"));
        QCOMPARE(fx.dialogs.pending(), 0);
        const QString report = fx.dialogs.messageTexts().value(0);
        QVERIFY(report.contains(QStringLiteral("Error Number  : ") + QString::number(error)));
        QVERIFY(report.contains(QStringLiteral("\r\n") + fx.state->BibleFolder + fx.bibleFile() +
                                QStringLiteral("\r\nOR\r\n") +
                                VerseIndex::IndexPath(*fx.state, fx.bibleFile())));
        // The chapter finished before the fault stays; the later one is never written.
        QCOMPARE(index, indexLine({1, 2, 1, 1, 2, 1, good.size() + 1}));
    }

    void chapterOf254LinesIsAccepted() {
        SearchFixture fx;
        QByteArray text;
        for (int v = 1; v <= 254; ++v)
            text += line(v, 1, 1, v, "v");
        const qint64 s2 = text.size() + 1;
        text += line(255, 1, 2, 1, "next");
        QCOMPARE(buildIndex(fx, text), indexLine({1, 254, 1, 1, 254, 1, s2}) +
                                           indexLine({255, 255, 1, 2, 1, s2, text.size() + 1}));
    }

    void missingTextIsReportedAndWritesNoIndex() {
        SearchFixture fx;
        fx.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("File not found"));
        QVERIFY(!VerseIndex::CreateIndexFile(*fx.state, fx.state->BibleFolder,
                                             QStringLiteral("b_none.TXT")));
        QVERIFY(!QFile::exists(VerseIndex::IndexPath(*fx.state, QStringLiteral("b_none.TXT"))));
    }

    void loaderFillsTheTableWithTheLastChapter() {
        SearchFixture fx;
        writeIndex(fx, indexOfChapters(10));
        VerseIndex::LoadIndexFile(*fx.state, fx.bibleFile());
        QCOMPARE(fx.state->CurrentIndexFile, fx.bibleFile());
        const VerseIndexTable& t = fx.state->VerseIndex;
        QCOMPARE(t[0].startOffset, 1);
        QCOMPARE(t[9].chapter, quint8(10));
        for (int i = 9; i < kVerseIndexSize; ++i)
            QVERIFY(t[i].chapter == 10 && t[i].startOffset == 91 && t[i].endOffset == 101);
    }

    void loaderKeepsTheFirst1300Chapters() {
        SearchFixture fx;
        writeIndex(fx, indexOfChapters(1400));
        VerseIndex::LoadIndexFile(*fx.state, fx.bibleFile());
        const VerseIndexEntry& last = fx.state->VerseIndex[kVerseIndexSize - 1];
        QCOMPARE(last.firstVerse, qint16(1300));
        QCOMPARE(last.book, quint8(7));
        QCOMPARE(last.chapter, quint8(100));
        QVERIFY(fx.dialogs.records().isEmpty());
    }

    void damagedIndexIsReportedAndKeepsWhatLoaded_data() {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<int>("loaded");
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("six fields") << QByteArray("3,3,1,3,1,21\r\n") << 2;
        QTest::newRow("not a number") << QByteArray("3,3,1,x,1,21,31\r\n") << 2;
        QTest::newRow("book above a byte") << QByteArray("3,3,300,3,1,21,31\r\n") << 2;
        QTest::newRow("empty line") << QByteArray("\r\n3,3,1,3,1,21,31\r\n") << 2;
    }
    void damagedIndexIsReportedAndKeepsWhatLoaded() {
        QFETCH(QByteArray, tail);
        QFETCH(int, loaded);
        SearchFixture fx;
        fx.state->VerseIndex.fill(VerseIndexEntry{1, 1, 66, 22, 1, 500, 600}); // another text's
        const QByteArray good = loaded ? indexOfChapters(2) : QByteArray();
        writeIndex(fx, good + tail);
        fx.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("LoadIndexFile"));
        VerseIndex::LoadIndexFile(*fx.state, fx.bibleFile());
        QCOMPARE(fx.dialogs.pending(), 0);
        QVERIFY(fx.dialogs.messageTexts().value(0).contains(fx.bibleFile()));
        const VerseIndexTable& t = fx.state->VerseIndex;
        // Nothing of the earlier text's table may survive to cut wrong ranges.
        for (const VerseIndexEntry& e : t)
            QVERIFY(e.book != 66);
        if (loaded)
            QCOMPARE(t[kVerseIndexSize - 1].chapter, quint8(2));
    }

    void missingIndexChangesOnlyTheCurrentName() {
        SearchFixture fx;
        fx.state->VerseIndex[0].book = 42;
        VerseIndex::LoadIndexFile(*fx.state, QStringLiteral("b_other.TXT"));
        QCOMPARE(fx.state->CurrentIndexFile, QStringLiteral("b_other.TXT"));
        QCOMPARE(fx.state->VerseIndex[0].book, quint8(42));
    }

    void bookRangesAreCutOutInOneCopy_data() {
        QTest::addColumn<int>("selection");
        QTest::addColumn<QList<int>>("runningNumbers");
        QTest::newRow("Genesis") << 1 << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("Exodus") << 2 << QList<int>{6};
        QTest::newRow("books 1-5") << 67 << QList<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("Old Testament") << 68 << QList<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("New Testament") << 69 << QList<int>{7, 8, 9, 10};
        QTest::newRow("Gospels") << 70 << QList<int>{7, 8, 9};
        QTest::newRow("Synoptic Gospels") << 71 << QList<int>{7, 8};
    }
    void bookRangesAreCutOutInOneCopy() {
        QFETCH(int, selection);
        QFETCH(QList<int>, runningNumbers);
        SearchFixture fx;
        const QByteArray text = TestProgramFolder::smallBibleText();
        buildIndex(fx, text);
        VerseIndex::LoadIndexFile(*fx.state, fx.bibleFile());
        QVERIFY(VerseIndex::ExtractBookRange(*fx.state, fx.bibleFile(), selection));
        const QList<QByteArray> lines = text.split('\n');
        QByteArray expected;
        for (int n : runningNumbers)
            expected += lines.at(n - 1) + '\n';
        QCOMPARE(scratch(fx, fx.bibleFile()), expected);
    }

    void wholeBibleSelectionCopiesNothing() {
        SearchFixture fx;
        buildIndex(fx, TestProgramFolder::smallBibleText());
        VerseIndex::LoadIndexFile(*fx.state, fx.bibleFile());
        QVERIFY(VerseIndex::ExtractBookRange(*fx.state, fx.bibleFile(), 72));
        QVERIFY(!QFile::exists(fx.state->ScratchFolder + fx.bibleFile()));
    }

    void missingBookLeavesAnEmptyCopyNotAStaleOne() {
        SearchFixture fx;
        buildIndex(fx, line(1, 40, 1, 1, "Matthew") + line(2, 66, 1, 1, "Revelation"));
        VerseIndex::LoadIndexFile(*fx.state, fx.bibleFile());
        QVERIFY(VerseIndex::ExtractBookRange(*fx.state, fx.bibleFile(), 40));
        QVERIFY(!scratch(fx, fx.bibleFile()).isEmpty());
        for (int selection : {1, 39, 67, 68}) {
            QVERIFY(!VerseIndex::ExtractBookRange(*fx.state, fx.bibleFile(), selection));
            QCOMPARE(scratch(fx, fx.bibleFile()), QByteArray());
        }
    }

    void chaptersGoToTheCopyOfTheirKind() {
        SearchFixture fx;
        const QByteArray text = TestProgramFolder::smallBibleText();
        buildIndex(fx, text);
        VerseIndex::LoadIndexFile(*fx.state, fx.bibleFile());
        const QString folder = fx.state->BibleFolder, file = fx.bibleFile();
        const QList<QByteArray> lines = text.split('\n');
        QVERIFY(VerseIndex::ExtractChapter(*fx.state, folder, file, 1, 1, 2));
        QCOMPARE(scratch(fx, "1v_" + file), lines.at(3) + '\n' + lines.at(4) + '\n');
        QVERIFY(VerseIndex::ExtractChapter(*fx.state, folder, file, 2, 1, 0));
        QCOMPARE(scratch(fx, "1c_" + file).count('\n'), 5);
        // No such chapter, or no such text: the copy holds one empty line.
        QVERIFY(!VerseIndex::ExtractChapter(*fx.state, folder, file, 3, 1, 9));
        QCOMPARE(scratch(fx, "1d_" + file), QByteArray("\r\n"));
        QVERIFY(!VerseIndex::ExtractChapter(*fx.state, folder, QStringLiteral("gone.txt"), 1, 1,
                                            1));
        QCOMPARE(scratch(fx, QStringLiteral("1v_gone.txt")), QByteArray("\r\n"));
        QVERIFY(!VerseIndex::ExtractChapter(*fx.state, folder, file, 4, 1, 1));
        QCOMPARE(QDir(fx.state->ScratchFolder).entryList(QDir::Files).filter("4").size(), 0);
    }

    void indexThatNoLongerFitsItsTextIsRebuilt() {
        SearchFixture fx;
        const QByteArray text = TestProgramFolder::smallBibleText();
        const QString folder = fx.state->BibleFolder, file = fx.bibleFile();
        QVERIFY(VerseIndex::IndexNeedsBuilding(*fx.state, folder, file));
        QStringList statuses;
        auto status = [&](const QString& t, bool) { statuses << t; };
        VerseIndex::PrepareIndex(*fx.state, folder, file, false, status);
        QCOMPARE(statuses, (QStringList{QStringLiteral("Creating index ") + file +
                                            QStringLiteral(" please wait.."),
                                        QStringLiteral("done")}));
        QCOMPARE(fx.state->CurrentIndexFile, file);
        QVERIFY(!VerseIndex::IndexNeedsBuilding(*fx.state, folder, file));

        // A shorter text dated before its index: the offsets would run past its end.
        const QString indexPath = FileFunctions::resolve(VerseIndex::IndexPath(*fx.state, file));
        const QDateTime indexTime = QFileInfo(indexPath).lastModified();
        fx.writeBible(text.left(text.size() - 20));
        QFile textFile(FileFunctions::resolve(folder + file));
        QVERIFY(textFile.open(QIODevice::ReadWrite));
        QVERIFY(textFile.setFileTime(indexTime.addSecs(-60), QFileDevice::FileModificationTime));
        textFile.close();
        QVERIFY(VerseIndex::IndexNeedsBuilding(*fx.state, folder, file));

        // Same length but written after the index.
        fx.writeBible(text);
        QFile indexFile(indexPath);
        QVERIFY(indexFile.open(QIODevice::ReadWrite));
        QVERIFY(indexFile.setFileTime(QFileInfo(textFile).lastModified().addSecs(-60),
                                      QFileDevice::FileModificationTime));
        indexFile.close();
        QVERIFY(VerseIndex::IndexNeedsBuilding(*fx.state, folder, file));
        statuses.clear();
        VerseIndex::PrepareIndex(*fx.state, folder, file, false, status);
        QCOMPARE(statuses.size(), 2);
        QVERIFY(!VerseIndex::IndexNeedsBuilding(*fx.state, folder, file));

        // Loaded already and fitting: no rebuild, no reload unless asked.
        statuses.clear();
        fx.state->VerseIndex[0].book = 99;
        VerseIndex::PrepareIndex(*fx.state, folder, file, false, status);
        QVERIFY(statuses.isEmpty());
        QCOMPARE(fx.state->VerseIndex[0].book, quint8(99));
        VerseIndex::PrepareIndex(*fx.state, folder, file, true, status);
        QCOMPARE(fx.state->VerseIndex[0].book, quint8(1));
    }

    void reIndexEmptiesTheIndexFolderAndSaysSo() {
        SearchFixture fx;
        VerseIndex::PrepareIndex(*fx.state, fx.state->BibleFolder, fx.bibleFile(), true, {});
        fx.folder.write(QStringLiteral("Index/other.txt.INDEX"), "1,1,1,1,1,1,2\r\n");
        fx.dialogs.expectMessage(Dialogs::Answer::Ok, fx.state->IndexFolder);
        VerseIndex::ReIndex(*fx.state);
        QCOMPARE(QDir(fx.state->IndexFolder).entryList(QDir::Files), QStringList());
        const ScriptedDialogs::Record& box = fx.dialogs.records().constLast();
        QCOMPARE(box.box.icon, Dialogs::Icon::Information);
        QCOMPARE(box.box.title, TolvaneRoutines::ProductName() + QStringLiteral(" Delete index"));
        QCOMPARE(fx.state->BibleFiles.value(0), fx.bibleFile()); // catalogue reloaded
        QVERIFY(VerseIndex::IndexNeedsBuilding(*fx.state, fx.state->BibleFolder, fx.bibleFile()));
    }
};

QTEST_GUILESS_MAIN(TestVerseIndex)
#include "tst_VerseIndex.moc"
