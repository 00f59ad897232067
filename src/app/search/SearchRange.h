#pragma once
#include "library/LineBreaks.h"
#include "app/search/LinePrefilter.h"
#include "app/search/ResultsFileWriter.h"
#include "app/search/SearchMode.h"
#include "app/search/TextFinder.h"
#include "app/search/WildcardPattern.h"

#include <QByteArray>
#include <QVector>
#include <functional>

class VerseLine;

// What every range of one search shares; it does not change while the ranges run, so two
// threads may read it at once.
struct SearchSetup {
    SearchMode mode = SearchMode::Pattern;
    bool ignoreCase = false;
    int selection = 72;
    const WildcardPattern* pattern = nullptr;
    const QVector<TextFinder>* finders = nullptr;  // the distinct tested terms
    const QVector<QByteArray>* refNames = nullptr; // reference names in capitals
    const char* subject = nullptr; // the input as tested: in capitals when ignoring case
    const char* input = nullptr;   // the input as read, for the result lines
    // The subject is still to be converted to capitals: each range converts its own bytes
    // before its first line, so two ranges convert at once.
    char* capitalsToConvert = nullptr;
    qsizetype size = 0;
};

// The line loop over the lines of one byte range of the input: every line is split, tested
// against the selection and the mode, and a kept line is appended to the pane ("\n" after it)
// and to the range's stream of the results file. A search runs one range, or two on two cores; each range has its
// own prefilter state and scratch, so ranges never share anything they change.
class SearchRange {
public:
    // Receives each kept line, without its line end, as it is found.
    using LineObserver = std::function<void(const QByteArray& line)>;

    SearchRange() = default;
    SearchRange(const SearchSetup& setup, const LinePrefilter& prefilter, qsizetype from,
                qsizetype to, QByteArray& pane, ResultsFileWriter& results, int stream,
                const LineObserver* observer = nullptr);

    // Tests up to maxLines more lines; false once the range is exhausted.
    bool step(int maxLines);
    // Reads no further: the rest of the range is left untested.
    void abandon() { m_pos = m_end; }
    bool done() const { return m_pos >= m_end; }

    int lines() const { return m_lines; }
    int verses() const { return m_verses; }

private:
    void testLine(qsizetype at, qsizetype size);
    bool matches(const char* line, qsizetype size);

    const SearchSetup* m_setup = nullptr;
    LinePrefilter m_prefilter;
    LineBreaks m_breaks;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    QByteArray* m_pane = nullptr;
    ResultsFileWriter* m_results = nullptr;
    int m_stream = 0;
    const LineObserver* m_observer = nullptr; // may be set or cleared while the range runs
    QByteArray m_capitals;
    bool m_converted = false;
    int m_lines = 0;
    int m_verses = 0;
};
