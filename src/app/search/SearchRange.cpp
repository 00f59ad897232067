#include "app/search/SearchRange.h"

#include "app/search/VerseLine.h"
#include "app/search/Win1252Capitals.h"

#include <cstring>

SearchRange::SearchRange(const SearchSetup& setup, const LinePrefilter& prefilter,
                         qsizetype from, qsizetype to, QByteArray& pane,
                         ResultsFileWriter& results, int stream, const LineObserver* observer)
    : m_setup(&setup), m_prefilter(prefilter), m_pos(from), m_end(to), m_pane(&pane),
      m_results(&results), m_stream(stream), m_observer(observer) {
    m_breaks = LineBreaks(setup.subject, to);
    // The prefilter looks for its terms no further than this range.
    m_prefilter.start(setup.subject, to);
}

bool SearchRange::step(int maxLines) {
    if (!m_converted && m_setup->capitalsToConvert) {
        Win1252Capitals::convert(m_setup->input + m_pos, m_setup->capitalsToConvert + m_pos,
                                 m_end - m_pos);
        m_converted = true;
    }
    const char* data = m_setup->subject;
    for (int n = 0; n < maxLines && m_pos < m_end; ++n) {
        const char* start = data + m_pos;
        const qsizetype nl = m_breaks.next(m_pos);
        const char* end = data + (nl < 0 ? m_end : nl);
        m_pos = nl < 0 ? m_end : nl + 1;
        if (end > start && end[-1] == '\r')
            --end;
        ++m_lines;
        testLine(start - data, end - start);
    }
    return m_pos < m_end;
}

void SearchRange::testLine(qsizetype at, qsizetype size) {
    const SearchSetup& s = *m_setup;
    VerseLine verse;
    if (!verse.split(s.subject + at, size) || !VerseLine::InSelection(verse.book, s.selection))
        return;
    // A line whose book has no reference name is not a verse of any selection.
    if (verse.book < 1 || verse.book > s.refNames->size() || m_prefilter.rejects(verse))
        return;
    verse.moveTo(s.subject, s.input);
    // The line is built where it is kept, and taken back when it does not match.
    QByteArray& pane = *m_pane;
    const qsizetype mark = pane.size();
    verse.appendResultLine(s.refNames->at(verse.book - 1), pane);
    const qsizetype lineSize = pane.size() - mark - 1; // without its "\n"
    if (!matches(pane.constData() + mark, lineSize)) {
        pane.truncate(mark);
        return;
    }
    ++m_verses;
    if (m_observer && *m_observer)
        (*m_observer)(pane.mid(mark, lineSize));
    m_results->appendLine(m_stream, pane.constData() + mark, lineSize);
}

bool SearchRange::matches(const char* line, qsizetype size) {
    const SearchSetup& s = *m_setup;
    if (s.mode == SearchMode::EntireSelection)
        return true;
    if (s.ignoreCase) {
        m_capitals.resize(size);
        Win1252Capitals::convert(line, m_capitals.data(), size);
        line = m_capitals.constData();
    }
    switch (s.mode) {
    case SearchMode::Pattern:
        return s.pattern->matches(line, size);
    case SearchMode::AllTerms:
        for (const TextFinder& f : *s.finders)
            if (f.indexIn(line, size) < 0)
                return false;
        return true;
    case SearchMode::AnyTerm:
        for (const TextFinder& f : *s.finders)
            if (f.indexIn(line, size) >= 0)
                return true;
        return false;
    case SearchMode::EntireSelection:
        break;
    }
    return true;
}
