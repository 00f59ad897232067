// The reference works' file formats without a window: what each pane will show, and the
// damaged input each reader must get past.
#include "ReferenceFixture.h"

#include "reference/CommentaryText.h"
#include "reference/DictionaryModule.h"
#include "reference/NameLookup.h"

#include <QFile>
#include <QtTest>

class TestReferenceModels : public QObject {
    Q_OBJECT

private slots:
    void commentaryTextMarks_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("shown");
        QTest::newRow("mark and the blank after it") << QByteArray("a\xe3 b") << "a\nb";
        QTest::newRow("mark and a letter after it") << QByteArray("a\xe3xb") << "a\nb";
        QTest::newRow("mark at the end") << QByteArray("a\xe3") << "a\n";
        QTest::newRow("brackets") << QByteArray("a [word] b") << "a  word  b";
        QTest::newRow("other 1252 letters") << QByteArray("caf\xe9") << QString::fromUtf8("café");
    }
    void commentaryTextMarks() {
        QFETCH(QByteArray, field);
        QFETCH(QString, shown);
        QCOMPARE(CommentaryText::ShowCommentaryText(field), shown);
    }

    // A stale index can cut a range holding damaged lines: they are passed over.
    void commentarySkipsDamagedLines() {
        ReferenceFixture f;
        const QByteArray text = TestProgramFolder::bibleLine(1, 1, 1, 1, "One.") +
                                "garbage without tabs\r\n2\t1\t1\tx\tbad verse\r\n" +
                                TestProgramFolder::bibleLine(3, 1, 1, 3, "Three.");
        f.folder.write("Modules/Bible/b_tst.txt", text);
        f.folder.write("Index/b_tst.TXT.INDEX",
                       "1,3,1,1,4,1," + QByteArray::number(text.size() + 1) + "\r\n");
        QFile(f.folder.file("Index/b_tst.TXT.INDEX"))
            .setFileTime(QDateTime::currentDateTime().addSecs(60),
                         QFileDevice::FileModificationTime);
        const CommentaryText::BibleRequest chapter{"b_tst.TXT", "Test Bible", 1, 1, 1, true};
        QCOMPARE(CommentaryText::BiblePane(*f.state, chapter, {}).text,
                 " GENESIS 1:1 One.\n GENESIS 1:3 Three.\n");
        QVERIFY(f.dialogs.records().isEmpty());
    }

    void dictionaryReferences_data() {
        QTest::addColumn<QByteArray>("definition");
        QTest::addColumn<QVector<int>>("numbers");
        QTest::newRow("two marks") << QByteArray("a \xaf n\xb0"
                                                 "00012 b \xaf n\xb0"
                                                 "00003")
                                   << QVector<int>{12, 3};
        QTest::newRow("above 16 bits") << QByteArray("\xaf n\xb0"
                                                     "40000")
                                       << QVector<int>{};
        QTest::newRow("largest entry") << QByteArray("\xaf n\xb0"
                                                     "32767")
                                       << QVector<int>{32767};
        QTest::newRow("non-digit") << QByteArray("\xaf n\xb0"
                                                 "0001x \xaf n\xb0"
                                                 "00002")
                                   << QVector<int>{2};
        QTest::newRow("past the end") << QByteArray("x \xaf n\xb0"
                                                    "0001")
                                      << QVector<int>{};
        QTest::newRow("mark last") << QByteArray("x \xaf") << QVector<int>{};
        QTest::newRow("no mark") << QByteArray("plain") << QVector<int>{};
    }
    void dictionaryReferences() {
        QFETCH(QByteArray, definition);
        QFETCH(QVector<int>, numbers);
        QCOMPARE(DictionaryModule::References(definition), numbers);
    }

    // A file that cannot be read leaves no table behind, and the next load reads it afresh.
    void nameLookupKeepsNoPartialTable() {
        ReferenceFixture f;
        NameLookup table;
        const QString path = NamesFile::Path(*f.state);
        QVERIFY(table.load(path));
        QVERIFY(QFile::rename(path, path + ".away"));
        QVERIFY(!table.load(path + "x"));
        QVERIFY(!table.isLoaded());
        QVERIFY(!table.find("Zion"));
        QVERIFY(QFile::rename(path + ".away", path));
        QVERIFY(table.load(path));
        QCOMPARE(table.size(), 5);
    }
};

QTEST_GUILESS_MAIN(TestReferenceModels)
#include "tst_referencemodels.moc"
