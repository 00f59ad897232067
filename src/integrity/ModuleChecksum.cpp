#include "integrity/ModuleChecksum.h"

#include "library/FileFunctions.h"

#include <QFile>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

// Read a megabyte at a time: fewer, larger reads measured fastest on the shipped modules.
constexpr qsizetype kReadSize = 1024 * 1024;

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

ModuleChecksum::Scan ModuleChecksum::widestScan() {
    static const Scan widest = [] {
#if defined(__SSE2__) && defined(__GNUC__)
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") ? Scan::Avx2 : Scan::Sse2;
#else
        return Scan::Plain;
#endif
    }();
    return widest;
}

bool ModuleChecksum::scanAvailable(Scan scan) {
    return scan == Scan::Plain || (scan == Scan::Sse2 && widestScan() != Scan::Plain) ||
           (scan == Scan::Avx2 && widestScan() == Scan::Avx2);
}

void ModuleChecksum::add(const char* data, qsizetype size) {
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    if (m_scan == Scan::Avx2)
        i = addAvx2(p, size);
    if (m_scan != Scan::Plain)
        i += addSse2(p + i, size - i);
    addScalar(p + i, size - i);
}

// Returns how many bytes it took (whole sixteens).
qsizetype ModuleChecksum::addSse2(const unsigned char* p, qsizetype size) {
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    // Sixteen bytes with a line end: the ends are zeroed out of the block, and the running
    // sum at each end is the block's masked prefix sum.
    auto block = [&](qsizetype at) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        const __m128i isCr = _mm_cmpeq_epi8(v, cr);
        const __m128i ends = _mm_or_si128(isCr, _mm_cmpeq_epi8(v, lf));
        const unsigned endBits = unsigned(_mm_movemask_epi8(ends));
        const __m128i text = _mm_andnot_si128(ends, v);
        if (endBits == 0) {
            m_s += sumBytes(text);
            m_lastWasCr = false;
            m_lineOpen = true;
            return;
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
    };
    // Most 64-byte stretches hold no line end: their sums are gathered in a register and
    // added to S only when a line end needs its value.
    __m128i pending = zero;
    bool pendingText = false;
    auto flush = [&] {
        m_s += quint32(_mm_cvtsi128_si32(pending)) +
               quint32(_mm_cvtsi128_si32(_mm_srli_si128(pending, 8)));
        pending = zero;
        if (pendingText) {
            m_lastWasCr = false;
            m_lineOpen = true;
            pendingText = false;
        }
    };
    for (; i + 64 <= size; i += 64) {
        const auto* q = reinterpret_cast<const __m128i*>(p + i);
        const __m128i a = _mm_loadu_si128(q), b = _mm_loadu_si128(q + 1);
        const __m128i c = _mm_loadu_si128(q + 2), d = _mm_loadu_si128(q + 3);
        const __m128i ends = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(a, cr), _mm_cmpeq_epi8(a, lf)),
                         _mm_or_si128(_mm_cmpeq_epi8(b, cr), _mm_cmpeq_epi8(b, lf))),
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(c, cr), _mm_cmpeq_epi8(c, lf)),
                         _mm_or_si128(_mm_cmpeq_epi8(d, cr), _mm_cmpeq_epi8(d, lf))));
        if (_mm_movemask_epi8(ends) == 0) {
            pending = _mm_add_epi64(
                pending, _mm_add_epi64(_mm_add_epi64(_mm_sad_epu8(a, zero), _mm_sad_epu8(b, zero)),
                                       _mm_add_epi64(_mm_sad_epu8(c, zero), _mm_sad_epu8(d, zero))));
            pendingText = true;
            continue;
        }
        flush();
        for (int k = 0; k < 4; ++k)
            block(i + 16 * k);
    }
    flush();
    for (; i + 16 <= size; i += 16)
        block(i);
#else
    Q_UNUSED(p);
    Q_UNUSED(size);
#endif
    return i;
}

#if defined(__SSE2__) && defined(__GNUC__)
namespace {
// Keeps the first k bytes of 32: loaded from kKeep32 + 32 - k.
alignas(32) const unsigned char kKeep32[64] = {
    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff};

__attribute__((target("avx2"))) inline quint32 sum256(__m256i sad) {
    const __m128i both = _mm_add_epi64(_mm256_castsi256_si128(sad),
                                       _mm256_extracti128_si256(sad, 1));
    return quint32(_mm_cvtsi128_si32(both)) + quint32(_mm_cvtsi128_si32(_mm_srli_si128(both, 8)));
}
} // namespace

// Sixty-four bytes at a time with the wider registers: one pass finds the line ends and sums
// the text between them; a line end's running sum is the masked prefix of its stretch.
__attribute__((target("avx2"))) qsizetype ModuleChecksum::addAvx2(const unsigned char* p,
                                                                   qsizetype size) {
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i zero = _mm256_setzero_si256();
    __m256i pending = zero;
    bool pendingText = false;
    qsizetype i = 0;
    for (; i + 64 <= size; i += 64) {
        const __m256i v0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        const __m256i v1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 32));
        const __m256i c0 = _mm256_cmpeq_epi8(v0, cr), c1 = _mm256_cmpeq_epi8(v1, cr);
        const __m256i e0 = _mm256_or_si256(c0, _mm256_cmpeq_epi8(v0, lf));
        const __m256i e1 = _mm256_or_si256(c1, _mm256_cmpeq_epi8(v1, lf));
        const __m256i t0 = _mm256_andnot_si256(e0, v0), t1 = _mm256_andnot_si256(e1, v1);
        const __m256i s0 = _mm256_sad_epu8(t0, zero);
        const __m256i both = _mm256_add_epi64(s0, _mm256_sad_epu8(t1, zero));
        const quint64 ends = quint64(quint32(_mm256_movemask_epi8(e0))) |
                             (quint64(quint32(_mm256_movemask_epi8(e1))) << 32);
        if (ends == 0) {
            pending = _mm256_add_epi64(pending, both);
            pendingText = true;
            continue;
        }
        const quint64 crs = quint64(quint32(_mm256_movemask_epi8(c0))) |
                            (quint64(quint32(_mm256_movemask_epi8(c1))) << 32);
        const quint32 base = m_s + sum256(pending);
        pending = zero;
        // An LF right after a CR (also the CR that ended the previous stretch) ends nothing.
        const quint64 afterCr = (crs << 1) | (m_lastWasCr ? 1u : 0u);
        quint64 counted = ends & ~(afterCr & ~crs);
        while (counted) {
            const int k = __builtin_ctzll(counted);
            counted &= counted - 1;
            quint32 partial;
            if (k < 32) {
                const __m256i keep =
                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kKeep32 + 32 - k));
                partial = sum256(_mm256_sad_epu8(_mm256_and_si256(t0, keep), zero));
            } else {
                const __m256i keep =
                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kKeep32 + 64 - k));
                partial = sum256(
                    _mm256_add_epi64(s0, _mm256_sad_epu8(_mm256_and_si256(t1, keep), zero)));
            }
            endLine(base + partial);
        }
        // The stretch's own sum joins S when the next line end needs it.
        m_s = base;
        pending = both;
        m_lastWasCr = (crs >> 63) != 0;
        m_lineOpen = (ends >> 63) == 0;
        pendingText = false;
    }
    m_s += sum256(pending);
    if (pendingText) {
        m_lastWasCr = false;
        m_lineOpen = true;
    }
    return i;
}
#else
qsizetype ModuleChecksum::addAvx2(const unsigned char*, qsizetype) {
    return 0;
}
#endif

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
