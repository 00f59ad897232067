#include "app/search/VerseLine.h"

#include <cstring>

namespace {

// The leading number of a field: blanks, an optional sign and digits; 0 when there is none.
int leadingNumber(const char* p, const char* end) {
    while (p < end && *p == ' ')
        ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    long long v = 0;
    while (p < end && *p >= '0' && *p <= '9' && v < 1000000)
        v = v * 10 + (*p++ - '0');
    return int(negative ? -v : v);
}

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

bool VerseLine::split(const char* line, qsizetype size) {
    // The four leading fields are short: a plain scan beats a library call per tab.
    const char* end = line + size;
    const char* tabs[4];
    const char* p = line;
    for (const char*& t : tabs) {
        while (p < end && *p != '\t')
            ++p;
        if (p == end)
            return false;
        t = p++;
    }
    book = leadingNumber(tabs[0] + 1, tabs[1]);
    chapter = tabs[1] + 1;
    chapterSize = tabs[2] - chapter;
    verse = leadingNumber(tabs[2] + 1, tabs[3]);
    // The verse text holds no tab, so what follows the fourth tab is what follows the last.
    text = tabs[3] + 1;
    textSize = end - text;
    return true;
}

void VerseLine::appendResultLine(const QByteArray& capitalRefName, QByteArray& out) const {
    char verseDigits[16];
    const int digits = decimal(verse, verseDigits);
    const qsizetype at = out.size();
    // One resize and plain copies: a whole-Bible result appends tens of thousands of lines.
    out.resize(at + capitalRefName.size() + chapterSize + digits + textSize + 3);
    char* p = out.data() + at;
    p = copied(p, capitalRefName.constData(), capitalRefName.size());
    *p++ = ' ';
    p = copied(p, chapter, chapterSize);
    *p++ = ':';
    p = copied(p, verseDigits, digits);
    *p++ = ' ';
    copied(p, text, textSize);
}

void VerseLine::moveTo(const char* from, const char* to) {
    chapter = to + (chapter - from);
    text = to + (text - from);
}

bool VerseLine::InSelection(int book, int selection) {
    switch (selection) {
    case 67: return book < 6;
    case 68: return book < 40;
    case 69: return book > 39;
    case 70: return book > 39 && book < 44;
    case 71: return book > 39 && book < 43;
    case 72: return true;
    default: return book == selection;
    }
}
