#include "app/search/HighlightPlan.h"

#include "app/search/TextFinder.h"
#include "app/search/Win1252Capitals.h"
#include "library/ProgramState.h"
#include "platform/Win1252.h"


HighlightPlan::Palette HighlightPlan::PaletteOf(const ProgramState& state) {
    return {state.Bib1H1, state.Bib1H2, state.Bib1H3, state.Bib1H4, state.Bib1H5};
}

quint32 HighlightPlan::ColourOfTerm(int k, const Palette& palette) {
    const int slot = k % 6;
    return slot == 0 ? kYellow : palette[size_t(slot - 1)];
}

HighlightPlan HighlightPlan::Compute(const QByteArray& pane, const QVector<QByteArray>& terms,
                                     int maxCount, const Palette& palette, bool ignoreCase) {
    HighlightPlan plan;
    plan.m_maxCount = maxCount;
    plan.m_ignoreCase = ignoreCase;
    const QByteArray capitals = terms.isEmpty() ? QByteArray() : Win1252Capitals::toCapitals(pane);
    int matchCount = 0;
    bool limitReached = false;
    for (int k = 1; k <= terms.size(); ++k) {
        const QByteArray& text = terms.at(k - 1);
        Term term{text, ColourOfTerm(k, palette), int(plan.m_spans.size()), 0};
        const QByteArray wanted = Win1252Capitals::toCapitals(text);
        const TextFinder finder(wanted);
        qsizetype start = 0;
        while (!wanted.isEmpty()) {
            const qsizetype at = finder.indexIn(capitals, start);
            if (at < 0)
                break;
            ++term.spanCount;
            ++matchCount;
            limitReached = matchCount == maxCount || limitReached;
            plan.m_spans.append(Span{k - 1, int(at), int(wanted.size())});
            if (limitReached)
                break;
            // The character after the match's first one is never the start of another.
            start = at + 2;
        }
        plan.m_terms.append(term);
    }
    return plan;
}

HighlightPlan::Outcome HighlightPlan::outcomeAfter(int appliedSpans) const {
    Outcome out;
    const int total = int(m_spans.size());
    const int applied = qBound(0, appliedSpans, total);
    out.MatchCount = applied;
    out.LimitReached = m_maxCount >= 1 && applied >= m_maxCount;
    out.summaryColour = out.LimitReached ? kRed : kBlack;
    // An interrupted term, and every term after it, gets no summary item.
    const int interrupted = applied < total ? m_spans.at(applied).term : int(m_terms.size());
    for (int t = 0; t < interrupted; ++t) {
        const Term& term = m_terms.at(t);
        const QByteArray shown =
            m_ignoreCase ? Win1252Capitals::toCapitals(term.text) : term.text;
        out.summaryItems.append(QString::number(term.spanCount) + QLatin1Char(' ') +
                                Win1252::decode(shown));
    }
    return out;
}

QString HighlightPlan::HighlightingText(const QByteArray& term) {
    return QStringLiteral("Highlighting \"") + Win1252::decode(term) + QLatin1Char('"');
}
