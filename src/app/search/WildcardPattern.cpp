#include "app/search/WildcardPattern.h"

namespace {

unsigned char byteAt(const QByteArray& text, qsizetype i) {
    return static_cast<unsigned char>(text.at(i));
}

} // namespace

WildcardPattern::WildcardPattern(const QByteArray& pattern) { m_valid = parse(pattern); }

qsizetype WildcardPattern::parseList(const QByteArray& p, qsizetype open, CharSet& set,
                                     bool& empty) {
    const qsizetype n = p.size();
    qsizetype i = open + 1;
    const bool negate = i < n && p.at(i) == '!';
    if (negate)
        ++i;
    CharSet listed;
    empty = true;
    while (i < n && p.at(i) != ']') {
        empty = false;
        const unsigned char low = byteAt(p, i);
        if (i + 2 < n && p.at(i + 1) == '-' && p.at(i + 2) != ']') {
            const unsigned char high = byteAt(p, i + 2);
            if (high < low)
                return -1;
            for (int c = low; c <= high; ++c)
                listed.set(size_t(c));
            i += 3;
        } else {
            listed.set(low);
            ++i;
        }
    }
    if (i >= n)
        return -1;
    set = negate ? ~listed : listed;
    empty = empty && !negate;
    return i;
}

bool WildcardPattern::parse(const QByteArray& p) {
    CharSet digits;
    for (int c = '0'; c <= '9'; ++c)
        digits.set(size_t(c));
    Segment current;
    auto add = [&current](const CharSet& set) {
        current.sets.append(set);
        if (set.count() != 1) {
            current.literal = false;
            return;
        }
        for (int c = 0; c < 256; ++c)
            if (set.test(size_t(c)))
                current.text += char(c);
    };
    for (qsizetype i = 0; i < p.size(); ++i) {
        const char c = p.at(i);
        if (c == '*') {
            m_segments.append(current);
            current = Segment();
        } else if (c == '?') {
            add(CharSet().set());
        } else if (c == '#') {
            add(digits);
        } else if (c == '[') {
            CharSet set;
            bool empty = false;
            const qsizetype close = parseList(p, i, set, empty);
            if (close < 0)
                return false;
            if (!empty)
                add(set);
            i = close;
        } else {
            add(CharSet().set(byteAt(p, i)));
        }
    }
    m_segments.append(current);
    for (Segment& s : m_segments)
        if (s.literal)
            s.finder = TextFinder(s.text);
    return true;
}

bool WildcardPattern::matchesAt(const Segment& s, const char* text, qsizetype at) {
    for (qsizetype j = 0; j < s.sets.size(); ++j)
        if (!s.sets.at(j).test(static_cast<unsigned char>(text[at + j])))
            return false;
    return true;
}

qsizetype WildcardPattern::find(const Segment& s, const char* text, qsizetype from,
                                qsizetype limit) {
    const qsizetype len = s.sets.size();
    if (len == 0)
        return from;
    if (s.literal) {
        const qsizetype at = s.finder.indexIn(text, limit, from);
        return at >= 0 && at + len <= limit ? at : -1;
    }
    for (qsizetype at = from; at + len <= limit; ++at)
        if (matchesAt(s, text, at))
            return at;
    return -1;
}

QVector<QByteArray> WildcardPattern::innerLiterals() const {
    QVector<QByteArray> out;
    for (qsizetype k = 1; k + 1 < m_segments.size(); ++k)
        if (m_segments.at(k).literal && !m_segments.at(k).text.isEmpty())
            out.append(m_segments.at(k).text);
    return out;
}

bool WildcardPattern::matches(const char* text, qsizetype size) const {
    if (!m_valid)
        return false;
    const Segment& first = m_segments.constFirst();
    if (m_segments.size() == 1)
        return size == first.sets.size() && matchesAt(first, text, 0);
    const Segment& last = m_segments.constLast();
    const qsizetype limit = size - last.sets.size();
    if (first.sets.size() > limit || !matchesAt(first, text, 0) ||
        !matchesAt(last, text, limit))
        return false;
    // Each middle segment at its leftmost place: leaves the most room for the rest.
    qsizetype pos = first.sets.size();
    for (qsizetype k = 1; k + 1 < m_segments.size(); ++k) {
        const qsizetype at = find(m_segments.at(k), text, pos, limit);
        if (at < 0)
            return false;
        pos = at + m_segments.at(k).sets.size();
    }
    return true;
}
