#include "app/search/ScriptureSearch.h"

#include "app/search/VerseLine.h"
#include "app/search/Win1252Capitals.h"
#include "library/Catalogues.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "platform/Win1252.h"
#include "localisation/MessageText.h"

#include <atomic>
#include <cstring>
#include <system_error>
#include <thread>

ScriptureSearch::ScriptureSearch(ProgramState& state) : m_state(state) {}

bool ScriptureSearch::prepare(const SearchRequest& request, const VerseIndex::StatusFn& status) {
    m_request = request;
    m_pane.clear();
    m_input.clear();
    m_subject.clear();
    m_main = SearchRange();
    m_setup = SearchSetup();
    m_secondLines = m_secondVerses = 0;
    m_stopped = m_selectionMissing = m_finished = false;
    m_failure.clear();

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

    const bool wholeBible = request.selection == Catalogues::kBookSelections;
    const QString indexFailure =
        VerseIndex::PrepareIndex(m_state, m_state.BibleFolder, request.bibleFile, false, status);
    if (!indexFailure.isEmpty() && !wholeBible) {
        m_failure = VerseIndex::IndexFailureText(m_state, indexFailure);
        return false;
    }
    QString copyFailure;
    if (!VerseIndex::ExtractBookRange(m_state, request.bibleFile, request.selection,
                                      &copyFailure)) {
        if (!copyFailure.isEmpty()) {
            m_failure = MessageText::Std(m_state, 412, copyFailure);
            return false;
        }
        m_selectionMissing = true;
        m_resultsFile.start(FileFunctions::resolve(resultsFilePath()));
        return true;
    }
    m_resultsFile.start(FileFunctions::resolve(resultsFilePath()));
    const QString input = request.selection == 72
                              ? m_state.Folders.moduleFile(m_state.BibleFolder, request.bibleFile)
                              : m_state.ScratchFolder + request.bibleFile;
    readInput(input);
    return true;
}

void ScriptureSearch::readInput(const QString& path) {
    FileFunctions::readWholeFile(path, m_input);
    // "Ignore Case" tests capitals: the input is converted once, not line by line, and by
    // each range of the search for its own lines.
    const bool capitals = m_request.ignoreCase && m_request.mode != SearchMode::EntireSelection;
    if (capitals)
        m_subject = QByteArray(m_input.size(), Qt::Uninitialized);
    else
        m_subject = m_input;
    m_setup.mode = m_request.mode;
    m_setup.ignoreCase = m_request.ignoreCase;
    m_setup.selection = m_request.selection;
    m_setup.pattern = &m_pattern;
    m_setup.finders = &m_finders;
    m_setup.refNames = &m_refNames;
    m_setup.capitalsToConvert = capitals ? m_subject.data() : nullptr;
    m_setup.subject = m_subject.constData();
    m_setup.input = m_input.constData();
    m_setup.size = m_subject.size();
    // Every line is kept: the result lines are about as long as the text lines.
    if (m_request.mode == SearchMode::EntireSelection)
        m_pane.reserve(m_input.size() + m_input.size() / 8);
    startRange(m_subject.size());
}

void ScriptureSearch::startRange(qsizetype end) {
    m_main = SearchRange(m_setup, m_prefilter, 0, end, m_pane, m_resultsFile, 0, &m_lineFound);
}

bool ScriptureSearch::step(int maxLines, bool* stopRequested) {
    if (m_main.done())
        return false;
    if (stopRequested && *stopRequested) {
        *stopRequested = false;
        m_stopped = true;
        m_main.abandon();
        return false;
    }
    return m_main.step(maxLines);
}

// The second part of a large input, searched on a thread of its own while the calling
// thread searches the first part, lets events through and watches the stop button. Its
// lines join the result only when the first part ran to its end.
struct ScriptureSearch::SecondPart {
    QByteArray pane;
    SearchRange range;
    int stream = 0; // its stream of the results file
    std::atomic<bool> cancel{false};
    std::atomic<int> lines{0};
    std::thread thread;

    ~SecondPart() { stop(); }
    void stop() {
        cancel = true;
        if (thread.joinable())
            thread.join();
    }
    void work() {
        while (!cancel && range.step(kProgressInterval))
            lines = range.lines();
        lines = range.lines();
    }
};

bool ScriptureSearch::startSecondPart(SecondPart& part) {
    const qsizetype size = m_setup.size;
    if (m_lineFound || m_main.lines() > 0 || size < m_parallelFrom)
        return false;
    // Where every line is kept, the results file is as large as the text and its writer
    // keeps a core busy: a second searching thread only pays with a third core.
    if (m_request.mode == SearchMode::EntireSelection && m_cores < 3)
        return false;
    const char* data = m_setup.input; // its line ends are those of the subject
    const qsizetype half = size / 2;
    const auto* nl = static_cast<const char*>(std::memchr(data + half, '\n', size_t(size - half)));
    if (!nl || nl + 1 == data + size)
        return false;
    const qsizetype split = (nl - data) + 1; // the second part starts on a line of its own
    if (m_request.mode == SearchMode::EntireSelection)
        part.pane.reserve((size - split) + (size - split) / 8);
    part.stream = m_resultsFile.addStream();
    part.range = SearchRange(m_setup, m_prefilter, split, size, part.pane, m_resultsFile,
                             part.stream);
    try {
        part.thread = std::thread([&part] { part.work(); });
    } catch (const std::system_error&) {
        m_resultsFile.dropStream(part.stream); // no thread to be had: one part after all
        return false;
    }
    startRange(split);
    return true;
}

void ScriptureSearch::run(const ProgressFn& progress, bool& stopRequested) {
    SecondPart second;
    const bool split = startSecondPart(second);
    for (;;) {
        const int before = m_main.lines();
        const bool more = step(kProgressInterval - before % kProgressInterval, &stopRequested);
        const int after = m_main.lines();
        if (after != before && after % kProgressInterval == 0 && progress)
            progress(after + second.lines);
        if (!more)
            break;
    }
    if (split) {
        if (m_stopped) {
            second.stop();
            m_resultsFile.dropStream(second.stream);
        } else {
            // The first part's lines may go to the file while the second part finishes.
            m_resultsFile.closeStream(0);
            second.thread.join();
            m_resultsFile.closeStream(second.stream);
            m_pane.append(second.pane);
            m_secondLines = second.range.lines();
            m_secondVerses = second.range.verses();
        }
    }
    finish();
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
    if (!m_failure.isEmpty())
        return m_failure;
    if (refused())
        return MessageText::Std(m_state, 402, QString::number(m_terms.requestedTerms()));
    const QString counts = CountText(m_terms.TermCount, matchCount, verseCount());
    if (!m_selectionMissing)
        return counts;
    return counts + QStringLiteral(": ") +
           MessageText::Std(m_state, 403, m_state.BookDisplayNames.value(m_request.selection - 1));
}
