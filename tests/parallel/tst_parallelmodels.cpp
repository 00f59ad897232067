// The models of the multi-Bible view and the options window, without a window: the chapter
// and verse lists, the passage text, the precedence list and its rewrite, the highlight limit.
#include "ParallelFixture.h"
#include "library/ChapterVerses.h"
#include "library/VerseIndex.h"
#include "parallel/OptionValues.h"
#include "parallel/ParallelPassage.h"
#include "parallel/PrecedenceList.h"

#include <QtTest>

using Mode = ParallelPassage::ViewMode;

class TestParallelModels : public QObject {
    Q_OBJECT
private slots:
    void listsHoldTheNumbersTheTextHolds();
    void passageInEveryTranslation_data();
    void passageInEveryTranslation();
    void scratchCopiesAreReadOnlyForTheirOwnChapter();
    void badTranslationsGiveNothing_data();
    void badTranslationsGiveNothing();
    void hundredsOfTranslations();
    void rewriteCopiesOtherRecordsOnce();
    void rewriteLosesNothingWhenItCannotWrite_data();
    void rewriteLosesNothingWhenItCannotWrite();
    void highlightLimit_data();
    void highlightLimit();
};

void TestParallelModels::listsHoldTheNumbersTheTextHolds() {
    ParallelFixture fx;
    using F = ParallelFixture;
    fx.bible("b_a", F::line(19, 3, 0, "title") + F::line(19, 3, 1, "one") +
                        F::line(19, 3, 2, "two") + F::line(19, 4, 1, "one") +
                        F::line(19, 4, 3, "three") + F::line(20, 1, 1, "proverb"));
    ProgramState& s = fx.load("1,1,\"Alpha\",\"b_a\"\r\n");
    VerseIndex::PrepareIndex(s, s.BibleFolder, s.BibleFiles.at(0), true, {});
    const QString text = s.BibleFolder + s.BibleFiles.at(0);
    QCOMPARE(ChapterVerses::Chapters(s.VerseIndex, 19), (QVector<int>{3, 4}));
    QCOMPARE(ChapterVerses::Chapters(s.VerseIndex, 20), QVector<int>{1});
    QVERIFY(ChapterVerses::Chapters(s.VerseIndex, 1).isEmpty());
    QCOMPARE(ChapterVerses::Entries(ChapterVerses::Verses(s.VerseIndex, text, 19, 3)),
             (QStringList{"0", "1", "2"}));
    QCOMPARE(ChapterVerses::Verses(s.VerseIndex, text, 19, 4), (QVector<int>{1, 3}));
    QVERIFY(ChapterVerses::Verses(s.VerseIndex, text, 19, 5).isEmpty());
}

void TestParallelModels::passageInEveryTranslation_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("book");
    QTest::addColumn<int>("chapter");
    QTest::addColumn<int>("verse");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("a verse in both") << 0 << 43 << 3 << 16
        << "Alpha\r\nJOHN 3:16 A so loved\r\n\r\nNova\r\nJOHN 3:16 N so loved\r\n" << 2;
    // Nova has no Psalms: it shows nothing, never another verse (nor Alpha's).
    QTest::newRow("a psalm's title") << 0 << 19 << 3 << 0 << "Alpha\r\nPSALMS 3:0 A a psalm\r\n"
                                     << 1;
    QTest::newRow("a verse past the chapter's end") << 0 << 19 << 3 << 9 << "" << 0;
    QTest::newRow("a chapter past the book's end") << 1 << 19 << 200 << 1 << "Alpha\r\n\r\nNova"
                                                   << 0;
    QTest::newRow("a chapter, one lacking it") << 1 << 19 << 3 << 1
        << "Alpha\r\n3:0 A a psalm\r\n3:1 A increased\r\n3:2 A no help\r\n\r\nNova" << 3;
    QTest::newRow("a chapter in both") << 1 << 43 << 3 << 1
        << "Alpha\r\n3:16 A so loved\r\n\r\nNova\r\n3:16 N so loved" << 2;
}

void TestParallelModels::passageInEveryTranslation() {
    QFETCH(int, mode);
    QFETCH(int, book);
    QFETCH(int, chapter);
    QFETCH(int, verse);
    QFETCH(QString, text);
    QFETCH(int, count);
    ParallelFixture fx;
    fx.oldAndNew("b_a", "A");
    fx.newOnly("b_n", "N");
    ProgramState& s = fx.load("1,1,\"Alpha\",\"b_a\"\r\n2,1,\"Nova\",\"b_n\"\r\n");
    ParallelPassage passage(s);
    QStringList log;
    ParallelPassage::Progress progress;
    progress.indexStarted = [&](int k, int n, const QString& name) {
        log << ParallelPassage::IndexCountText(k, n, name);
    };
    const ParallelPassage::Request request{book, chapter, verse, Mode(mode)};
    const ParallelPassage::Result r = passage.Build(request, progress);
    QCOMPARE(r.text, text);
    QCOMPARE(r.count, count);
    QCOMPARE(r.statusText(), QStringLiteral("Length: ") + QString::number(text.size()) +
                                 QStringLiteral(" Bytes ") + QString::number(count) +
                                 (mode ? QStringLiteral(" Verses") : QStringLiteral(" Bibles")));
    QCOMPARE(log, (QStringList{"1 of 2 Alpha", "2 of 2 Nova"}));
    log.clear();
    QCOMPARE(passage.Build(request, progress).text, text);
    QVERIFY(log.isEmpty()); // the indexes are there now
}

void TestParallelModels::scratchCopiesAreReadOnlyForTheirOwnChapter() {
    ParallelFixture fx;
    using F = ParallelFixture;
    fx.oldAndNew("b_a", "A");
    fx.bible("b_c", F::line(1, 1, 1, "C genesis") + F::line(2, 1, 1, "C exodus one") +
                        F::line(2, 1, 2, "C exodus two"));
    // A copy an earlier session left for the disabled translation: Genesis 1.
    fx.folder.write(QStringLiteral("Scratch/1v_b_c.TXT"), F::line(1, 1, 1, "C genesis"));
    ProgramState& s = fx.load("1,1,\"Alpha\",\"b_a\"\r\n2,0,\"Cee\",\"b_c\"\r\n");
    ParallelPassage passage(s);
    const ParallelPassage::Request exodus{2, 1, 1, Mode::Verse};
    QCOMPARE(passage.Build(exodus).text, QString());
    QCOMPARE(passage.copiesCut(), 1);
    QCOMPARE(passage.Build(exodus).text, QString());
    QCOMPARE(passage.copiesCut(), 0);

    // Enabled meanwhile: its old copy holds another book and is not taken for Exodus.
    fx.folder.writeTranslations("1,1,\"Alpha\",\"b_a\"\r\n2,1,\"Cee\",\"b_c\"\r\n");
    Catalogues::LoadTranslationCatalogue(s);
    const QString cee = QStringLiteral("Cee\r\nEXODUS 1:1 C exodus one\r\n");
    QCOMPARE(passage.Build(exodus).text, cee);
    QCOMPARE(passage.copiesCut(), 1);
    QCOMPARE(passage.Build({2, 1, 2, Mode::Verse}).text,
             QStringLiteral("Cee\r\nEXODUS 1:2 C exodus two\r\n"));
    QCOMPARE(passage.copiesCut(), 0);

    // Another program cut its own chapter into the copy: it is cut again.
    fx.folder.write(QStringLiteral("Scratch/1v_b_c.TXT"), F::line(1, 1, 1, "C genesis!"));
    QCOMPARE(passage.Build(exodus).text, cee);
    QCOMPARE(passage.copiesCut(), 1);
}

void TestParallelModels::badTranslationsGiveNothing_data() {
    QTest::addColumn<QString>("damage");
    QTest::newRow("text missing") << "missing";
    QTest::newRow("text empty") << "empty";
    QTest::newRow("index damaged") << "index";
}

void TestParallelModels::badTranslationsGiveNothing() {
    QFETCH(QString, damage);
    ParallelFixture fx;
    fx.oldAndNew("b_a", "A");
    fx.oldAndNew("b_b", "B");
    if (damage == QLatin1String("empty"))
        fx.bible(QStringLiteral("b_b"), QByteArray());
    ProgramState& s = fx.load("1,1,\"Alpha\",\"b_a\"\r\n2,1,\"Bee\",\"b_b\"\r\n");
    ParallelPassage passage(s);
    passage.MakeAllIndexes();
    if (damage == QLatin1String("missing")) {
        QVERIFY(QFile::remove(fx.folder.file(QStringLiteral("Modules/Bible/b_b.txt"))));
    } else if (damage == QLatin1String("index")) {
        fx.folder.write(QStringLiteral("Index/b_b.TXT.INDEX"), "1,2,x\r\n");
        fx.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("LoadIndexFile"));
        fx.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("LoadIndexFile"));
    }
    ParallelPassage::Result r = passage.Build({1, 1, 1, Mode::Verse});
    QCOMPARE(r.text, QStringLiteral("Alpha\r\nGENESIS 1:1 A in the beginning\r\n"));
    QCOMPARE(r.contributors, 1);
    r = passage.Build({1, 1, 1, Mode::Chapter});
    QCOMPARE(r.text, QStringLiteral("Alpha\r\n1:1 A in the beginning\r\n\r\nBee"));
    QCOMPARE(fx.dialogs.pending(), 0);
}

void TestParallelModels::hundredsOfTranslations() {
    // Far more translations than a byte counts: every one is shown, in order.
    ParallelFixture fx;
    QByteArray catalogue;
    for (int i = 1; i <= 300; ++i) {
        const QByteArray n = QByteArray::number(i);
        fx.bible("b_" + n, ParallelFixture::line(1, 1, 1, "text " + n));
        catalogue += n + ",1,\"Bible " + n + "\",\"b_" + n + "\"\r\n";
    }
    ProgramState& s = fx.load(catalogue);
    QCOMPARE(s.BibleFiles.size(), 300);
    const ParallelPassage::Result r = ParallelPassage(s).Build({1, 1, 1, Mode::Verse});
    QCOMPARE(r.count, 300);
    QVERIFY(r.text.endsWith(QStringLiteral("\r\n\r\nBible 300\r\nGENESIS 1:1 text 300\r\n")));
    QCOMPARE(r.statusText(), QStringLiteral("Length: ") +
                                 ParallelPassage::FormatNumber(r.text.size()) +
                                 QStringLiteral(" Bytes 300 Bibles"));
    QCOMPARE(ParallelPassage::FormatNumber(r.text.size()).count(QLatin1Char(',')), 1);
    QCOMPARE(ParallelPassage::FormatNumber(1234567), QStringLiteral("1,234,567"));
}

void TestParallelModels::rewriteCopiesOtherRecordsOnce() {
    ParallelFixture fx;
    fx.oldAndNew("b_a", "A");
    fx.newOnly("b_n", "N");
    ProgramState& s = fx.load("1,1,\"Alpha\",\"b_a\"\r\n600,1,\"Nova\",\"b_n\"\r\n"
                              "998,0,\"Gone\",\"b_gone\"\r\n999,1,\"Unused\",\"x\"\r\n"
                              "1500,1,\"Names\",\"bnames\"\r\n2000,1,\"Later\",\"y\"\r\n");
    PrecedenceList list;
    QVERIFY(list.Load(s));
    QCOMPARE(list.size(), 3);
    QCOMPARE(list.rows().at(2).status(), PrecedenceList::Status::Disabled);
    int row = 1;
    QCOMPARE(list.MoveRow(row, -1), PrecedenceList::Move::Moved);
    QCOMPARE(row, 0);
    const QByteArray expected = "1,1,\"Nova\",\"b_n\"\r\n2,1,\"Alpha\",\"b_a\"\r\n"
                                "3,0,\"Gone\",\"b_gone\"\r\n999,1,\"Unused\",\"x\"\r\n"
                                "1500,1,\"Names\",\"bnames\"\r\n2000,1,\"Later\",\"y\"\r\n";
    for (int time = 0; time < 2; ++time) {
        QCOMPARE(list.RewritePrimaryIndex(s), PrecedenceList::Write::Written);
        QCOMPARE(fx.catalogue(), expected);
    }
    QCOMPARE(s.BibleNames, (QStringList{"Nova", "Alpha"}));
    QCOMPARE(s.NamesModuleName, QStringLiteral("Names"));
}

void TestParallelModels::rewriteLosesNothingWhenItCannotWrite_data() {
    QTest::addColumn<QByteArray>("catalogue");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("result");
    const QByteArray good = "1,1,\"Alpha\",\"b_a\"\r\n2,1,\"Nova\",\"b_n\"\r\n1500,1,\"N\",\"n\"\r\n";
    QTest::newRow("sysdefs unwritable") << good << true << int(PrecedenceList::Write::Failed);
    QTest::newRow("a damaged record")
        << good + "1700,1,\"Comm\r\n1600,1,\"Dict\",\"d\"\r\n" << false
        << int(PrecedenceList::Write::Damaged);
    QTest::newRow("no enabled Bible present")
        << QByteArray("1,1,\"Lost\",\"b_lost\"\r\n2,0,\"Nova\",\"b_n\"\r\n") << false
        << int(PrecedenceList::Write::NoEnabledBible);
}

void TestParallelModels::rewriteLosesNothingWhenItCannotWrite() {
    QFETCH(QByteArray, catalogue);
    QFETCH(bool, readOnly);
    QFETCH(int, result);
    ParallelFixture fx;
    fx.oldAndNew("b_a", "A");
    fx.newOnly("b_n", "N");
    fx.dialogs.setLenient(true); // a damaged catalogue is reported when it is loaded
    ProgramState& s = fx.load(catalogue);
    PrecedenceList list;
    QVERIFY(list.Load(s));
    int row = list.size() - 1;
    list.MoveRow(row, -1);
    std::unique_ptr<ReadOnlyFolder> locked;
    if (readOnly) {
        locked = std::make_unique<ReadOnlyFolder>(fx.folder.file(QStringLiteral("sysdefs")));
        if (locked->writable())
            QSKIP("no way to make a folder unwritable here");
    }
    QCOMPARE(int(list.RewritePrimaryIndex(s)), result);
    QCOMPARE(fx.catalogue(), catalogue);
    locked.reset();
    QCOMPARE(QDir(fx.folder.file(QStringLiteral("sysdefs"))).entryList(QDir::Files),
             (QStringList{"Books.txt", "Translations.txt"}));
}

void TestParallelModels::highlightLimit_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // 0 when refused
    QTest::addColumn<int>("message");
    QTest::newRow("lowest") << "10" << 10 << 0;
    QTest::newRow("highest, blanks around") << " 50000 " << 50000 << 0;
    QTest::newRow("below") << "9" << 0 << 86;
    QTest::newRow("empty") << "" << 0 << 86;
    QTest::newRow("above") << "50001" << 0 << 85;
    QTest::newRow("far above") << "123456789012345678901234" << 0 << 85;
    QTest::newRow("negative") << "-500" << 0 << 86;
    QTest::newRow("words") << "abc" << 0 << 86;
    QTest::newRow("number then words") << "500x" << 0 << 86;
    QTest::newRow("fraction") << "100.5" << 0 << 86;
}

void TestParallelModels::highlightLimit() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(int, message);
    const OptionValues::LimitCheck c = OptionValues::CheckHighlightLimit(text);
    QCOMPARE(c.ok, message == 0);
    QCOMPARE(c.message, message);
    if (c.ok)
        QCOMPARE(c.value, value);
    else
        QCOMPARE(c.argument, message == 85 ? QStringLiteral("50000") : QStringLiteral("10"));
}

QTEST_GUILESS_MAIN(TestParallelModels)
#include "tst_parallelmodels.moc"
