#pragma once
#include "app/search/HighlightPlan.h"
#include "app/search/LinePrefilter.h"
#include "app/search/ResultsFileWriter.h"
#include "app/search/SearchMode.h"
#include "app/search/SearchRange.h"
#include "app/search/SearchTermList.h"
#include "app/search/TextFinder.h"
#include "app/search/WildcardPattern.h"
#include "library/VerseIndex.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <functional>
#include <thread>

struct ProgramState;
class VerseLine;

// The scripture search of the main window, without the window.
//
// How a window uses it (Command1_Click):
//
//     ScriptureSearch search(state);
//     SearchRequest request{CurrentBibleFile, SelectedBook, mode, ChkCase ticked, cboSearch text};
//     if (!search.prepare(request, [&](const QString& t, bool bold) { show t in Text1 }))
//         { show search.statusText(0) (the refusal) and end the busy state; return; }
//     // progress bar: 0 .. ScriptureSearch::kProgressMaximum
//     search.run([&](int lines) { progress value = lines; let events through (cStop) },
//                StopRequested);          // tested before each line, cleared when seen
//     RT->setPlainText(search.paneText()); // the whole result text in one assignment
//     HighlightPlan plan = search.highlightPlan();
//     ... apply plan.spans() to the pane (see HighlightPlan), stopping on StopRequested ...
//     HighlightPlan::Outcome o = plan.outcomeAfter(spans applied);  // summary list, colour
//     Text1 = search.statusText(o.MatchCount);   // "57 Matches 42 Verses"
//
// prepare() does the steps before the line loop: parse the terms (a text with more than 30
// terms is refused), put the mode's filler in place, build or load the verse index (the
// status callback receives "Creating index ... please wait.." and "done"), cut the selected
// books into the scratch copy and read the input. When the index or the copy cannot be
// written (a program folder the user may not write to), prepare() refuses too and
// statusText(0) says which file and why; the whole Bible, which needs neither, can still be
// searched. run() is the line loop; a caller that
// wants its own pacing calls step() instead and finish() at the end. Each result line can
// also be received as it is found (lineFound), but filling the pane once from paneText() is
// far faster. The results file ScratchFolder + "BibTmp_" + file is written during the loop
// and completed by finish().
struct SearchRequest {
    QString bibleFile;  // CurrentBibleFile, as in BibleFiles ("b_kjv.TXT")
    int selection = 72; // SelectedBook, 1..72
    SearchMode mode = SearchMode::Pattern;
    bool ignoreCase = false;
    QString text;       // the search box text
};

class ScriptureSearch {
public:
    static constexpr int kProgressInterval = 150;
    static constexpr int kProgressMaximum = 31103;
    static constexpr qsizetype kParallelFrom = qsizetype(1) << 20;

    using ProgressFn = std::function<void(int linesRead)>;
    using LineFn = SearchRange::LineObserver;

    explicit ScriptureSearch(ProgramState& state);

    // False when the search is refused (too many terms, or an index or copy that cannot be
    // written); nothing is searched then, and statusText(0) says why.
    bool prepare(const SearchRequest& request, const VerseIndex::StatusFn& status = {});

    // Tests up to maxLines more lines; false once the input is exhausted or a stop was seen.
    bool step(int maxLines, bool* stopRequested = nullptr);
    // The whole line loop with progress every kProgressInterval lines, then finish().
    void run(const ProgressFn& progress, bool& stopRequested);
    // Completes the results file (CR LF after every line), which the search writes as it goes.
    void finish();

    // Receiving the lines as found keeps the whole search on the calling thread.
    void setLineFound(LineFn fn) { m_lineFound = std::move(fn); }
    // run() searches an input of at least this many bytes in two parts at once, on two
    // threads; the result is the same either way.
    void setParallelFrom(qsizetype bytes) { m_parallelFrom = bytes; }
    // The processor cores the search may count on (by default those of the machine).
    void setCores(unsigned cores) { m_cores = cores; }

    int linesRead() const { return m_main.lines() + m_secondLines; }
    int verseCount() const { return m_main.verses() + m_secondVerses; }
    bool stopped() const { return m_stopped; }
    bool refused() const { return m_terms.tooManyTerms() || !m_failure.isEmpty(); }
    // Why the files the search needs could not be written; empty when they could.
    const QString& failure() const { return m_failure; }
    // The loaded index holds no book of the selection: nothing was read.
    bool selectionMissing() const { return m_selectionMissing; }
    const SearchTermList& terms() const { return m_terms; }
    QVector<QByteArray> highlightTerms() const; // SearchTerms 1..TermCount

    // The result lines as the pane holds them: Windows-1252, "\n" after each line.
    const QByteArray& paneBytes() const { return m_pane; }
    QString paneText() const;
    QString resultsFilePath() const;

    // Uses MAXCountSize and the highlight colours of the program state.
    HighlightPlan highlightPlan() const;
    // Text1 after the search: "57 Matches 42 Verses", or "42 Verses" without terms; a
    // refusal or a selection the translation lacks is said instead.
    QString statusText(int matchCount) const;
    static QString CountText(int termCount, int matchCount, int verseCount);

private:
    struct SecondPart;

    void readInput(const QString& path);
    void startRange(qsizetype end);
    bool startSecondPart(SecondPart& part);
    void setUpPrefilter();

    ProgramState& m_state;
    SearchRequest m_request;
    SearchTermList m_terms;
    QVector<QByteArray> m_testedTerms; // the distinct terms 1..7, in capitals when ignoring case
    QVector<TextFinder> m_finders;
    WildcardPattern m_pattern;
    QVector<QByteArray> m_refNames;    // BookRefNames in capitals, as bytes
    LinePrefilter m_prefilter;

    QByteArray m_input;
    QByteArray m_subject; // the input as tested: in capitals when ignoring case
    SearchSetup m_setup;
    SearchRange m_main; // the whole input, or its first part when run() splits it
    QByteArray m_pane;
    ResultsFileWriter m_resultsFile;
    LineFn m_lineFound;
    qsizetype m_parallelFrom = kParallelFrom;
    unsigned m_cores = std::thread::hardware_concurrency();
    int m_secondLines = 0;
    int m_secondVerses = 0;
    bool m_stopped = false;
    bool m_selectionMissing = false;
    bool m_finished = false;
    QString m_failure;
};
