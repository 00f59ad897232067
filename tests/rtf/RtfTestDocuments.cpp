#include "RtfTestDocuments.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>
#include <QUrl>

namespace RtfTestDocuments {

QImage testImage() {
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 36, y * 60, 200 - x * y * 5));
    return image;
}

namespace {

void run(QTextCursor& c, const QString& text, const QTextCharFormat& extra = {}) {
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("DejaVu Sans")});
    format.setFontPointSize(11);
    format.merge(extra);
    c.insertText(text, format);
}

void paragraph(QTextCursor& c, const QTextBlockFormat& format = {}) {
    c.insertBlock(format);
}

} // namespace

void fillFormatted(QTextDocument* document) {
    document->clear();
    QTextCursor c(document);
    QTextCharFormat f;

    run(c, QStringLiteral("plain "));
    f = {};
    f.setFontWeight(QFont::Bold);
    run(c, QStringLiteral("bold"), f);
    run(c, QStringLiteral(" "));
    f = {};
    f.setFontItalic(true);
    run(c, QStringLiteral("italic"), f);
    run(c, QStringLiteral(" "));
    f = {};
    f.setFontUnderline(true);
    run(c, QStringLiteral("underlined"), f);
    run(c, QStringLiteral(" "));
    f = {};
    f.setFontStrikeOut(true);
    run(c, QStringLiteral("struck"), f);
    run(c, QStringLiteral(" "));
    f = {};
    f.setForeground(QColor(200, 10, 20));
    run(c, QStringLiteral("red"), f);
    run(c, QStringLiteral(" "));
    f = {};
    f.setBackground(QColor(255, 240, 0));
    run(c, QStringLiteral("highlighted"), f);
    run(c, QStringLiteral(" "));
    f = {};
    f.setFontPointSize(20);
    run(c, QStringLiteral("large"), f);
    run(c, QStringLiteral(" "));
    f = {};
    f.setFontFamilies({QStringLiteral("Liberation Mono")});
    run(c, QStringLiteral("mono"), f);
    run(c, QStringLiteral(" "));
    f = {};
    f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    run(c, QStringLiteral("raised"), f);
    run(c, QStringLiteral(" "));
    f = {};
    f.setFontWeight(QFont::Bold);
    f.setFontItalic(true);
    f.setForeground(QColor(0, 0, 160));
    run(c, QStringLiteral("bolditalicblue"), f);

    QTextBlockFormat b;
    b.setAlignment(Qt::AlignHCenter);
    paragraph(c, b);
    run(c, QStringLiteral("Centred line"));
    b.setAlignment(Qt::AlignRight);
    paragraph(c, b);
    run(c, QStringLiteral("Right line"));
    b.setAlignment(Qt::AlignJustify);
    paragraph(c, b);
    run(c, QStringLiteral("Justified line"));
    b = {};
    b.setLeftMargin(48);
    b.setTextIndent(-24);
    b.setRightMargin(30);
    b.setTopMargin(8);
    b.setBottomMargin(6);
    paragraph(c, b);
    run(c, QStringLiteral("Indented paragraph"));

    paragraph(c, {});
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    bullets.setIndent(1);
    c.createList(bullets);
    run(c, QStringLiteral("First bullet"));
    paragraph(c, c.blockFormat());
    run(c, QStringLiteral("Second bullet"));
    paragraph(c, {});
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListDecimal);
    numbers.setIndent(1);
    c.createList(numbers);
    run(c, QStringLiteral("Numbered one"));
    paragraph(c, c.blockFormat());
    run(c, QStringLiteral("Numbered two"));

    paragraph(c, {});
    run(c, QStringLiteral("Specials: \\ { } tab\there"));
    c.insertText(QString(QChar(0x2028)));
    run(c, QStringLiteral(
               "caf\u00e9 \u20ac \u201cquoted\u201d \u03a9\u03bc\u03ad\u03b3\u03b1 \u6f22\u5b57 ") +
               QString::fromUtf8("\xF0\x9F\x98\x80"));
    paragraph(c, {});
    paragraph(c, {});
    run(c, QStringLiteral("After an empty paragraph "));
    document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("test-picture")),
                          testImage());
    QTextImageFormat image;
    image.setName(QStringLiteral("test-picture"));
    image.setWidth(70);
    image.setHeight(50);
    c.insertImage(image);

    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    frame.setBackground(QColor(250, 245, 220));
    document->rootFrame()->setFrameFormat(frame);
}

QString formattedText() {
    return QStringLiteral(
               "plain bold italic underlined struck red highlighted large mono raised "
               "bolditalicblue\nCentred line\nRight line\nJustified line\nIndented paragraph\n"
               "First bullet\nSecond bullet\nNumbered one\nNumbered two\n"
               "Specials: \\ { } tab\there\u2028caf\u00e9 \u20ac \u201cquoted\u201d "
               "\u03a9\u03bc\u03ad\u03b3\u03b1 \u6f22\u5b57 ") +
           QString::fromUtf8("\xF0\x9F\x98\x80") +
           QStringLiteral("\n\nAfter an empty paragraph \uFFFC");
}

QTextCharFormat formatOf(const QTextDocument& document, const QString& text) {
    const QTextCursor found = document.find(text);
    if (found.isNull())
        return {};
    QTextCursor c(const_cast<QTextDocument*>(&document));
    c.setPosition(found.selectionStart() + 1); // the format of the character before
    return c.charFormat();
}

QString textOf(const QTextDocument& document) {
    QStringList blocks;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        blocks << b.text();
    return blocks.join(QLatin1Char('\n'));
}

int blockNumberOf(const QTextDocument& document, const QString& text) {
    const QTextCursor found = document.find(text);
    return found.isNull() ? -1 : found.block().blockNumber();
}

} // namespace RtfTestDocuments
