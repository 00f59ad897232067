#include "app/search/ScriptureSearch.h"

#include "app/search/VerseLine.h"
#include "app/search/Win1252Capitals.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/Win1252.h"

#include <QFile>
#include <cstring>

ScriptureSearch::ScriptureSearch(ProgramState& state) : m_state(state) {}

bool ScriptureSearch::prepare(const SearchRequest& request, const VerseIndex::StatusFn& status) {
    m_request = request;
    m_pane.clear();
    m_input.clear();
    m_pos = 0;
    m_lines = m_verses = 0;
    m_stopped = m_selectionMissing = m_finished = false;

    const QByteArray text = Win1252::encode(request.text);
    m_terms = SearchTermList::ParseSearchStrings(text);
    if (m_terms.tooManyTerms())
        return false;
    m_terms.applyFiller(request.mode);

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
    FileFunctions::readWholeFile(input, m_input);
    return true;
}

bool ScriptureSearch::step(int maxLines, bool* stopRequested) {
    const char* data = m_input.constData();
    const qsizetype size = m_input.size();
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
        testLine(start, end - start);
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

void ScriptureSearch::testLine(const char* line, qsizetype size) {
    VerseLine verse;
    if (!verse.split(line, size) || !VerseLine::InSelection(verse.book, m_request.selection))
        return;
    // A line whose book has no reference name is not a verse of any selection.
    if (verse.book < 1 || verse.book > m_refNames.size() || prefilterRejects(verse))
        return;
    verse.buildResultLine(m_refNames.at(verse.book - 1), m_line);
    if (!matches())
        return;
    m_pane.append(m_line).append('\n');
    ++m_verses;
    if (m_lineFound)
        m_lineFound(m_line);
}

void ScriptureSearch::setUpPrefilter() {
    m_textOnly.clear();
    m_referenceBytes.reset();
    for (const QByteArray& name : m_refNames)
        for (char c : name)
            m_referenceBytes.set(static_cast<unsigned char>(c));
    for (char c : QByteArrayLiteral("0123456789-: "))
        m_referenceBytes.set(static_cast<unsigned char>(c));
    // Capitals would need converting first: "Ignore Case" always builds the line.
    if (m_request.ignoreCase)
        return;
    QVector<QByteArray> terms;
    switch (m_request.mode) {
    case SearchMode::Pattern: terms = m_pattern.innerLiterals(); break;
    case SearchMode::AllTerms:
    case SearchMode::AnyTerm: terms = m_testedTerms; break;
    case SearchMode::EntireSelection: return;
    }
    m_prefilterAny = m_request.mode == SearchMode::AnyTerm;
    for (const QByteArray& t : terms) {
        const bool textOnly = !t.isEmpty() && !m_referenceBytes.test(static_cast<unsigned char>(t.at(0)));
        if (textOnly) {
            m_textOnly.append(TextFinder(t));
        } else if (m_prefilterAny) {
            m_textOnly.clear(); // this term may match in the reference: no shortcut
            return;
        }
    }
}

bool ScriptureSearch::prefilterRejects(const VerseLine& verse) const {
    if (m_textOnly.isEmpty())
        return false;
    // The chapter is copied as written: unusual bytes there void the reasoning.
    for (qsizetype i = 0; i < verse.chapterSize; ++i)
        if (!m_referenceBytes.test(static_cast<unsigned char>(verse.chapter[i])))
            return false;
    for (const TextFinder& f : m_textOnly) {
        const bool found = f.indexIn(verse.text, verse.textSize) >= 0;
        if (found == m_prefilterAny)
            return !found;
    }
    return m_prefilterAny; // all terms found, or none of the any-terms
}

bool ScriptureSearch::matches() {
    if (m_request.mode == SearchMode::EntireSelection)
        return true;
    const QByteArray* subject = &m_line;
    if (m_request.ignoreCase) {
        m_capitals.resize(m_line.size());
        Win1252Capitals::convert(m_line.constData(), m_capitals.data(), m_line.size());
        subject = &m_capitals;
    }
    switch (m_request.mode) {
    case SearchMode::Pattern:
        return m_pattern.matches(*subject);
    case SearchMode::AllTerms:
        for (const TextFinder& f : m_finders)
            if (f.indexIn(*subject) < 0)
                return false;
        return true;
    case SearchMode::AnyTerm:
        for (const TextFinder& f : m_finders)
            if (f.indexIn(*subject) >= 0)
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
    QByteArray bytes;
    bytes.reserve(m_pane.size() + m_verses);
    qsizetype from = 0;
    for (qsizetype nl; (nl = m_pane.indexOf('\n', from)) >= 0; from = nl + 1)
        bytes.append(m_pane.constData() + from, nl - from).append("\r\n", 2);
    QFile out(FileFunctions::resolve(resultsFilePath()));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(bytes);
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
        return QStringLiteral("Too many search terms: %1 given, at most %2 (terms are "
                              "separated by \"*\")")
            .arg(m_terms.requestedTerms())
            .arg(SearchTermList::kMaxTerms);
    const QString counts = CountText(m_terms.TermCount, matchCount, m_verses);
    if (!m_selectionMissing)
        return counts;
    return counts + QStringLiteral(": this translation has no ") +
           m_state.BookDisplayNames.value(m_request.selection - 1);
}
