// Documents written by RtfWriter read back through RtfReader with every attribute intact.
#include "RtfTestDocuments.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QBuffer>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>

using namespace RtfTestDocuments;

namespace {

QFont effective(const QTextDocument& d, const QString& text) {
    return formatOf(d, text).font().resolve(d.defaultFont());
}

QTextBlockFormat blockFormatOf(const QTextDocument& d, const QString& text) {
    return d.findBlockByNumber(blockNumberOf(d, text)).blockFormat();
}

QTextList* listOf(const QTextDocument& d, const QString& text) {
    return d.findBlockByNumber(blockNumberOf(d, text)).textList();
}

// The writer's output is 7-bit text with balanced groups, whatever the document holds.
void verifyWellFormed(const QByteArray& rtf) {
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf.at(i);
        QVERIFY2(uchar(c) < 0x80, "the writer must escape every non-ASCII character");
        if (c == '\\') {
            ++i; // an escaped brace or backslash is text
            continue;
        }
        if (c == '{')
            ++depth;
        if (c == '}')
            QVERIFY2(--depth >= 0, "a group closes that was never opened");
    }
    QCOMPARE(depth, 0);
}

} // namespace

class RtfRoundTripTest : public QObject {
    Q_OBJECT

    QTextDocument m_original;
    QTextDocument m_read;
    QByteArray m_rtf;

private slots:
    void initTestCase() {
        fillFormatted(&m_original);
        m_rtf = RtfWriter::write(m_original);
        const RtfReadResult result = RtfReader::read(m_rtf, &m_read);
        QVERIFY(result.isRtf);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    }

    void writesWellFormedRtf() {
        QVERIFY(m_rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        verifyWellFormed(m_rtf);
    }

    void keepsTextAndParagraphs() {
        QCOMPARE(textOf(m_original), formattedText()); // the fixture itself
        QCOMPARE(textOf(m_read), formattedText());
        QCOMPARE(m_read.blockCount(), m_original.blockCount());
    }

    void keepsCharacterFormats() {
        const QFont plain = effective(m_read, QStringLiteral("plain"));
        QCOMPARE(plain.families().value(0), QStringLiteral("DejaVu Sans"));
        QCOMPARE(plain.pointSizeF(), 11.0);
        QVERIFY(plain.weight() < QFont::DemiBold);
        QVERIFY(!plain.italic() && !plain.underline() && !plain.strikeOut());
        QCOMPARE(formatOf(m_read, QStringLiteral("plain")).foreground().style(), Qt::NoBrush);

        QCOMPARE(effective(m_read, QStringLiteral("bold")).weight(), QFont::Bold);
        QVERIFY(effective(m_read, QStringLiteral("italic")).italic());
        QVERIFY(effective(m_read, QStringLiteral("underlined")).underline());
        QVERIFY(effective(m_read, QStringLiteral("struck")).strikeOut());
        QCOMPARE(formatOf(m_read, QStringLiteral("red")).foreground().color(), QColor(200, 10, 20));
        QCOMPARE(formatOf(m_read, QStringLiteral("highlighted")).background().color(),
                 QColor(255, 240, 0));
        QCOMPARE(effective(m_read, QStringLiteral("large")).pointSizeF(), 20.0);
        QCOMPARE(effective(m_read, QStringLiteral("mono")).families().value(0),
                 QStringLiteral("Liberation Mono"));
        QCOMPARE(formatOf(m_read, QStringLiteral("raised")).verticalAlignment(),
                 QTextCharFormat::AlignSuperScript);
        QCOMPARE(formatOf(m_read, QStringLiteral("lowered")).verticalAlignment(),
                 QTextCharFormat::AlignSubScript);
        QCOMPARE(formatOf(m_read, QStringLiteral("up")).baselineOffset(), 25.0);

        const QTextCharFormat combined = formatOf(m_read, QStringLiteral("bolditalicblue"));
        QCOMPARE(combined.fontWeight(), int(QFont::Bold));
        QVERIFY(combined.fontItalic());
        QCOMPARE(combined.foreground().color(), QColor(0, 0, 160));
    }

    void switchesFormatsOffAgain() {
        // The spaces between the runs are plain: each attribute must be turned off.
        QTextCursor c(&m_read);
        for (const QString& run :
             {QStringLiteral("bold"), QStringLiteral("italic"), QStringLiteral("underlined"),
              QStringLiteral("struck"), QStringLiteral("red"), QStringLiteral("highlighted"),
              QStringLiteral("large"), QStringLiteral("raised"), QStringLiteral("lowered"),
              QStringLiteral("up")}) {
            const QTextCursor found = m_read.find(run + QLatin1Char(' '));
            QVERIFY(!found.isNull());
            c.setPosition(found.selectionEnd());
            const QTextCharFormat space = c.charFormat();
            QVERIFY2(space.fontWeight() < QFont::DemiBold && !space.fontItalic() &&
                         !space.fontUnderline() && !space.fontStrikeOut() &&
                         space.foreground().style() == Qt::NoBrush &&
                         space.background().style() == Qt::NoBrush &&
                         space.fontPointSize() == 11.0 &&
                         space.verticalAlignment() == QTextCharFormat::AlignNormal &&
                         space.baselineOffset() == 0,
                     qPrintable(QStringLiteral("formatting leaks past \"%1\"").arg(run)));
        }
    }

    void keepsParagraphFormats() {
        QCOMPARE(blockFormatOf(m_read, QStringLiteral("Centred")).alignment() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(blockFormatOf(m_read, QStringLiteral("Right line")).alignment() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        QCOMPARE(blockFormatOf(m_read, QStringLiteral("Justified")).alignment() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignJustify);
        QCOMPARE(blockFormatOf(m_read, QStringLiteral("plain")).alignment() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignLeft);

        const QTextBlockFormat indented = blockFormatOf(m_read, QStringLiteral("Indented"));
        QCOMPARE(indented.leftMargin(), 48.0);
        QCOMPARE(indented.textIndent(), -24.0);
        QCOMPARE(indented.rightMargin(), 30.0);
        QCOMPARE(indented.topMargin(), 8.0);
        QCOMPARE(indented.bottomMargin(), 6.0);
    }

    void keepsLists() {
        QTextList* bullets = listOf(m_read, QStringLiteral("First bullet"));
        QVERIFY(bullets);
        QCOMPARE(bullets->format().style(), QTextListFormat::ListDisc);
        QCOMPARE(listOf(m_read, QStringLiteral("Second bullet")), bullets);
        QCOMPARE(bullets->count(), 2);

        QTextList* numbers = listOf(m_read, QStringLiteral("Numbered one"));
        QVERIFY(numbers);
        QVERIFY(numbers != bullets);
        QCOMPARE(numbers->format().style(), QTextListFormat::ListDecimal);
        QCOMPARE(numbers->count(), 2);
        const QTextBlock second = m_read.findBlockByNumber(blockNumberOf(m_read, "Numbered two"));
        QCOMPARE(numbers->itemText(second), QStringLiteral("2."));

        QVERIFY(!listOf(m_read, QStringLiteral("Specials")));
        QVERIFY(!listOf(m_read, QStringLiteral("Indented")));
        // The same indentation as the original, wherever Qt puts it.
        for (const QString& item :
             {QStringLiteral("First bullet"), QStringLiteral("Numbered two")}) {
            const QTextBlock a = m_original.findBlockByNumber(blockNumberOf(m_original, item));
            const QTextBlock b = m_read.findBlockByNumber(blockNumberOf(m_read, item));
            QCOMPARE(b.blockFormat().leftMargin() + b.textList()->format().indent() * 40,
                     a.blockFormat().leftMargin() + a.textList()->format().indent() * 40);
            QCOMPARE(b.blockFormat().textIndent(), a.blockFormat().textIndent());
        }
    }

    void keepsNestedLists() {
        QTextDocument original;
        fillNestedLists(&original);
        QCOMPARE(labelledLines(original), nestedListLines()); // the fixture itself
        const QByteArray rtf = RtfWriter::write(original);
        verifyWellFormed(rtf);
        QTextDocument back;
        const RtfReadResult result = RtfReader::read(rtf, &back);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(labelledLines(back), nestedListLines());
        // Readers without lists show the labels as text.
        QVERIFY(rtf.contains("{\\pntext\\f0 1.1.\\tab}"));
        QVERIFY(rtf.contains("{\\pntext\\f0 ii.\\tab}"));
        // Sections repeat their chapter's number through the level text, not as letters.
        QVERIFY(rtf.contains("{\\leveltext \\'04\\'00.\\'01.;}{\\levelnumbers \\'01\\'03;}"));
    }

    void keepsBackground() {
        const QBrush background = m_read.rootFrame()->frameFormat().background();
        QCOMPARE(background.style(), Qt::SolidPattern);
        QCOMPARE(background.color(), QColor(250, 245, 220));

        QTextDocument none;
        none.setPlainText(QStringLiteral("plain page"));
        QVERIFY(!RtfWriter::write(none).contains("background"));
        QTextDocument target;
        RtfReader::read(m_rtf, &target);
        RtfReader::read(RtfWriter::write(none), &target); // a new file drops the old colour
        QCOMPARE(target.rootFrame()->frameFormat().background().style(), Qt::NoBrush);
    }

    void keepsPicture() {
        const QTextCursor found = m_read.find(QString(QChar::ObjectReplacementCharacter));
        QVERIFY(!found.isNull());
        QTextCursor c(&m_read);
        c.setPosition(found.selectionEnd());
        QVERIFY(c.charFormat().isImageFormat());
        const QTextImageFormat image = c.charFormat().toImageFormat();
        QCOMPARE(image.width(), 70.0);
        QCOMPARE(image.height(), 50.0);
        const QVariant resource = m_read.resource(QTextDocument::ImageResource, QUrl(image.name()));
        QCOMPARE(resource.userType(), int(QMetaType::QImage));
        QCOMPARE(resource.value<QImage>().convertToFormat(QImage::Format_RGB32), testImage());
        QVERIFY(m_rtf.contains("\\pngblip"));
    }

    void keepsJpegBytesAsJpeg() {
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        if (!testImage().scaled(40, 30).save(&buffer, "JPEG"))
            QSKIP("Qt has no JPEG plugin here");
        QTextDocument d;
        d.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("photo")), jpeg);
        QTextImageFormat image;
        image.setName(QStringLiteral("photo"));
        QTextCursor(&d).insertImage(image);
        const QByteArray rtf = RtfWriter::write(d);
        QVERIFY(rtf.contains("\\jpegblip\\picw40\\pich30\\picwgoal600\\pichgoal450"));
        QVERIFY(rtf.contains(jpeg.left(64).toHex())); // the bytes as they were, not re-encoded
        QTextDocument back;
        RtfReader::read(rtf, &back);
        QTextCursor at(&back);
        at.setPosition(1);
        const QVariant resource = back.resource(QTextDocument::ImageResource,
                                                QUrl(at.charFormat().toImageFormat().name()));
        QCOMPARE(resource.value<QImage>().size(), QSize(40, 30));
    }

    void keepsEmptyAndTrailingParagraphs() {
        for (const QString& text : {QString(), QStringLiteral("one"), QStringLiteral("one\n"),
                                    QStringLiteral("\n\n"), QStringLiteral("a\n\nb\n")}) {
            QTextDocument d;
            d.setPlainText(text);
            QTextDocument back;
            RtfReader::read(RtfWriter::write(d), &back);
            QCOMPARE(back.toPlainText(), text);
            QCOMPARE(back.blockCount(), d.blockCount());
        }
    }

    void writesSelection() {
        QTextCursor c(&m_original);
        c.setPosition(m_original.find(QStringLiteral("red")).selectionStart());
        c.setPosition(m_original.find(QStringLiteral("Centred")).selectionEnd(),
                      QTextCursor::KeepAnchor);
        QTextDocument back;
        RtfReader::read(RtfWriter::writeSelection(c), &back);
        QCOMPARE(back.toPlainText(), QStringLiteral("red highlighted large mono raised lowered up "
                                                    "bolditalicblue\nCentred"));
        QCOMPARE(formatOf(back, QStringLiteral("red")).foreground().color(), QColor(200, 10, 20));
        QCOMPARE(blockFormatOf(back, QStringLiteral("Centred")).alignment() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        // The selected document's background belongs to that document, not the copy.
        QCOMPARE(back.rootFrame()->frameFormat().background().style(), Qt::NoBrush);

        // A selection ending with a paragraph mark keeps it when pasted.
        c.setPosition(m_original.find(QStringLiteral("Right line")).selectionStart());
        c.setPosition(m_original.find(QStringLiteral("Justified")).selectionStart(),
                      QTextCursor::KeepAnchor);
        QTextDocument target;
        target.setPlainText(QStringLiteral("XY"));
        QTextCursor at(&target);
        at.setPosition(1);
        RtfReader::insert(RtfWriter::writeSelection(c), at);
        QCOMPARE(target.toPlainText(), QStringLiteral("XRight line\nY"));

        QTextCursor none(&m_original);
        RtfReader::read(RtfWriter::writeSelection(none), &back);
        QCOMPARE(back.toPlainText(), QString());
    }

    void writesFragment() {
        QTextCursor c(&m_original);
        c.setPosition(m_original.find(QStringLiteral("bold")).selectionStart());
        c.setPosition(m_original.find(QStringLiteral("italic")).selectionEnd(),
                      QTextCursor::KeepAnchor);
        QTextDocument back;
        RtfReader::read(RtfWriter::writeFragment(c.selection()), &back);
        QCOMPARE(back.toPlainText(), QStringLiteral("bold italic"));
        QCOMPARE(formatOf(back, QStringLiteral("bold")).fontWeight(), int(QFont::Bold));
        QVERIFY(formatOf(back, QStringLiteral("italic")).fontItalic());
    }

    void insertsAtCursorAsOneEdit() {
        QTextDocument target;
        target.setPlainText(QStringLiteral("Hello world"));
        QTextCursor c(&target);
        c.setPosition(6);
        const RtfReadResult result = RtfReader::insert(
            "{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}\\b green\\b0\\cf1 ! }", c);
        QVERIFY(result.isRtf);
        QCOMPARE(target.toPlainText(), QStringLiteral("Hello green! world"));
        QCOMPARE(formatOf(target, QStringLiteral("green")).fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(target, QStringLiteral("!")).foreground().color(), QColor(0, 128, 0));
        target.undo();
        QCOMPARE(target.toPlainText(), QStringLiteral("Hello world"));

        // Pasting over a selection replaces it, and pictures come along.
        c.setPosition(0);
        c.setPosition(5, QTextCursor::KeepAnchor);
        RtfReader::insert(RtfWriter::write(m_original), c);
        QVERIFY(target.toPlainText().startsWith(QStringLiteral("plain bold")));
        QVERIFY(target.toPlainText().endsWith(QStringLiteral("\uFFFC world")));
        const QTextCursor picture = target.find(QString(QChar::ObjectReplacementCharacter));
        QTextCursor at(&target);
        at.setPosition(picture.selectionEnd());
        const QVariant image = target.resource(QTextDocument::ImageResource,
                                               QUrl(at.charFormat().toImageFormat().name()));
        QCOMPARE(image.value<QImage>().convertToFormat(QImage::Format_RGB32), testImage());

        QTextCursor other(&target);
        QVERIFY(!RtfReader::insert("plain text", other).isRtf);
    }

    void keepsPixelSizedAndDefaultFonts() {
        QTextDocument d;
        d.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 14));
        QTextCursor c(&d);
        c.insertText(QStringLiteral("default "));
        QTextCharFormat px;
        px.setProperty(QTextFormat::FontPixelSize, 32);
        c.insertText(QStringLiteral("pixels"), px);
        QTextDocument back;
        RtfReader::read(RtfWriter::write(d), &back);
        QCOMPARE(effective(back, QStringLiteral("default")).families().value(0),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(effective(back, QStringLiteral("default")).pointSizeF(), 14.0);
        QCOMPARE(effective(back, QStringLiteral("pixels")).pointSizeF(), 24.0);
    }
};

QTEST_MAIN(RtfRoundTripTest)
#include "RtfRoundTripTest.moc"
