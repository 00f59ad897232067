#include "app/search/VerseLine.h"

#include <cstdio>
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

} // namespace

bool VerseLine::split(const char* line, qsizetype size) {
    const char* end = line + size;
    const char* tabs[4];
    const char* from = line;
    for (const char*& t : tabs) {
        t = static_cast<const char*>(std::memchr(from, '\t', size_t(end - from)));
        if (!t)
            return false;
        from = t + 1;
    }
    book = leadingNumber(tabs[0] + 1, tabs[1]);
    chapter = tabs[1] + 1;
    chapterSize = tabs[2] - chapter;
    verse = leadingNumber(tabs[2] + 1, tabs[3]);
    text = tabs[3] + 1;
    // A stray tab inside the verse text: the text is what follows the last one.
    while (const char* more = static_cast<const char*>(std::memchr(text, '\t', size_t(end - text))))
        text = more + 1;
    textSize = end - text;
    return true;
}

void VerseLine::buildResultLine(const QByteArray& capitalRefName, QByteArray& out) const {
    char verseDigits[16];
    const int digits = std::snprintf(verseDigits, sizeof verseDigits, "%d", verse);
    out.resize(0);
    out.reserve(capitalRefName.size() + chapterSize + digits + textSize + 3);
    out.append(capitalRefName).append(' ');
    out.append(chapter, chapterSize).append(':');
    out.append(verseDigits, digits).append(' ');
    out.append(text, textSize);
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
