// The reference works' file formats without a window: what each pane will show, and the
// damaged input each reader must get past.
#include "ReferenceFixture.h"

#include "library/VerseIndex.h"
#include "reference/ChapterVerseList.h"
#include "reference/CommentaryText.h"
#include "reference/DictionaryModule.h"
#include "reference/MapFiles.h"
#include "reference/NameLookup.h"
#include "reference/NamesFile.h"
#include "reference/TranslationNotesFile.h"

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

    void commentaryPanes() {
        ReferenceFixture f;
        ProgramState& s = *f.state;
        CommentaryText::BibleRequest verse{"b_tst.TXT", "Test Bible", 19, 3, 0, false};
        QCOMPARE(CommentaryText::BiblePane(s, verse, {}).text, "PSALMS 3:0 A Psalm of David.");
        verse.verse = 7; // the translation lacks it
        QCOMPARE(CommentaryText::BiblePane(s, verse, {}).text, QString());
        verse.wholeChapter = true;
        QCOMPARE(CommentaryText::BiblePane(s, verse, {}).text,
                 " PSALMS 3:0 A Psalm of David.\n PSALMS 3:1 LORD, how are they increased!\n"
                 " PSALMS 3:2 Many there be.\n");
        QCOMPARE(CommentaryText::CommentaryPane(s, 0, 1, 1, {}).text,
                 "Genesis\nChapter 1\nVerses 1-2\nGod  creates  all.");
        // A book the commentary lacks.
        QCOMPARE(CommentaryText::CommentaryPane(s, 0, 2, 1, {}).text,
                 "There is no Commentary for this selection");
        QCOMPARE(s.CurrentIndexFile, "c_tst.txt");
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

    // The verse list offers a chapter's title line and no verse it lacks.
    void chapterAndVerseNumbers() {
        ReferenceFixture f;
        VerseIndex::CreateIndexFile(*f.state, f.state->BibleFolder, "b_tst.TXT");
        VerseIndex::LoadIndexFile(*f.state, "b_tst.TXT");
        const QString text = f.state->BibleFolder + "b_tst.TXT";
        QCOMPARE(ChapterVerseList::Chapters(f.state->VerseIndex, 1), (QVector<int>{1, 2}));
        QCOMPARE(ChapterVerseList::Chapters(f.state->VerseIndex, 3), QVector<int>{});
        QCOMPARE(ChapterVerseList::Verses(f.state->VerseIndex, text, 19, 3),
                 (QVector<int>{0, 1, 2}));
        QCOMPARE(ChapterVerseList::Verses(f.state->VerseIndex, text, 19, 4), QVector<int>{});
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

    void dictionaryEntries() {
        ReferenceFixture f;
        DictionaryModule d;
        QVERIFY(d.load(f.folder.file("Modules/Dictionary/d_tst.txt")));
        // Lines without two tabs are not listed; a bad number still lists its headword.
        QCOMPARE(d.headwords(),
                 (QStringList{"AARON", "MOSES", "AARON", "PRIEST", "BADNUMBER", "ZEBRA"}));
        const auto aaron = d.find("AARON");
        QVERIFY(aaron);
        QCOMPARE(aaron->text,
                 QString::fromUtf8("Brother of Moses\nSee MOSES ¯ n°00002 and PRIEST ¯ n°00004"));
        QCOMPARE(aaron->seeAlso, (QStringList{"MOSES", "PRIEST"}));
        QCOMPARE(d.find("PRIEST")->seeAlso, QStringList{}); // every mark in it is bad
        QCOMPARE(d.find("ZEBRA")->seeAlso, (QStringList{"AARON", "ZEBRA"})); // file order
        QVERIFY(!d.find("aaron"));
        QVERIFY(!d.find("ONE TAB ONLY"));
        QVERIFY(!d.load(f.folder.file("Modules/Dictionary/none.txt")));
        QVERIFY(d.headwords().isEmpty());
    }

    void namesFile() {
        ReferenceFixture f;
        QVector<NamesFile::Entry> entries;
        QVERIFY(NamesFile::Read(NamesFile::Path(*f.state), entries));
        QCOMPARE(entries.size(), 5); // the bad line alone is skipped
        QCOMPARE(NamesFile::Find(entries, "Abel")->meaning, "breath");
        QCOMPARE(NamesFile::Find(entries, "Zion")->meaning, "sunny | mountain");
        QVERIFY(!NamesFile::Find(entries, "zion"));
    }

    void nameLookup_data() {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("meaning");
        QTest::newRow("as written") << "Zion"
                                    << "sunny | mountain";
        QTest::newRow("lower case") << "zion"
                                    << "sunny | mountain";
        QTest::newRow("blanks around") << " ABEL "
                                       << "breath";
        QTest::newRow("after the bad line") << "abcdefghijklmnopqrst"
                                            << "twenty letters";
        QTest::newRow("not a name") << "Zio" << QString();
    }
    void nameLookup() {
        QFETCH(QString, selection);
        QFETCH(QString, meaning);
        ReferenceFixture f;
        NameLookup table;
        QVERIFY(table.load(NamesFile::Path(*f.state)));
        const NamesFile::Entry* e = table.find(selection);
        QCOMPARE(e ? e->meaning : QString(), meaning);
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

    void notesArticles() {
        ReferenceFixture f;
        QVector<TranslationNotesFile::Article> a;
        QVERIFY(TranslationNotesFile::Read(TranslationNotesFile::Path(*f.state), a));
        QCOMPARE(a.size(), 4);
        QCOMPARE(a[0].title, "b_tst");
        QCOMPARE(a[0].text, "Test Bible notes.\nsecond line\n");
        QCOMPARE(a[1].text, QString());  // an empty article
        QCOMPARE(a[2].title, "$$c_tst"); // text before the "$$": the title still starts at 3
        QCOMPARE(TranslationNotesFile::Find(a, "b_tst")->text, a[0].text); // first of two
        f.folder.write("Modules/TLNotes.txt", "no heading here\r\nat all\r\n");
        QVERIFY(TranslationNotesFile::Read(TranslationNotesFile::Path(*f.state), a));
        QVERIFY(a.isEmpty());
    }

    void mapNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isMap");
        QTest::addColumn<QString>("title");
        QTest::newRow("jpg") << "Jerusalem.jpg" << true << "Jerusalem";
        QTest::newRow("capitals") << "Jerusalem.JPG" << true << "Jerusalem";
        QTest::newRow("dot in the name") << "Paul.journeys.bmp" << true << "Paul";
        QTest::newRow("gif") << "Sinai.gif" << true << "Sinai";
        QTest::newRow("jpg inside the name") << "old.jpg.txt" << false << "old";
        QTest::newRow("text") << "notes.txt" << false << "notes";
    }
    void mapNames() {
        QFETCH(QString, name);
        QFETCH(bool, isMap);
        QFETCH(QString, title);
        QCOMPARE(MapFiles::IsMapName(name), isMap);
        QCOMPARE(MapFiles::Title(name), title);
    }
};

QTEST_GUILESS_MAIN(TestReferenceModels)
#include "tst_referencemodels.moc"
