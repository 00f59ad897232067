#include "platform/Win1252.h"

namespace {
// 0x80..0x9F; the five bytes Windows leaves undefined map to the C1 controls, as Windows does.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

namespace Win1252 {

QChar decodeByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(byte);
}

QString decode(const QByteArray& bytes) {
    QString out;
    out.resize(bytes.size());
    QChar* dst = out.data();
    for (char b : bytes)
        *dst++ = decodeByte(static_cast<unsigned char>(b));
    return out;
}

int encodeChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == u)
            return 0x80 + i;
    return -1;
}

QByteArray encode(const QString& text, bool* lossless) {
    QByteArray out;
    out.reserve(text.size());
    bool exact = true;
    for (QChar c : text) {
        const int b = encodeChar(c);
        if (b < 0) {
            exact = false;
            out.append('?');
        } else {
            out.append(static_cast<char>(b));
        }
    }
    if (lossless)
        *lossless = exact;
    return out;
}

} // namespace Win1252
