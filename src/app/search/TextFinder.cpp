#include "app/search/TextFinder.h"

#include <cstring>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

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
    // The two least common bytes: the first for memchr, both for the vector scan.
    int best = 1000, second = 1000;
    for (qsizetype i = 0; i < needle.size(); ++i) {
        const int score = commonness(static_cast<unsigned char>(needle.at(i)));
        if (score < best) {
            second = best;
            m_second = m_anchor;
            best = score;
            m_anchor = i;
        } else if (score < second) {
            second = score;
            m_second = i;
        }
    }
}

qsizetype TextFinder::indexIn(const char* text, qsizetype size, qsizetype from) const {
    const qsizetype n = m_needle.size();
    if (from < 0 || from > size || n > size - from)
        return -1;
    if (n == 0)
        return from;
    return scalarIndexIn(text, size, vectorScan(text, size, from));
}

// The first of the starts from `at` marked in `mask` where the whole term stands; -1 when
// at none of them.
qsizetype TextFinder::candidateAt(const char* text, qsizetype at, unsigned mask) const {
    for (; mask; mask &= mask - 1) {
        const qsizetype start = at + __builtin_ctz(mask);
        if (std::memcmp(text + start, m_needle.constData(), size_t(m_needle.size())) == 0)
            return start;
    }
    return -1;
}

#if defined(__SSE2__) && defined(__GNUC__)
// The same scan 32 starts at a time, on processors that have the wider registers.
__attribute__((target("avx2"))) qsizetype TextFinder::wideScan(const char* text, qsizetype size,
                                                               qsizetype from) const {
    const qsizetype n = m_needle.size();
    const __m256i a = _mm256_set1_epi8(m_needle.at(m_anchor));
    const __m256i b = _mm256_set1_epi8(m_needle.at(m_second));
    qsizetype i = from;
    for (; i + n + 31 <= size; i += 32) {
        const auto* pa = reinterpret_cast<const __m256i*>(text + i + m_anchor);
        const auto* pb = reinterpret_cast<const __m256i*>(text + i + m_second);
        unsigned mask = unsigned(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_loadu_si256(pa), a),
                             _mm256_cmpeq_epi8(_mm256_loadu_si256(pb), b))));
        if (mask)
            if (const qsizetype start = candidateAt(text, i, mask); start >= 0)
                return start;
    }
    return i;
}

namespace {
bool wideRegisters() {
    static const bool yes = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return yes;
}
} // namespace
#endif

// Over long texts, 16 starts at a time: those where both chosen bytes of the term stand in
// place are compared in full. Returns where the scalar search must go on: a found start,
// or the first start the scan did not cover.
qsizetype TextFinder::vectorScan(const char* text, qsizetype size, qsizetype from) const {
#if defined(__SSE2__)
    const qsizetype n = m_needle.size();
    if (n < 2)
        return from;
#if defined(__GNUC__)
    if (size - from >= 256 && wideRegisters())
        from = wideScan(text, size, from);
#endif
    const __m128i a = _mm_set1_epi8(m_needle.at(m_anchor));
    const __m128i b = _mm_set1_epi8(m_needle.at(m_second));
    qsizetype i = from;
    for (; i + n + 15 <= size; i += 16) {
        const auto* pa = reinterpret_cast<const __m128i*>(text + i + m_anchor);
        const auto* pb = reinterpret_cast<const __m128i*>(text + i + m_second);
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(
            _mm_cmpeq_epi8(_mm_loadu_si128(pa), a), _mm_cmpeq_epi8(_mm_loadu_si128(pb), b))));
        if (mask)
            if (const qsizetype start = candidateAt(text, i, mask); start >= 0)
                return start;
    }
    return i;
#else
    (void)text;
    (void)size;
    return from;
#endif
}

qsizetype TextFinder::scalarIndexIn(const char* text, qsizetype size, qsizetype from) const {
    const qsizetype n = m_needle.size();
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
