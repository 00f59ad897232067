#include "app/search/VerseLine.h"

#include <cstring>

namespace {

// Writes the number in decimal; returns the digit count.
int decimal(int value, char* out) {
    char reversed[16];
    int n = 0;
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        reversed[n++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    int len = 0;
    if (value < 0)
        out[len++] = '-';
    while (n)
        out[len++] = reversed[--n];
    return len;
}

char* copied(char* to, const char* from, qsizetype size) {
    std::memcpy(to, from, size_t(size));
    return to + size;
}

} // namespace

void VerseLine::appendResultLine(const QByteArray& capitalRefName, QByteArray& out) const {
    char verseDigits[16];
    const int digits = decimal(verse, verseDigits);
    const qsizetype at = out.size();
    // One resize and plain copies: a whole-Bible result appends tens of thousands of lines.
    out.resize(at + capitalRefName.size() + chapterSize + digits + textSize + 4);
    char* p = out.data() + at;
    p = copied(p, capitalRefName.constData(), capitalRefName.size());
    *p++ = ' ';
    p = copied(p, chapter, chapterSize);
    *p++ = ':';
    p = copied(p, verseDigits, digits);
    *p++ = ' ';
    p = copied(p, text, textSize);
    *p = '\n';
}
