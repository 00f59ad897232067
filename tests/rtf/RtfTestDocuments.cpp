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
    f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    run(c, QStringLiteral("lowered"), f);
    run(c, QStringLiteral(" "));
    f = {};
    f.setBaselineOffset(25); // \up6: a quarter of 12 points
    f.setFontPointSize(12);
    run(c, QStringLiteral("up"), f);
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
               "plain bold italic underlined struck red highlighted large mono raised lowered up "
               "bolditalicblue\nCentred line\nRight line\nJustified line\nIndented paragraph\n"
               "First bullet\nSecond bullet\nNumbered one\nNumbered two\n"
               "Specials: \\ { } tab\there\u2028caf\u00e9 \u20ac \u201cquoted\u201d "
               "\u03a9\u03bc\u03ad\u03b3\u03b1 \u6f22\u5b57 ") +
           QString::fromUtf8("\xF0\x9F\x98\x80") +
           QStringLiteral("\n\nAfter an empty paragraph \uFFFC");
}

void fillNestedLists(QTextDocument* document) {
    document->clear();
    QTextCursor c(document);
    using S = QTextListFormat::Style;
    // Each paragraph: a new list of this style and indent, the list of an earlier line to go
    // on with (by its line), or no list (Undefined with no earlier line).
    const struct {
        const char* text;
        S style;
        int indent;
        int continues;
        const char* prefix;
        const char* suffix;
    } paragraphs[] = {
        {"Intro", S::ListStyleUndefined, 0, -1, "", ""},
        {"One", S::ListDecimal, 1, -1, "", "."},
        {"One a", S::ListLowerAlpha, 2, -1, "", ")"},
        {"One a i", S::ListLowerRoman, 3, -1, "", "."},
        {"One a ii", S::ListLowerRoman, 3, 3, "", ""},
        {"One b", S::ListLowerAlpha, 2, 2, "", ""},
        {"Two", S::ListDecimal, 1, 1, "", ""},
        {"Between", S::ListStyleUndefined, 0, -1, "", ""},
        {"Three", S::ListDecimal, 1, 1, "", ""},
        {"Dot", S::ListDisc, 1, -1, "", ""},
        {"Circle", S::ListCircle, 2, -1, "", ""},
        {"Roman one", S::ListUpperRoman, 1, -1, "", "."},
        {"Roman two", S::ListUpperRoman, 1, 11, "", ""},
        {"After", S::ListStyleUndefined, 0, -1, "", ""},
        {"Restarted", S::ListDecimal, 1, -1, "", "."},
        {"Section", S::ListDecimal, 2, -1, "1.", "."},
        {"Section two", S::ListDecimal, 2, 15, "", ""},
        {"End", S::ListStyleUndefined, 0, -1, "", ""}};
    QList<QTextList*> lists;
    for (const auto& p : paragraphs) {
        if (!lists.isEmpty())
            c.insertBlock(QTextBlockFormat());
        c.insertText(QString::fromUtf8(p.text));
        QTextList* list = nullptr;
        if (p.continues >= 0) {
            list = lists.at(p.continues);
            list->add(c.block());
        } else if (p.style != S::ListStyleUndefined) {
            QTextListFormat format;
            format.setStyle(p.style);
            format.setIndent(p.indent);
            format.setNumberPrefix(QString::fromUtf8(p.prefix));
            format.setNumberSuffix(QString::fromUtf8(p.suffix));
            list = c.createList(format);
        }
        lists << list;
    }
}

QStringList nestedListLines() {
    return {QStringLiteral("Intro"),
            QStringLiteral("1. One"),
            QStringLiteral("  a) One a"),
            QStringLiteral("    i. One a i"),
            QStringLiteral("    ii. One a ii"),
            QStringLiteral("  b) One b"),
            QStringLiteral("2. Two"),
            QStringLiteral("Between"),
            QStringLiteral("3. Three"),
            QStringLiteral("\u2022 Dot"),
            QStringLiteral("  \u25e6 Circle"),
            QStringLiteral("I. Roman one"),
            QStringLiteral("II. Roman two"),
            QStringLiteral("After"),
            QStringLiteral("1. Restarted"),
            QStringLiteral("  1.1. Section"),
            QStringLiteral("  1.2. Section two"),
            QStringLiteral("End")};
}

QStringList labelledLines(const QTextDocument& document) {
    QStringList lines;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextList* list = b.textList();
        if (!list) {
            lines << b.text();
            continue;
        }
        QString label;
        switch (list->format().style()) {
        case QTextListFormat::ListDisc:
            label = QString(QChar(0x2022));
            break;
        case QTextListFormat::ListCircle:
            label = QString(QChar(0x25E6));
            break;
        case QTextListFormat::ListSquare:
            label = QString(QChar(0x25AA));
            break;
        default:
            label = list->itemText(b);
        }
        lines << QString(2 * (list->format().indent() - 1), QLatin1Char(' ')) + label +
                     QLatin1Char(' ') + b.text();
    }
    return lines;
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
