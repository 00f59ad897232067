#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

struct ProgramState;

// What the highlighting of a results pane does, worked out without the pane: for each term
// in turn, every place to colour and the colour, then the summary items. The window
// applies the spans in order, servicing events every kEventInterval spans; when the stop
// button interrupts it, outcomeAfter(spans applied) gives the counts and summary of what
// was done, as if the highlighting had been interrupted at that point.
//
// The rules: the find ignores letter case (Windows-1252 capitals) whatever "Ignore Case"
// says; after a match at position p the next find starts at p + 2; the matches of all terms
// count towards MatchCount, and when it reaches maxCount the current term stops and every
// later term gets only its first match. Term k takes colour k mod 6 (1-5 the user's
// highlight colours, 0 yellow). An occurrence at the pane's first character counts too.
class HighlightPlan {
public:
    static constexpr int kEventInterval = 10;
    static constexpr quint32 kYellow = 0x00FFFF; // Windows colour values: red in the low byte
    static constexpr quint32 kRed = 0x0000FF;
    static constexpr quint32 kBlack = 0;

    // The five user colours Bib1H1..Bib1H5.
    using Palette = std::array<quint32, 5>;
    static Palette PaletteOf(const ProgramState& state);
    static quint32 ColourOfTerm(int k, const Palette& palette); // k is 1-based

    struct Span {
        int term;     // 0-based index into terms()
        int position; // 0-based character position in the pane
        int length;
    };
    struct Term {
        QByteArray text; // as typed (Windows-1252)
        quint32 colour;
        int firstSpan;
        int spanCount;
    };
    struct Outcome {
        int MatchCount = 0;
        bool LimitReached = false;
        QStringList summaryItems; // "count term", one per term highlighted to the end
        quint32 summaryColour = kBlack;
    };

    // pane: the pane's text as Windows-1252 bytes, one byte per character ("\n" between
    // lines). terms: SearchTerms 1..TermCount.
    static HighlightPlan Compute(const QByteArray& pane, const QVector<QByteArray>& terms,
                                 int maxCount, const Palette& palette, bool ignoreCase);

    const QVector<Span>& spans() const { return m_spans; }
    const QVector<Term>& terms() const { return m_terms; }
    Outcome outcome() const { return outcomeAfter(int(m_spans.size())); }
    Outcome outcomeAfter(int appliedSpans) const;

    // The status text shown while a term is coloured: Highlighting "term".
    static QString HighlightingText(const QByteArray& term);
    static QString SummaryText() { return QStringLiteral("SEARCH SUMMARY"); }

private:
    QVector<Span> m_spans;
    QVector<Term> m_terms;
    int m_maxCount = 0;
    bool m_ignoreCase = false;
};
