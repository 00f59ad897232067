#pragma once
#include "app/search/SearchMode.h"

#include <QByteArray>
#include <array>

// The terms of a search text split at "*" (Windows-1252 bytes). Position 0 is empty,
// positions 1..TermCount hold the terms and every later position holds the filler: " " in
// every mode but "Any Terms", where it is "|". A filler position always succeeds in the
// all-terms test (every result line holds a space) and fails in the any-term test.
class SearchTermList {
public:
    static constexpr int kPositions = 31;
    static constexpr int kMaxTerms = kPositions - 1;
    // Only terms 1..7 take part in the all-terms and any-term tests; all are highlighted.
    static constexpr int kTestedTerms = 7;

    // Leading and trailing "*" are dropped; each "*" starts a new term and the character
    // right after it joins that term whatever it is (a**b gives "a", "*b" and an empty
    // third term, as the count is the number of "*" plus one). A text with
    // more than kMaxTerms terms is refused: TermCount stays 0 and tooManyTerms() is true.
    static SearchTermList ParseSearchStrings(const QByteArray& text);

    // Puts the filler of the mode in place: " " becomes "|" in "Any Terms", "|" becomes " "
    // in the others (a term typed as exactly " " or "|" is treated the same way).
    void applyFiller(SearchMode mode);

    const QByteArray& at(int position) const { return SearchTerms[position]; }
    int TermCount = 0;
    bool tooManyTerms() const { return m_tooMany; }
    int requestedTerms() const { return m_requested; }

    std::array<QByteArray, kPositions> SearchTerms;

private:
    bool m_tooMany = false;
    int m_requested = 0;
};
