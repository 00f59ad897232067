#include "app/search/Win1252Capitals.h"

#include <array>

namespace Win1252Capitals {

namespace {

std::array<unsigned char, 256> makeTable() {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = static_cast<unsigned char>(b);
    for (int b = 'a'; b <= 'z'; ++b)
        t[b] = static_cast<unsigned char>(b - 0x20);
    for (int b = 0xE0; b <= 0xFE; ++b)
        if (b != 0xF7)
            t[b] = static_cast<unsigned char>(b - 0x20);
    t[0x9A] = 0x8A;
    t[0x9C] = 0x8C;
    t[0x9E] = 0x8E;
    t[0xFF] = 0x9F;
    return t;
}

const std::array<unsigned char, 256> kTable = makeTable();

// The table as arithmetic: how far each small letter lies above its capital. Written with
// comparisons and masks only, no branches, so that the compiler turns the loop below into
// vector code; a table lookup per byte runs several times slower over a whole Bible.
inline unsigned char distanceToCapital(unsigned char c) {
    using u8 = unsigned char;
    const u8 ascii = u8(-u8(u8(c - 'a') < 26));
    const u8 accented = u8(-u8(c >= 0xE0)) & u8(-u8(c != 0xF7)) & u8(-u8(c != 0xFF));
    const u8 high = u8(-u8(c == 0x9A)) | u8(-u8(c == 0x9C)) | u8(-u8(c == 0x9E));
    const u8 last = u8(-u8(c == 0xFF));
    return u8(((ascii | accented) & 0x20) | (high & 0x10) | (last & 0x60));
}

} // namespace

unsigned char capital(unsigned char byte) { return kTable[byte]; }

const unsigned char* table() { return kTable.data(); }

void convert(const char* from, char* to, qsizetype size) {
    const auto* in = reinterpret_cast<const unsigned char*>(from);
    auto* out = reinterpret_cast<unsigned char*>(to);
    for (qsizetype i = 0; i < size; ++i)
        out[i] = static_cast<unsigned char>(in[i] - distanceToCapital(in[i]));
}

QByteArray toCapitals(const QByteArray& text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    convert(text.constData(), out.data(), text.size());
    return out;
}

} // namespace Win1252Capitals
