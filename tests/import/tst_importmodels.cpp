#include "import/DictionaryBuilder.h"
#include "import/NearestWin1252.h"
#include "import/PlainEntryText.h"
#include "import/SwordLibrary.h"
#include "import/VerseTextBuilder.h"
#include "library/ModuleValidator.h"
#include "platform/Win1252.h"

#include <QtTest>

namespace {

const QChar kSoft(PlainEntryText::kSoftBlank);
const QString kAdd = QString(QChar(PlainEntryText::kAddedOpen));
const QString kEndAdd = QString(QChar(PlainEntryText::kAddedClose));

QString link(const QString& key) {
    return QString(QChar(PlainEntryText::kLinkOpen)) + key + QChar(PlainEntryText::kLinkClose);
}

SwordEntry verse(const QString& book, int chapter, int number, const QString& text,
                 const QString& title = QString()) {
    SwordEntry e;
    e.book = book;
    e.chapter = chapter;
    e.verse = number;
    e.text = text;
    e.title = title;
    return e;
}

QStringList lines(const QByteArray& bytes) {
    QStringList out = Win1252::decode(bytes).split(QStringLiteral("\r\n"));
    if (!out.isEmpty() && out.constLast().isEmpty())
        out.removeLast();
    return out;
}

} // namespace

class TestImportModels : public QObject {
    Q_OBJECT

private slots:
    // What the markup filters leave becomes one line of text.
    void entryText_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("note between words") << "verse" << QString("Christ,") + kSoft + "the son"
                                            << "Christ, the son";
        QTest::newRow("note before a comma") << "verse" << QString("Lord") + kSoft + ", and"
                                             << "Lord, and";
        QTest::newRow("poetry lines") << "verse"
                                      << "him\nthat rideth \n"
                                      << "him that rideth";
        QTest::newRow("supplied word glued")
            << "verse" << QString("allí") + kAdd + "también" + kEndAdd + "bdelio"
            << "allí también bdelio";
        QTest::newRow("Spanish pronoun after a verb")
            << "es" << QString("sáca") + kAdd + "lo" + kEndAdd + " fuera"
            << "sácalo fuera";
        QTest::newRow("Spanish pronoun after y")
            << "es" << QString("y") + kAdd + "la" + kEndAdd + " vió"
            << "y la vió";
        QTest::newRow("commentary paragraphs") << "commentary"
                                               << "Verses 1-2\n\n  The first [verse]\n"
                                               << "Verses 1-2\u00E3 The first (verse)";
        QTest::newRow("commentary literal 227") << "commentary"
                                                << "S\u00E3o"
                                                << "Sao";
        QTest::newRow("definition lines") << "definition"
                                          << "A.\n- one\n\n- two|three\tfour"
                                          << "A.|- one|- two/three four";
        QTest::newRow("link resolved") << "definition"
                                       << "See NEBO" + link("NEBO") + "."
                                       << "See NEBO \u00AF n\u00B003530.";
        QTest::newRow("link without target") << "definition"
                                             << "See GNAT" + link("GNAT") << "See GNAT";
        QTest::newRow("macron in the source") << "definition"
                                              << "a\u00AFb"
                                              << "a-b";
    }
    void entryText() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const PlainEntryText::Resolver resolve = [](const QString& key) {
            return key == QLatin1String("NEBO") ? 3530 : 0;
        };
        const QString got = kind == "commentary"   ? PlainEntryText::commentary(text)
                            : kind == "definition" ? PlainEntryText::definition(text, resolve)
                                                   : PlainEntryText::verse(text, kind == "es");
        QCOMPARE(got, expected);
    }

    // Nearest characters, and whether a text may come in at all.
    void nearestCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("replaced");
        QTest::addColumn<int>("verdict");
        QTest::newRow("in the code page")
            << "Génesis “¶” — œ" << QByteArray("G\xE9nesis \x93\xB6\x94 \x97 \x9C") << 0
            << int(ImportRefusal::None);
        QTest::newRow("arrow and hyphen")
            << "\u2192 non\u2011stop" << QByteArray("- non-stop") << 2 << int(ImportRefusal::None);
        QTest::newRow("stroke and accents") << "Łódź Śląsk"
                                            << QByteArray("L\xF3"
                                                          "dz Slask")
                                            << 4 << int(ImportRefusal::TooManyChanges);
        QTest::newRow("zero-width dropped")
            << "a\u200Bb" << QByteArray("ab") << 1 << int(ImportRefusal::None);
        QTest::newRow("Greek") << "Ἐν ἀρχῇ ἦν ὁ λόγος" << QByteArray("?? ???? ?? ? ?????") << 0
                               << int(ImportRefusal::Script);
    }
    void nearestCharacters() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(int, replaced);
        QFETCH(int, verdict);
        NearestWin1252 encoder;
        QCOMPARE(encoder.encode(text), bytes);
        QCOMPARE(encoder.replaced(), qint64(replaced));
        QString detail;
        QCOMPARE(int(encoder.verdict(&detail)), verdict);
        if (verdict == int(ImportRefusal::Script))
            QCOMPARE(detail, QStringLiteral("Greek"));
    }

    // Canonical order whatever the module's order, titles on verse 0, the rest left out.
    void bibleLines() {
        VerseTextBuilder b(VerseTextBuilder::Kind::Bible, QStringLiteral("en"));
        b.add(verse("Matt", 1, 1, "The book of the generation"));
        b.add(verse("Tob", 1, 1, "Tobit's words"));
        b.add(verse("Tob", 1, 2, "More"));
        b.add(verse("Ps", 3, 0, "a chapter heading, not a verse"));
        b.add(verse("Ps", 3, 1, "LORD, how are they increased", "A Psalm of David."));
        b.add(verse("Ps", 119, 1, "Blessed are the undefiled", "ALEPH."));
        b.add(verse("Gen", 1, 1, "In the beginning"));
        b.add(verse("Gen", 1, 2, "   "));
        QString detail;
        QCOMPARE(b.finish(&detail), ImportRefusal::None);
        QCOMPARE(lines(b.bytes()),
                 (QStringList{"1\t1\t1\t1\tIn the beginning", "2\t19\t3\t0\tA Psalm of David.",
                              "3\t19\t3\t1\tLORD, how are they increased",
                              "4\t19\t119\t1\tBlessed are the undefiled",
                              "5\t40\t1\t1\tThe book of the generation"}));
        QCOMPARE(b.titles(), 1);
        QCOMPARE(b.emptyLeftOut(), 1);
        QCOMPARE(b.booksLeftOut(), (QVector<QPair<QString, int>>{{"Tob", 2}}));
        QVERIFY(ModuleValidator().checkVerseText("b", b.bytes()).isEmpty());
    }

    // Introductions of a book and a chapter, and what stands before a first verse, go on
    // the chapter's verse-0 line.
    void commentaryIntroductions() {
        VerseTextBuilder b(VerseTextBuilder::Kind::Commentary, QStringLiteral("en"));
        b.add(verse("Gen", 0, 0, "Genesis"));
        b.add(verse("Gen", 1, 0, "Chapter 1"));
        b.add(verse("Gen", 1, 1,
                    QString("Outline") + QChar(PlainEntryText::kIntroEnd) + "Verses 1-2\nText"));
        b.add(verse("Gen", 2, 0, "Chapter 2"));
        b.add(verse("Gen", 3, 4, "Verse 4"));
        QCOMPARE(b.finish(nullptr), ImportRefusal::None);
        QCOMPARE(lines(b.bytes()), (QStringList{"1\t1\t1\t0\tGenesis\u00E3 Chapter 1\u00E3 Outline",
                                                "2\t1\t1\t1\tVerses 1-2\u00E3 Text",
                                                "3\t1\t2\t0\tChapter 2", "4\t1\t3\t4\tVerse 4"}));
    }

    // What the verse index cannot hold is refused with its reason.
    void indexLimits_data() {
        QTest::addColumn<int>("chapters");
        QTest::addColumn<int>("versesEach");
        QTest::addColumn<int>("refusal");
        QTest::addColumn<QString>("detail");
        QTest::newRow("254 lines in a chapter") << 1 << 254 << int(ImportRefusal::None) << "";
        QTest::newRow("255 lines in a chapter")
            << 1 << 255 << int(ImportRefusal::LongChapter) << "Ps 1";
        QTest::newRow("32767 lines") << 151 << 217 << int(ImportRefusal::None) << "";
        QTest::newRow("32832 lines") << 144 << 228 << int(ImportRefusal::TooManyLines) << "32832";
        QTest::newRow("no verse at all") << 0 << 0 << int(ImportRefusal::NoText) << "";
    }
    void indexLimits() {
        QFETCH(int, chapters);
        QFETCH(int, versesEach);
        QFETCH(int, refusal);
        QFETCH(QString, detail);
        VerseTextBuilder b(VerseTextBuilder::Kind::Bible, QStringLiteral("en"));
        for (int c = 1; c <= chapters; ++c)
            for (int v = 1; v <= versesEach; ++v)
                b.add(verse("Ps", c, v, "x"));
        QString got;
        QCOMPARE(int(b.finish(&got)), refusal);
        QCOMPARE(got, detail);
    }

    // Links resolve to entry numbers as written, then without regard to case; the first of
    // two equal keys wins.
    void dictionaryLinks() {
        DictionaryBuilder b;
        auto add = [&](const QString& key, const QString& text) {
            SwordEntry e;
            e.key = key;
            e.text = text;
            b.add(e);
        };
        add("AARON", "See Moses" + link("moses") + " and NEBO" + link("NEBO"));
        add("MOSES", "A prophet.");
        add("NEBO", "A mountain.");
        add("NEBO", "A god.");
        add("  ", "no headword");
        QCOMPARE(b.finish(nullptr), ImportRefusal::None);
        QCOMPARE(
            lines(b.bytes()),
            (QStringList{"1\tAARON\tSee Moses \u00AF n\u00B000002 and NEBO \u00AF n\u00B000003",
                         "2\tMOSES\tA prophet.", "3\tNEBO\tA mountain.", "4\tNEBO\tA god."}));
        QCOMPARE(b.linksResolved(), 2);
        QVERIFY(ModuleValidator().checkDictionary("d", b.bytes()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestImportModels)
#include "tst_importmodels.moc"
