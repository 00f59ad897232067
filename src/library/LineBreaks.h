#pragma once
#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The line ends of a text, found 64 bytes at a time in one pass instead of one library call
// per line: a whole Bible has some 31,000 lines, and the calls cost more than the reading.
// Positions are asked for in increasing order, as a line loop does.
class LineBreaks {
public:
    LineBreaks() = default;
    LineBreaks(const char* data, qsizetype end) : m_data(data), m_end(end) {}

    // The first "\n" at or after `from`; -1 when there is none before the end.
    qsizetype next(qsizetype from) {
        // A chunk starts where the range does, never before it: the bytes before belong to
        // another range, which may be converting them to capitals at this very moment.
        if (from >= m_chunk + 64 || from < m_chunk)
            load(from);
        for (;;) {
            const unsigned shift = unsigned(from - m_chunk);
            const std::uint64_t ahead = shift < 64 ? m_mask >> shift << shift : 0;
            if (ahead)
                return m_chunk + __builtin_ctzll(ahead);
            if (m_chunk + 64 >= m_end)
                return -1;
            from = m_chunk + 64;
            load(from);
        }
    }

private:
    // The "\n" bits of the 64 bytes from `chunk`; bytes at or past the end never count.
    void load(qsizetype chunk) {
        m_chunk = chunk;
        m_mask = 0;
        const char* p = m_data + chunk;
#if defined(__SSE2__)
        if (chunk + 64 <= m_end) {
            const __m128i nl = _mm_set1_epi8('\n');
            for (int i = 0; i < 4; ++i) {
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
                const auto bits = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, nl)));
                m_mask |= std::uint64_t(bits) << (16 * i);
            }
            return;
        }
#endif
        const qsizetype n = std::min<qsizetype>(64, m_end - chunk);
        for (qsizetype i = 0; i < n; ++i)
            if (p[i] == '\n')
                m_mask |= std::uint64_t(1) << i;
    }

    const char* m_data = nullptr;
    qsizetype m_end = 0;
    qsizetype m_chunk = -64; // no chunk loaded yet
    std::uint64_t m_mask = 0;
};
