// Damaged and hostile RTF: the reader must finish, keep what it can and say what was wrong.
#include "platform/rtf/RtfParser.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>

namespace {

QString textOf(const QTextDocument& d) {
    QStringList blocks;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next())
        blocks << b.text();
    return blocks.join(QLatin1Char('\n'));
}

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFF;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 v) {
    return QByteArray(1, char(v >> 24)) + char(v >> 16) + char(v >> 8) + char(v);
}

QByteArray pngChunk(const QByteArray& type, const QByteArray& data) {
    return bigEndian(quint32(data.size())) + type + data + bigEndian(crc32(type + data));
}

// A valid PNG header announcing a picture far too large to decode.
QByteArray hugePngHeader() {
    const QByteArray ihdr = bigEndian(100000) + bigEndian(100000) + QByteArray("\x08\x02\0\0\0", 5);
    return QByteArray("\x89PNG\r\n\x1a\n") + pngChunk("IHDR", ihdr) + pngChunk("IEND", {});
}

// A document using most of what the reader knows, to cut and break.
QByteArray richSample() {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fcharset204 "
           "Times;}}{\\colortbl;\\red255\\green0\\blue0;}{\\*\\background{\\shp{\\*\\shpinst"
           "{\\sp{\\sn fillColor}{\\sv 255}}}}}{\\info{\\title t}}\\pard\\qc\\b\\fs28 Title\\b0"
           "\\par\\pard{\\pntext\\'95\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'95}}\\li720\\fi-360"
           "\\cf1 item \\f1\\'c0\\u937?\\uc2\\u8220\\'93\\'93\\par\\trowd\\cellx9 a\\cell b"
           "\\cell\\row{\\field{\\*\\fldinst X}{\\fldrslt link}}{\\pict\\pngblip\\picw1\\pich1 "
           "89504e470d0a1a0a0000000d4948445200000001000000010802000000907753de0000000c494441"
           "54789c63f8cfc0000003010100c9fe92ef0000000049454e44ae426082"
           "}\\bin2 xy end\\par}";
}

} // namespace

class RtfBadInputTest : public QObject {
    Q_OBJECT

private slots:
    void survivesEveryTruncation() {
        const QByteArray full = richSample();
        QTextDocument whole;
        QVERIFY(RtfReader::read(full, &whole).error.isEmpty());
        for (qsizetype n = 5; n < full.size(); ++n) {
            QTextDocument d;
            const RtfReadResult result = RtfReader::read(full.left(n), &d);
            QVERIFY(result.isRtf);
            QVERIFY2(!result.error.isEmpty(), "a cut file must be reported");
            QVERIFY2(textOf(d).size() <= textOf(whole).size() + 1, qPrintable(textOf(d)));
        }
    }

    void unbalancedBraces() {
        QTextDocument d;
        RtfReadResult result = RtfReader::read("{\\rtf1 a{\\b b}}}c}", &d);
        QCOMPARE(textOf(d), QStringLiteral("ab")); // the first close of the outer group ends it
        QVERIFY(result.error.isEmpty());

        result = RtfReader::read("{\\rtf1 a{\\b b{{{ c", &d);
        QCOMPARE(textOf(d), QStringLiteral("ab c"));
        QVERIFY(result.error.contains(QStringLiteral("truncated")));

        result = RtfReader::read("{\\rtf1 {\\fonttbl{\\f0 Ari", &d);
        QVERIFY(result.isRtf);
        QCOMPARE(textOf(d), QString());
    }

    void absurdNumbers() {
        QTextDocument d;
        RtfReader::read("{\\rtf1{\\colortbl;\\red99999\\green-5\\blue4294967296;}"
                        "\\fs99999999999999999999 big\\fs0 small\\fs-8 negative"
                        "\\li-2147483649\\ri99999999999\\fi2147483647\\sb-1\\sa99999999 "
                        "\\cf2147483647 nocolor\\cf1 tinted\\f-7 font"
                        "\\u99999 x\\u-2147483648 y\\uc2147483647\\u65 zz\\par}",
                        &d);
        // The space after a number belongs to it; x, y and zz are \u fallbacks.
        QCOMPARE(textOf(d), QStringLiteral("bigsmallnegativenocolortintedfont\uFFFD\uFFFDA"));
        QCOMPARE(d.find(QStringLiteral("big")).charFormat().fontPointSize(), 1638.0);
        QCOMPARE(d.find(QStringLiteral("small")).charFormat().fontPointSize(), 1.0);
        QCOMPARE(d.find(QStringLiteral("tinted")).charFormat().foreground().color(),
                 QColor(255, 0, 255));
        QCOMPARE(d.find(QStringLiteral("nocolor")).charFormat().foreground().style(), Qt::NoBrush);
        const QTextBlockFormat block = d.begin().blockFormat();
        QCOMPARE(block.leftMargin(), -31680 / 15.0); // 22 inches, the widest page there is
        QCOMPARE(block.rightMargin(), 31680 / 15.0);
        QCOMPARE(block.textIndent(), 31680 / 15.0);
        QCOMPARE(block.topMargin(), 0.0);

        // \binN larger than the file takes what is there and ends the document.
        const RtfReadResult result =
            RtfReader::read("{\\rtf1 before\\bin99999999999999 after}", &d);
        QCOMPARE(textOf(d), QStringLiteral("before"));
        QVERIFY(!result.error.isEmpty());
    }

    void deepNesting() {
        const int depth = 100000;
        const QByteArray deep = QByteArray(depth, '{') + "deep" + QByteArray(depth, '}');
        QTextDocument d;
        RtfReadResult result = RtfReader::read("{\\rtf1 before " + deep + " after}", &d);
        QCOMPARE(textOf(d), QStringLiteral("before  after"));
        QVERIFY(result.error.contains(QString::number(RtfParser::kMaxDepth)));

        // Nesting just within the limit is still read.
        const int allowed = RtfParser::kMaxDepth - 1;
        RtfReader::read(
            "{\\rtf1 " + QByteArray(allowed, '{') + "kept" + QByteArray(allowed, '}') + "}", &d);
        QCOMPARE(textOf(d), QStringLiteral("kept"));

        // Never closed, and deep group nesting through starred destinations.
        result = RtfReader::read("{\\rtf1 " + QByteArray(1 << 20, '{'), &d);
        QVERIFY(!result.error.isEmpty());
        RtfReader::read("{\\rtf1 " + QByteArray("{\\*\\x").repeated(depth) + "}", &d);
        QCOMPARE(textOf(d), QString());
    }

    void oversizedPicture() {
        QTextDocument d;
        const RtfReadResult result =
            RtfReader::read("{\\rtf1 a{\\pict\\pngblip " + hugePngHeader().toHex() + "}b}", &d);
        QCOMPARE(textOf(d), QStringLiteral("ab"));
        QVERIFY(result.error.contains(QStringLiteral("picture")));
        // Damaged picture data is left out the same way.
        RtfReader::read("{\\rtf1 a{\\pict\\pngblip 89504e47zzzz0d0a}{\\pict\\jpegblip ffd8}b}", &d);
        QCOMPARE(textOf(d), QStringLiteral("ab"));
    }

    void manyParagraphsAndRuns() {
        // Large but legal: every paragraph a list item and every word its own format.
        QByteArray rtf = "{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}";
        for (int i = 0; i < 20000; ++i)
            rtf += (i % 2 ? "\\b\\cf1 " : "\\b0\\cf0 ") + QByteArray::number(i) +
                   (i % 3 ? "\\par" : "{\\pntext\\'95\\tab}\\ls1 x\\par\\pard ");
        rtf += "}";
        QTextDocument d;
        QVERIFY(RtfReader::read(rtf, &d).error.isEmpty());
        QCOMPARE(d.blockCount(), 20000);
        QCOMPARE(d.findBlockByNumber(19999).text(), QStringLiteral("19999"));
        QVERIFY(d.findBlockByNumber(0).textList());
        QVERIFY(d.findBlockByNumber(19998).textList()); // long lists are split, not dropped
        QVERIFY(!d.findBlockByNumber(19999).textList());
    }

    void hostileLists() {
        // Lists the file never defines, levels past the ninth, level texts whose length
        // runs past their end or that name levels that do not exist, overrides of missing
        // lists, and numbers at the ends of the integer range.
        const QByteArray rtf =
            "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc-5\\levelstartat-2147483648"
            "{\\leveltext\\'ff\\'0f\\'00\\'09;}}{\\listlevel\\levelnfc99999{\\leveltext;}}"
            "\\listid-7}{\\list\\listid-8}{\\listlevel{\\leveltext\\'05}}}"
            "{\\*\\listoverridetable{\\listoverride\\listid-7\\ls1}{\\listoverride\\listid404"
            "\\ls2}{\\listoverride\\ls-3}{\\listoverride\\listid-7\\listoverridecount99"
            + QByteArray("{\\lfolevel\\listoverridestartat\\levelstartat2147483647}").repeated(20) +
            "\\ls3}}"
            "\\ls1\\ilvl2147483647 deep\\par\\ls2\\ilvl-4 missing\\par\\ls-3 negative\\par"
            "\\ls3 restarted\\par\\ls2147483647 unknown\\par"
            "{\\*\\pn\\pnlvl99999\\pnstart-9{\\pntxta\\'00\\'01}{\\pntxtb{\\pntxtb x}}}legacy"
            "\\par\\pard{\\listtext 99999999999999.\\tab}\\ls5 huge\\par"
            "{\\listtext MMMMMMMMMMMMMMMMMMMM.\\tab}\\ls5 roman\\par}";
        QTextDocument d;
        QVERIFY(RtfReader::read(rtf, &d).error.isEmpty());
        QCOMPARE(textOf(d), QStringLiteral("deep\nmissing\nnegative\nrestarted\nunknown\nlegacy\n"
                                           "huge\nroman"));
        QStringList listed;
        for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
            if (const QTextList* list = b.textList()) {
                listed << b.text();
                QVERIFY(list->format().indent() >= 1 && list->format().indent() <= 9);
                for (QChar c : list->itemText(b))
                    QVERIFY2(c.unicode() >= 0x20, "a label with a control character");
            }
        }
        // A level the list does not define shows no label; \ls-3 names no list.
        QCOMPARE(listed,
                 (QStringList{"missing", "restarted", "unknown", "legacy", "huge", "roman"}));
        QTextDocument again;
        QVERIFY(RtfReader::read(RtfWriter::write(d), &again).error.isEmpty());
        QCOMPARE(textOf(again), textOf(d));
    }

    void randomBytes() {
        // Random soups of RTF pieces and raw bytes, from a fixed seed so a failure repeats.
        static const QList<QByteArray> pieces = {"{",
                                                 "}",
                                                 "\\",
                                                 "\\par",
                                                 "\\pard",
                                                 "\\b",
                                                 "\\b0",
                                                 "\\u",
                                                 "\\u-",
                                                 "\\uc",
                                                 "\\'",
                                                 "\\'e",
                                                 "\\bin",
                                                 "\\*",
                                                 "\\pict",
                                                 "\\pngblip",
                                                 "\\fonttbl",
                                                 "\\colortbl",
                                                 "\\f",
                                                 "\\fs",
                                                 "\\cf",
                                                 "\\red",
                                                 ";",
                                                 "\\pntext",
                                                 "\\pn",
                                                 "\\listtable{\\list{\\listlevel\\levelnfc4",
                                                 "{\\leveltext\\'02\\'00.;}\\listid1}}",
                                                 "{\\listoverridetable{\\listoverride\\listid1",
                                                 "{\\lfolevel\\listoverridestartat\\levelstartat3}",
                                                 "\\ls1}}",
                                                 "\\ilvl",
                                                 "{\\listtext 2.\\tab}",
                                                 "\\pnlvl",
                                                 "\\up",
                                                 "\\ls",
                                                 "\\cell",
                                                 "\\row",
                                                 "\\background",
                                                 "\\sn",
                                                 "\\sv",
                                                 "\\upr",
                                                 "\\ud",
                                                 "\\tab",
                                                 "\\line",
                                                 "\\li",
                                                 "\\fi",
                                                 "\\plain",
                                                 "\\v",
                                                 "\\field",
                                                 "\\fldinst",
                                                 "123",
                                                 "-9",
                                                 " ",
                                                 "a",
                                                 "\r\n",
                                                 "\xff",
                                                 "\x80",
                                                 "89504e47",
                                                 QByteArray(1, '\0')};
        QRandomGenerator random(20240607);
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = "{\\rtf1";
            const int count = random.bounded(1, 200);
            for (int i = 0; i < count; ++i) {
                if (random.bounded(4) == 0)
                    bytes += char(random.bounded(256));
                else
                    bytes += pieces.at(random.bounded(int(pieces.size())));
            }
            QTextDocument d;
            const RtfReadResult result = RtfReader::read(bytes, &d);
            QVERIFY(result.isRtf);
            // Whatever came out writes and reads back to the same text.
            QTextDocument again;
            const RtfReadResult second = RtfReader::read(RtfWriter::write(d), &again);
            QVERIFY2(second.error.isEmpty(), bytes.toPercentEncoding().constData());
            QVERIFY2(textOf(again) == textOf(d), bytes.toPercentEncoding().constData());
        }
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes(random.bounded(1, 400), Qt::Uninitialized);
            for (char& c : bytes)
                c = char(random.bounded(256));
            QTextDocument d;
            QCOMPARE(RtfReader::read(bytes, &d).isRtf, RtfReader::looksLikeRtf(bytes));
        }
    }
};

QTEST_MAIN(RtfBadInputTest)
#include "RtfBadInputTest.moc"
