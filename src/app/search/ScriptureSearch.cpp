#include "app/search/ScriptureSearch.h"

#include "app/search/VerseLine.h"
#include "app/search/Win1252Capitals.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/Win1252.h"
#include "localisation/MessageText.h"

#include <QFile>
#include <cstring>

ScriptureSearch::ScriptureSearch(ProgramState& state) : m_state(state) {}

bool ScriptureSearch::prepare(const SearchRequest& request, const VerseIndex::StatusFn& status) {
    m_request = request;
    m_pane.clear();
    m_input.clear();
    m_subject.clear();
    m_pos = 0;
    m_lines = m_verses = 0;
    m_stopped = m_selectionMissing = m_finished = false;

    const QByteArray text = Win1252::encode(request.text);
    m_terms = SearchTermList::ParseSearchStrings(text);
    if (m_terms.tooManyTerms())
        return false;
    m_terms.applyFiller(request.mode);
    m_resultsFile.start(FileFunctions::resolve(resultsFilePath()));

    // Testing a term twice cannot change the answer: the seven positions are mostly filler.
    m_testedTerms.clear();
    m_finders.clear();
    for (int p = 1; p <= SearchTermList::kTestedTerms; ++p) {
        const QByteArray& term = m_terms.at(p);
        const QByteArray tested = request.ignoreCase ? Win1252Capitals::toCapitals(term) : term;
        if (!m_testedTerms.contains(tested))
            m_testedTerms.append(tested);
    }
    for (const QByteArray& t : m_testedTerms)
        m_finders.append(TextFinder(t));
    m_pattern = WildcardPattern(request.ignoreCase ? Win1252Capitals::toCapitals(text) : text);

    m_refNames.clear();
    for (const QString& name : m_state.BookRefNames)
        m_refNames.append(Win1252Capitals::toCapitals(Win1252::encode(name)));

    setUpPrefilter();

    VerseIndex::PrepareIndex(m_state, m_state.BibleFolder, request.bibleFile, false, status);
    if (!VerseIndex::ExtractBookRange(m_state, request.bibleFile, request.selection)) {
        m_selectionMissing = true;
        return true;
    }
    const QString input = request.selection == 72 ? m_state.BibleFolder + request.bibleFile
                                                  : m_state.ScratchFolder + request.bibleFile;
    readInput(input);
    return true;
}

void ScriptureSearch::readInput(const QString& path) {
    FileFunctions::readWholeFile(path, m_input);
    // "Ignore Case" tests capitals: the whole input is converted once, not line by line.
    const bool capitals = m_request.ignoreCase && m_request.mode != SearchMode::EntireSelection;
    m_subject = capitals ? Win1252Capitals::toCapitals(m_input) : m_input;
    m_prefilter.start(m_subject.constData(), m_subject.size());
    // Every line is kept: the result lines are about as long as the text lines.
    if (m_request.mode == SearchMode::EntireSelection)
        m_pane.reserve(m_input.size() + m_input.size() / 8);
}

bool ScriptureSearch::step(int maxLines, bool* stopRequested) {
    const char* data = m_subject.constData();
    const qsizetype size = m_subject.size();
    for (int n = 0; n < maxLines; ++n) {
        if (m_pos >= size)
            return false;
        if (stopRequested && *stopRequested) {
            *stopRequested = false;
            m_stopped = true;
            m_pos = size;
            return false;
        }
        const char* start = data + m_pos;
        const char* nl = static_cast<const char*>(std::memchr(start, '\n', size_t(size - m_pos)));
        const char* end = nl ? nl : data + size;
        m_pos = nl ? (nl - data) + 1 : size;
        if (end > start && end[-1] == '\r')
            --end;
        ++m_lines;
        testLine(start - data, end - start);
    }
    return m_pos < size;
}

void ScriptureSearch::run(const ProgressFn& progress, bool& stopRequested) {
    for (;;) {
        const int before = m_lines;
        const bool more = step(kProgressInterval - m_lines % kProgressInterval, &stopRequested);
        if (m_lines != before && m_lines % kProgressInterval == 0 && progress)
            progress(m_lines);
        if (!more)
            break;
    }
    finish();
}

void ScriptureSearch::testLine(qsizetype at, qsizetype size) {
    VerseLine verse;
    if (!verse.split(m_subject.constData() + at, size) ||
        !VerseLine::InSelection(verse.book, m_request.selection))
        return;
    // A line whose book has no reference name is not a verse of any selection.
    if (verse.book < 1 || verse.book > m_refNames.size() || m_prefilter.rejects(verse))
        return;
    verse.moveTo(m_subject.constData(), m_input.constData());
    // The line is built where it is kept, and taken back when it does not match.
    const qsizetype mark = m_pane.size();
    verse.appendResultLine(m_refNames.at(verse.book - 1), m_pane);
    if (!matches(m_pane.constData() + mark, m_pane.size() - mark)) {
        m_pane.truncate(mark);
        return;
    }
    keepResult(mark);
}

void ScriptureSearch::keepResult(qsizetype mark) {
    ++m_verses;
    if (m_lineFound)
        m_lineFound(m_pane.mid(mark));
    m_resultsFile.appendLine(m_pane.constData() + mark, m_pane.size() - mark);
    m_pane.append('\n');
}

void ScriptureSearch::setUpPrefilter() {
    using Rule = LinePrefilter::Rule;
    switch (m_request.mode) {
    case SearchMode::Pattern:
        m_prefilter.setUp(Rule::AllTerms, m_pattern.innerLiterals(), m_refNames);
        break;
    case SearchMode::AllTerms:
        m_prefilter.setUp(Rule::AllTerms, m_testedTerms, m_refNames);
        break;
    case SearchMode::AnyTerm:
        m_prefilter.setUp(Rule::AnyTerm, m_testedTerms, m_refNames);
        break;
    case SearchMode::EntireSelection:
        m_prefilter.setUp(Rule::Off, {}, m_refNames);
        break;
    }
}

bool ScriptureSearch::matches(const char* line, qsizetype size) {
    if (m_request.mode == SearchMode::EntireSelection)
        return true;
    if (m_request.ignoreCase) {
        m_capitals.resize(size);
        Win1252Capitals::convert(line, m_capitals.data(), size);
        line = m_capitals.constData();
    }
    switch (m_request.mode) {
    case SearchMode::Pattern:
        return m_pattern.matches(line, size);
    case SearchMode::AllTerms:
        for (const TextFinder& f : m_finders)
            if (f.indexIn(line, size) < 0)
                return false;
        return true;
    case SearchMode::AnyTerm:
        for (const TextFinder& f : m_finders)
            if (f.indexIn(line, size) >= 0)
                return true;
        return false;
    case SearchMode::EntireSelection:
        break;
    }
    return true;
}

void ScriptureSearch::finish() {
    if (m_finished)
        return;
    m_finished = true;
    m_resultsFile.finish();
}

QVector<QByteArray> ScriptureSearch::highlightTerms() const {
    QVector<QByteArray> terms;
    for (int k = 1; k <= m_terms.TermCount; ++k)
        terms.append(m_terms.at(k));
    return terms;
}

QString ScriptureSearch::paneText() const { return Win1252::decode(m_pane); }

QString ScriptureSearch::resultsFilePath() const {
    return m_state.ScratchFolder + QStringLiteral("BibTmp_") + m_request.bibleFile;
}

HighlightPlan ScriptureSearch::highlightPlan() const {
    return HighlightPlan::Compute(m_pane, highlightTerms(), m_state.MAXCountSize,
                                  HighlightPlan::PaletteOf(m_state), m_request.ignoreCase);
}

QString ScriptureSearch::CountText(int termCount, int matchCount, int verseCount) {
    const QString verses = QString::number(verseCount) + QStringLiteral(" Verses");
    if (termCount == 0)
        return verses;
    return QString::number(matchCount) + QStringLiteral(" Matches ") + verses;
}

QString ScriptureSearch::statusText(int matchCount) const {
    if (refused())
        return MessageText::Std(m_state, 402, QString::number(m_terms.requestedTerms()));
    const QString counts = CountText(m_terms.TermCount, matchCount, m_verses);
    if (!m_selectionMissing)
        return counts;
    return counts + QStringLiteral(": ") +
           MessageText::Std(m_state, 403, m_state.BookDisplayNames.value(m_request.selection - 1));
}
