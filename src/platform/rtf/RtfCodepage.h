#pragma once

#include <QByteArray>
#include <QString>

// Decoding of the code pages RTF text is written in. Windows-1252 (what we write
// and what most files use) has its own table; other code pages go through
// QStringDecoder and fall back to Windows-1252 when the running Qt lacks them.
class RtfCodepage {
public:
    static constexpr int Windows1252 = 1252;

    static QString decode(const QByteArray& bytes, int codepage);

    // Code page of an RTF \fcharset value; 0 when the charset does not imply one.
    static int codepageForCharset(int charset);
};
