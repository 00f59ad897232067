#pragma once
#include "app/search/TextFinder.h"

#include <QByteArray>
#include <QVector>
#include <bitset>

// The wildcard dialect of the "None" search mode, matched against a whole line of
// Windows-1252 bytes: "*" any run of characters, "?" any one character, "#" any digit,
// "[abc]" any one of the listed characters, "[!abc]" any character not listed, and "a-z"
// ranges inside the brackets ("-" first or last in a list stands for itself; "[]" stands
// for nothing and takes no character). A "[" without its "]" or a descending range makes the
// pattern invalid, and an invalid pattern matches no line. Letter case is compared exactly;
// "Ignore Case" compiles and matches the capitals of both sides instead.
class WildcardPattern {
public:
    explicit WildcardPattern(const QByteArray& pattern = QByteArray());

    bool isValid() const { return m_valid; }
    bool matches(const char* text, qsizetype size) const;
    bool matches(const QByteArray& text) const { return matches(text.constData(), text.size()); }
    // The plain pieces between two "*" that any matching text must contain.
    QVector<QByteArray> innerLiterals() const;

private:
    using CharSet = std::bitset<256>;
    // The characters between two "*": one set per character position. When every set is a
    // single character the segment is also kept as a literal and found by a fast matcher.
    struct Segment {
        QVector<CharSet> sets;
        bool literal = true;
        QByteArray text;
        TextFinder finder;
    };

    bool parse(const QByteArray& pattern);
    // Reads the list opened at `open`; returns the position of its "]", or -1 when invalid.
    static qsizetype parseList(const QByteArray& pattern, qsizetype open, CharSet& set,
                               bool& empty);
    static bool matchesAt(const Segment& s, const char* text, qsizetype at);
    static qsizetype find(const Segment& s, const char* text, qsizetype from, qsizetype limit);

    QVector<Segment> m_segments; // star count + 1 segments
    bool m_valid = true;
};
