#include "MainMenuFixture.h"
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"

#include "integrity/IntegrityCheck.h"
#include "integrity/IntegrityPane.h"
#include "integrity/ModuleChecksum.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextEdit>
#include <QtTest>

namespace {

// The check value as the reader would compute it, one byte at a time in 64 bits.
std::pair<qint32, qint32> reference(const QByteArray& bytes) {
    quint64 s = 0, x = 0;
    bool open = false;
    for (int i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\n' && i > 0 && bytes[i - 1] == '\r')
            continue;
        if (b == '\r' || b == '\n') {
            x ^= s;
            open = false;
        } else {
            s += b;
            open = true;
        }
    }
    if (open)
        x ^= s;
    return {qint32(quint32(x)), qint32(quint32(s))};
}

ModuleChecksum sumOf(const QByteArray& bytes, int piece) {
    ModuleChecksum c;
    for (int at = 0; at < bytes.size(); at += piece)
        c.add(bytes.constData() + at, std::min<qsizetype>(piece, bytes.size() - at));
    return c;
}

// A program folder with the small test Bible, a commentary, a dictionary and a names file.
struct Library {
    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> settings;
    ScriptedDialogs dialogs;
    std::unique_ptr<ProgramState> state;

    Library() {
        folder.makeStandard();
        folder.write("Modules/Commentary/c_tst.txt", "1\t1\t1\tA note.\r\n");
        folder.write("Modules/Dictionary/d_tst.txt", "AARON\tA brother.\r\n");
        folder.write("Modules/Name/n_tst.txt", "Aaron\tenlightened\r\n");
        folder.writeTranslations("1,1,\"Test Bible\",\"b_tst\"\r\n1500,1,\"Names\",\"n_tst\"\r\n"
                                 "1600,1,\"Dictionary\",\"d_tst\"\r\n"
                                 "1700,1,\"Commentary\",\"c_tst\"\r\n");
        settings = folder.makeSettings();
        state = std::make_unique<ProgramState>(*settings, dialogs);
        state->programDir = folder.path();
        DataFolders::SetProgramPaths(*state);
        state->ModulePath = state->ProgramFolder + "Modules/";
        DataFolders::SetModuleFolders(*state);
        Catalogues::LoadBookCatalogue(*state);
        Catalogues::LoadTranslationCatalogue(*state);
    }
    QString crc(const QString& file) const { return folder.file("sysdefs/CRC_" + file); }
};

} // namespace

class TestIntegrity : public QObject {
    Q_OBJECT

private slots:
    void checksumOfSmallFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << QByteArray() << "00";
        QTest::newRow("one line") << QByteArray("abc") << "294294";
        QTest::newRow("one line ended") << QByteArray("abc\r\n") << "294294";
        QTest::newRow("two lines") << QByteArray("a\r\nb\r\n") << "162195";
        QTest::newRow("two lines, CR only") << QByteArray("a\rb\r") << "162195";
        QTest::newRow("two lines, LF only") << QByteArray("a\nb") << "162195";
        QTest::newRow("an empty line added") << QByteArray("a\r\nb\r\n\r\n") << "97195";
        QTest::newRow("lines swapped") << QByteArray("b\r\na\r\n") << "161195";
        QTest::newRow("CR CR is two ends") << QByteArray("a\r\rb") << "195195";
    }
    void checksumOfSmallFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const ModuleChecksum c = sumOf(bytes, int(std::max<qsizetype>(1, bytes.size())));
        QCOMPARE(ModuleChecksum::text(c.X(), c.S()), shown);
    }

    // Every scan must agree with the plain reading whatever the pieces and line ends: CR LF
    // split across pieces, long stretches without a line end, bytes above 127.
    void checksumAgreesWithPlainReading_data() {
        QTest::addColumn<int>("scan");
        for (auto scan : {ModuleChecksum::Scan::Plain, ModuleChecksum::Scan::Sse2,
                          ModuleChecksum::Scan::Avx2})
            if (ModuleChecksum::scanAvailable(scan))
                QTest::addRow("scan %d", int(scan)) << int(scan);
    }
    void checksumAgreesWithPlainReading() {
        QFETCH(int, scan);
        QRandomGenerator rng(15);
        const char text[] = "ab \xe9\xff";
        for (int round = 0; round < 60; ++round) {
            // Line ends from every third byte to one in two hundred.
            const int endsOneIn = round % 2 ? 3 : 200;
            QByteArray bytes(int(rng.bounded(1, 2000)), Qt::Uninitialized);
            for (char& b : bytes)
                b = rng.bounded(endsOneIn) == 0 ? "\r\n"[rng.bounded(2)]
                                                : text[rng.bounded(int(sizeof text - 1))];
            const auto [x, s] = reference(bytes);
            for (int piece : {1, 7, 16, 17, 64, 100, 1 << 20}) {
                ModuleChecksum c{ModuleChecksum::Scan(scan)};
                for (int at = 0; at < bytes.size(); at += piece)
                    c.add(bytes.constData() + at, std::min<qsizetype>(piece, bytes.size() - at));
                QCOMPARE(c.X(), x);
                QCOMPARE(c.S(), s);
            }
        }
    }

    // A sum beyond 2^31 wraps instead of overflowing; the signed value is what is shown.
    void largeSumWraps() {
        const QByteArray block(1 << 20, '\xff');
        ModuleChecksum c;
        for (int i = 0; i < 9; ++i)
            c.add(block.constData(), block.size());
        const quint32 s = quint32(quint64(9) * (1 << 20) * 255);
        QCOMPARE(c.S(), qint32(s));
        QVERIFY(c.S() < 0);
        QCOMPARE(c.X(), c.S()); // one unended line
    }

    void firstCheckRecordsLaterChecksCompare() {
        Library lib;
        IntegrityCheck check(*lib.state);
        const QString folder = lib.state->BibleFolder;
        IntegrityCheck::Result r = check.CheckModuleCrc(folder, "b_tst.TXT");
        QCOMPARE(r.outcome, IntegrityCheck::Outcome::Recorded);
        QVERIFY(r.report.startsWith("Could not find CRC_b_tst.TXT. There is therefore no way of "
                                    "knowing what the CRC should be.\r\nThe new CRC is :"));
        const QByteArray recorded = lib.folder.read("sysdefs/CRC_b_tst.TXT");
        QVERIFY(recorded.endsWith("\r\n"));
        const QList<QByteArray> xs = recorded.trimmed().split(',');
        QCOMPARE(r.report.section(':', -1), QString(xs[0] + xs[1]));

        r = check.CheckModuleCrc(folder, "b_tst.TXT");
        QCOMPARE(r.outcome, IntegrityCheck::Outcome::Unchanged);
        QCOMPARE(r.report, "CRC:" + xs[0] + xs[1] + "\r\nCRC for b_tst.TXT OK!\r\n");

        // A changed text loses its verse index; the recorded value stays.
        lib.folder.write("Index/b_tst.TXT.INDEX", "1,1,1,1,1,1,10\r\n");
        lib.folder.write("Modules/Bible/b_tst.txt", TestProgramFolder::smallBibleText() + "x");
        r = check.CheckModuleCrc(folder, "b_tst.TXT");
        QCOMPARE(r.outcome, IntegrityCheck::Outcome::Changed);
        QVERIFY(r.report.startsWith("The CRC has changed on file b_tst.TXT. since it was last "
                                    "calculated\r\nCalculated:"));
        QVERIFY(r.report.contains("\r\nFrom File:   " + xs[0] + xs[1] + "\r\n"));
        QVERIFY(r.report.endsWith("It is STRONGLY SUGGESTED YOU RE INSTALL THIS MODULE!!"));
        QVERIFY(!QFile::exists(lib.folder.file("Index/b_tst.TXT.INDEX")));
        QCOMPARE(lib.folder.read("sysdefs/CRC_b_tst.TXT"), recorded);
        QCOMPARE(check.changedCount(), 1);
    }

    // Nothing is recorded and no index deleted when the value cannot be trusted.
    void badInput_data() {
        QTest::addColumn<QByteArray>("module"); // empty: no module file at all
        QTest::addColumn<QByteArray>("crcFile");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("reportStart");
        using O = IntegrityCheck::Outcome;
        QTest::newRow("empty module") << QByteArray("") << QByteArray("0,0\r\n")
                                      << int(O::Unchanged) << "CRC:00\r\n";
        QTest::newRow("CR-only module") << QByteArray("a\rb\r") << QByteArray("162,195\r\n")
                                        << int(O::Unchanged) << "CRC:162195";
        QTest::newRow("negative values") << QByteArray("a") << QByteArray("-1,-1")
                                         << int(O::Changed) << "The CRC has changed";
        QTest::newRow("crc file a word") << QByteArray("abc") << QByteArray("garbage\r\n")
                                         << int(O::Problem) << "The file CRC_m.txt is damaged";
        QTest::newRow("crc file empty") << QByteArray("abc") << QByteArray("") << int(O::Problem)
                                        << "The file CRC_m.txt is damaged";
        QTest::newRow("three numbers") << QByteArray("abc") << QByteArray("294,294,1\r\n")
                                       << int(O::Problem) << "The file CRC_m.txt is damaged";
        QTest::newRow("beyond 32 bits") << QByteArray("abc") << QByteArray("294,4294967590\r\n")
                                        << int(O::Problem) << "The file CRC_m.txt is damaged";
        QTest::newRow("unreadable module") << QByteArray() << QByteArray("1,2\r\n")
                                           << int(O::Problem) << "Could not read ";
    }
    void badInput() {
        QFETCH(QByteArray, module);
        QFETCH(QByteArray, crcFile);
        QFETCH(int, outcome);
        QFETCH(QString, reportStart);
        Library lib;
        const bool unreadable = QByteArray(QTest::currentDataTag()) == "unreadable module";
        if (!unreadable)
            lib.folder.write("Modules/Commentary/m.txt", module);
        lib.folder.write("sysdefs/CRC_m.txt", crcFile);
        lib.folder.write("Index/m.txt.INDEX", "index");
        IntegrityCheck check(*lib.state);
        const IntegrityCheck::Result r =
            check.CheckModuleCrc(lib.state->CommentaryFolder, "m.txt");
        QCOMPARE(int(r.outcome), outcome);
        QVERIFY2(r.report.startsWith(reportStart), qPrintable(r.report));
        QCOMPARE(lib.folder.read("sysdefs/CRC_m.txt"), crcFile);
        QCOMPARE(QFile::exists(lib.folder.file("Index/m.txt.INDEX")),
                 outcome != int(IntegrityCheck::Outcome::Changed));
    }

    // The pane shows what the Part's menu items show; the command line prints the same lines.
    void paneAndCommandLineAgree() {
        Library lib;
        // An empty list slot is reported, not skipped silently; an empty names file is checked.
        lib.state->DictionaryName.clear();
        lib.state->DictionaryFile.clear();
        lib.folder.write("Modules/Name/n_tst.txt", "");
        QTextEdit pane;
        IntegrityPane(*lib.state, &pane).RunAll();
        const QString shown = pane.toPlainText();
        QCOMPARE(shown.count("DONE!"), 4);
        QVERIFY(shown.contains(IntegrityCheck::ProgressLine(lib.state->BibleFolder, "b_tst.TXT",
                                                            "Test Bible")
                                   .chopped(2) +
                               "\n Could not find CRC_b_tst.TXT."));
        QVERIFY(shown.contains(" No module of this kind is listed for " +
                               lib.state->DictionaryFolder));
        QVERIFY(shown.endsWith("\n\n\nDONE!\n"));

        // Running the pane again compares; a single-kind item empties the pane first.
        IntegrityPane(*lib.state, &pane).RunKind(IntegrityCheck::Kind::Names);
        QVERIFY(pane.toPlainText().startsWith("CRC Calculation for: " + lib.state->NameFolder));
        QVERIFY(pane.toPlainText().contains("CRC for n_tst.txt OK!"));
        QCOMPARE(pane.toPlainText().count("DONE!"), 1);

#ifdef TOLVANE_CLI
        // The command line on the same folder, with the same records removed first; it has
        // its own dictionary slot filled, so compare the Bible and commentary part.
        for (const char* f : {"b_tst.TXT", "c_tst.txt"})
            QFile::remove(lib.crc(QString::fromLatin1(f)));
        QProcess p;
        p.start(TOLVANE_CLI, {"check", "--folder", lib.folder.path(), "bibles"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QString printed = QString::fromUtf8(p.readAllStandardOutput());
        const qsizetype firstDone = shown.indexOf("DONE!\n") + 6;
        QCOMPARE(printed, shown.left(firstDone));
        // Compared now: unchanged, exit 0; a changed file gives exit 1.
        lib.folder.write("Modules/Commentary/c_tst.txt", "changed\r\n");
        p.start(TOLVANE_CLI, {"check", "--folder", lib.folder.path(), "commentaries"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0); // recorded anew: its CRC file was removed above
        lib.folder.write("Modules/Commentary/c_tst.txt", "changed again\r\n");
        p.start(TOLVANE_CLI, {"check", "--folder", lib.folder.path(), "commentaries"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardOutput().contains("The CRC has changed on file c_tst.txt."));
        p.start(TOLVANE_CLI, {"check", "--folder", lib.folder.path(), "psalms"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
#endif
    }

    // From the Tools menu: the items follow the installed modules at each activation, and
    // the report is not an edit of the notepad's.
    void menuItemsOfTheMainWindow() {
        MainMenuFixture f;
        f.load();
        auto item = [&](const char* name) { return f.window->findChild<QAction*>(name); };
        QVERIFY(item("IntegrityBib")->isEnabled());
        QVERIFY(!item("IntegrityCommentary")->isEnabled());
        f.window->findChild<QAction*>("IntegrityBib")->trigger();
        auto* pane = f.window->findChild<QTextEdit*>("RT");
        QVERIFY(pane->toPlainText().contains(" Could not find CRC_b_tst.TXT."));
        QVERIFY(pane->toPlainText().endsWith("DONE!\n"));
        QVERIFY(!f.window->documentChanged());

        f.folder.write("Modules/Commentary/c_tst.txt", "1\t1\t1\tA note.\r\n");
        f.window->Form_Activate();
        QVERIFY(item("IntegrityCommentary")->isEnabled());
        item("IntegrityAll")->trigger();
        QCOMPARE(pane->toPlainText().count("DONE!"), 2);
        QVERIFY(pane->toPlainText().contains("CRC for b_tst.TXT OK!"));
    }
};

QTEST_MAIN(TestIntegrity)
#include "tst_integrity.moc"
