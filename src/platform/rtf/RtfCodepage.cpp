#include "RtfCodepage.h"

#include "platform/Win1252.h"

#include <QStringDecoder>

#include <map>
#include <memory>

namespace {

QByteArray encodingName(int codepage) {
    switch (codepage) {
    case 10000:
        return "macintosh";
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 65001:
        return "UTF-8";
    default:
        return "windows-" + QByteArray::number(codepage);
    }
}

// Decoders are stateless between calls (each call passes whole characters), so
// one per code page is kept. Files choose code pages freely; the cache is capped
// so that hostile ones cannot grow it without end.
QStringDecoder* decoderFor(int codepage) {
    constexpr std::size_t kMaxCached = 64;
    thread_local std::map<int, std::unique_ptr<QStringDecoder>> cache;
    auto it = cache.find(codepage);
    if (it != cache.end())
        return it->second.get();
    auto decoder = std::make_unique<QStringDecoder>(encodingName(codepage).constData(),
                                                    QStringConverter::Flag::Stateless);
    if (!decoder->isValid())
        decoder.reset();
    if (cache.size() >= kMaxCached) {
        thread_local std::unique_ptr<QStringDecoder> uncached;
        uncached = std::move(decoder);
        return uncached.get();
    }
    return cache.emplace(codepage, std::move(decoder)).first->second.get();
}

} // namespace

QString RtfCodepage::decode(const QByteArray& bytes, int codepage) {
    if (codepage == Windows1252 || codepage <= 0)
        return Win1252::decode(bytes);
    QStringDecoder* decoder = decoderFor(codepage);
    if (!decoder)
        return Win1252::decode(bytes);
    return decoder->decode(bytes);
}

int RtfCodepage::codepageForCharset(int charset) {
    switch (charset) {
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    default:
        return 0;
    }
}
