#include "import/SwordMarkupMarks.h"

#include "import/PlainEntryText.h"

#include <utilxml.h>

#include <cstring>

namespace {

// The soft blank and the link marks in UTF-8 (U+E000, U+E010, U+E011).
const char kSoft[] = "\xEE\x80\x80";
const char kLinkOpen[] = "\xEE\x80\x90";
const char kLinkClose[] = "\xEE\x80\x91";
// Around words the translators supplied (printed in italics): U+E001, U+E002.
const char kAddedOpen[] = "\xEE\x80\x81";
const char kAddedClose[] = "\xEE\x80\x82";
// The end of what a commentary says before its first verse (U+E003).
const char kIntroEnd[] = "\xEE\x80\x83";

// "&", "<" and ">" of the text (U+E004 to U+E006), put back by PlainEntryText::tidy.
const char kAmpersand[] = "\xEE\x80\x84";
const char kLess[] = "\xEE\x80\x85";
const char kGreater[] = "\xEE\x80\x86";

// Elements the option filters drop with their content.
const char* const kDropped[] = {"note", "title"};
// Elements that end a line of text or a paragraph.
const char* const kBlocks[] = {"l",         "lg",        "lb",   "div",   "p",   "chapter",
                               "milestone", "list",      "item", "table", "row", "br",
                               "head",      "entryFree", "def",  "sense"};

const sword::StringList kOnlyValue = {"On"};

struct MarksData : sword::BasicFilterUserData {
    using sword::BasicFilterUserData::BasicFilterUserData;
    unsigned long textStart = 0; // where the text after the last token begins in the output
    int divineName = 0;          // depth of open divine-name elements
    bool chapterEnded = false;   // past the end of the chapter: subscriptions, appendices
    sword::SWBuf linkTarget;     // target of the link element open now
};

// The element name of a token ("w" for `w lemma="..."`), without a leading "/".
sword::SWBuf tokenName(const char* token, bool& end) {
    end = *token == '/';
    const char* p = end ? token + 1 : token;
    const char* q = p;
    while (*q && *q != ' ' && *q != '/' && *q != '\t' && *q != '\n')
        ++q;
    return sword::SWBuf(p, q - p);
}

bool isSelfClosing(const char* token) {
    const size_t n = std::strlen(token);
    return n > 0 && token[n - 1] == '/';
}

bool oneOf(const sword::SWBuf& name, const char* const* names, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (name == names[i])
            return true;
    return false;
}

} // namespace

SwordMarkupMarks::SwordMarkupMarks(Mode mode, const QString& moduleName, bool latin1)
    : sword::SWOptionFilter("Tolvane Marks", "Marks Tolvane's import reads", &kOnlyValue),
      m_mode(mode), m_moduleName(moduleName), m_latin1(latin1) {
    setTokenStart("<");
    setTokenEnd(">");
    setPassThruUnknownToken(true);
    setEscapeStart("&");
    setEscapeEnd(";");
    setPassThruUnknownEscapeString(true);
}

sword::BasicFilterUserData* SwordMarkupMarks::createUserData(const sword::SWModule* module,
                                                             const sword::SWKey* key) {
    return new MarksData(module, key);
}

char SwordMarkupMarks::processText(sword::SWBuf& text, const sword::SWKey* key,
                                   const sword::SWModule* module) {
    // Filters further on may hand pieces of the entry (a note's text) through the chain again:
    // the first call of an entry is the entry itself.
    if (m_lastInputLength < 0)
        m_lastInputLength = long(text.length());
    if (text.length() == 0)
        return 0;
    // Some sources leak the plain-text marker of the divine name instead of its element.
    if (std::strstr(text.c_str(), "\\nd ")) {
        sword::SWBuf fixed;
        for (const char* p = text.c_str(); *p; ++p) {
            if (std::strncmp(p, "\\nd ", 4) == 0) {
                fixed.append("<divineName>");
                p += 3;
            } else {
                fixed.append(*p);
            }
        }
        text = fixed;
    }
    return sword::SWBasicFilter::processText(text, key, module);
}

void SwordMarkupMarks::upperCaseTail(sword::SWBuf& buf, unsigned long from) const {
    if (from >= buf.length())
        return;
    const QByteArray tail(buf.c_str() + from, int(buf.length() - from));
    QString text = m_latin1 ? QString::fromLatin1(tail) : QString::fromUtf8(tail);
    // Character references ("&amp;") keep their spelling.
    QString upper;
    upper.reserve(text.size());
    bool inReference = false;
    for (QChar c : text) {
        if (c == QLatin1Char('&'))
            inReference = true;
        upper += inReference ? c : c.toUpper();
        if (c == QLatin1Char(';'))
            inReference = false;
    }
    const QByteArray bytes = m_latin1 ? upper.toLatin1() : upper.toUtf8();
    buf.setSize(from);
    buf.append(bytes.constData(), bytes.size());
}

bool SwordMarkupMarks::handleEscapeString(sword::SWBuf& buf, const char* escString,
                                          sword::BasicFilterUserData* userData) {
    MarksData* u = static_cast<MarksData*>(userData);
    if (u->divineName > 0)
        upperCaseTail(buf, u->textStart);
    char32_t c = 0;
    bool ok = false;
    if (escString[0] == '#')
        c = escString[1] == 'x' || escString[1] == 'X' ? QByteArray(escString + 2).toUInt(&ok, 16)
                                                       : QByteArray(escString + 1).toUInt(&ok, 10);
    else if (!std::strcmp(escString, "amp"))
        c = '&', ok = true;
    else if (!std::strcmp(escString, "lt"))
        c = '<', ok = true;
    else if (!std::strcmp(escString, "gt"))
        c = '>', ok = true;
    else if (!std::strcmp(escString, "quot"))
        c = '"', ok = true;
    else if (!std::strcmp(escString, "apos"))
        c = '\'', ok = true;
    if (!ok || c == 0 || c > 0x10FFFF)
        return false; // another entity: the plain filter knows it
    if (c == '&')
        buf.append(kAmpersand);
    else if (c == '<')
        buf.append(kLess);
    else if (c == '>')
        buf.append(kGreater);
    else if (m_latin1 && c < 0x100)
        buf.append(char(c));
    else
        buf.append(QString::fromUcs4(&c, 1).toUtf8().constData());
    u->textStart = buf.length();
    return true;
}

QString SwordMarkupMarks::linkKey(const char* target) const {
    // "Module:key" links into that module; a bare key into this one.
    const QString t = QString::fromUtf8(target);
    const qsizetype colon = t.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return t;
    if (t.left(colon).compare(m_moduleName, Qt::CaseInsensitive) != 0)
        return QString();
    return t.mid(colon + 1);
}

bool SwordMarkupMarks::handleToken(sword::SWBuf& buf, const char* token,
                                   sword::BasicFilterUserData* userData) {
    MarksData* u = static_cast<MarksData*>(userData);
    if (u->divineName > 0)
        upperCaseTail(buf, u->textStart);
    bool end = false;
    const sword::SWBuf name = tokenName(token, end);
    const bool selfClosing = isSelfClosing(token);

    const char* before = "";
    const char* after = "";
    const char* boundary = m_mode == Mode::Verses ? kSoft : "\n";
    if (name == "divineName" && !selfClosing) {
        u->divineName += end ? -1 : 1;
        if (u->divineName < 0)
            u->divineName = 0;
    } else if (name == "w" && !end) {
        // Strong's numbers and morphology go here: libsword's filter for them leaves a
        // number behind where a word carries several.
        buf.append(selfClosing ? "<w/>" : "<w>");
        u->textStart = buf.length();
        return true;
    } else if (name == "entryFree" && !end) {
        // The plain filter would repeat the key, which is the line's headword already.
        buf.append("<entryFree>");
        u->textStart = buf.length();
        return true;
    } else if (name == "speaker" && !selfClosing) {
        // Who speaks (in the Song of Solomon) is a heading, not part of the verse.
        u->suspendTextPassThru = !end || u->chapterEnded;
        after = end ? kSoft : "";
    } else if (name == "transChange" && m_mode == Mode::Verses && !selfClosing) {
        after = end ? "" : kAddedOpen;
        before = end ? kAddedClose : "";
    } else if (name == "chapter" && m_mode == Mode::Verses &&
               sword::XMLTag(token).getAttribute("eID")) {
        u->chapterEnded = true;
        u->suspendTextPassThru = true;
    } else if (oneOf(name, kDropped, std::size(kDropped))) {
        if (end || selfClosing)
            after = kSoft;
        // Commentary headings are kept (the headings option is on for them): a paragraph.
        if (m_mode != Mode::Verses && name == "title")
            before = after = "\n";
    } else if (name == "item" && m_mode != Mode::Verses) {
        // A list item is a line of its own; the plain filter would add a star to it.
        buf.append("\n");
        u->textStart = buf.length();
        return true;
    } else if (name == "cell") {
        before = kSoft; // the cells of a row are one line
    } else if (name == "hi") {
        // Emphasis means nothing in plain text (the plain filter would star the words), but
        // in a commentary a bold run opens a new section.
        if (m_mode == Mode::Paragraphs && !end && std::strstr(token, "type=\"bold\""))
            buf.append("\n");
        u->textStart = buf.length();
        return true;
    } else if (m_mode == Mode::Paragraphs && name == "div" &&
               std::strstr(token, "subType=\"x-preverse\"") && std::strstr(token, "eID=")) {
        before = "\n";
        after = kIntroEnd;
    } else if (oneOf(name, kBlocks, std::size(kBlocks))) {
        before = boundary;
    } else if (m_mode == Mode::Entries && (name == "ref" || name == "reference")) {
        if (!end && !selfClosing) {
            const sword::XMLTag tag(token);
            const char* target = tag.getAttribute(name == "ref" ? "target" : "osisRef");
            u->linkTarget = target ? target : "";
        } else if (end && u->linkTarget.length()) {
            const QByteArray key = linkKey(u->linkTarget.c_str()).toUtf8();
            u->linkTarget = "";
            buf.append('<').append(token).append('>');
            if (!key.isEmpty())
                buf.append(kLinkOpen).append(key.constData()).append(kLinkClose);
            u->textStart = buf.length();
            return true;
        }
    }
    buf.append(before).append('<').append(token).append('>').append(after);
    u->textStart = buf.length();
    return true;
}
