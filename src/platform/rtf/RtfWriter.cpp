#include "RtfWriter.h"

#include "RtfListLabel.h"
#include "platform/Twips.h"
#include "platform/WinColour.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextList>
#include <QUrl>

namespace {

constexpr double kDocumentDpi = 96.0; // as RtfParser reads them
// The hanging space left for a list item's bullet; RtfParser takes it back off.
constexpr int kBulletGapTwips = 360;
constexpr int kHexBytesPerLine = 64;

int twips(double pixels) {
    return qRound(Twips::fromPixels(pixels, kDocumentDpi));
}

// Word processors indent each list level by half an inch and hang the label a quarter.
constexpr int kLevelIndentTwips = 720;
constexpr int kLabelHangTwips = 360;
constexpr int kMaxLevelText = 255; // its length is one byte

const char* numberingWord(QTextListFormat::Style style) {
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
        return "pnlcltr";
    case QTextListFormat::ListUpperAlpha:
        return "pnucltr";
    case QTextListFormat::ListLowerRoman:
        return "pnlcrm";
    case QTextListFormat::ListUpperRoman:
        return "pnucrm";
    default:
        return "pndec";
    }
}

int listStart(const QTextListFormat& format) {
    return format.hasProperty(RtfListLabel::kListStart)
               ? format.intProperty(RtfListLabel::kListStart)
               : 1;
}

// The label a numbered item has with its list's first number, which Qt before 6.6 ignores.
QString labelOf(const QTextList* list, const QTextBlock& block) {
    const QTextListFormat format = list->format();
    if (!block.isValid() || !RtfListLabel::isNumbered(format.style()))
        return QString();
    const QString prefix = format.hasProperty(QTextFormat::ListNumberPrefix)
                               ? format.numberPrefix()
                               : QString();
    const QString suffix = format.hasProperty(QTextFormat::ListNumberSuffix)
                               ? format.numberSuffix()
                               : QStringLiteral(".");
    return prefix +
           RtfListLabel::number(list->itemNumber(block) + listStart(format), format.style()) +
           suffix;
}

QString hexByte(int value) {
    return QStringLiteral("\\'%1").arg(value & 0xFF, 2, 16, QLatin1Char('0'));
}

// PNG or JPEG bytes of an image resource, with the blip word that names them.
QByteArray pictureBytes(const QVariant& resource, const char** blip, QSize* size) {
    QImage image;
    if (resource.userType() == QMetaType::QByteArray) {
        const QByteArray data = resource.toByteArray();
        image = QImage::fromData(data);
        if (!image.isNull() && (data.startsWith("\xFF\xD8") || data.startsWith("\x89PNG"))) {
            *blip = data.startsWith("\xFF\xD8") ? "jpegblip" : "pngblip";
            *size = image.size();
            return data;
        }
    } else if (resource.userType() == QMetaType::QImage) {
        image = resource.value<QImage>();
    } else if (resource.userType() == QMetaType::QPixmap) {
        image = resource.value<QPixmap>().toImage();
    }
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    *blip = "pngblip";
    *size = image.size();
    return png;
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument& document) {
    RtfWriter writer(document, 0, document.characterCount() - 1);
    // An empty document is written without paragraphs, unless its paragraph is a list item.
    writer.m_hasBlocks = writer.m_hasBlocks || document.begin().textList();
    return writer.run(true);
}

QByteArray RtfWriter::writeSelection(const QTextCursor& cursor) {
    if (cursor.isNull() || !cursor.hasSelection()) {
        QTextDocument empty;
        return RtfWriter(empty, 0, 0).run(false);
    }
    return RtfWriter(*cursor.document(), cursor.selectionStart(), cursor.selectionEnd()).run(false);
}

QByteArray RtfWriter::writeFragment(const QTextDocumentFragment& fragment) {
    QTextDocument document;
    QTextCursor(&document).insertFragment(fragment);
    return write(document);
}

RtfWriter::RtfWriter(const QTextDocument& document, int from, int to)
    : m_document(document), m_from(from), m_to(to), m_hasBlocks(from < to) {}

QByteArray RtfWriter::run(bool withBackground) {
    collectTables();
    writeHeader();
    if (withBackground) {
        const QBrush brush = m_document.rootFrame()->frameFormat().background();
        if (brush.style() != Qt::NoBrush)
            writeBackground(brush.color());
    }
    if (m_hasBlocks) {
        for (QTextBlock block = m_document.findBlock(m_from); inRange(block); block = block.next())
            writeBlock(block);
    }
    m_out.close();
    m_out.newline();
    return m_out.bytes();
}

// Blocks that hold part of the range. A block starting right at the end of the
// range counts too: the range then ends with the paragraph mark before it, which
// a reader keeps only when an (empty) paragraph follows.
bool RtfWriter::inRange(const QTextBlock& block) const {
    return block.isValid() && block.position() <= m_to;
}

void RtfWriter::collectTables() {
    fontIndex(m_document.defaultFont().family());
    if (!m_hasBlocks)
        return;
    for (QTextBlock block = m_document.findBlock(m_from); inRange(block); block = block.next()) {
        stateOf(block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it)
            stateOf(it.fragment().charFormat());
    }
    collectLists();
}

// A QTextList that starts while an item of a less indented list is the last paragraph
// before it is nested in that list: it becomes the next level of the same list-table
// list, so that readers restart its numbers under each item as Qt does. A nested list
// that RTF's levels cannot express (its numbers go on under the next item, it follows
// another nested list under the same item, or its level is already defined otherwise)
// becomes a list of its own.
void RtfWriter::collectLists() {
    QList<const QTextList*> open; // the lists around the current paragraph, outermost first
    QHash<const QTextList*, QTextBlock> lastItem;
    QHash<const QTextList*, const QTextList*> parents;
    QHash<const QTextList*, int> items;
    QHash<const QTextList*, int> parentItems; // the parent's items at a nested list's last one
    QHash<const QTextList*, int> childEnd;    // a parent's items when its last child ended
    for (QTextBlock block = m_document.findBlock(m_from); inRange(block); block = block.next()) {
        const QTextList* list = block.textList();
        if (!list) {
            open.clear();
            continue;
        }
        while (!open.isEmpty() && open.last()->format().indent() >= list->format().indent())
            open.removeLast();
        const QTextList* parent = parents.value(list);
        if (!m_listPlaces.contains(list)) {
            parent = open.isEmpty() ? nullptr : open.last();
            if (parent && childEnd.contains(parent) && childEnd.value(parent) == items.value(parent))
                parent = nullptr; // under the same item as the list before: it would go on
            if (placeList(list, parent, parent ? lastItem.value(parent) : QTextBlock()))
                parents.insert(list, parent);
            else
                parent = nullptr;
        } else if (parent && items.value(parent) != parentItems.value(list)) {
            placeList(list, nullptr, QTextBlock());
            parents.remove(list);
            parent = nullptr;
        }
        open.append(list);
        lastItem.insert(list, block);
        ++items[list];
        if (parent) {
            parentItems.insert(list, items.value(parent));
            childEnd.insert(parent, items.value(parent));
        }
    }
}

// Returns whether the list was nested in the parent.
bool RtfWriter::placeList(const QTextList* list, const QTextList* parent,
                          const QTextBlock& parentItem) {
    const int deepest = int(ListDefinition().levels.size()) - 1;
    if (parent && m_listPlaces.value(parent).level < deepest) {
        const ListPlace up = m_listPlaces.value(parent);
        const ListPlace place{up.list, up.level + 1};
        const ListLevel& above = m_lists.at(up.list).levels[size_t(up.level)];
        const ListLevel wanted = levelOf(list, place.level, &above, labelOf(parent, parentItem));
        ListLevel& level = m_lists[place.list].levels[size_t(place.level)];
        if (!level.used || level == wanted) {
            level = wanted;
            m_listPlaces.insert(list, place);
            return true;
        }
    }
    m_listPlaces.insert(list, ListPlace{int(m_lists.size()), 0});
    m_lists.append(ListDefinition());
    m_lists.last().levels[0] = levelOf(list, 0, nullptr, QString());
    return false;
}

RtfWriter::ListLevel RtfWriter::levelOf(const QTextList* list, int number,
                                        const ListLevel* above, const QString& aboveLabel) {
    const QTextListFormat format = list->format();
    ListLevel level;
    level.used = true;
    level.style = format.style();
    level.start = listStart(format);
    if (!RtfListLabel::isNumbered(level.style)) {
        level.text = RtfListLabel::bulletCharacter(level.style);
        return level;
    }
    const QString prefix = format.hasProperty(QTextFormat::ListNumberPrefix)
                               ? format.numberPrefix()
                               : QString();
    const QString suffix = format.hasProperty(QTextFormat::ListNumberSuffix)
                               ? format.numberSuffix()
                               : QStringLiteral(".");
    // A prefix that repeats the item above ("2." before "2.1.") is that item's number.
    const bool nestedNumber = above && !prefix.isEmpty() &&
                              RtfListLabel::isNumbered(above->style) && aboveLabel == prefix;
    level.text =
        (nestedNumber ? above->text : prefix) + RtfListLabel::placeholder(number) + suffix;
    return level;
}

void RtfWriter::writeHeader() {
    m_out.open();
    m_out.word("rtf", 1);
    m_out.word("ansi");
    m_out.word("ansicpg", 1252);
    m_out.word("deff", 0);
    m_out.word("uc", 1);
    m_out.newline();
    m_out.open();
    m_out.word("fonttbl");
    for (int i = 0; i < m_fonts.size(); ++i) {
        m_out.open();
        m_out.word("f", i);
        m_out.word("fnil");
        m_out.word("fcharset", 0);
        QString name = m_fonts.at(i);
        m_out.text(name.replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(';'));
        m_out.close();
    }
    m_out.close();
    m_out.newline();
    m_out.open();
    m_out.word("colortbl");
    m_out.text(QStringLiteral(";")); // entry 0: the automatic colour
    for (const QColor& c : m_colors) {
        m_out.word("red", c.red());
        m_out.word("green", c.green());
        m_out.word("blue", c.blue());
        m_out.text(QStringLiteral(";"));
    }
    m_out.close();
    m_out.newline();
    writeListTable();
    m_out.word("viewkind", 4);
}

// Word processors keep a page colour as a background shape's fill colour, a
// Windows colour value (red in the low byte); \viewbksp1 asks them to show it.
void RtfWriter::writeBackground(const QColor& color) {
    const quint32 value = WinColour::fromQColor(color);
    m_out.word("viewbksp", 1);
    m_out.newline();
    m_out.raw("{\\*\\background{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright0\\shpbottom0"
              "\\shpfhdr0\\shpbxmargin\\shpbymargin\\shpwr0\\shpwrk0\\shpfblwtxt1\\shpz0"
              "\\shplid1025{\\sp{\\sn shapeType}{\\sv 1}}{\\sp{\\sn fillColor}{\\sv " +
              QByteArray::number(value) +
              "}}{\\sp{\\sn fFilled}{\\sv 1}}{\\sp{\\sn lineWidth}{\\sv 0}}"
              "{\\sp{\\sn fLine}{\\sv 0}}{\\sp{\\sn fBackground}{\\sv 1}}}}}");
    m_out.newline();
}

// Each list of the table has one override, numbered as the list: \lsN is list N.
void RtfWriter::writeListTable() {
    if (m_lists.isEmpty())
        return;
    m_out.open();
    m_out.word("*");
    m_out.word("listtable");
    for (int i = 0; i < m_lists.size(); ++i) {
        m_out.open();
        m_out.word("list");
        m_out.word("listtemplateid", i + 1);
        m_out.newline();
        const ListDefinition& list = m_lists.at(i);
        const bool numbered = RtfListLabel::isNumbered(list.levels[0].style);
        for (int n = 0; n < int(list.levels.size()); ++n) {
            ListLevel level = list.levels[size_t(n)];
            if (!level.used) { // levels nobody used: numbers, or bullets, as the list's first
                level.style = numbered ? QTextListFormat::ListDecimal : list.levels[0].style;
                level.text = numbered ? RtfListLabel::placeholder(n) + QStringLiteral(".")
                                      : QString(RtfListLabel::bulletCharacter(level.style));
            }
            writeListLevel(level, n);
        }
        m_out.open();
        m_out.word("listname");
        m_out.text(QStringLiteral(";"));
        m_out.close();
        m_out.word("listid", i + 1);
        m_out.close();
        m_out.newline();
    }
    m_out.close();
    m_out.open();
    m_out.word("*");
    m_out.word("listoverridetable");
    for (int i = 0; i < m_lists.size(); ++i) {
        m_out.open();
        m_out.word("listoverride");
        m_out.word("listid", i + 1);
        m_out.word("listoverridecount", 0);
        m_out.word("ls", i + 1);
        m_out.close();
    }
    m_out.close();
    m_out.newline();
}

void RtfWriter::writeListLevel(const ListLevel& level, int number) {
    const QString text = level.text.left(kMaxLevelText);
    m_out.open();
    m_out.word("listlevel");
    m_out.word("levelnfc", RtfListLabel::nfc(level.style));
    m_out.word("levelnfcn", RtfListLabel::nfc(level.style));
    m_out.word("leveljc", 0);
    m_out.word("levelfollow", 0);
    m_out.word("levelstartat", level.start);
    m_out.open();
    m_out.word("leveltext");
    m_out.raw(hexByte(int(text.size())).toLatin1());
    QByteArray positions;
    for (int i = 0; i < text.size(); ++i) {
        const int ref = RtfListLabel::placeholderLevel(text.at(i));
        if (ref >= 0) {
            m_out.raw(hexByte(ref).toLatin1());
            positions += hexByte(i + 1).toLatin1();
        } else {
            m_out.text(text.mid(i, 1));
        }
    }
    m_out.text(QStringLiteral(";"));
    m_out.close();
    m_out.open();
    m_out.word("levelnumbers");
    m_out.raw(positions);
    m_out.text(QStringLiteral(";"));
    m_out.close();
    m_out.word("fi", -kLabelHangTwips);
    m_out.word("li", kLevelIndentTwips * (number + 1));
    m_out.close();
    m_out.newline();
}

void RtfWriter::writeBlock(const QTextBlock& block) {
    writeParagraphFormat(block);
    if (block.textList())
        writeListLabel(block);
    bool wroteText = false;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.position() >= m_to || fragment.position() + fragment.length() <= m_from)
            continue;
        writeFragmentText(fragment);
        wroteText = true;
    }
    if (!wroteText)
        writeCharState(stateOf(block.charFormat())); // an empty line keeps its size
    m_out.word("par");
    m_out.newline();
}

void RtfWriter::writeParagraphFormat(const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    m_out.word("pard");
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        m_out.word("qc");
    else if (align & Qt::AlignJustify)
        m_out.word("qj");
    else if (align & Qt::AlignRight)
        m_out.word("qr");
    else
        m_out.word("ql");

    int levels = format.indent();
    int first = twips(format.textIndent());
    if (const QTextList* list = block.textList()) {
        levels += list->format().indent();
        first -= kBulletGapTwips;
    }
    const double indentWidth = m_document.indentWidth();
    m_out.word("li", twips(format.leftMargin() + levels * indentWidth));
    m_out.word("ri", twips(format.rightMargin()));
    m_out.word("fi", first);
    if (format.topMargin() > 0)
        m_out.word("sb", twips(format.topMargin()));
    if (format.bottomMargin() > 0)
        m_out.word("sa", twips(format.bottomMargin()));
}

// The label three times: as the list table's \ls, as text for readers without lists,
// and as \pn properties for readers that only know those.
void RtfWriter::writeListLabel(const QTextBlock& block) {
    const QTextList* list = block.textList();
    const QTextListFormat::Style style = list->format().style();
    const bool numbered = RtfListLabel::isNumbered(style);
    m_out.open();
    m_out.word("pntext");
    m_out.word("f", 0);
    m_out.text(numbered ? labelOf(list, block) : QString(RtfListLabel::bulletCharacter(style)));
    m_out.word("tab");
    m_out.close();
    m_out.open();
    m_out.word("*");
    m_out.word("pn");
    if (numbered) {
        m_out.word("pnlvlbody");
        m_out.word(numberingWord(style));
        m_out.word("pnstart", listStart(list->format()));
    } else {
        m_out.word("pnlvlblt");
    }
    m_out.word("pnf", 0);
    m_out.word("pnindent", 0);
    m_out.open();
    m_out.word(numbered ? "pntxta" : "pntxtb");
    m_out.text(numbered ? list->format().numberSuffix()
                        : QString(RtfListLabel::bulletCharacter(style)));
    m_out.close();
    m_out.close();
    const auto place = m_listPlaces.constFind(list);
    if (place != m_listPlaces.constEnd()) {
        m_out.word("ls", place->list + 1);
        m_out.word("ilvl", place->level);
    }
}

void RtfWriter::writeFragmentText(const QTextFragment& fragment) {
    const QTextCharFormat format = fragment.charFormat();
    writeCharState(stateOf(format));
    const int start = qMax(m_from - fragment.position(), 0);
    const int end = qMin(m_to - fragment.position(), fragment.length());
    const QString text = fragment.text().mid(start, end - start);
    if (!format.isImageFormat()) {
        m_out.text(text);
        return;
    }
    for (QChar c : text) {
        if (c == QChar::ObjectReplacementCharacter)
            writePicture(format.toImageFormat());
    }
}

void RtfWriter::writePicture(const QTextImageFormat& format) {
    const QVariant resource =
        m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    const char* blip = nullptr;
    QSize size;
    const QByteArray data = pictureBytes(resource, &blip, &size);
    if (data.isEmpty())
        return; // a picture we cannot find is left out rather than written empty
    double width = format.width() > 0 ? format.width() : 0;
    double height = format.height() > 0 ? format.height() : 0;
    if (width <= 0 && height <= 0) {
        width = size.width();
        height = size.height();
    } else if (width <= 0) {
        width = height * size.width() / qMax(1, size.height());
    } else if (height <= 0) {
        height = width * size.height() / qMax(1, size.width());
    }
    m_out.open();
    m_out.word("pict");
    m_out.word(blip);
    m_out.word("picw", size.width());
    m_out.word("pich", size.height());
    m_out.word("picwgoal", twips(width));
    m_out.word("pichgoal", twips(height));
    m_out.newline();
    const QByteArray hex = data.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 2 * kHexBytesPerLine) {
        m_out.raw(hex.mid(i, 2 * kHexBytesPerLine));
        m_out.newline();
    }
    m_out.close();
}

void RtfWriter::writeCharState(const CharState& s) {
    CharState& w = m_written;
    if (s.font != w.font)
        m_out.word("f", s.font);
    if (s.halfPoints != w.halfPoints)
        m_out.word("fs", s.halfPoints);
    if (s.bold != w.bold)
        s.bold ? m_out.word("b") : m_out.word("b", 0);
    if (s.italic != w.italic)
        s.italic ? m_out.word("i") : m_out.word("i", 0);
    if (s.underline != w.underline)
        m_out.word(s.underline ? "ul" : "ulnone");
    if (s.strike != w.strike)
        s.strike ? m_out.word("strike") : m_out.word("strike", 0);
    if (s.vertical != w.vertical)
        m_out.word(s.vertical > 0 ? "super" : s.vertical < 0 ? "sub" : "nosupersub");
    if (s.raise != w.raise)
        s.raise >= 0 ? m_out.word("up", s.raise) : m_out.word("dn", -s.raise);
    if (s.foreground != w.foreground)
        m_out.word("cf", s.foreground);
    if (s.background != w.background) {
        // Character shading keeps the exact colour in the word processors that know it;
        // \highlight would be rounded to one of sixteen marker colours. \cb is for
        // older readers.
        m_out.word("chshdng", 0);
        m_out.word("chcbpat", s.background);
        m_out.word("cb", s.background);
    }
    w = s;
}

QFont RtfWriter::effectiveFont(const QTextCharFormat& format) const {
    return format.font().resolve(m_document.defaultFont());
}

RtfWriter::CharState RtfWriter::stateOf(const QTextCharFormat& format) {
    const QFont font = effectiveFont(format);
    CharState s;
    const QStringList families = font.families();
    s.font = fontIndex(families.isEmpty() ? font.family() : families.first());
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0)
        points = font.pixelSize() * 72.0 / 96.0;
    s.halfPoints = points > 0 ? qBound(2, qRound(points * 2), 3276) : 24;
    s.bold = font.weight() >= QFont::DemiBold;
    s.italic = font.italic();
    s.underline = font.underline();
    s.strike = font.strikeOut();
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        s.vertical = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        s.vertical = -1;
    else if (format.hasProperty(QTextFormat::TextBaselineOffset))
        s.raise = qBound(-3276, qRound(format.baselineOffset() * s.halfPoints / 100.0), 3276);
    const QBrush foreground = format.foreground();
    if (foreground.style() != Qt::NoBrush)
        s.foreground = colorIndex(foreground.color());
    const QBrush background = format.background();
    if (background.style() != Qt::NoBrush)
        s.background = colorIndex(background.color());
    return s;
}

int RtfWriter::fontIndex(const QString& family) {
    int index = int(m_fonts.indexOf(family));
    if (index < 0) {
        m_fonts.append(family);
        index = int(m_fonts.size()) - 1;
    }
    return index;
}

// Index 0 of the written table is the automatic colour, so ours start at 1.
int RtfWriter::colorIndex(const QColor& color) {
    const QColor opaque(color.red(), color.green(), color.blue());
    int index = int(m_colors.indexOf(opaque));
    if (index < 0) {
        m_colors.append(opaque);
        index = int(m_colors.size()) - 1;
    }
    return index + 1;
}
