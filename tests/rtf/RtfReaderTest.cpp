// RtfReader on RTF as word processors write it, beyond what our own writer produces.
#include "platform/rtf/RtfListLabel.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "RtfTestDocuments.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>

using namespace RtfTestDocuments;

namespace {

QString readText(const QByteArray& rtf) {
    QTextDocument d;
    const RtfReadResult result = RtfReader::read(rtf, &d);
    return result.isRtf ? textOf(d) : QStringLiteral("<not RTF>");
}

QByteArray hexOf(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toHex();
}

QList<QTextImageFormat> imagesIn(const QTextDocument& d) {
    QList<QTextImageFormat> images;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images << it.fragment().charFormat().toImageFormat();
    return images;
}

// A document in the shape of a simple word processor's: font and colour tables, a
// generator, bullets as \pntext plus \pn, and paragraph properties after \pard.
const char kWordProcessorDocument[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang2057"
    "{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1\\fnil\\fcharset2 Symbol;}"
    "{\\f2\\froman\\fprq2\\fcharset0 Liberation Serif{\\*\\falt Times New Roman};}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green176\\blue80;\\red255\\green255\\blue0;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "\\pard\\sa200\\sl276\\slmult1\\qc\\b\\f0\\fs32\\lang9 Heading\\par\r\n"
    "\\pard\\sa200\\sl276\\slmult1\\b0\\fs22 Normal \\b bold\\b0  \\i italic\\i0  "
    "\\ul under\\ulnone  \\ul0\\cf1 red\\cf0  \\highlight3 marked\\highlight0  "
    "\\f2 serif\\f0\\par\r\n"
    "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
    "\\fi-360\\li720\\sa200\\sl276\\slmult1 one\\par\r\n"
    "{\\pntext\\f1\\'B7\\tab}two\\par\r\n"
    "\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec"
    "{\\pntxta.}}\\fi-360\\li720 first\\par\r\n"
    "{\\pntext\\f0 2.\\tab}second\\par\r\n"
    "\\pard\\qr\\li1440\\ri720\\fi360 right\\par\r\n"
    "\\pard\\qj justified\\par\r\n"
    "}\r\n";

// The samples of the reader's fuzzing corpus: lists as a word processor writes them with a
// list table (numbers, letters and numerals in levels, symbol-font bullets, "1.1." numbers,
// an override that starts its list again, a level without a label, numbering continued after
// a paragraph), and the older \pn lists with their labels as text.
QByteArray sample(const char* name) {
    QFile file(QStringLiteral(TOLVANE_SOURCE_DIR "/fuzz/rtf/corpus/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class RtfReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsWordProcessorDocument() {
        QTextDocument d;
        const RtfReadResult result = RtfReader::read(kWordProcessorDocument, &d);
        QVERIFY(result.isRtf);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(textOf(d), QStringLiteral("Heading\nNormal bold italic under red marked "
                                           "serif\none\ntwo\nfirst\nsecond\nright\njustified"));

        const QTextCharFormat heading = formatOf(d, QStringLiteral("Heading"));
        QCOMPARE(heading.fontWeight(), int(QFont::Bold));
        QCOMPARE(heading.fontPointSize(), 16.0);
        QCOMPARE(heading.fontFamilies().toStringList().value(0), QStringLiteral("Calibri"));
        QCOMPARE(d.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(d.findBlockByNumber(0).blockFormat().bottomMargin(), 200 / 15.0);

        QCOMPARE(formatOf(d, QStringLiteral("Normal")).fontWeight(), int(QFont::Normal));
        QCOMPARE(formatOf(d, QStringLiteral("Normal")).fontPointSize(), 11.0);
        QCOMPARE(formatOf(d, QStringLiteral("bold")).fontWeight(), int(QFont::Bold));
        QVERIFY(formatOf(d, QStringLiteral("italic")).fontItalic());
        QVERIFY(formatOf(d, QStringLiteral("under")).fontUnderline());
        QCOMPARE(formatOf(d, QStringLiteral("red")).foreground().color(), QColor(255, 0, 0));
        QCOMPARE(formatOf(d, QStringLiteral("marked")).background().color(), QColor(255, 255, 0));
        QCOMPARE(formatOf(d, QStringLiteral("serif")).fontFamilies().toStringList().value(0),
                 QStringLiteral("Liberation Serif"));
        QVERIFY(!formatOf(d, QStringLiteral("serif")).fontUnderline());

        QTextList* bullets = d.findBlockByNumber(2).textList();
        QVERIFY(bullets);
        QCOMPARE(bullets->format().style(), QTextListFormat::ListDisc);
        QCOMPARE(d.findBlockByNumber(3).textList(), bullets);
        QTextList* numbers = d.findBlockByNumber(4).textList();
        QVERIFY(numbers && numbers != bullets);
        QCOMPARE(numbers->format().style(), QTextListFormat::ListDecimal);
        QCOMPARE(d.findBlockByNumber(5).textList(), numbers);

        const QTextBlockFormat right = d.findBlockByNumber(6).blockFormat();
        QVERIFY(!d.findBlockByNumber(6).textList()); // \pard ended the list
        QCOMPARE(right.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(right.leftMargin(), 96.0);
        QCOMPARE(right.rightMargin(), 48.0);
        QCOMPARE(right.textIndent(), 24.0);
        QCOMPARE(d.findBlockByNumber(7).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignJustify);
        QCOMPARE(d.findBlockByNumber(7).blockFormat().leftMargin(), 0.0); // \pard reset it
    }

    void readsListTextBullets() {
        // The other common shape: \ls numbers a list and \listtext shows its label.
        QTextDocument d;
        RtfReader::read("{\\rtf1{\\*\\listtable{\\list\\listtemplateid1{\\listlevel}}}"
                        "\\pard\\plain\\ilvl0\\ls1\\li720\\fi-360{\\listtext\\pard\\plain "
                        "\\u8226\\'95\\tab}dot\\par"
                        "\\pard\\plain\\ilvl0\\ls2\\li720\\fi-360{\\listtext\\pard\\plain 1)\\tab}"
                        "count\\par"
                        // the label before the \\pard that starts its paragraph
                        "{\\listtext 2)\\tab}\\pard\\plain\\ls2\\li720 again\\par"
                        "\\pard\\plain after\\par}",
                        &d);
        QCOMPARE(textOf(d), QStringLiteral("dot\ncount\nagain\nafter"));
        QCOMPARE(d.findBlockByNumber(2).textList(), d.findBlockByNumber(1).textList());
        QCOMPARE(d.findBlockByNumber(0).textList()->format().style(), QTextListFormat::ListDisc);
        QCOMPARE(d.findBlockByNumber(1).textList()->format().style(), QTextListFormat::ListDecimal);
        QVERIFY(!d.findBlockByNumber(3).textList());
    }

    void readsListsWithTheLabelsTheFileShows_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("list table")
            << sample("lists.rtf")
            << QStringList{"Intro",           "1. First",          "  a. Sub a",
                           "    i. Sub i",    "No label",          "  b. Sub b",
                           "2. Second",       "Interrupting",      "3. Third",
                           "\u2022 Bullet",   "  \u25e6 Circle",   "    \u25aa Square",
                           "1. Chapter",      "  1.1. Section",    "    1.1.1. Subsection",
                           "  1.2. Section two", "2. Chapter two", "  2.1. Section of two",
                           "1. Restarted",    "2. Restarted two",  "(A) Paren A",
                           "(B) Paren B",     "End"};
        QTest::newRow("older list properties")
            << sample("legacy-lists.rtf")
            << QStringList{"Intro",          "1) one",      "2) two",
                           "(a) alpha",      "(b) beta",    "I. Roman",
                           "II. Roman two",  "\u2022 dot",  "Between",
                           "3) three after a break", "1. Outline", "  a) sub",
                           "2. Outline two", "  a) sub again", "End"};
        QTest::newRow("labels alone")
            << QByteArray("{\\rtf1{\\listtext i.\\tab}\\ls9 one\\par{\\listtext ii.\\tab}\\ls9 two"
                          "\\par\\pard{\\listtext a)\\tab}\\ls8 letter\\par\\pard{\\listtext 1.1.\\tab}"
                          "\\ls7\\ilvl1 deeper\\par\\pard{\\listtext o\\tab}\\ls6 round\\par}")
            << QStringList{"i. one", "ii. two", "a) letter", "  1.1. deeper", "\u25e6 round"};
    }
    void readsListsWithTheLabelsTheFileShows() {
        QFETCH(QByteArray, rtf);
        QFETCH(QStringList, lines);
        QTextDocument d;
        const RtfReadResult result = RtfReader::read(rtf, &d);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(labelledLines(d), lines);
    }

    void labelsAsFilesShowThem_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("current"); // the style of the list it may continue
        QTest::addColumn<int>("next");    // and that list's next number
        QTest::addColumn<QString>("read"); // style, prefix, number, suffix
        const int none = QTextListFormat::ListStyleUndefined;
        const int letters = QTextListFormat::ListLowerAlpha;
        QTest::newRow("number") << " 12.\t" << none << 0 << "-4||12|.";
        QTest::newRow("in brackets") << "(b)" << none << 0 << "-5|(|2|)";
        QTest::newRow("with the chapter's") << "2.3)" << none << 0 << "-4|2.|3|)";
        QTest::newRow("roman") << "XIV." << none << 0 << "-8||14|.";
        QTest::newRow("i starts numerals") << "i." << none << 0 << "-7||1|.";
        QTest::newRow("i after h") << "i." << letters << 9 << "-5||9|.";
        QTest::newRow("letters past z") << "AB)" << none << 0 << "-6||28|)";
        QTest::newRow("o is a bullet") << "o" << none << 0 << "-2||0|";
        QTest::newRow("o after n") << "o)" << letters << 15 << "-5||15|)";
        QTest::newRow("symbol square") << "\u00a7" << none << 0 << "-3||0|";
        QTest::newRow("a word") << "Note:" << none << 0 << "-1||0|";
    }
    void labelsAsFilesShowThem() {
        QFETCH(QString, label);
        QFETCH(int, current);
        QFETCH(int, next);
        QFETCH(QString, read);
        const RtfListLabel::Parsed p =
            RtfListLabel::parse(label, QTextListFormat::Style(current), next);
        QCOMPARE(QStringLiteral("%1|%2|%3|%4")
                     .arg(int(p.style))
                     .arg(p.number > 0 ? p.prefix : QString())
                     .arg(p.number)
                     .arg(p.number > 0 ? p.suffix : QString()),
                 read);
    }

    void aListStartingLaterKeepsItsFirstNumber() {
        const QByteArray rtf =
            "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc2\\levelstartat4{\\leveltext"
            "\\'02\\'00.;}}\\listid5}}{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}"
            "\\ls1 four\\par\\ls1 five\\par}";
        QTextDocument d;
        RtfReader::read(rtf, &d);
        const QTextList* list = d.begin().textList();
        QVERIFY(list);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->format().style(), QTextListFormat::ListLowerRoman);
        QCOMPARE(list->format().intProperty(RtfListLabel::kListStart), 4);
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        QCOMPARE(labelledLines(d), (QStringList{"iv. four", "v. five"}));
#endif
        // Qt before 6.6 numbers it from 1 on screen; the start is kept for the file.
        QVERIFY(RtfWriter::write(d).contains("\\levelstartat4"));
    }

    void listItemsKeepTheirIndent() {
        QTextDocument d;
        RtfReader::read(sample("lists.rtf"), &d);
        // Half an inch per level: the list's own indent and the paragraph's margin together.
        for (const auto& [text, twips] : {std::pair{"First", 720}, std::pair{"Sub a", 1440},
                                          std::pair{"Sub i", 2160}}) {
            const QTextBlock b = d.findBlockByNumber(blockNumberOf(d, QLatin1String(text)));
            QCOMPARE(b.blockFormat().leftMargin() + b.textList()->format().indent() * d.indentWidth(),
                     twips / 15.0);
            // The label is drawn in the paragraph's own format: that of its text.
            QCOMPARE(b.charFormat().fontPointSize(), 12.0);
            QCOMPARE(b.charFormat().fontFamilies().toStringList().value(0),
                     QStringLiteral("Times New Roman"));
        }
    }

    void raisedAndLoweredText() {
        QTextDocument d;
        RtfReader::read("{\\rtf1\\fs24 a{\\up6 up}b{\\dn4 down}c{\\up6\\up0 level}{\\super\\up6 sup}}", &d);
        QCOMPARE(formatOf(d, QStringLiteral("up")).baselineOffset(), 25.0);
        QCOMPARE(formatOf(d, QStringLiteral("down")).baselineOffset(), -100.0 * 4 / 24);
        QVERIFY(!formatOf(d, QStringLiteral("level")).hasProperty(QTextFormat::TextBaselineOffset));
        // Superscript has a place of its own; \up adds nothing to it.
        QCOMPARE(formatOf(d, QStringLiteral("sup")).verticalAlignment(),
                 QTextCharFormat::AlignSuperScript);
        QVERIFY(!formatOf(d, QStringLiteral("sup")).hasProperty(QTextFormat::TextBaselineOffset));
    }

    void nestedTableTextAppearsOnce() {
        // The inner table's cells, then \nonesttables with the same text for older readers.
        QTextDocument d;
        RtfReader::read("{\\rtf1\\pard\\intbl\\itap1 Outer\\cell\r\n"
                        "\\pard\\intbl\\itap2 Inner one\\nestcell Inner two\\nestcell"
                        "{\\*\\nesttableprops\\trowd\\cellx100\\cellx200\\nestrow}"
                        "{\\nonesttables\\par Inner one\\tab Inner two\\par}\r\n"
                        "\\pard\\intbl\\itap1 \\cell\\trowd\\cellx300\\cellx600\\row\r\n"
                        "\\pard After\\par}",
                        &d);
        QCOMPARE(textOf(d), QStringLiteral("Outer\tInner one\tInner two\n\nAfter"));
    }

    void decodesCharacters_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("Windows-1252 escapes")
            << QByteArray("{\\rtf1\\ansi \\'93caf\\'e9\\'94 \\'80\\'85}")
            << QStringLiteral("\u201ccaf\u00e9\u201d \u20ac\u2026");
        QTest::newRow("raw high bytes")
            << QByteArray("{\\rtf1\\ansi caf\xe9}") << QStringLiteral("caf\u00e9");
        QTest::newRow("unicode, one fallback")
            << QByteArray("{\\rtf1\\u937?\\u-4064?x}") << QStringLiteral("\u03a9\uf020x");
        QTest::newRow("unicode, no fallback")
            << QByteArray("{\\rtf1\\uc0\\u937\\u956 x}") << QStringLiteral("\u03a9\u03bcx");
        QTest::newRow("unicode, two escaped fallbacks")
            << QByteArray("{\\rtf1\\uc2\\u8364\\'80\\'80 euro}") << QStringLiteral("\u20ac euro");
        QTest::newRow("fallback skip ends with the group")
            << QByteArray("{\\rtf1{\\uc3\\u937}abc}") << QStringLiteral("\u03a9abc");
        QTest::newRow("\\uc is scoped to its group")
            << QByteArray("{\\rtf1{\\uc0 \\u937}\\u956?x}") << QStringLiteral("\u03a9\u03bcx");
        QTest::newRow("surrogate pair")
            << QByteArray("{\\rtf1\\u-10179?\\u-8704?}") << QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("code page 1251")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
            << QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442");
        QTest::newRow("font charset wins over the document code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 "
                          "Greek;}}\\f1\\'e1\\f0\\'e1}")
            << QStringLiteral("\u03b1\u00e1");
        QTest::newRow("double-byte code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 Gothic;}}"
                          "\\f0\\'93\\'fa\\'96\\'7b}")
            << QStringLiteral("\u65e5\u672c");
        QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 a\\\\b\\{c\\}d\\~e\\-f\\_g}")
                                         << QStringLiteral("a\\b{c}d\u00a0e\u00adf\u2011g");
        QTest::newRow("named characters")
            << QByteArray("{\\rtf1 \\lquote x\\rquote \\ldblquote y\\rdblquote "
                          "\\emdash\\endash\\bullet}")
            << QStringLiteral("\u2018x\u2019\u201cy\u201d\u2014\u2013\u2022");
        QTest::newRow("line, tab and paragraph")
            << QByteArray("{\\rtf1 a\\line b\\tab c\\par d\\\r\ne\\page f\\sect g}")
            << QStringLiteral("a\u2028b\tc\nd\ne\nf\ng");
        QTest::newRow("line ends in the file are not text")
            << QByteArray("{\\rtf1 ab\r\ncd\ne}") << QStringLiteral("abcde");
        QTest::newRow("control word delimiters")
            << QByteArray("{\\rtf1\\b  two\\b0-x\\i1y}") << QStringLiteral(" two-xy");
        QTest::newRow("\\bin data is not text")
            << QByteArray("{\\rtf1 a\\bin3 {}\\b}") << QStringLiteral("ab");
        QTest::newRow("hidden text")
            << QByteArray("{\\rtf1 a\\v hidden\\v0 b}") << QStringLiteral("ab");
        QTest::newRow("upr shows its unicode half")
            << QByteArray("{\\rtf1{\\upr{ansi}{\\*\\ud{uni\\u937?}}}}")
            << QStringLiteral("uni\u03a9");
    }

    void decodesCharacters() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(readText(rtf), text);
    }

    void skipsWhatIsNotText_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown starred destination")
            << QByteArray("{\\rtf1 a{\\*\\unknownthing {nested} text}b}") << QStringLiteral("ab");
        QTest::newRow("starred known word that is no destination")
            << QByteArray("{\\rtf1 a{\\*\\b bold?}b}") << QStringLiteral("ab");
        QTest::newRow("document information and styles")
            << QByteArray("{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
                          "{\\*\\rsidtbl \\rsid1}body}")
            << QStringLiteral("body");
        QTest::newRow("headers, footers and footnotes")
            << QByteArray("{\\rtf1{\\header H}{\\footerl F}text{\\footnote note}.}")
            << QStringLiteral("text.");
        QTest::newRow("field shows its result")
            << QByteArray("{\\rtf1 see {\\field{\\*\\fldinst { HYPERLINK \"http://x\" }}"
                          "{\\fldrslt {\\ul link}}} here}")
            << QStringLiteral("see link here");
        QTest::newRow("field instruction without a star")
            << QByteArray("{\\rtf1{\\field{\\fldinst PAGE}{\\fldrslt 3}}}") << QStringLiteral("3");
        QTest::newRow("bookmarks") << QByteArray("{\\rtf1 a{\\*\\bkmkstart m}b{\\*\\bkmkend m}c}")
                                   << QStringLiteral("abc");
        QTest::newRow("table rows as tab-separated lines")
            << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\cellx3000 "
                          "\\pard\\intbl A1\\cell B1\\cell\\cell\\row"
                          "\\trowd\\cellx1000 \\pard\\intbl A2\\cell\\row\\pard after\\par}")
            << QStringLiteral("A1\tB1\t\nA2\nafter");
        QTest::newRow("drawing shapes show their result")
            << QByteArray("{\\rtf1{\\shp{\\*\\shpinst{\\sp{\\sn fillColor}{\\sv 255}}"
                          "{\\shptxt inside}}{\\shprslt shown}}}")
            << QStringLiteral("shown");
        QTest::newRow("text after the outermost group")
            << QByteArray("{\\rtf1 in}out{more}") << QStringLiteral("in");
        QTest::newRow("one final paragraph mark is no empty paragraph")
            << QByteArray("{\\rtf1 a\\par}") << QStringLiteral("a");
        QTest::newRow("two are") << QByteArray("{\\rtf1 a\\par\\par}") << QStringLiteral("a\n");
        QTest::newRow("leading white space and byte order mark")
            << QByteArray("\xEF\xBB\xBF \r\n{\\rtf1 ok}") << QStringLiteral("ok");
    }

    void skipsWhatIsNotText() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(readText(rtf), text);
    }

    void resetsFormatsLikeWordProcessors() {
        QTextDocument d;
        RtfReader::read(
            "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}"
            "\\b\\i\\ul\\strike\\cf1\\cb1\\fs40 all"
            "\\plain plain{\\b group}after"
            "\\b\\i\\ul\\strike\\cf1\\cb1 x\\b0\\i0\\ul0\\strike0\\cf0\\cb0 off"
            "\\uldb double\\ulnone  \\super raised\\nosupersub\\sub lowered\\nosupersub}",
            &d);
        const QTextCharFormat all = formatOf(d, QStringLiteral("all"));
        QVERIFY(all.fontWeight() == QFont::Bold && all.fontItalic() && all.fontUnderline() &&
                all.fontStrikeOut());
        QCOMPARE(all.foreground().color(), QColor(0, 0, 255));
        QCOMPARE(all.background().color(), QColor(0, 0, 255));
        QCOMPARE(all.fontPointSize(), 20.0);
        for (const QString& text :
             {QStringLiteral("plain"), QStringLiteral("after"), QStringLiteral("off")}) {
            const QTextCharFormat f = formatOf(d, text);
            QVERIFY2(f.fontWeight() == QFont::Normal && !f.fontItalic() && !f.fontUnderline() &&
                         !f.fontStrikeOut() && f.foreground().style() == Qt::NoBrush &&
                         f.background().style() == Qt::NoBrush,
                     qPrintable(text));
        }
        QCOMPARE(formatOf(d, QStringLiteral("plain")).fontPointSize(), 12.0);
        QCOMPARE(formatOf(d, QStringLiteral("group")).fontWeight(), int(QFont::Bold));
        QVERIFY(formatOf(d, QStringLiteral("double")).fontUnderline());
        QCOMPARE(formatOf(d, QStringLiteral("raised")).verticalAlignment(),
                 QTextCharFormat::AlignSuperScript);
        QCOMPARE(formatOf(d, QStringLiteral("lowered")).verticalAlignment(),
                 QTextCharFormat::AlignSubScript);
    }

    void paragraphPropertiesBelongToTheirGroup() {
        QTextDocument d;
        RtfReader::read("{\\rtf1\\qc centred\\par{\\qr inner}\\par outer}", &d);
        QCOMPARE(d.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        // The paragraph ends outside the group that right-aligned it.
        QCOMPARE(d.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
    }

    void readsPictures() {
        const QImage image = testImage();
        QByteArray rtf = "{\\rtf1 a{\\*\\shppict{\\pict\\pngblip\\picw7\\pich5"
                         "\\picwgoal1500\\pichgoal750\\picscalex50 " +
                         hexOf(image, "PNG") +
                         "}}{\\nonshppict{\\pict\\wmetafile8 0100}}b"
                         "{\\pict\\emfblip 0102}c";
        const bool jpeg = QImageWriter::supportedImageFormats().contains("jpeg");
        if (jpeg)
            rtf += "{\\pict\\jpegblip " + hexOf(image.scaled(70, 50), "JPEG") + "}";
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        rtf += "{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}}";

        QTextDocument d;
        const RtfReadResult result = RtfReader::read(rtf, &d);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        const QList<QTextImageFormat> images = imagesIn(d);
        QCOMPARE(images.size(), jpeg ? 3 : 2); // metafiles are left out, not shown empty
        QCOMPARE(images[0].width(), 50.0);     // 1500 twips at 50 %
        QCOMPARE(images[0].height(), 50.0);
        const QVariant first = d.resource(QTextDocument::ImageResource, QUrl(images[0].name()));
        QCOMPARE(first.value<QImage>().convertToFormat(QImage::Format_RGB32), image);
        if (jpeg) {
            QCOMPARE(images[1].width(), 70.0); // no goal size: the picture's own
            QCOMPARE(d.resource(QTextDocument::ImageResource, QUrl(images[1].name()))
                         .value<QImage>()
                         .size(),
                     QSize(70, 50));
        }
        const QVariant binary =
            d.resource(QTextDocument::ImageResource, QUrl(images.last().name()));
        QCOMPARE(binary.value<QImage>().convertToFormat(QImage::Format_RGB32), image);
        QVERIFY(textOf(d).startsWith(QStringLiteral("a\uFFFCbc")));
        if (!jpeg)
            QSKIP("Qt has no JPEG plugin here; the JPEG picture was not checked");
    }

    void readsPageBackground() {
        QTextDocument d;
        RtfReader::read("{\\rtf1\\viewbksp1{\\*\\background{\\shp{\\*\\shpinst\\shpleft0"
                        "{\\sp{\\sn fFilled}{\\sv 1}}{\\sp{\\sn fillColor}{\\sv 14745599}}}}}"
                        "text}",
                        &d);
        QCOMPARE(textOf(d), QStringLiteral("text"));
        // 14745599 is 0xE0FFFF: red FF, green FF, blue E0 (red in the low byte).
        QCOMPARE(d.rootFrame()->frameFormat().background().color(), QColor(255, 255, 224));
    }

    void tellsWhatIsNotRtf_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("plain text") << QByteArray("Just some notes\r\nabout {braces}\r\n");
        QTest::newRow("html") << QByteArray("<html><body>{\\rtf1}</body></html>");
        QTest::newRow("almost") << QByteArray("{\\rtx1 not quite}");
        QTest::newRow("text before the group") << QByteArray("x{\\rtf1 a}");
        QTest::newRow("utf-16") << QByteArray("\xFF\xFE{\0\\\0r\0t\0f\0", 12);
    }

    void tellsWhatIsNotRtf() {
        QFETCH(QByteArray, bytes);
        QTextDocument d;
        d.setPlainText(QStringLiteral("keep me"));
        const RtfReadResult result = RtfReader::read(bytes, &d);
        QVERIFY(!result.isRtf);
        QVERIFY(!RtfReader::looksLikeRtf(bytes));
        QCOMPARE(d.toPlainText(), QStringLiteral("keep me")); // untouched for the fallback
        QTextCursor c(&d);
        QVERIFY(!RtfReader::insert(bytes, c).isRtf);
        QCOMPARE(d.toPlainText(), QStringLiteral("keep me"));
    }

    void readingReplacesContentAndHistory() {
        QTextDocument d;
        d.setPlainText(QStringLiteral("old"));
        QTextCursor(&d).insertText(QStringLiteral("typed "));
        QVERIFY(d.isUndoAvailable());
        RtfReader::read("{\\rtf1 new}", &d);
        QCOMPARE(d.toPlainText(), QStringLiteral("new"));
        QVERIFY(!d.isUndoAvailable()); // undo must not bring back the previous file
        QVERIFY(d.isUndoRedoEnabled());
        QVERIFY(!d.isModified());
    }
};

QTEST_MAIN(RtfReaderTest)
#include "RtfReaderTest.moc"
