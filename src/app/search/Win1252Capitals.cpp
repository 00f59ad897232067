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

} // namespace

unsigned char capital(unsigned char byte) { return kTable[byte]; }

const unsigned char* table() { return kTable.data(); }

void convert(const char* from, char* to, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i)
        to[i] = static_cast<char>(kTable[static_cast<unsigned char>(from[i])]);
}

QByteArray toCapitals(const QByteArray& text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    convert(text.constData(), out.data(), text.size());
    return out;
}

} // namespace Win1252Capitals
