#pragma once
#include "app/search/TextFinder.h"

#include <QByteArray>
#include <QVector>

class VerseLine;

// Rejects, without building the result line, most of the lines that cannot match: those
// lacking a term that every match needs ("Ignore Order", the plain pieces of a pattern), or
// holding none of the terms of "Any Terms".
//
// A term occurs in the result line "NAME CH:V text" either inside the verse text or starting
// in the reference. setUp() works out for each book whether the term can start in its name;
// the rest of the reference is spaces, ":", the verse digits and the chapter as written, so
// a term starting with none of those bytes is decided by the verse text alone. The text is
// searched in the whole input at once, not line by line: each term keeps the position of its
// next occurrence, and only lines at or past that position search again.
class LinePrefilter {
public:
    enum class Rule { Off, AllTerms, AnyTerm };

    // refNames: the reference names in the form the lines are tested in (capitals, and the
    // terms in capitals too when ignoring case).
    void setUp(Rule rule, const QVector<QByteArray>& terms, const QVector<QByteArray>& refNames);
    // The whole input the lines are split from, in the tested form.
    void start(const char* subject, qsizetype size);

    // verse: split from the input given to start(), its book known to have a reference name.
    bool rejects(const VerseLine& verse) { return m_rule != Rule::Off && rejectedByTerms(verse); }

private:
    struct Term {
        TextFinder finder;
        qsizetype size = 0;
        char first = 0;
        bool firstIsReferenceMark = false; // a space, ":", "-" or a digit
        QVector<bool> mayStartInName;      // by book - 1
        qsizetype next = -1;               // next occurrence in the input; -1 not searched
    };
    enum class Presence { InText, NotInText, Unknown };

    static Term makeTerm(const QByteArray& term, const QVector<QByteArray>& refNames);
    static bool mayStartIn(const QByteArray& name, const QByteArray& term);
    Presence presence(Term& t, const VerseLine& verse);
    bool rejectedByTerms(const VerseLine& verse);

    Rule m_rule = Rule::Off;
    QVector<Term> m_terms;
    const char* m_subject = nullptr;
    qsizetype m_size = 0;
};
