#include "media/Mp3Probe.h"

#include <QFile>

namespace {

struct Header {
    int version = 0; // 1, 2, or 25 for MPEG 2.5
    int layer = 0;
    int bitrate = 0; // kbit/s
    int sampleRate = 0;
    int channels = 0;
    int samples = 0; // per frame
    int length = 0;  // bytes, header included
};

constexpr int kBitrates[5][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}, // V1 L1
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},    // V1 L2
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},     // V1 L3
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},    // V2 L1
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},         // V2 L2, L3
};
constexpr int kRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};

// The frame header at p, or false when the four bytes are not one (free-format frames,
// whose length cannot be known from the header, are not taken).
bool readHeader(const uchar* p, Header& h) {
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    const int v = (p[1] >> 3) & 3, l = (p[1] >> 1) & 3;
    const int bi = p[2] >> 4, si = (p[2] >> 2) & 3, pad = (p[2] >> 1) & 1;
    if (v == 1 || l == 0 || bi == 0 || bi == 15 || si == 3)
        return false;
    h.version = v == 3 ? 1 : v == 2 ? 2 : 25;
    h.layer = 4 - l;
    const int table = h.version == 1 ? h.layer - 1 : (h.layer == 1 ? 3 : 4);
    h.bitrate = kBitrates[table][bi];
    h.sampleRate = kRates[h.version == 1 ? 0 : h.version == 2 ? 1 : 2][si];
    h.channels = (p[3] >> 6) == 3 ? 1 : 2;
    if (h.layer == 1) {
        h.samples = 384;
        h.length = (12 * h.bitrate * 1000 / h.sampleRate + pad) * 4;
    } else {
        h.samples = (h.layer == 3 && h.version != 1) ? 576 : 1152;
        h.length = h.samples / 8 * h.bitrate * 1000 / h.sampleRate + pad;
    }
    return h.length > 4;
}

quint32 bigEndian(const uchar* p) {
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3];
}

// The "Xing"/"Info" record an encoder puts in the first frame (a frame of no sound) and,
// from LAME, the samples the encoder added at the start and the end. The frames are counted
// rather than taken from the record, so a cut file gives the length it really plays.
struct InfoFrame {
    bool found = false;
    int delay = 0, padding = 0;
};

InfoFrame readInfoFrame(const uchar* frame, const Header& h) {
    InfoFrame info;
    const int sideInfo = h.version == 1 ? (h.channels == 1 ? 17 : 32) : (h.channels == 1 ? 9 : 17);
    const int at = 4 + sideInfo;
    if (h.layer != 3 || at + 8 > h.length)
        return info;
    const uchar* x = frame + at;
    if (memcmp(x, "Xing", 4) != 0 && memcmp(x, "Info", 4) != 0)
        return info;
    info.found = true;
    const quint32 flags = bigEndian(x + 4);
    int next = 8;
    if (flags & 1)
        next += 4;
    if (flags & 2)
        next += 4;
    if (flags & 4)
        next += 100;
    if (flags & 8)
        next += 4;
    // The LAME extension: nine characters of encoder name, then at +21 twelve bits of delay
    // and twelve of padding.
    if (at + next + 24 <= h.length && memcmp(x + next, "LAME", 4) == 0) {
        const uchar* d = x + next + 21;
        info.delay = (d[0] << 4) | (d[1] >> 4);
        info.padding = ((d[1] & 0x0F) << 8) | d[2];
    }
    return info;
}

qsizetype skipId3v2(QByteArrayView b) {
    if (b.size() < 10 || memcmp(b.data(), "ID3", 3) != 0)
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(b.data());
    if ((p[6] | p[7] | p[8] | p[9]) & 0x80)
        return 0;
    const qsizetype size = (p[6] << 21) | (p[7] << 14) | (p[8] << 7) | p[9];
    const qsizetype total = 10 + size + ((p[5] & 0x10) ? 10 : 0);
    return total <= b.size() ? total : b.size();
}

// How far the first frames are looked for: past this, the file is not taken as audio.
constexpr qsizetype kSearchLimit = 64 * 1024;

} // namespace

Mp3Probe Mp3Probe::probe(QByteArrayView bytes) {
    Mp3Probe r;
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype size = bytes.size();
    // The first frame is where a valid header is followed by another at the length it gives.
    qsizetype start = -1;
    Header first;
    const qsizetype from = skipId3v2(bytes);
    for (qsizetype i = from; i + 4 <= size && i < from + kSearchLimit; ++i) {
        Header h, next;
        if (!readHeader(data + i, h) || i + h.length + 4 > size ||
            !readHeader(data + i + h.length, next) || next.version != h.version ||
            next.layer != h.layer || next.sampleRate != h.sampleRate)
            continue;
        start = i;
        first = h;
        break;
    }
    if (start < 0)
        return r;
    r.isAudio = true;
    r.sampleRate = first.sampleRate;
    r.channels = first.channels;
    r.bitrateKbps = first.bitrate;
    const InfoFrame info =
        start + first.length <= size ? readInfoFrame(data + start, first) : InfoFrame();
    qint64 samples = 0;
    qsizetype at = start + (info.found ? first.length : 0);
    Header h;
    while (at + 4 <= size && readHeader(data + at, h) && h.sampleRate == first.sampleRate &&
           at + h.length <= size) {
        ++r.frames;
        samples += h.samples;
        at += h.length;
    }
    samples -= qMin<qint64>(samples, info.delay + info.padding);
    r.durationMs = samples * 1000 / first.sampleRate;
    return r;
}

Mp3Probe Mp3Probe::probeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Mp3Probe();
    const qint64 size = file.size();
    if (size <= 0)
        return Mp3Probe();
    if (uchar* mapped = file.map(0, size))
        return probe(QByteArrayView(reinterpret_cast<const char*>(mapped), size));
    return probe(file.readAll());
}
