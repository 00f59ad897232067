#include "RtfTokenizer.h"

#include <limits>

namespace {

// Longer names are never meaningful; the rest of such a name is still consumed.
constexpr int kMaxWordLength = 32;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfTokenizer::RtfTokenizer(const QByteArray& data) : m_data(data) {}

RtfTokenizer::Token RtfTokenizer::next() {
    Token token;
    while (m_pos < m_data.size()) {
        const char c = m_data.at(m_pos);
        switch (c) {
        case '{':
            ++m_pos;
            token.kind = Kind::GroupStart;
            return token;
        case '}':
            ++m_pos;
            token.kind = Kind::GroupEnd;
            return token;
        case '\\':
            return readControl();
        case '\r':
        case '\n':
        case '\0':
            ++m_pos; // line ends carry no meaning in RTF text
            continue;
        default:
            return readText();
        }
    }
    return token;
}

RtfTokenizer::Token RtfTokenizer::readControl() {
    ++m_pos; // the backslash
    if (m_pos >= m_data.size())
        return Token{};
    const char c = m_data.at(m_pos);
    if (isLetter(c))
        return readControlWord();
    if (c == '\'')
        return readHexByte();
    ++m_pos;
    Token token;
    token.kind = Kind::ControlSymbol;
    // A backslash before a line end is a paragraph mark.
    token.symbol = (c == '\r' || c == '\n') ? '\n' : c;
    return token;
}

RtfTokenizer::Token RtfTokenizer::readControlWord() {
    Token token;
    token.kind = Kind::ControlWord;
    const qsizetype start = m_pos;
    while (m_pos < m_data.size() && isLetter(m_data.at(m_pos)))
        ++m_pos;
    token.word = m_data.mid(start, qMin<qsizetype>(m_pos - start, kMaxWordLength));
    token.param = readParameter(token.hasParam);
    if (m_pos < m_data.size() && m_data.at(m_pos) == ' ')
        ++m_pos; // the delimiting space belongs to the control word
    return token;
}

int RtfTokenizer::readParameter(bool& hasParam) {
    bool negative = false;
    if (m_pos + 1 < m_data.size() && m_data.at(m_pos) == '-' && isDigit(m_data.at(m_pos + 1))) {
        negative = true;
        ++m_pos;
    }
    hasParam = m_pos < m_data.size() && isDigit(m_data.at(m_pos));
    qint64 value = 0;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    while (m_pos < m_data.size() && isDigit(m_data.at(m_pos))) {
        value = qMin(limit, value * 10 + (m_data.at(m_pos) - '0'));
        ++m_pos;
    }
    if (negative)
        value = -value;
    constexpr qint64 lowest = std::numeric_limits<int>::min();
    constexpr qint64 highest = std::numeric_limits<int>::max();
    return int(qBound(lowest, value, highest));
}

RtfTokenizer::Token RtfTokenizer::readHexByte() {
    ++m_pos; // the quote
    int value = 0;
    int digits = 0;
    while (digits < 2 && m_pos < m_data.size()) {
        const int v = hexValue(m_data.at(m_pos));
        if (v < 0)
            break;
        value = value * 16 + v;
        ++digits;
        ++m_pos;
    }
    Token token;
    if (digits == 0) {
        // "\'" without hex digits means nothing; report it as an unknown symbol.
        token.kind = Kind::ControlSymbol;
        token.symbol = '\'';
        return token;
    }
    token.kind = Kind::HexByte;
    token.byte = static_cast<unsigned char>(value);
    return token;
}

RtfTokenizer::Token RtfTokenizer::readText() {
    Token token;
    token.kind = Kind::Text;
    const qsizetype start = m_pos;
    while (m_pos < m_data.size()) {
        const char c = m_data.at(m_pos);
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n' || c == '\0')
            break;
        ++m_pos;
    }
    token.text = m_data.mid(start, m_pos - start);
    return token;
}

QByteArray RtfTokenizer::takeBinary(qint64 count) {
    const qint64 available = m_data.size() - m_pos;
    const qsizetype n = qsizetype(qBound(qint64(0), count, available));
    QByteArray bytes = m_data.mid(m_pos, n);
    m_pos += n;
    return bytes;
}
