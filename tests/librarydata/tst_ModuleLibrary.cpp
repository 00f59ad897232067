#include "library/ModuleValidator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString describe(const QList<ModuleProblem>& problems) {
    QStringList lines;
    for (int i = 0; i < problems.size() && i < 20; ++i)
        lines << problems[i].toString();
    return lines.join(QLatin1Char('\n'));
}

bool mentions(const QList<ModuleProblem>& problems, int line, const QString& words) {
    for (const ModuleProblem& p : problems)
        if (p.line == line && p.what.contains(words))
            return true;
    return false;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray goodText = "1\t1\t1\t1\tIn the beginning.\r\n"
                            "2\t1\t1\t2\tAnd the earth.\r\n"
                            "3\t19\t3\t0\tA Psalm of David.\r\n"
                            "4\t19\t3\t1\tLORD, how are they increased.\r\n";

} // namespace

class ModuleLibraryTest : public QObject {
    Q_OBJECT

private slots:
    // The library committed under data/program, as a fresh clone has it.
    void shippedLibraryPassesEveryCheck() {
        const QString program = QStringLiteral(TOLVANE_SOURCE_DIR "/data/program");
        const QList<ModuleProblem> problems = ModuleValidator().checkProgramFolder(program);
        QVERIFY2(problems.isEmpty(), qPrintable(describe(problems)));
    }

    void shippedBiblesHaveTheExpectedShape() {
        const QString bible = QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/Modules/Bible/");
        const QByteArray kjv = readFile(bible + QStringLiteral("b_kjv.txt"));
        // 31,102 verses and the 116 Psalm titles on verse-0 lines.
        QCOMPARE(kjv.count("\r\n"), 31102 + 116);
        QVERIFY(kjv.contains("\t19\t119\t176\t"));
        QVERIFY(kjv.contains("\t1\t1\t1\tIn the beginning God created the heaven and the earth.\r\n"));
        QVERIFY(kjv.contains("\xB6 And God said")); // pilcrow kept as the byte 0xB6
        QVERIFY(!kjv.contains("Written to the Romans"));
        const QByteArray web = readFile(bible + QStringLiteral("b_web.txt"));
        QVERIFY(!web.contains("\t42\t17\t36\t"));
        QVERIFY(web.contains("Christ, the son of David")); // a footnote between words left a blank
        const QByteArray rv = readFile(bible + QStringLiteral("b_sparv.txt"));
        QVERIFY(rv.contains("s\xE1" "calo de este lugar")); // enclitic pronoun joined to its verb
    }

    void verseTextFaultsAreCaught_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("words");
        QTest::newRow("four fields") << QByteArray("1\t1\t1\t1\r\n") << 1 << "4 fields";
        QTest::newRow("six fields") << QByteArray("1\t1\t1\t1\ta\tb\r\n") << 1 << "6 fields";
        QTest::newRow("not a number") << QByteArray("1\tx\t1\t1\ta\r\n") << 1 << "not a whole number";
        QTest::newRow("negative verse") << QByteArray("1\t1\t1\t-1\ta\r\n") << 1 << "not a whole number";
        QTest::newRow("first number not 1") << QByteArray("2\t1\t1\t1\ta\r\n") << 1 << "expected 1";
        QTest::newRow("number skips") << QByteArray("1\t1\t1\t1\ta\r\n3\t1\t1\t2\tb\r\n") << 2 << "expected 2";
        QTest::newRow("book 67") << QByteArray("1\t67\t1\t1\ta\r\n") << 1 << "book 67";
        QTest::newRow("book 0") << QByteArray("1\t0\t1\t1\ta\r\n") << 1 << "book 0";
        QTest::newRow("books out of order") << QByteArray("1\t2\t1\t1\ta\r\n2\t1\t1\t1\tb\r\n") << 2
                                            << "after book 2";
        QTest::newRow("chapter 0") << QByteArray("1\t1\t0\t1\ta\r\n") << 1 << "chapter 0";
        QTest::newRow("chapter 256") << QByteArray("1\t1\t256\t1\ta\r\n") << 1 << "chapter 256";
        QTest::newRow("chapters out of order") << QByteArray("1\t1\t2\t1\ta\r\n2\t1\t1\t1\tb\r\n") << 2
                                               << "after chapter 2";
        QTest::newRow("verse 256") << QByteArray("1\t1\t1\t256\ta\r\n") << 1 << "verse 256";
        QTest::newRow("empty text") << QByteArray("1\t1\t1\t1\t \r\n") << 1 << "empty verse text";
        QTest::newRow("LF alone") << QByteArray("1\t1\t1\t1\ta\n2\t1\t1\t2\tb\r\n") << 1 << "LF alone";
        QTest::newRow("last line open") << QByteArray("1\t1\t1\t1\ta") << 0 << "last line";
        QTest::newRow("undefined byte") << QByteArray("1\t1\t1\t1\ta\x81\r\n") << 0 << "Windows-1252";
    }
    void verseTextFaultsAreCaught() {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(QString, words);
        const auto problems = ModuleValidator().checkVerseText(QStringLiteral("b_x.txt"), text);
        QVERIFY2(mentions(problems, line, words), qPrintable(describe(problems)));
    }

    void verseTextLimitsAreExact() {
        ModuleValidator v;
        QVERIFY2(v.checkVerseText(QStringLiteral("ok"), goodText).isEmpty(),
                 qPrintable(describe(v.checkVerseText(QStringLiteral("ok"), goodText))));
        QByteArray chapter;
        for (int i = 1; i <= 255; ++i)
            chapter += QByteArray::number(i) + "\t1\t1\t" + QByteArray::number(i - 1) + "\tv\r\n";
        const auto tooLong = v.checkVerseText(QStringLiteral("long"), chapter);
        QCOMPARE(tooLong.size(), 1);
        QVERIFY(mentions(tooLong, 255, QStringLiteral("more than 254")));
        chapter.truncate(chapter.lastIndexOf("255\t1\t1"));
        QVERIFY(v.checkVerseText(QStringLiteral("254"), chapter).isEmpty());

        QByteArray numbers;
        for (int i = 1; i <= 32768; ++i)
            numbers += QByteArray::number(i) + "\t1\t" + QByteArray::number(1 + (i - 1) / 200) + "\t"
                       + QByteArray::number(1 + (i - 1) % 200) + "\tv\r\n";
        const auto overflow = v.checkVerseText(QStringLiteral("big"), numbers);
        QCOMPARE(overflow.size(), 1);
        QVERIFY(mentions(overflow, 32768, QStringLiteral("above 32767")));
    }

    void dictionaryFaultsAreCaught() {
        ModuleValidator v;
        const QByteArray good = "1\tAARON\tPriest|See MOSES \xAF n\xB0" "00002\r\n2\tMOSES\tLawgiver\r\n";
        QVERIFY2(v.checkDictionary(QStringLiteral("d"), good).isEmpty(),
                 qPrintable(describe(v.checkDictionary(QStringLiteral("d"), good))));
        const QByteArray bad = "1\tAARON\tSee NOBODY \xAF n\xB0" "00009\r\n"
                               "2\tMOSES\r\n"
                               "x\tJOB\tPatience\r\n"
                               "4\t\tNo headword\r\n"
                               "5\tCAIN\tSee \xAF n\xB0" "12\r\n"
                               "40000\tABEL\tShepherd\r\n";
        const auto problems = v.checkDictionary(QStringLiteral("d"), bad);
        QVERIFY(mentions(problems, 1, QStringLiteral("entry 9")));
        QVERIFY(mentions(problems, 2, QStringLiteral("headword TAB definition")));
        QVERIFY(mentions(problems, 3, QStringLiteral("0 to 32767")));
        QVERIFY(mentions(problems, 4, QStringLiteral("headword TAB definition")));
        QVERIFY(mentions(problems, 5, QStringLiteral("five-digit")));
        QVERIFY(mentions(problems, 6, QStringLiteral("0 to 32767")));
        QCOMPARE(problems.size(), 6);
    }

    void namesAndCataloguesFaultsAreCaught() {
        ModuleValidator v;
        QVERIFY(v.checkNames(QStringLiteral("n"), "1\tAbraham\tfather of a multitude\r\n").isEmpty());
        const auto names = v.checkNames(QStringLiteral("n"), "1\tAbraham\r\n2\tIsaac\t\r\n3\t\tlaughter\r\n");
        QCOMPARE(names.size(), 3);

        QByteArray books;
        for (int i = 1; i <= 72; ++i)
            books += QByteArray::number(i) + "\tBook" + QByteArray::number(i) + "\tCaption\r\n";
        QVERIFY(v.checkBookList(QStringLiteral("Books.txt"), books).isEmpty());
        QByteArray shortList = books.left(books.lastIndexOf("\r\n72\t") + 2);
        QVERIFY(mentions(v.checkBookList(QStringLiteral("Books.txt"), shortList), 0, QStringLiteral("71 lines")));
        QByteArray misnumbered = books;
        misnumbered.replace("5\tBook5", "6\tBook5");
        QVERIFY(mentions(v.checkBookList(QStringLiteral("Books.txt"), misnumbered), 5, QStringLiteral("not 5")));

        const QByteArray catalogue = "1,1,\"King James\",\"b_kjv\"\r\n1600,0,Nave,\"naves\"\r\n";
        const auto records = v.checkTranslations(QStringLiteral("Translations.txt"), catalogue);
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].line, 2);
    }

    void programFolderReportsMissingAndDamagedModules() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir root(dir.path());
        QVERIFY(root.mkpath(QStringLiteral("sysdefs")));
        QVERIFY(root.mkpath(QStringLiteral("Modules/Bible")));
        QVERIFY(root.mkpath(QStringLiteral("Modules/Maps")));
        auto write = [&](const QString& rel, const QByteArray& bytes) {
            QFile f(root.filePath(rel));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        QByteArray books;
        for (int i = 1; i <= 72; ++i)
            books += QByteArray::number(i) + "\tB\tC\r\n";
        write(QStringLiteral("sysdefs/Books.txt"), books);
        write(QStringLiteral("sysdefs/ref.txt"), books);
        write(QStringLiteral("sysdefs/Translations.txt"),
              "1,1,\"Good\",\"b_good\"\r\n2,1,\"Bad\",\"b_bad\"\r\n1600,1,\"Gone\",\"naves\"\r\n");
        write(QStringLiteral("Modules/Bible/b_good.txt"), goodText);
        write(QStringLiteral("Modules/Bible/b_bad.txt"), "1\t1\t1\t1\r\n");
        write(QStringLiteral("Modules/TLNotes.txt"), "$$b_good\r\nAbout it\r\n");
        write(QStringLiteral("Modules/Maps/Map.jpg"), "not a picture");

        const auto problems = ModuleValidator().checkProgramFolder(dir.path());
        QStringList shown;
        for (const auto& p : problems)
            shown << p.toString();
        QVERIFY2(shown.contains(QStringLiteral("Bible/b_bad.txt:1: 4 fields instead of 5")), qPrintable(shown.join('\n')));
        QVERIFY(shown.contains(QStringLiteral("Dictionary/naves.txt: listed in Translations.txt but missing")));
        QVERIFY(shown.contains(QStringLiteral("TLNotes.txt: no article $$b_bad")));
        QVERIFY(shown.contains(QStringLiteral("Maps/Map.jpg: not a JPEG picture")));
        QCOMPARE(problems.size(), 4);
    }
};

QTEST_GUILESS_MAIN(ModuleLibraryTest)
#include "tst_ModuleLibrary.moc"
