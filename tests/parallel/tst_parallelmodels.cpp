// The models of the multi-Bible view and the options window, without a window: the scratch
// copies and bad translations, the precedence list and its rewrite, the highlight limit. (The
// passage texts themselves: see the command line's test, which compares them with the pane.)
#include "ParallelFixture.h"
#include "parallel/OptionValues.h"
#include "parallel/ParallelPassage.h"
#include "parallel/PrecedenceList.h"

#include <QtTest>

using Mode = ParallelPassage::ViewMode;

class TestParallelModels : public QObject {
    Q_OBJECT
private slots:
    void scratchCopiesAreReadOnlyForTheirOwnChapter() {
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

    void badTranslationsGiveNothing_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("text missing") << "missing";
        QTest::newRow("text empty") << "empty";
        QTest::newRow("index damaged") << "index";
    }

    void badTranslationsGiveNothing() {
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

    void hundredsOfTranslations() {
        // Far more translations than a byte counts: every one is shown, in order.
        ParallelFixture fx;
        QByteArray catalogue;
        for (int i = 1; i <= 300; ++i) {
            const QByteArray n = QByteArray::number(i);
            fx.bible("b_" + n, ParallelFixture::line(1, 1, 1, "text " + n));
            catalogue += n + ",1,\"Bible " + n + "\",\"b_" + n + "\"\r\n";
        }
        ProgramState& s = fx.load(catalogue);
        const ParallelPassage::Result r = ParallelPassage(s).Build({1, 1, 1, Mode::Verse});
        QCOMPARE(r.count, 300);
        QVERIFY(r.text.endsWith(QStringLiteral("\r\n\r\nBible 300\r\nGENESIS 1:1 text 300\r\n")));
        QVERIFY(r.statusText().contains(QRegularExpression(" [0-9]+,[0-9]{3} Bytes 300 Bibles$")));
    }

    void rewriteCopiesOtherRecordsOnce() {
        ParallelFixture fx;
        fx.oldAndNew("b_a", "A");
        fx.newOnly("b_n", "N");
        ProgramState& s = fx.load("1,1,\"Alpha\",\"b_a\"\r\n600,1,\"Nova\",\"b_n\"\r\n"
                                  "998,0,\"Gone\",\"b_gone\"\r\n999,1,\"Unused\",\"x\"\r\n"
                                  "1500,1,\"Names\",\"bnames\"\r\n2000,1,\"Later\",\"y\"\r\n");
        PrecedenceList list;
        QVERIFY(list.Load(s));
        QCOMPARE(list.size(), 3);
        int row = 1;
        QCOMPARE(list.MoveRow(row, -1), PrecedenceList::Move::Moved);
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

    void rewriteLosesNothingWhenItCannotWrite_data() {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<int>("result");
        const QByteArray good = "1,1,\"Alpha\",\"b_a\"\r\n2,1,\"Nova\",\"b_n\"\r\n";
        QTest::newRow("a damaged record") << good + "1700,1,\"Comm\r\n1600,1,\"Dict\",\"d\"\r\n"
                                          << int(PrecedenceList::Write::Damaged);
        QTest::newRow("no enabled Bible present")
            << QByteArray("1,1,\"Lost\",\"b_lost\"\r\n2,0,\"Nova\",\"b_n\"\r\n")
            << int(PrecedenceList::Write::NoEnabledBible);
    }

    void rewriteLosesNothingWhenItCannotWrite() {
        // (An unwritable folder: see the options window's test.)
        QFETCH(QByteArray, catalogue);
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
        QCOMPARE(int(list.RewritePrimaryIndex(s)), result);
        QCOMPARE(fx.catalogue(), catalogue);
        QCOMPARE(QDir(fx.folder.file(QStringLiteral("sysdefs"))).entryList(QDir::Files),
                 (QStringList{"Books.txt", "Translations.txt"}));
    }

    void highlightLimit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("message"); // 0: accepted
        QTest::newRow("lowest") << "10" << 0;
        QTest::newRow("highest, blanks around") << " 50000 " << 0;
        QTest::newRow("below") << "9" << 86;
        QTest::newRow("far above") << "123456789012345678901234" << 85;
        QTest::newRow("words") << "abc" << 86;
    }

    void highlightLimit() {
        QFETCH(QString, text);
        QFETCH(int, message);
        const OptionValues::LimitCheck c = OptionValues::CheckHighlightLimit(text);
        QCOMPARE(c.message, message);
        QCOMPARE(c.ok, message == 0);
        QCOMPARE(c.value, c.ok ? text.trimmed().toInt() : 0);
        if (!c.ok)
            QCOMPARE(c.argument, message == 85 ? QStringLiteral("50000") : QStringLiteral("10"));
    }
};

QTEST_GUILESS_MAIN(TestParallelModels)
#include "tst_parallelmodels.moc"
