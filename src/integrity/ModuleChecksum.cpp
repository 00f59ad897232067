#include "integrity/ModuleChecksum.h"

#include "library/FileFunctions.h"

#include <QFile>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr qsizetype kReadSize = 1 << 20;

#if defined(__SSE2__)
// Keeps the first k bytes of a 16-byte block: loaded from kKeep + 16 - k.
alignas(16) const unsigned char kKeep[32] = {
    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0};

inline quint32 sumBytes(__m128i v) {
    const __m128i sad = _mm_sad_epu8(v, _mm_setzero_si128());
    return quint32(_mm_cvtsi128_si32(sad)) + quint32(_mm_cvtsi128_si32(_mm_srli_si128(sad, 8)));
}
#endif

} // namespace

void ModuleChecksum::addScalar(const unsigned char* p, qsizetype n) {
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        if (b == '\r') {
            endLine(m_s);
            m_lastWasCr = true;
            m_lineOpen = false;
        } else if (b == '\n') {
            if (!m_lastWasCr)
                endLine(m_s);
            m_lastWasCr = false;
            m_lineOpen = false;
        } else {
            m_s += b;
            m_lastWasCr = false;
            m_lineOpen = true;
        }
    }
}

void ModuleChecksum::add(const char* data, qsizetype size) {
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: line ends are found by comparison, zeroed out of the block, and
    // the running sum at each line end is the block's masked prefix sum.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i isCr = _mm_cmpeq_epi8(v, cr);
        const __m128i ends = _mm_or_si128(isCr, _mm_cmpeq_epi8(v, lf));
        unsigned endBits = unsigned(_mm_movemask_epi8(ends));
        const __m128i text = _mm_andnot_si128(ends, v);
        if (endBits == 0) {
            m_s += sumBytes(text);
            m_lastWasCr = false;
            m_lineOpen = true;
            continue;
        }
        const unsigned crBits = unsigned(_mm_movemask_epi8(isCr));
        // An LF right after a CR (also the CR that ended the previous block) ends nothing.
        const unsigned afterCr = (crBits << 1) | (m_lastWasCr ? 1u : 0u);
        unsigned counted = endBits & ~(afterCr & ~crBits);
        while (counted) {
            const int k = __builtin_ctz(counted);
            counted &= counted - 1;
            const __m128i keep =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(kKeep + 16 - k));
            endLine(m_s + sumBytes(_mm_and_si128(text, keep)));
        }
        m_s += sumBytes(text);
        m_lastWasCr = (crBits >> 15) & 1u;
        m_lineOpen = !((endBits >> 15) & 1u);
    }
#endif
    addScalar(p + i, size - i);
}

qint32 ModuleChecksum::X() const {
    // The last line of a file need not end in a line break.
    const quint32 x = m_lineOpen ? m_x ^ m_s : m_x;
    return qint32(x);
}

qint32 ModuleChecksum::S() const {
    return qint32(m_s);
}

QString ModuleChecksum::text(qint32 x, qint32 s) {
    return QString::number(x) + QString::number(s);
}

std::optional<ModuleChecksum> ModuleChecksum::ofFile(const QString& path) {
    QFile file(FileFunctions::resolve(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    ModuleChecksum sum;
    QByteArray buffer(kReadSize, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(buffer.data(), kReadSize);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        sum.add(buffer.data(), n);
    }
    return sum;
}
