// RTF checked against an outside reader and writer: LibreOffice, run headless.
#include "RtfTestDocuments.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>

using namespace RtfTestDocuments;

namespace {

// A formatted document in LibreOffice's own flat XML format, for it to save as RTF.
const char kFlatOdt[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">
<office:automatic-styles>
<style:style style:name="P1" style:family="paragraph"><style:paragraph-properties fo:text-align="center"/></style:style>
<style:style style:name="P2" style:family="paragraph"><style:paragraph-properties fo:text-align="end"/></style:style>
<style:style style:name="P3" style:family="paragraph"><style:paragraph-properties fo:text-align="justify" fo:margin-left="1in"/></style:style>
<style:style style:name="T1" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>
<style:style style:name="T2" style:family="text"><style:text-properties fo:font-style="italic"/></style:style>
<style:style style:name="T3" style:family="text"><style:text-properties fo:color="#c00000"/></style:style>
<style:style style:name="T4" style:family="text"><style:text-properties style:text-underline-style="solid" style:text-underline-width="auto" style:text-underline-color="font-color"/></style:style>
<style:style style:name="T5" style:family="text"><style:text-properties fo:background-color="#80c0ff"/></style:style>
<style:style style:name="T6" style:family="text"><style:text-properties fo:font-size="18pt"/></style:style>
<text:list-style style:name="L1"><text:list-level-style-bullet text:level="1" text:bullet-char="&#x2022;"><style:list-level-properties text:list-level-position-and-space-mode="label-alignment"><style:list-level-label-alignment text:label-followed-by="listtab" fo:text-indent="-0.25in" fo:margin-left="0.5in"/></style:list-level-properties></text:list-level-style-bullet></text:list-style>
<style:page-layout style:name="pm1"><style:page-layout-properties fo:page-width="8.5in" fo:page-height="11in" fo:background-color="#ffffe0" draw:fill="solid" draw:fill-color="#ffffe0"/></style:page-layout>
</office:automatic-styles>
<office:master-styles><style:master-page style:name="Standard" style:page-layout-name="pm1"/></office:master-styles>
<office:body><office:text>
<text:p text:style-name="P1">Centred <text:span text:style-name="T1">strong</text:span> and <text:span text:style-name="T2">slanted</text:span></text:p>
<text:p text:style-name="P2"><text:span text:style-name="T3">crimson</text:span> <text:span text:style-name="T4">lined</text:span> <text:span text:style-name="T5">shaded</text:span> <text:span text:style-name="T6">larger</text:span></text:p>
<text:p text:style-name="P3">Justified caf&#xe9; &#x3a9;&#x3bc;&#x3ad;&#x3b3;&#x3b1; &#x6f22;&#x5b57;</text:p>
<text:list text:style-name="L1"><text:list-item><text:p>point one</text:p></text:list-item><text:list-item><text:p>point two</text:p></text:list-item></text:list>
<text:p>closing</text:p>
</office:text></office:body></office:document>
)";

Qt::Alignment alignmentOf(const QTextDocument& d, const QString& text) {
    return d.findBlockByNumber(blockNumberOf(d, text)).blockFormat().alignment() &
           Qt::AlignHorizontal_Mask;
}

QTextList* listOf(const QTextDocument& d, const QString& text) {
    return d.findBlockByNumber(blockNumberOf(d, text)).textList();
}

QStringList unindented(QStringList lines) {
    for (QString& line : lines) {
        while (line.startsWith(QLatin1Char(' ')))
            line.remove(0, 1);
    }
    return lines;
}

// What LibreOffice's text export should give for a document: one line per paragraph
// and per line break, list labels before the items, no pictures; LibreOffice indents list
// items, so lines are compared without their leading spaces.
QStringList expectedTextLines(const QTextDocument& d) {
    QStringList lines;
    for (const QString& paragraph : labelledLines(d)) {
        QString text = paragraph;
        text.remove(QChar::ObjectReplacementCharacter);
        lines += text.split(QChar::LineSeparator);
    }
    return unindented(lines);
}

} // namespace

class RtfLibreOfficeTest : public QObject {
    Q_OBJECT

    QString m_office;
    QTemporaryDir m_dir;

    // Converts with LibreOffice; returns the output file's path, or an empty string.
    QString convert(const QString& input, const QString& filter, const QString& extension) {
        const QString outDir = m_dir.filePath(QStringLiteral("out-") + extension);
        QProcess office;
        office.setProcessChannelMode(QProcess::MergedChannels);
        office.start(m_office,
                     {QStringLiteral("-env:UserInstallation=") +
                          QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("profile"))).toString(),
                      QStringLiteral("--headless"), QStringLiteral("--norestore"),
                      QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"), outDir,
                      input});
        if (!office.waitForFinished(300000)) {
            office.kill();
            qWarning("LibreOffice did not finish converting %s", qPrintable(input));
            return {};
        }
        const QString output = outDir + QLatin1Char('/') + QFileInfo(input).completeBaseName() +
                               QLatin1Char('.') + extension;
        if (!QFileInfo::exists(output))
            qWarning("LibreOffice wrote no %s: %s", qPrintable(output),
                     office.readAll().constData());
        return QFileInfo::exists(output) ? output : QString();
    }

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase() {
        for (const char* name : {"soffice", "libreoffice"}) {
            m_office = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (!m_office.isEmpty())
                break;
        }
        if (m_office.isEmpty())
            QSKIP("LibreOffice is not installed (Debian package libreoffice-writer-nogui): "
                  "the checks of our RTF against an outside reader were skipped");
        QVERIFY(m_dir.isValid());
    }

    // LibreOffice's text export of our RTF for a document, without leading spaces.
    QStringList asLibreOfficeText(const QTextDocument& d, const QString& name) {
        const QString rtf = writeFile(name + QStringLiteral(".rtf"), RtfWriter::write(d));
        const QString txt =
            convert(rtf, QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("txt"));
        if (txt.isEmpty())
            return {};
        QString text = QString::fromUtf8(readFile(txt));
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        QStringList lines = text.split(QLatin1Char('\n'));
        if (lines.size() > 1 && lines.last().isEmpty())
            lines.removeLast();
        for (QString& line : lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
        }
        return unindented(lines);
    }

    void ourDocumentAsLibreOfficeText() {
        QTextDocument d;
        fillFormatted(&d);
        QCOMPARE(asLibreOfficeText(d, QStringLiteral("tolvane")), expectedTextLines(d));
    }

    void ourListsShowTheSameNumbersInLibreOffice() {
        QTextDocument d;
        fillNestedLists(&d);
        QCOMPARE(asLibreOfficeText(d, QStringLiteral("lists")), unindented(nestedListLines()));
    }

    void ourListsThroughLibreOffice() {
        QTextDocument original;
        fillNestedLists(&original);
        const QString ours =
            writeFile(QStringLiteral("lists-roundtrip.rtf"), RtfWriter::write(original));
        const QString theirs = convert(ours, QStringLiteral("rtf"), QStringLiteral("rtf"));
        QVERIFY(!theirs.isEmpty());
        QTextDocument d;
        const RtfReadResult result = RtfReader::read(readFile(theirs), &d);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(labelledLines(d), nestedListLines());
    }

    void libreOfficeDocumentIntoTolvane() {
        const QString source = writeFile(QStringLiteral("office.fodt"), kFlatOdt);
        const QString rtf = convert(source, QStringLiteral("rtf"), QStringLiteral("rtf"));
        QVERIFY(!rtf.isEmpty());
        QTextDocument d;
        const RtfReadResult result = RtfReader::read(readFile(rtf), &d);
        QVERIFY(result.isRtf);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));

        QCOMPARE(textOf(d), QStringLiteral("Centred strong and slanted\ncrimson lined shaded "
                                           "larger\nJustified caf\u00e9 \u03a9\u03bc\u03ad\u03b3"
                                           "\u03b1 \u6f22\u5b57\npoint one\npoint two\nclosing"));
        QCOMPARE(alignmentOf(d, QStringLiteral("Centred")), Qt::AlignHCenter);
        QCOMPARE(alignmentOf(d, QStringLiteral("crimson")), Qt::AlignRight);
        QCOMPARE(alignmentOf(d, QStringLiteral("Justified")), Qt::AlignJustify);
        QCOMPARE(alignmentOf(d, QStringLiteral("closing")), Qt::AlignLeft);
        QCOMPARE(d.findBlockByNumber(blockNumberOf(d, QStringLiteral("Justified")))
                     .blockFormat()
                     .leftMargin(),
                 96.0); // one inch

        QCOMPARE(formatOf(d, QStringLiteral("strong")).fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(d, QStringLiteral("Centred")).fontWeight(), int(QFont::Normal));
        QVERIFY(formatOf(d, QStringLiteral("slanted")).fontItalic());
        QVERIFY(!formatOf(d, QStringLiteral("strong")).fontItalic());
        QCOMPARE(formatOf(d, QStringLiteral("crimson")).foreground().color(), QColor(0xc00000));
        QVERIFY(formatOf(d, QStringLiteral("lined")).fontUnderline());
        QCOMPARE(formatOf(d, QStringLiteral("shaded")).background().color(), QColor(0x80c0ff));
        QCOMPARE(formatOf(d, QStringLiteral("larger")).fontPointSize(), 18.0);
        QCOMPARE(formatOf(d, QStringLiteral("closing")).foreground().style(), Qt::NoBrush);

        QTextList* list = listOf(d, QStringLiteral("point one"));
        QVERIFY(list);
        QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
        QCOMPARE(listOf(d, QStringLiteral("point two")), list);
        QVERIFY(!listOf(d, QStringLiteral("closing")));
        QCOMPARE(d.rootFrame()->frameFormat().background().color(), QColor(0xffffe0));
    }

    void ourDocumentThroughLibreOffice() {
        // LibreOffice reads our RTF and writes its own; everything must come back.
        QTextDocument original;
        fillFormatted(&original);
        const QString ours = writeFile(QStringLiteral("roundtrip.rtf"), RtfWriter::write(original));
        const QString theirs = convert(ours, QStringLiteral("rtf"), QStringLiteral("rtf"));
        QVERIFY(!theirs.isEmpty());
        QTextDocument d;
        const RtfReadResult result = RtfReader::read(readFile(theirs), &d);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(textOf(d), formattedText());

        QCOMPARE(formatOf(d, QStringLiteral("bold")).fontWeight(), int(QFont::Bold));
        QVERIFY(formatOf(d, QStringLiteral("italic")).fontItalic());
        QVERIFY(formatOf(d, QStringLiteral("underlined")).fontUnderline());
        QVERIFY(formatOf(d, QStringLiteral("struck")).fontStrikeOut());
        QCOMPARE(formatOf(d, QStringLiteral("red")).foreground().color(), QColor(200, 10, 20));
        QCOMPARE(formatOf(d, QStringLiteral("highlighted")).background().color(),
                 QColor(255, 240, 0));
        QCOMPARE(formatOf(d, QStringLiteral("large")).fontPointSize(), 20.0);
        QCOMPARE(formatOf(d, QStringLiteral("plain")).fontPointSize(), 11.0);
        QCOMPARE(formatOf(d, QStringLiteral("mono")).fontFamilies().toStringList().value(0),
                 QStringLiteral("Liberation Mono"));
        QCOMPARE(formatOf(d, QStringLiteral("raised")).verticalAlignment(),
                 QTextCharFormat::AlignSuperScript);
        QCOMPARE(formatOf(d, QStringLiteral("lowered")).verticalAlignment(),
                 QTextCharFormat::AlignSubScript);
        QVERIFY(formatOf(d, QStringLiteral("up")).baselineOffset() > 0);
        QCOMPARE(formatOf(d, QStringLiteral("plain")).fontWeight(), int(QFont::Normal));

        QCOMPARE(alignmentOf(d, QStringLiteral("Centred")), Qt::AlignHCenter);
        QCOMPARE(alignmentOf(d, QStringLiteral("Right line")), Qt::AlignRight);
        QCOMPARE(alignmentOf(d, QStringLiteral("Justified")), Qt::AlignJustify);
        const QTextBlockFormat indented =
            d.findBlockByNumber(blockNumberOf(d, QStringLiteral("Indented"))).blockFormat();
        QCOMPARE(indented.leftMargin(), 48.0);
        QCOMPARE(indented.textIndent(), -24.0);
        QCOMPARE(indented.rightMargin(), 30.0);

        QCOMPARE(listOf(d, QStringLiteral("First bullet"))->format().style(),
                 QTextListFormat::ListDisc);
        QCOMPARE(listOf(d, QStringLiteral("Second bullet")),
                 listOf(d, QStringLiteral("First bullet")));
        QCOMPARE(listOf(d, QStringLiteral("Numbered two"))->format().style(),
                 QTextListFormat::ListDecimal);
        QVERIFY(!listOf(d, QStringLiteral("Specials")));

        QCOMPARE(d.rootFrame()->frameFormat().background().color(), QColor(250, 245, 220));

        const QTextCursor picture = d.find(QString(QChar::ObjectReplacementCharacter));
        QVERIFY(!picture.isNull());
        QTextCursor at(&d);
        at.setPosition(picture.selectionEnd());
        const QTextImageFormat image = at.charFormat().toImageFormat();
        QCOMPARE(qRound(image.width()), 70);
        QCOMPARE(qRound(image.height()), 50);
        QCOMPARE(d.resource(QTextDocument::ImageResource, QUrl(image.name()))
                     .value<QImage>()
                     .convertToFormat(QImage::Format_RGB32),
                 testImage());
    }
};

QTEST_MAIN(RtfLibreOfficeTest)
#include "RtfLibreOfficeTest.moc"
