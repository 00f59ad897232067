#include "media/NoticeCipher.h"

#include <algorithm>

namespace NoticeCipher {

static_assert(sizeof(kKey) == kKeyLength + 1, "the key has 27 characters");

namespace {
// The value of a group of three characters; -1 when one of them is not a digit.
int groupValue(const char* g) {
    int value = 0;
    for (int i = 0; i < 3; ++i) {
        if (g[i] < '0' || g[i] > '9')
            return -1;
        value = value * 10 + (g[i] - '0');
    }
    return value;
}
} // namespace

Result unscramble(const QByteArray& fetched) {
    Result r;
    if (fetched.isEmpty()) {
        r.failure = Failure::Empty;
        return r;
    }
    // Back to front, without the character that was written last.
    QByteArray digits = fetched;
    std::reverse(digits.begin(), digits.end());
    digits.remove(0, 1);
    const qsizetype groups = digits.size() / 3;
    if (digits.size() % 3 == 2) {
        r.failure = Failure::ShortGroup;
        r.group = int(groups + 1);
        return r;
    }
    r.text.reserve(groups);
    for (qsizetype j = 0; j < groups; ++j) {
        int value = groupValue(digits.constData() + 3 * j);
        if (value < 0)
            value = 0;
        if (value > 255) {
            r.failure = Failure::GroupOver255;
            r.group = int(j + 1);
            r.text.clear();
            return r;
        }
        r.text.append(char(quint8(kKey[j % kKeyLength]) ^ quint8(value)));
    }
    return r;
}

QByteArray scramble(const QByteArray& notice, char last) {
    QByteArray digits;
    digits.reserve(notice.size() * 3 + 1);
    for (qsizetype j = 0; j < notice.size(); ++j) {
        const int b = quint8(notice.at(j)) ^ quint8(kKey[j % kKeyLength]);
        digits.append(QByteArray::number(b).rightJustified(3, '0'));
    }
    std::reverse(digits.begin(), digits.end());
    digits.append(last);
    return digits;
}

} // namespace NoticeCipher
