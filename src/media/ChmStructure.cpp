#include "media/ChmStructure.h"

#include <QSet>
#include <cstring>

namespace ChmStructure {

namespace {

constexpr qint64 kItsfV2Length = 0x58, kItsfV3Length = 0x60;
constexpr qint64 kItspLength = 0x54;
constexpr qint64 kChunkHeader = 0x14; // "PMGL", free space, unknown, previous, next
constexpr qint64 kIndexHeader = 0x08; // "PMGI", free space
constexpr qint64 kMaxPath = 512;      // chmlib's longest object name

struct Reader {
    QByteArrayView b;
    quint32 u32(qint64 at) const {
        const auto* p = reinterpret_cast<const uchar*>(b.data() + at);
        return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
    }
    qint32 i32(qint64 at) const { return qint32(u32(at)); }
    quint64 u64(qint64 at) const { return quint64(u32(at)) | (quint64(u32(at + 4)) << 32); }
    bool tag(qint64 at, const char* t) const { return std::memcmp(b.data() + at, t, 4) == 0; }
};

// A variable-length number of the directory: seven bits a byte, high bit "more follows".
bool encint(const uchar*& p, const uchar* end, quint64& value) {
    value = 0;
    for (int i = 0; i < 9; ++i) {
        if (p >= end)
            return false;
        const uchar c = *p++;
        value = (value << 7) | (c & 0x7F);
        if (!(c & 0x80))
            return true;
    }
    return false;
}

// The objects of the compressed section whose numbers chmlib divides by.
const char kControlData[] = "::DataSpace/Storage/MSCompressed/ControlData";
const char kResetTable[] = "::DataSpace/Storage/MSCompressed/Transform/"
                           "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

struct Object {
    bool found = false;
    quint64 section = 0, start = 0, length = 0;
};

struct Directory {
    Reader r;
    qint64 first = 0; // offset of chunk 0
    qint64 blockLength = 0;
    qint64 blocks = 0;
    QString why;
    QSet<qint64> checked; // index chunks whose whole subtree is sound
    Object control, reset;

    bool fail(const QString& text) {
        why = text;
        return false;
    }
    const uchar* chunk(qint64 i) const {
        return reinterpret_cast<const uchar*>(r.b.data() + first + i * blockLength);
    }
    // The bytes of a chunk that hold entries, after checking its free-space field.
    bool entries(qint64 i, qint64 header, const uchar*& begin, const uchar*& end) {
        const quint32 freeSpace = r.u32(first + i * blockLength + 4);
        if (freeSpace > quint64(blockLength - header))
            return fail(QStringLiteral("chunk %1 claims more free space than it has").arg(i));
        begin = chunk(i) + header;
        end = chunk(i) + blockLength - freeSpace;
        return true;
    }
    // Steps over an entry's name; `start` is where its characters begin.
    bool name(const uchar*& p, const uchar* end, qint64 i, const uchar** start = nullptr) {
        quint64 length = 0;
        if (!encint(p, end, length) || length > quint64(kMaxPath) || length > quint64(end - p))
            return fail(QStringLiteral("chunk %1 has a damaged entry name").arg(i));
        if (start)
            *start = p;
        p += length;
        return true;
    }

    bool listing(qint64 i) {
        const uchar *p = nullptr, *end = nullptr;
        if (!entries(i, kChunkHeader, p, end))
            return false;
        while (p < end) {
            const uchar* nameStart = nullptr;
            if (!name(p, end, i, &nameStart))
                return false;
            const QByteArrayView entryName(nameStart, p - nameStart);
            Object o{true, 0, 0, 0};
            if (!encint(p, end, o.section) || !encint(p, end, o.start) ||
                !encint(p, end, o.length))
                return fail(QStringLiteral("chunk %1 has a damaged entry").arg(i));
            if (entryName.endsWith(QByteArrayView(kControlData)))
                control = o;
            else if (entryName.endsWith(QByteArrayView(kResetTable)))
                reset = o;
        }
        return true;
    }

    bool index(qint64 i) {
        const uchar *p = nullptr, *end = nullptr;
        if (!entries(i, kIndexHeader, p, end))
            return false;
        while (p < end) {
            quint64 block = 0;
            if (!name(p, end, i) || !encint(p, end, block))
                return false;
            if (block >= quint64(blocks))
                return fail(QStringLiteral("index chunk %1 points outside the directory").arg(i));
        }
        return true;
    }

    // The index tree from its root: every chunk it reaches is an index or a listing chunk,
    // and no path through it comes back to a chunk already on the path.
    bool tree(qint64 i, QSet<qint64>& path, int depth) {
        if (i < 0 || i >= blocks)
            return fail(QStringLiteral("the index names chunk %1, which is not there").arg(i));
        if (path.contains(i) || depth > 64)
            return fail(QStringLiteral("the index runs in a circle at chunk %1").arg(i));
        if (checked.contains(i))
            return true;
        const qint64 at = first + i * blockLength;
        if (r.tag(at, "PMGL"))
            return listing(i);
        if (!r.tag(at, "PMGI"))
            return fail(QStringLiteral("chunk %1 is neither a listing nor an index").arg(i));
        if (!index(i))
            return false;
        path.insert(i);
        const uchar *p = nullptr, *end = nullptr;
        if (!entries(i, kIndexHeader, p, end))
            return false;
        while (p < end) {
            // index(i) has read these entries through once already.
            quint64 block = 0;
            if (!name(p, end, i) || !encint(p, end, block))
                return false;
            if (!tree(qint64(block), path, depth + 1))
                return false;
        }
        path.remove(i);
        checked.insert(i);
        return true;
    }
};

// An object of the uncompressed section as an offset into the file, when all of it is there.
bool place(const Object& o, qint64 size, quint64 data, quint64 least, qint64& at) {
    if (!o.found || o.section != 0 || o.length < least || data > quint64(size) ||
        o.start > quint64(size) - data || o.length > quint64(size) - data - o.start)
        return false;
    at = qint64(data + o.start);
    return true;
}

// The LZX parameters as chmlib reads them: a window of 2^15 to 2^21 bytes, a reset interval
// that is a whole number of half windows, at least one window per reset, and a reset table
// of version 2 with a block length it can divide by and offsets that lie inside it.
bool compressionIsSound(const Reader& r, qint64 size, quint64 data, const Object& control,
                        const Object& reset, QString* why) {
    auto fail = [why](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    qint64 c = 0, t = 0;
    if (!place(control, size, data, 0x18, c) || !r.tag(c + 4, "LZXC"))
        return fail(QStringLiteral("damaged compression settings"));
    const quint32 lzxVersion = r.u32(c + 8);
    quint64 interval = r.u32(c + 0x0C), window = r.u32(c + 0x10);
    const quint32 windowsPerReset = r.u32(c + 0x14);
    if (lzxVersion == 2) {
        interval *= 0x8000;
        window *= 0x8000;
    }
    if ((lzxVersion != 1 && lzxVersion != 2) || window < (1u << 15) || window > (1u << 21) ||
        (window & (window - 1)) != 0 || interval < window / 2 || interval > 0xFFFFFFFFu ||
        interval % (window / 2) != 0 || windowsPerReset == 0 || windowsPerReset > 0xFFFF)
        return fail(QStringLiteral("damaged compression settings"));
    if (!place(reset, size, data, 0x28, t) || r.u32(t) != 2)
        return fail(QStringLiteral("damaged reset table"));
    const quint64 blocks = r.u32(t + 4), tableOffset = r.u32(t + 0x0C);
    const quint64 blockLength = r.u64(t + 0x20);
    if (blockLength == 0 || blockLength > (1u << 24) || tableOffset > reset.length ||
        blocks > (reset.length - tableOffset) / 8)
        return fail(QStringLiteral("damaged reset table"));
    return true;
}

} // namespace

bool check(QByteArrayView file, QString* why) {
    auto fail = [why](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    const Reader r{file};
    const qint64 size = file.size();
    if (size < kItsfV3Length || !r.tag(0, "ITSF"))
        return fail(QStringLiteral("no help-file header"));
    const quint32 version = r.u32(4);
    const qint64 headerLength = r.u32(8);
    if ((version != 2 && version != 3) ||
        headerLength < (version == 3 ? kItsfV3Length : kItsfV2Length) || headerLength > size)
        return fail(QStringLiteral("unknown help-file header"));
    const quint64 dirOffset = r.u64(0x48), dirLength = r.u64(0x50);
    if (dirOffset > quint64(size) || dirLength > quint64(size) - dirOffset ||
        dirLength < quint64(kItspLength) || quint64(size) - dirOffset < quint64(kItspLength))
        return fail(QStringLiteral("the directory lies outside the file"));
    const qint64 dir = qint64(dirOffset);
    if (!r.tag(dir, "ITSP") || r.u32(dir + 4) != 1)
        return fail(QStringLiteral("damaged directory header"));
    const qint64 itspLength = r.u32(dir + 8);
    // The chunks that are really there bound every chunk number; the header's own count is
    // not needed.
    Directory d;
    d.r = r;
    d.first = dir + itspLength;
    d.blockLength = r.u32(dir + 0x10);
    if (itspLength < kItspLength || quint64(itspLength) > dirLength ||
        d.blockLength < kChunkHeader + 1 || d.blockLength > 1024 * 1024)
        return fail(QStringLiteral("damaged directory header"));
    d.blocks = (qint64(dirLength) - itspLength) / d.blockLength;
    if (d.blocks < 1)
        return fail(QStringLiteral("the directory holds no chunk"));
    const qint32 head = r.i32(dir + 0x20);
    qint32 root = r.i32(dir + 0x1C);
    if (root < 0)
        root = head;

    // The listing chain, as the enumeration follows it: no chunk twice.
    QSet<qint64> seen;
    for (qint64 i = head; i != -1; i = r.i32(d.first + i * d.blockLength + 0x10)) {
        if (i < 0 || i >= d.blocks)
            return fail(QStringLiteral("the directory names chunk %1, which is not there").arg(i));
        if (seen.contains(i))
            return fail(QStringLiteral("the directory runs in a circle at chunk %1").arg(i));
        seen.insert(i);
        if (!r.tag(d.first + i * d.blockLength, "PMGL"))
            return fail(QStringLiteral("chunk %1 is not a listing").arg(i));
        if (!d.listing(i))
            return fail(d.why);
    }
    QSet<qint64> path;
    if (!d.tree(root, path, 0))
        return fail(d.why);
    if (d.control.found || d.reset.found) {
        const quint64 data = version == 3 ? r.u64(0x58) : dirOffset + dirLength;
        if (!compressionIsSound(r, size, data, d.control, d.reset, why))
            return false;
    }
    return true;
}

} // namespace ChmStructure
