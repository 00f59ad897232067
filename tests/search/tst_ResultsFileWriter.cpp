// The results file writer hands full blocks to a thread; what reaches the file must still be
// every line in order with CR LF, cut to the new length, whatever the previous file held.
#include "app/search/ResultsFileWriter.h"
#include "library/FileFunctions.h"

#include <QTemporaryDir>
#include <QtTest>

#include <thread>

class TestResultsFileWriter : public QObject {
    Q_OBJECT

    static QByteArray lineNumber(int n) {
        // Lines of differing lengths, so a block boundary falls inside no fixed pattern.
        return "LINE " + QByteArray::number(n) + ' ' + QByteArray(n % 97, char('a' + n % 26));
    }

    static QByteArray writeLines(ResultsFileWriter& w, const QString& path, int count) {
        QByteArray expected;
        w.start(path);
        for (int n = 0; n < count; ++n) {
            const QByteArray line = lineNumber(n);
            w.appendLine(line.constData(), line.size());
            expected += line + "\r\n";
        }
        return expected;
    }

private slots:
    void manyBlocksArriveInOrderAndTheFileIsCutToLength() {
        QTemporaryDir dir;
        const QString path = dir.filePath("BibTmp_b_tst.txt");
        ResultsFileWriter w;
        const QByteArray big = writeLines(w, path, 40000); // several blocks: the thread runs
        QVERIFY(big.size() > 4 * ResultsFileWriter::kBlockSize);
        QVERIFY(w.finish());
        QByteArray file;
        QVERIFY(FileFunctions::readWholeFile(path, file));
        QCOMPARE(file.size(), big.size());
        QVERIFY(file == big);

        // A shorter result over a longer one leaves nothing of the old one behind, and the
        // blocks kept from the first result are filled again without mixing in old bytes.
        const QByteArray small = writeLines(w, path, 3000);
        QVERIFY(w.finish());
        QVERIFY(FileFunctions::readWholeFile(path, file));
        QVERIFY(file == small);

        w.start(path);
        QVERIFY(w.finish());
        QVERIFY(FileFunctions::readWholeFile(path, file));
        QVERIFY(file.isEmpty()); // an empty result still replaces the previous one
    }

    void aLineLongerThanABlockIsWrittenWhole() {
        QTemporaryDir dir;
        const QString path = dir.filePath("r.txt");
        ResultsFileWriter w;
        w.start(path);
        const QByteArray first("first");
        const QByteArray huge(ResultsFileWriter::kBlockSize + 10, 'x');
        w.appendLine(first.constData(), first.size());
        w.appendLine(huge.constData(), huge.size());
        w.appendLine(first.constData(), first.size());
        QVERIFY(w.finish());
        QByteArray file;
        QVERIFY(FileFunctions::readWholeFile(path, file));
        QVERIFY(file == "first\r\n" + huge + "\r\nfirst\r\n");
    }

    void startingAgainCompletesTheUnfinishedResult() {
        QTemporaryDir dir;
        ResultsFileWriter w;
        const QByteArray first = writeLines(w, dir.filePath("one.txt"), 20000);
        const QByteArray second = writeLines(w, dir.filePath("two.txt"), 10);
        QVERIFY(w.finish());
        QByteArray file;
        QVERIFY(FileFunctions::readWholeFile(dir.filePath("one.txt"), file));
        QVERIFY(file == first);
        QVERIFY(FileFunctions::readWholeFile(dir.filePath("two.txt"), file));
        QVERIFY(file == second);
    }

    void aSecondStreamFilledOnAnotherThreadFollowsTheFirst() {
        QTemporaryDir dir;
        const QString path = dir.filePath("r.txt");
        ResultsFileWriter w;
        QByteArray first, second;
        w.start(path);
        const int stream = w.addStream();
        std::thread filler([&] {
            for (int n = 50000; n < 80000; ++n) {
                const QByteArray line = lineNumber(n);
                w.appendLine(stream, line.constData(), line.size());
                second += line + "\r\n";
            }
        });
        for (int n = 0; n < 30000; ++n) {
            const QByteArray line = lineNumber(n);
            w.appendLine(line.constData(), line.size());
            first += line + "\r\n";
        }
        w.closeStream(0); // the second stream may be written from here on
        filler.join();
        QVERIFY(w.finish());
        QByteArray file;
        QVERIFY(FileFunctions::readWholeFile(path, file));
        QCOMPARE(file.size(), first.size() + second.size());
        QVERIFY(file == first + second);
    }

    void aDroppedStreamLeavesNothingInTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("r.txt");
        ResultsFileWriter w;
        w.start(path);
        const int stream = w.addStream();
        for (int n = 0; n < 30000; ++n) {
            const QByteArray line = lineNumber(n);
            w.appendLine(stream, line.constData(), line.size());
        }
        const QByteArray kept = "kept";
        w.appendLine(kept.constData(), kept.size());
        w.dropStream(stream);
        QVERIFY(w.finish());
        QByteArray file;
        QVERIFY(FileFunctions::readWholeFile(path, file));
        QVERIFY(file == "kept\r\n");
    }

    void aFolderThatIsNotThereIsReportedNotCrashedOn() {
        QTemporaryDir dir;
        ResultsFileWriter w;
        writeLines(w, dir.filePath("missing/r.txt"), 20000);
        QVERIFY(!w.finish());
        QVERIFY(!QFile::exists(dir.filePath("missing/r.txt")));
    }
};

QTEST_GUILESS_MAIN(TestResultsFileWriter)
#include "tst_ResultsFileWriter.moc"
