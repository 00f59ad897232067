// The fast search (capitals of the whole input, prefilter, vector find) must list exactly the
// verses that a plain line-by-line reading of the rules lists. The text is generated so that
// terms fall in verse texts, across word joins and inside the references themselves.
#include "SearchFixture.h"

#include "app/search/ScriptureSearch.h"
#include "library/FileFunctions.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const char* const kWords[] = {"love", "Love", "LOVE", "God", "god", "lord", "LORD", "gen",
                              "sam", "the", "and", "caf\xe9", "CAF\xc9", "ex", "beloved",
                              "faith", "hope", "a", "of", "John"};

QByteArray capitals(QByteArray s) {
    for (char& c : s) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
            c = char(u - 0x20);
    }
    return s;
}

QByteArray generatedBible() {
    QRandomGenerator rng(20261208);
    QByteArray out;
    int n = 0;
    for (int book = 1; book <= 66; book += 1 + int(rng.bounded(3)))
        for (int chapter = 1; chapter <= 3; ++chapter)
            for (int verse = 1; verse <= 12; ++verse) {
                QByteArray text;
                const int words = 3 + int(rng.bounded(9));
                for (int w = 0; w < words; ++w)
                    text += QByteArray(kWords[rng.bounded(int(std::size(kWords)))]) +
                            (rng.bounded(5) == 0 ? "" : " ");
                out += TestProgramFolder::bibleLine(++n, book, chapter, verse, text.trimmed());
            }
    return out;
}

// The rules read literally: build each result line and test it.
QByteArray naiveSearch(const QByteArray& bible, const QStringList& refNames, SearchMode mode,
                       bool ignoreCase, const QList<QByteArray>& terms) {
    QByteArray pane;
    for (const QByteArray& raw : bible.split('\n')) {
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        const QList<QByteArray> f = line.split('\t');
        if (f.size() < 5)
            continue;
        const QByteArray result = refNames.at(f[1].toInt() - 1).toUpper().toLatin1() + ' ' +
                                  f[2] + ':' + QByteArray::number(f[3].toInt()) + ' ' + f[4];
        const QByteArray tested = ignoreCase ? capitals(result) : result;
        auto has = [&](const QByteArray& t) {
            return tested.contains(ignoreCase ? capitals(t) : t);
        };
        bool match = false;
        if (mode == SearchMode::AllTerms)
            match = std::all_of(terms.begin(), terms.end(), has);
        else if (mode == SearchMode::AnyTerm)
            match = std::any_of(terms.begin(), terms.end(), has);
        else { // "*a*b*": a, then b after it
            const QByteArray a = ignoreCase ? capitals(terms.at(0)) : terms.at(0);
            const QByteArray b = ignoreCase ? capitals(terms.at(1)) : terms.at(1);
            const int at = int(tested.indexOf(a));
            match = at >= 0 && tested.indexOf(b, at + a.size()) >= 0;
        }
        if (match)
            pane += result + '\n';
    }
    return pane;
}

} // namespace

class TestSearchEquivalence : public QObject {
    Q_OBJECT
private slots:
    void engineListsWhatTheRulesList_data();
    void engineListsWhatTheRulesList();
};

void TestSearchEquivalence::engineListsWhatTheRulesList_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    const struct {
        SearchMode mode;
        const char* text;
    } cases[] = {
        {SearchMode::AllTerms, "love*God"},    {SearchMode::AllTerms, "GEN*the"},
        {SearchMode::AllTerms, "e l*o"},       {SearchMode::AnyTerm, "faith*hope"},
        {SearchMode::AnyTerm, "SAM*caf\xe9"},  {SearchMode::AnyTerm, "lord*xyz*:1"},
        {SearchMode::Pattern, "*love*God*"},   {SearchMode::Pattern, "*ex*o*"},
        {SearchMode::Pattern, "*CAF\xc9*a*"},  {SearchMode::AllTerms, "beloved"},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        QTest::addRow("%d %s", int(c.mode), c.text) << int(c.mode) << text;
    }
}

void TestSearchEquivalence::engineListsWhatTheRulesList() {
    QFETCH(int, mode);
    QFETCH(QString, text);
    SearchFixture f;
    const QByteArray bible = generatedBible();
    f.writeBible(bible);
    const SearchMode m = SearchMode(mode);
    QList<QByteArray> terms;
    for (const QString& t : text.split('*', Qt::SkipEmptyParts))
        terms << t.toLatin1();
    for (bool ignoreCase : {false, true}) {
        const QByteArray expected =
            naiveSearch(bible, f.state->BookRefNames, m, ignoreCase, terms);
        QVERIFY2(!expected.isEmpty() || m == SearchMode::AnyTerm, "the case finds nothing");
        // The small text is searched on one thread by default; forced, in two parts at once.
        for (const qsizetype parallelFrom : {ScriptureSearch::kParallelFrom, qsizetype(0)}) {
            ScriptureSearch search(*f.state);
            search.setParallelFrom(parallelFrom);
            search.setCores(4); // every mode splits, Entire Selection too
            QVERIFY(search.prepare(SearchRequest{f.bibleFile(), 72, m, ignoreCase, text}));
            bool stop = false;
            search.run({}, stop);
            QCOMPARE(search.paneBytes(), expected);
            QCOMPARE(search.verseCount(), int(expected.count('\n')));
            QCOMPARE(search.linesRead(), int(bible.count('\n')));
            QByteArray file;
            QVERIFY(FileFunctions::readWholeFile(search.resultsFilePath(), file));
            QCOMPARE(file, QByteArray(expected).replace("\n", "\r\n"));
        }
    }
}

QTEST_MAIN(TestSearchEquivalence)
#include "tst_SearchEquivalence.moc"
