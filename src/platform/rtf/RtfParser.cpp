#include "RtfParser.h"

#include "RtfCodepage.h"
#include "RtfListLabel.h"
#include "platform/Twips.h"
#include "platform/WinColour.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include <algorithm>

namespace {

using Kind = RtfTokenizer::Kind;

// Document pixels are taken at 96 per inch whatever the screen, so that a file
// reads back to the same layout everywhere.
constexpr double kDocumentDpi = 96.0;
constexpr int kMaxTwips = 31680; // 22 inches: the widest page word processors allow
constexpr int kMaxPicturePixelsAcross = 20000;
constexpr int kMaxCollectedText = 1024; // bullet texts, shape values
constexpr int kMaxFontName = 256;
constexpr int kMaxErrorLength = 500;

// The hanging space RtfWriter leaves for the bullet of a list item.
constexpr int kBulletGapTwips = 360;

int clampTwips(int value) {
    return qBound(-kMaxTwips, value, kMaxTwips);
}

double pixels(int twips) {
    return Twips::toPixels(twips, kDocumentDpi);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Groups whose content is never document text.
const QSet<QByteArray>& skippedDestinations() {
    // clang-format off
    static const QSet<QByteArray> words = {
        "aftncn", "aftnsep", "aftnsepc", "annotation", "atnauthor", "atnid", "author",
        "bkmkend", "bkmkstart", "buptim", "colorschememapping", "comment", "company",
        "creatim", "datastore", "docvar", "doccomm", "falt", "filetbl", "fldinst", "footer",
        "footerf", "footerl", "footerr", "footnote", "ftncn", "ftnsep", "ftnsepc", "generator",
        "header", "headerf", "headerl", "headerr", "info", "keywords", "latentstyles",
        "levelnumbers", "listname", "listpicture", "liststylename", "mmathPr", "nonesttables",
        "nonshppict", "objclass", "objdata", "operator", "panose", "pgdsctbl", "pnseclvl",
        "printim", "private",
        "revtbl", "revtim", "rsidtbl", "stylesheet", "subject", "tc", "template", "themedata",
        "title", "txe", "userprops", "xe", "xmlnstbl"};
    // clang-format on
    return words;
}

// Destinations whose content is read like the text around them.
const QSet<QByteArray>& transparentDestinations() {
    // Nested tables: their \nestrow is inside \nesttableprops; \nonesttables holds the
    // same text again for readers without nested tables, and is skipped.
    static const QSet<QByteArray> words = {"field",   "fldrslt", "nesttableprops", "object",
                                           "result",  "shppict", "shprslt",        "ud"};
    return words;
}

} // namespace

bool RtfParser::CharState::operator==(const CharState& o) const {
    return font == o.font && halfPoints == o.halfPoints && bold == o.bold && italic == o.italic &&
           underline == o.underline && strike == o.strike && hidden == o.hidden &&
           vertical == o.vertical && raise == o.raise && foreground == o.foreground &&
           background == o.background;
}

RtfParser::RtfParser(const QByteArray& rtf, QTextCursor& cursor) : m_tokens(rtf), m_cursor(cursor) {
    m_stack.emplace_back(); // the state outside the outermost group
}

void RtfParser::run() {
    // Inside an edit block the cursor does not lay out the paragraph after every
    // insertion, which would make long paragraphs with many runs quadratic.
    m_cursor.beginEditBlock();
    while (!m_finished) {
        const RtfTokenizer::Token token = m_tokens.next();
        if (token.kind == Kind::End)
            break;
        handle(token);
    }
    if (!m_finished) {
        note(QStringLiteral("The RTF ends before all its groups are closed; it may be "
                            "truncated."));
        finishDocument();
    }
    m_cursor.endEditBlock();
}

void RtfParser::finishDocument() {
    m_finished = true;
    flushBytes();
    flushText();
    // A final paragraph mark ends the last paragraph; it does not start another.
    if (!m_breakPending)
        finishParagraph();
}

void RtfParser::handle(const RtfTokenizer::Token& token) {
    if (m_skipDepth > 0) {
        if (token.kind == Kind::GroupStart)
            ++m_skipDepth;
        else if (token.kind == Kind::GroupEnd)
            --m_skipDepth;
        else if (token.kind == Kind::ControlWord && token.word == "bin" && token.hasParam)
            m_tokens.takeBinary(token.param);
        return;
    }
    switch (token.kind) {
    case Kind::GroupStart:
    case Kind::GroupEnd:
        flushBytes();
        m_unicodeSkipLeft = 0;
        if (token.kind == Kind::GroupStart)
            groupStart();
        else
            groupEnd();
        return;
    case Kind::ControlWord:
    case Kind::ControlSymbol:
        if (m_unicodeSkipLeft > 0) {
            // A skipped fallback character may itself be \binN with its data.
            --m_unicodeSkipLeft;
            if (token.kind == Kind::ControlWord && token.word == "bin" && token.hasParam)
                m_tokens.takeBinary(token.param);
            return;
        }
        flushBytes();
        if (token.kind == Kind::ControlWord)
            controlWord(token);
        else
            controlSymbol(token.symbol);
        return;
    case Kind::HexByte:
        text(QByteArray(1, char(token.byte)));
        return;
    case Kind::Text:
        text(token.text);
        return;
    case Kind::End:
        return;
    }
}

void RtfParser::groupStart() {
    if (int(m_stack.size()) > kMaxDepth) {
        note(QStringLiteral("Groups nested deeper than %1 levels were left out.").arg(kMaxDepth));
        m_skipDepth = 1;
        return;
    }
    if (top().skipNextGroup) {
        top().skipNextGroup = false;
        m_skipDepth = 1;
        return;
    }
    GroupState state = top();
    state.starred = false;
    state.pictureOwner = false;
    m_stack.push_back(state);
}

void RtfParser::groupEnd() {
    if (m_stack.size() <= 1)
        return;
    if (m_stack.size() == 2) {
        finishDocument(); // whatever follows the outermost group is not part of the file
        return;
    }
    const GroupState left = top();
    m_stack.pop_back();
    leaveGroup(left);
}

void RtfParser::leaveGroup(const GroupState& left) {
    const Destination outer = top().destination;
    switch (left.destination) {
    case Destination::FontTable:
        if (m_fontNumber >= 0 && !m_fontName.trimmed().isEmpty())
            commitFont();
        break;
    case Destination::Picture:
        if (left.pictureOwner && outer == Destination::Body && !left.inBackground)
            insertPicture(m_picture);
        break;
    case Destination::ListText:
    case Destination::ListProps:
    case Destination::PnBefore:
    case Destination::PnAfter:
    case Destination::ListDef:
    case Destination::ListLevel:
    case Destination::LevelText:
    case Destination::Override:
    case Destination::OverrideLevel:
        if (outer != left.destination)
            leaveListGroup(left, outer);
        break;
    case Destination::ShapeName:
        if (outer != Destination::ShapeName)
            m_shapeName = m_shapeText.trimmed();
        break;
    case Destination::ShapeValue:
        if (outer != Destination::ShapeValue)
            shapeValueDone();
        break;
    default:
        break;
    }
}

void RtfParser::leaveListGroup(const GroupState& left, Destination outer) {
    switch (left.destination) {
    case Destination::ListText:
        // Some writers put the label before the \pard of its paragraph: it is kept apart
        // from the paragraph state until the paragraph ends.
        m_pendingLabel = m_listText;
        top().para.labelled = true;
        break;
    case Destination::ListProps:
        top().para.legacy = left.para.legacy;
        if (top().para.legacy.style == QTextListFormat::ListStyleUndefined)
            top().para.legacy.style = QTextListFormat::ListDisc;
        break;
    case Destination::PnBefore:
        top().para.legacy.before = m_pnText;
        top().para.legacy.hasBefore = true;
        break;
    case Destination::PnAfter:
        top().para.legacy.after = m_pnText;
        top().para.legacy.hasAfter = true;
        break;
    case Destination::LevelText:
        m_level.text = RtfListTable::levelText(m_levelText);
        break;
    case Destination::ListLevel:
        if (outer == Destination::ListDef && m_listLevels.size() < RtfListTable::kLevels)
            m_listLevels.append(m_level);
        else if (outer == Destination::OverrideLevel)
            m_overrideStart = m_level.start;
        break;
    case Destination::ListDef:
        m_listTable.addList(m_listId, m_listLevels);
        break;
    case Destination::OverrideLevel:
        if (m_overrideHasStart && m_overrideLevel < RtfListTable::kLevels)
            m_overrideStarts.insert(m_overrideLevel, m_overrideStart);
        ++m_overrideLevel;
        break;
    case Destination::Override:
        m_listTable.addOverride(m_overrideLs, m_overrideListId, m_overrideStarts);
        break;
    default:
        break;
    }
}

void RtfParser::skipRestOfGroup() {
    if (m_stack.size() <= 2) {
        top().starred = false; // never drop the whole document
        return;
    }
    m_stack.pop_back();
    m_skipDepth = 1;
}

void RtfParser::controlWord(const RtfTokenizer::Token& token) {
    const QByteArray& word = token.word;
    if (top().starred) {
        top().starred = false;
        if (!destinationWord(word))
            skipRestOfGroup();
        return;
    }
    if (destinationWord(word))
        return;
    if (word == "u") {
        if (token.hasParam)
            unicode(token.param);
        return;
    }
    if (word == "uc") {
        top().unicodeSkip = qBound(0, token.param, 16);
        return;
    }
    if (word == "bin") {
        binary(token.hasParam ? token.param : 0);
        return;
    }
    const Destination destination = top().destination;
    if (destination == Destination::FontTable && fontTableWord(word, token.param))
        return;
    if (destination == Destination::ColorTable && colorTableWord(word, token.param))
        return;
    if (destination == Destination::Picture && pictureWord(word, token.param))
        return;
    if (listTableWord(word, token.param))
        return;
    if (characterWord(word, token.hasParam, token.param) ||
        paragraphWord(word, token.hasParam, token.param) || specialCharacterWord(word) ||
        tableWord(word))
        return;
    documentWord(word, token.param);
}

void RtfParser::controlSymbol(char symbol) {
    switch (symbol) {
    case '*':
        top().starred = true;
        return;
    case '\\':
    case '{':
    case '}':
        text(QByteArray(1, symbol));
        return;
    case '~':
        deliver(QString(QChar(0x00A0)));
        return;
    case '-':
        deliver(QString(QChar(0x00AD)));
        return;
    case '_':
        deliver(QString(QChar(0x2011)));
        return;
    case '\n':
        if (top().destination == Destination::Body)
            endParagraph();
        return;
    case '\t':
        deliver(QStringLiteral("\t"));
        return;
    default:
        return; // \: \| and unknown symbols carry nothing we show
    }
}

bool RtfParser::destinationWord(const QByteArray& word) {
    GroupState& state = top();
    if (skippedDestinations().contains(word)) {
        skipRestOfGroup();
        return true;
    }
    if (transparentDestinations().contains(word))
        return true;
    if (word == "upr") {
        state.skipNextGroup = true; // {\upr{ANSI text}{\*\ud{the same in Unicode}}}
    } else if (word == "fonttbl") {
        state.destination = Destination::FontTable;
        m_fontNumber = -1;
        m_fontName.clear();
    } else if (word == "colortbl") {
        state.destination = Destination::ColorTable;
        m_colorSet = false;
        m_red = m_green = m_blue = 0;
    } else if (word == "pict") {
        if (state.destination != Destination::Picture) {
            state.destination = Destination::Picture;
            state.pictureOwner = true;
            m_picture = PictureState();
        }
    } else if (word == "pntext" || word == "listtext") {
        state.destination = Destination::ListText;
        m_listText.clear();
    } else if (word == "pn") {
        state.destination = Destination::ListProps;
        state.para.legacy = LegacyList();
        state.para.legacy.on = true;
    } else if (word == "pntxtb" || word == "pntxta") {
        state.destination = word == "pntxtb" ? Destination::PnBefore : Destination::PnAfter;
        m_pnText.clear();
    } else if (listTableDestination(word)) {
        return true;
    } else if (word == "background") {
        state.destination = Destination::Background;
        state.inBackground = true;
    } else if (word == "shp" || word == "shpinst" || word == "sp" || word == "sn" || word == "sv") {
        return shapeWord(word);
    } else {
        return false;
    }
    return true;
}

// The list table's groups, each only where it belongs.
bool RtfParser::listTableDestination(const QByteArray& word) {
    GroupState& state = top();
    const Destination here = state.destination;
    if (word == "listtable") {
        state.destination = Destination::ListTable;
    } else if (word == "list" && here == Destination::ListTable) {
        state.destination = Destination::ListDef;
        m_listLevels.clear();
        m_listId = 0;
    } else if (word == "listlevel" &&
               (here == Destination::ListDef || here == Destination::OverrideLevel)) {
        state.destination = Destination::ListLevel;
        m_level = RtfListTable::Level();
    } else if (word == "leveltext" && here == Destination::ListLevel) {
        state.destination = Destination::LevelText;
        m_levelText.clear();
    } else if (word == "listoverridetable") {
        state.destination = Destination::OverrideTable;
    } else if (word == "listoverride" && here == Destination::OverrideTable) {
        state.destination = Destination::Override;
        m_overrideLs = 0;
        m_overrideListId = 0;
        m_overrideStarts.clear();
        m_overrideLevel = 0;
    } else if (word == "lfolevel" && here == Destination::Override) {
        state.destination = Destination::OverrideLevel;
        m_overrideHasStart = false;
        m_overrideStart = 1;
    } else {
        return false;
    }
    return true;
}

bool RtfParser::listTableWord(const QByteArray& word, int param) {
    switch (top().destination) {
    case Destination::ListDef:
        if (word != "listid")
            return false;
        m_listId = param;
        return true;
    case Destination::ListLevel:
        if (word == "levelnfc")
            m_level.nfc = param;
        else if (word == "levelstartat")
            m_level.start = qBound(0, param, 32767);
        else
            return false;
        return true;
    case Destination::Override:
        if (word == "listid")
            m_overrideListId = param;
        else if (word == "ls")
            m_overrideLs = param;
        else
            return false;
        return true;
    case Destination::OverrideLevel:
        if (word == "listoverridestartat")
            m_overrideHasStart = true;
        else if (word == "levelstartat")
            m_overrideStart = qBound(0, param, 32767);
        else
            return false;
        return true;
    default:
        return false;
    }
}

bool RtfParser::shapeWord(const QByteArray& word) {
    GroupState& state = top();
    if (word == "shp")
        return true; // its \shprslt holds what to show when shapes are not understood
    if (!state.inBackground) {
        skipRestOfGroup(); // drawing shapes in the text: we show their \shprslt
        return true;
    }
    if (word == "sn" || word == "sv") {
        state.destination = word == "sn" ? Destination::ShapeName : Destination::ShapeValue;
        m_shapeText.clear();
    }
    return true;
}

bool RtfParser::characterWord(const QByteArray& word, bool hasParam, int param) {
    CharState& chr = top().chr;
    const bool on = !hasParam || param != 0;
    if (word == "plain") {
        chr = CharState();
    } else if (word == "b") {
        chr.bold = on;
    } else if (word == "i") {
        chr.italic = on;
    } else if (word == "strike" || word == "striked") {
        chr.strike = on;
    } else if (word == "v") {
        chr.hidden = on;
    } else if (word == "ulnone") {
        chr.underline = false;
    } else if (word.startsWith("ul") && word != "ulc") {
        chr.underline = on; // \ul, \uldb, \ulw, \ulwave, ...: all shown as one underline
    } else if (word == "f") {
        if (hasParam)
            chr.font = param;
    } else if (word == "fs") {
        chr.halfPoints = hasParam ? qBound(2, param, 3276) : 24;
    } else if (word == "cf") {
        chr.foreground = qMax(0, param);
    } else if (word == "cb" || word == "highlight" || word == "chcbpat") {
        chr.background = qMax(0, param);
    } else if (word == "super") {
        chr.vertical = 1;
    } else if (word == "sub") {
        chr.vertical = -1;
    } else if (word == "nosupersub") {
        chr.vertical = 0;
    } else if (word == "up" || word == "dn") {
        const int halfPoints = hasParam ? qBound(-3276, param, 3276) : 6;
        chr.raise = word == "up" ? halfPoints : -halfPoints;
    } else {
        return false;
    }
    return true;
}

bool RtfParser::paragraphWord(const QByteArray& word, bool hasParam, int param) {
    ParaState& para = top().para;
    if (word == "pard") {
        para = ParaState();
    } else if (word == "ql") {
        para.alignment = Qt::AlignLeft;
    } else if (word == "qc") {
        para.alignment = Qt::AlignHCenter;
    } else if (word == "qr") {
        para.alignment = Qt::AlignRight;
    } else if (word == "qj" || word == "qd") {
        para.alignment = Qt::AlignJustify;
    } else if (word == "li" || word == "lin") {
        para.leftTwips = clampTwips(param);
    } else if (word == "ri" || word == "rin") {
        para.rightTwips = clampTwips(param);
    } else if (word == "fi") {
        para.firstTwips = clampTwips(param);
    } else if (word == "sb") {
        para.beforeTwips = qBound(0, param, kMaxTwips);
    } else if (word == "sa") {
        para.afterTwips = qBound(0, param, kMaxTwips);
    } else if (word == "ls") {
        para.ls = hasParam ? qMax(0, param) : 0;
    } else if (word == "ilvl") {
        para.ilvl = qBound(0, param, RtfListTable::kLevels - 1);
    } else {
        return listWord(word, hasParam, param);
    }
    return true;
}

// The older list properties (\pn), which may also stand in the paragraph itself.
bool RtfParser::listWord(const QByteArray& word, bool hasParam, int param) {
    static const QHash<QByteArray, QTextListFormat::Style> styles = {
        {"pndec", QTextListFormat::ListDecimal},      {"pnucltr", QTextListFormat::ListUpperAlpha},
        {"pnlcltr", QTextListFormat::ListLowerAlpha}, {"pnucrm", QTextListFormat::ListUpperRoman},
        {"pnlcrm", QTextListFormat::ListLowerRoman},  {"pncard", QTextListFormat::ListDecimal},
        {"pnord", QTextListFormat::ListDecimal},      {"pnordt", QTextListFormat::ListDecimal}};
    LegacyList& legacy = top().para.legacy;
    const auto it = styles.constFind(word);
    if (it != styles.constEnd()) {
        legacy.style = it.value();
    } else if (word == "pnlvlblt") {
        legacy.style = QTextListFormat::ListDisc;
        legacy.level = 0;
    } else if (word == "pnlvlbody") {
        if (!RtfListLabel::isNumbered(legacy.style))
            legacy.style = QTextListFormat::ListDecimal;
        legacy.level = 0;
    } else if (word == "pnlvl") {
        legacy.level = hasParam ? qBound(0, param - 1, RtfListTable::kLevels - 1) : 0;
    } else if (word == "pnlvlcont") {
        legacy = LegacyList(); // a paragraph inside an item, without a label of its own
        return true;
    } else if (word == "pnstart") {
        legacy.start = qBound(0, param, 32767);
    } else {
        return false;
    }
    legacy.on = true;
    return true;
}

bool RtfParser::specialCharacterWord(const QByteArray& word) {
    static const QHash<QByteArray, char16_t> characters = {
        {"line", 0x2028},      {"tab", u'\t'},      {"emdash", 0x2014},  {"endash", 0x2013},
        {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},  {"ldblquote", 0x201C},
        {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002}, {"qmspace", 0x2005},
        {"zwj", 0x200D},       {"zwnj", 0x200C},    {"ltrmark", 0x200E}, {"rtlmark", 0x200F}};
    if (word == "par" || word == "sect" || word == "page") {
        if (top().destination == Destination::Body)
            endParagraph();
        return true;
    }
    const auto it = characters.constFind(word);
    if (it == characters.constEnd())
        return false;
    deliver(QString(QChar(it.value())));
    return true;
}

bool RtfParser::tableWord(const QByteArray& word) {
    if (top().destination != Destination::Body)
        return false;
    if (word == "cell" || word == "nestcell") {
        // Cells become tab-separated text; the separator is written only when
        // another cell follows, so a row does not end in a tab.
        if (m_cellPending)
            bodyText(QString());
        m_cellPending = true;
        return true;
    }
    if (word == "row" || word == "nestrow") {
        m_cellPending = false;
        endParagraph();
        return true;
    }
    return false;
}

bool RtfParser::documentWord(const QByteArray& word, int param) {
    if (word == "ansi")
        m_ansiCodepage = RtfCodepage::Windows1252;
    else if (word == "mac")
        m_ansiCodepage = 10000;
    else if (word == "pc")
        m_ansiCodepage = 437;
    else if (word == "pca")
        m_ansiCodepage = 850;
    else if (word == "ansicpg")
        m_ansiCodepage = param > 0 && param < 100000 ? param : RtfCodepage::Windows1252;
    else if (word == "deff")
        m_defaultFont = param;
    else
        return false;
    return true;
}

bool RtfParser::fontTableWord(const QByteArray& word, int param) {
    if (word == "f") {
        if (m_fontNumber >= 0 && !m_fontName.trimmed().isEmpty())
            commitFont();
        m_fontNumber = param;
        m_fontCharset = 0;
        m_fontName.clear();
        return true;
    }
    if (word == "fcharset") {
        m_fontCharset = param;
        return true;
    }
    return false;
}

bool RtfParser::colorTableWord(const QByteArray& word, int param) {
    const int component = qBound(0, param, 255);
    if (word == "red")
        m_red = component;
    else if (word == "green")
        m_green = component;
    else if (word == "blue")
        m_blue = component;
    else
        return false;
    m_colorSet = true;
    return true;
}

bool RtfParser::pictureWord(const QByteArray& word, int param) {
    PictureState& p = m_picture;
    if (word == "pngblip") {
        p.format = "PNG";
    } else if (word == "jpegblip") {
        p.format = "JPG";
    } else if (word == "emfblip" || word == "wmetafile" || word == "macpict" ||
               word == "pmmetafile" || word == "dibitmap" || word == "wbitmap") {
        p.format.clear(); // metafiles and device bitmaps: not shown
    } else if (word == "picw") {
        p.pixelWidth = param;
    } else if (word == "pich") {
        p.pixelHeight = param;
    } else if (word == "picwgoal") {
        p.goalWidth = qBound(0, param, kMaxTwips);
    } else if (word == "pichgoal") {
        p.goalHeight = qBound(0, param, kMaxTwips);
    } else if (word == "picscalex") {
        p.scaleX = qBound(1, param, 1000);
    } else if (word == "picscaley") {
        p.scaleY = qBound(1, param, 1000);
    } else {
        return false;
    }
    return true;
}

void RtfParser::binary(int count) {
    const QByteArray data = m_tokens.takeBinary(count);
    if (top().destination == Destination::Picture)
        m_picture.data.append(data);
}

void RtfParser::text(const QByteArray& run) {
    QByteArray b = run;
    if (m_unicodeSkipLeft > 0) {
        const int n = int(qMin<qsizetype>(m_unicodeSkipLeft, b.size()));
        b.remove(0, n);
        m_unicodeSkipLeft -= n;
        if (b.isEmpty())
            return;
    }
    if (top().starred) {
        skipRestOfGroup();
        return;
    }
    switch (top().destination) {
    case Destination::ColorTable:
        colorTableText(b);
        return;
    case Destination::Picture:
        pictureText(b);
        return;
    case Destination::Body:
    case Destination::FontTable:
    case Destination::ListText:
    case Destination::PnBefore:
    case Destination::PnAfter:
    case Destination::LevelText:
    case Destination::ShapeName:
    case Destination::ShapeValue:
        bytes(b);
        return;
    default:
        return;
    }
}

void RtfParser::bytes(const QByteArray& b) {
    const int codepage = currentCodepage();
    if (!m_pendingBytes.isEmpty() && codepage != m_pendingCodepage)
        flushBytes();
    m_pendingCodepage = codepage;
    m_pendingBytes.append(b);
}

// Bytes are decoded together so that double-byte characters written as two
// \'hh escapes come out whole.
void RtfParser::flushBytes() {
    if (m_pendingBytes.isEmpty())
        return;
    const QString decoded = RtfCodepage::decode(m_pendingBytes, m_pendingCodepage);
    m_pendingBytes.clear();
    deliver(decoded);
}

void RtfParser::unicode(int value) {
    const qint64 unit = value < 0 ? qint64(value) + 65536 : value;
    const char16_t c = (unit >= 0 && unit <= 0xFFFF) ? char16_t(unit) : char16_t(0xFFFD);
    deliver(QString(QChar(c)));
    m_unicodeSkipLeft = top().unicodeSkip;
}

void RtfParser::deliver(const QString& s) {
    switch (top().destination) {
    case Destination::Body:
        bodyText(s);
        return;
    case Destination::FontTable:
        fontTableText(s);
        return;
    case Destination::ListText:
        if (m_listText.size() < kMaxCollectedText)
            m_listText += s;
        return;
    case Destination::PnBefore:
    case Destination::PnAfter:
        if (m_pnText.size() < kMaxCollectedText)
            m_pnText += s;
        return;
    case Destination::LevelText:
        if (m_levelText.size() < kMaxCollectedText)
            m_levelText += s;
        return;
    case Destination::ShapeName:
    case Destination::ShapeValue:
        if (m_shapeText.size() < kMaxCollectedText)
            m_shapeText += s;
        return;
    default:
        return;
    }
}

void RtfParser::bodyText(const QString& s) {
    if (top().chr.hidden)
        return;
    beginContent();
    if (m_textState != top().chr)
        flushText();
    m_textState = top().chr;
    if (m_cellPending) {
        m_cellPending = false;
        m_text += QLatin1Char('\t');
    }
    for (QChar c : s) {
        switch (c.unicode()) {
        case u'\n':
        case u'\r':
        case 0x2029:
            // Paragraphs come only from paragraph marks; stray breaks become line breaks.
            m_text += QChar(0x2028);
            break;
        case 0xFDD0: // QTextDocument's own frame markers must never appear as text
        case 0xFDD1:
        case 0xFFFC: // nor its placeholder for images
            m_text += QChar(0xFFFD);
            break;
        default:
            // Control characters are what decoders put for bytes they could not map.
            m_text += (c.unicode() < 0x20 && c != QLatin1Char('\t')) ? QChar(0xFFFD) : c;
        }
    }
}

void RtfParser::flushText() {
    if (m_text.isEmpty())
        return;
    const QTextCharFormat format = charFormat(m_textState);
    // A paragraph's own character format is that of its first text: a list label is drawn
    // in it, so a label comes out in the size and face of its item.
    if (m_cursor.atBlockStart() && m_cursor.block().length() == 1)
        m_cursor.setBlockCharFormat(format);
    m_cursor.insertText(m_text, format);
    m_text.clear();
}

void RtfParser::beginContent() {
    if (!m_breakPending)
        return;
    flushText();
    m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    m_breakPending = false;
}

void RtfParser::endParagraph() {
    beginContent(); // a paragraph mark right after another one: an empty paragraph
    m_cellPending = false;
    flushText();
    finishParagraph();
    m_breakPending = true;
}

void RtfParser::finishParagraph() {
    const ParaState& para = top().para;
    const std::optional<RtfListBuilder::Item> item = listItem(para);
    double left = pixels(para.leftTwips);
    double first = pixels(para.firstTwips);
    if (item) {
        // The list's own indent makes up part of the file's left indent.
        left = qMax(0.0, left - (item->level + 1) * m_cursor.document()->indentWidth());
        first += pixels(kBulletGapTwips);
    }
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    format.setLeftMargin(left);
    format.setTextIndent(first);
    format.setRightMargin(pixels(para.rightTwips));
    format.setTopMargin(pixels(para.beforeTwips));
    format.setBottomMargin(pixels(para.afterTwips));
    m_cursor.setBlockFormat(format);
    // A label belongs to its paragraph alone; the list properties go on until \pard.
    m_pendingLabel.clear();
    top().para.labelled = false;
    if (item)
        m_lists.add(m_cursor, *item);
}

// What list, if any, a paragraph belongs to: the list table wins over the older \pn
// properties, and those over a bare label.
std::optional<RtfListBuilder::Item> RtfParser::listItem(const ParaState& para) {
    if (para.ls > 0) {
        const std::optional<RtfListTable::Item> defined = m_listTable.item(para.ls, para.ilvl);
        if (defined) {
            if (defined->style == QTextListFormat::ListStyleUndefined)
                return std::nullopt; // a level without a label: an indented paragraph
            RtfListBuilder::Item item;
            item.sequence = defined->sequence;
            item.level = defined->level;
            item.style = defined->style;
            item.start = defined->start;
            item.text = defined->text;
            return item;
        }
    }
    if (para.legacy.on)
        return legacyItem(para.legacy);
    if (para.ls > 0 || para.labelled)
        return labelItem(para.ilvl);
    return std::nullopt;
}

RtfListBuilder::Item RtfParser::legacyItem(const LegacyList& legacy) {
    constexpr qint64 kLegacySequence = -1;
    RtfListBuilder::Item item;
    item.sequence = kLegacySequence;
    item.level = legacy.level;
    item.start = legacy.start;
    if (!RtfListLabel::isNumbered(legacy.style)) {
        item.style = RtfListLabel::bulletStyle(legacy.hasBefore ? legacy.before : m_pendingLabel);
        return item;
    }
    item.style = legacy.style;
    const RtfListBuilder::Next next = m_lists.next(kLegacySequence, legacy.level);
    const RtfListLabel::Parsed shown = RtfListLabel::parse(m_pendingLabel, next.style, next.number);
    // The label the file shows is the truth about the number; \pntxtb and \pntxta say
    // what surrounds it where the label is missing.
    const bool matches = shown.number > 0 && shown.style == legacy.style;
    const QString before = legacy.hasBefore ? legacy.before : matches ? shown.prefix : QString();
    const QString after = legacy.hasAfter ? legacy.after : matches ? shown.suffix : QString();
    item.text = before + RtfListLabel::placeholder(item.level) + after;
    item.shownNumber = matches ? shown.number : 0;
    return item;
}

// A paragraph known as a list item only by the label shown before it.
RtfListBuilder::Item RtfParser::labelItem(int level) {
    constexpr qint64 kLabelSequence = -2;
    RtfListBuilder::Item item;
    item.sequence = kLabelSequence;
    item.level = level;
    const RtfListBuilder::Next next = m_lists.next(kLabelSequence, level);
    const RtfListLabel::Parsed shown = RtfListLabel::parse(m_pendingLabel, next.style, next.number);
    item.style = shown.style;
    item.text = shown.prefix + RtfListLabel::placeholder(level) + shown.suffix;
    item.shownNumber = shown.number;
    return item;
}

// A semicolon ends each font's entry.
void RtfParser::fontTableText(const QString& s) {
    for (QChar c : s) {
        if (c == QLatin1Char(';'))
            commitFont();
        else if (m_fontName.size() < kMaxFontName)
            m_fontName += c;
    }
}

void RtfParser::commitFont() {
    if (m_fontNumber >= 0 &&
        (m_fonts.size() < kMaxTableEntries || m_fonts.contains(m_fontNumber))) {
        FontEntry entry;
        entry.codepage = RtfCodepage::codepageForCharset(m_fontCharset);
        entry.name = m_fontName.trimmed();
        m_fonts.insert(m_fontNumber, entry);
    }
    m_fontNumber = -1;
    m_fontName.clear();
}

void RtfParser::colorTableText(const QByteArray& b) {
    for (char c : b) {
        if (c != ';')
            continue;
        if (m_colors.size() < kMaxTableEntries)
            m_colors.append(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
        m_colorSet = false;
        m_red = m_green = m_blue = 0;
    }
}

void RtfParser::pictureText(const QByteArray& b) {
    for (char c : b) {
        const int v = hexValue(c);
        if (v < 0)
            continue;
        if (m_picture.pendingNibble < 0) {
            m_picture.pendingNibble = v;
        } else {
            m_picture.data.append(char(m_picture.pendingNibble * 16 + v));
            m_picture.pendingNibble = -1;
        }
    }
}

void RtfParser::insertPicture(const PictureState& picture) {
    if (picture.format.isEmpty() || picture.data.isEmpty())
        return;
    QByteArray data = picture.data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, picture.format);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxPicturePixels) {
        note(QStringLiteral("A picture that could not be read was left out."));
        return;
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        note(QStringLiteral("A picture that could not be read was left out."));
        return;
    }
    const QUrl name(
        QStringLiteral("rtfimage:") +
        QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex()));
    m_cursor.document()->addResource(QTextDocument::ImageResource, name, image);

    auto across = [](int goal, int scale, int fallback) {
        const double px = goal > 0 ? pixels(goal) : double(fallback);
        return qBound(1.0, px * scale / 100.0, double(kMaxPicturePixelsAcross));
    };
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(across(picture.goalWidth, picture.scaleX, image.width()));
    format.setHeight(across(picture.goalHeight, picture.scaleY, image.height()));
    beginContent();
    flushText();
    m_cursor.insertImage(format);
    m_pictures.append({name, image});
}

void RtfParser::shapeValueDone() {
    if (m_shapeName != QLatin1String("fillColor"))
        return;
    bool ok = false;
    const qint64 value = m_shapeText.trimmed().toLongLong(&ok);
    if (!ok || value < 0) // shape colours are Windows colour values
        return;
    m_background = WinColour::toQColor(quint32(value & 0xFFFFFF));
}

int RtfParser::currentCodepage() const {
    if (top().destination == Destination::FontTable) {
        const int codepage = RtfCodepage::codepageForCharset(m_fontCharset);
        return codepage ? codepage : m_ansiCodepage;
    }
    const int number = top().chr.font < 0 ? m_defaultFont : top().chr.font;
    const auto it = m_fonts.constFind(number);
    if (it != m_fonts.constEnd() && it->codepage > 0)
        return it->codepage;
    return m_ansiCodepage;
}

QColor RtfParser::color(int index) const {
    return index >= 0 && index < m_colors.size() ? m_colors.at(index) : QColor();
}

QTextCharFormat RtfParser::charFormat(const CharState& state) const {
    QTextCharFormat format;
    const int number = state.font < 0 ? m_defaultFont : state.font;
    const auto it = m_fonts.constFind(number);
    if (it != m_fonts.constEnd() && !it->name.isEmpty())
        format.setFontFamilies(QStringList{it->name});
    format.setFontPointSize(state.halfPoints / 2.0);
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontUnderline(state.underline);
    format.setFontStrikeOut(state.strike);
    if (state.vertical != 0)
        format.setVerticalAlignment(state.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                       : QTextCharFormat::AlignSubScript);
    else if (state.raise != 0) // a raised or lowered position, as a share of the size
        format.setBaselineOffset(100.0 * state.raise / state.halfPoints);
    const QColor foreground = color(state.foreground);
    if (foreground.isValid())
        format.setForeground(foreground);
    const QColor background = color(state.background);
    if (background.isValid())
        format.setBackground(background);
    return format;
}

void RtfParser::note(const QString& message) {
    if (m_error.contains(message) || m_error.size() > kMaxErrorLength)
        return;
    if (!m_error.isEmpty())
        m_error += QLatin1Char(' ');
    m_error += message;
}
