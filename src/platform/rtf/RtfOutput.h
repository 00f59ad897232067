#pragma once

#include <QByteArray>
#include <QString>

// Builds RTF bytes: control words with the delimiters they need, groups, and
// text escaped into Windows-1252 \'hh and \uN. Lines are kept short by line ends
// between tokens, which RTF readers ignore.
class RtfOutput {
public:
    void word(const char* name);
    void word(const char* name, int parameter);
    void open();
    void close();
    void text(const QString& text);
    // Bytes that need no escaping and must not be split by a delimiter, e.g. hex data.
    void raw(const QByteArray& bytes);
    void newline();

    const QByteArray& bytes() const { return m_out; }

private:
    void character(char16_t c);
    void delimit();

    QByteArray m_out;
    qsizetype m_lineStart = 0;
    bool m_afterWord = false;
};
