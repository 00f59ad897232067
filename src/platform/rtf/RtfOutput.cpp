#include "RtfOutput.h"

#include "platform/Win1252.h"

namespace {

constexpr qsizetype kLineLength = 200;

const char kHex[] = "0123456789abcdef";

} // namespace

void RtfOutput::word(const char* name) {
    m_out.append('\\');
    m_out.append(name);
    m_afterWord = true;
}

void RtfOutput::word(const char* name, int parameter) {
    word(name);
    m_out.append(QByteArray::number(parameter));
}

void RtfOutput::open() {
    m_out.append('{');
    m_afterWord = false;
}

void RtfOutput::close() {
    m_out.append('}');
    m_afterWord = false;
}

void RtfOutput::raw(const QByteArray& bytes) {
    delimit();
    m_out.append(bytes);
}

void RtfOutput::newline() {
    m_out.append("\r\n");
    m_lineStart = m_out.size();
    m_afterWord = false; // a line end also ends a control word
}

void RtfOutput::delimit() {
    if (m_afterWord)
        m_out.append(' ');
    m_afterWord = false;
}

void RtfOutput::text(const QString& text) {
    for (QChar c : text) {
        character(c.unicode());
        if (m_out.size() - m_lineStart > kLineLength)
            newline();
    }
}

void RtfOutput::character(char16_t c) {
    switch (c) {
    case u'\\':
    case u'{':
    case u'}':
        m_afterWord = false;
        m_out.append('\\');
        m_out.append(char(c));
        return;
    case u'\t':
        word("tab");
        return;
    case 0x2028:
        word("line");
        return;
    case 0x00A0:
        m_out.append("\\~");
        m_afterWord = false;
        return;
    case 0x00AD:
        m_out.append("\\-");
        m_afterWord = false;
        return;
    case 0x2011:
        m_out.append("\\_");
        m_afterWord = false;
        return;
    default:
        break;
    }
    if (c < 0x20)
        return; // control characters have no place in a document's text
    if (c < 0x80) {
        // Only what could continue a control word needs the delimiting space.
        if (QChar(c).isLetterOrNumber() || c == u' ' || c == u'-')
            delimit();
        m_afterWord = false;
        m_out.append(char(c));
        return;
    }
    const int byte = Win1252::encodeChar(QChar(c));
    if (byte >= 0) {
        m_out.append("\\'");
        m_out.append(kHex[byte >> 4]);
        m_out.append(kHex[byte & 0xF]);
        m_afterWord = false;
        return;
    }
    // \uN takes a signed 16-bit number; "?" is what readers without Unicode show.
    word("u", int(static_cast<qint16>(c)));
    m_out.append('?');
    m_afterWord = false;
}
