#pragma once

#include <QByteArray>

// Splits RTF bytes into groups, control words, control symbols, \'hh bytes and
// runs of plain text. Every call consumes at least one byte until the end, so
// a reader driven by it always terminates.
class RtfTokenizer {
public:
    enum class Kind { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text };

    struct Token {
        Kind kind = Kind::End;
        QByteArray word;        // ControlWord name
        bool hasParam = false;  // ControlWord
        int param = 0;          // ControlWord parameter, clamped to the int range
        char symbol = 0;        // ControlSymbol character
        unsigned char byte = 0; // HexByte value
        QByteArray text;        // Text run (no braces, backslashes or line ends)
    };

    explicit RtfTokenizer(const QByteArray& data);

    Token next();

    // Raw bytes after \binN: at most what is left of the input.
    QByteArray takeBinary(qint64 count);

    qsizetype position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }

private:
    Token readControl();
    Token readControlWord();
    Token readHexByte();
    Token readText();
    int readParameter(bool& hasParam);

    QByteArray m_data;
    qsizetype m_pos = 0;
};
