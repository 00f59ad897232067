#include "app/search/TextFinder.h"

#include <cstring>

namespace {

// How common a byte is in Bible text, roughly: the space and the frequent letters of
// English high, other letters by their usual order, digits and punctuation low.
int commonness(unsigned char c) {
    static const char kByFrequency[] = " etaoinshrdlcumwfgypbvkjxqz";
    if (c >= 'A' && c <= 'Z')
        c = static_cast<unsigned char>(c + 32) ; // capitals are rarer, but follow the same order
    const char* at = std::strchr(kByFrequency, c);
    if (c != 0 && at)
        return 100 - int(at - kByFrequency);
    return 0;
}

} // namespace

TextFinder::TextFinder(const QByteArray& needle) : m_needle(needle) {
    int best = 1000;
    for (qsizetype i = 0; i < needle.size(); ++i) {
        const int score = commonness(static_cast<unsigned char>(needle.at(i)));
        if (score < best) {
            best = score;
            m_anchor = i;
        }
    }
}

qsizetype TextFinder::indexIn(const char* text, qsizetype size, qsizetype from) const {
    const qsizetype n = m_needle.size();
    if (from < 0 || from > size || n > size - from)
        return -1;
    if (n == 0)
        return from;
    const char* needle = m_needle.constData();
    const char anchor = needle[m_anchor];
    // Where the anchor byte may stand for a start between from and size - n.
    const char* p = text + from + m_anchor;
    const char* last = text + size - n + m_anchor;
    while (p <= last) {
        p = static_cast<const char*>(std::memchr(p, anchor, size_t(last - p + 1)));
        if (!p)
            return -1;
        const char* start = p - m_anchor;
        if (std::memcmp(start, needle, size_t(n)) == 0)
            return start - text;
        ++p;
    }
    return -1;
}
