#pragma once
#include <QByteArray>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// One line of a Bible text as the search reads it, and the result line built from it.
class VerseLine {
public:
    // Splits "running<TAB>book<TAB>chapter<TAB>verse<TAB>text" (the line without its line end).
    // False when the line has fewer than four tabs. The text is what follows the fourth tab.
    inline bool split(const char* line, qsizetype size);

    int book = 0;
    const char* chapter = nullptr; // as written in the text line
    qsizetype chapterSize = 0;
    int verse = 0;                 // as a number, so without leading zeros
    const char* text = nullptr;
    qsizetype textSize = 0;

    // "GENESIS 1:1 In the beginning...": the reference name in capitals, a space, the
    // chapter, ":", the verse, a space and the verse text. Appended to `out` with "\n".
    void appendResultLine(const QByteArray& capitalRefName, QByteArray& out) const;
    // Points chapter and text at the same offsets of another copy of the input: the line is
    // split in the copy that is tested and built from the one that is shown.
    void moveTo(const char* from, const char* to) {
        chapter = to + (chapter - from);
        text = to + (text - from);
    }

    // The range test of the book selections: 1-66 one book, 67 the books before 6, 68 those
    // before 40, 69 those after 39, 70 books 40-43, 71 books 40-42, 72 every line.
    static bool InSelection(int book, int selection) {
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

private:
    bool splitAt(const char* const* tabs, const char* end);
    // The leading number of a field: blanks, an optional sign and digits; 0 when there is none.
    static int leadingNumber(const char* p, const char* end) {
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
};

// Inline: the search splits every line of the text.
inline bool VerseLine::split(const char* line, qsizetype size) {
    const char* end = line + size;
    const char* tabs[4];
#if defined(__SSE2__)
    // The four leading fields nearly always lie in the first 32 bytes: their tabs are found
    // at once there.
    if (size >= 32) {
        const __m128i tab = _mm_set1_epi8('\t');
        const auto* p = reinterpret_cast<const __m128i*>(line);
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(p), tab))) |
                        unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(p + 1), tab)))
                            << 16;
        // Four tabs or more: a bit is left once the three lowest are cleared (cheaper than
        // counting the bits, which takes a library call on older processors).
        unsigned rest = mask;
        for (int i = 0; i < 3; ++i)
            rest &= rest - 1;
        if (rest) {
            for (const char*& t : tabs) {
                t = line + __builtin_ctz(mask);
                mask &= mask - 1;
            }
            return splitAt(tabs, end);
        }
    }
#endif
    // The fields are short: a plain scan beats a library call per tab.
    const char* p = line;
    for (const char*& t : tabs) {
        while (p < end && *p != '\t')
            ++p;
        if (p == end)
            return false;
        t = p++;
    }
    return splitAt(tabs, end);
}

inline bool VerseLine::splitAt(const char* const* tabs, const char* end) {
    book = leadingNumber(tabs[0] + 1, tabs[1]);
    chapter = tabs[1] + 1;
    chapterSize = tabs[2] - chapter;
    verse = leadingNumber(tabs[2] + 1, tabs[3]);
    // The verse text holds no tab, so what follows the fourth tab is what follows the last.
    text = tabs[3] + 1;
    textSize = end - text;
    return true;
}
