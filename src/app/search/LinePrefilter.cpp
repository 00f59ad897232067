#include "app/search/LinePrefilter.h"

#include "app/search/VerseLine.h"

#include <cstring>

void LinePrefilter::setUp(Rule rule, const QVector<QByteArray>& terms,
                          const QVector<QByteArray>& refNames) {
    m_terms.clear();
    m_rule = terms.isEmpty() ? Rule::Off : rule;
    if (m_rule == Rule::Off)
        return;
    for (const QByteArray& t : terms)
        m_terms.append(makeTerm(t, refNames));
}

LinePrefilter::Term LinePrefilter::makeTerm(const QByteArray& term,
                                            const QVector<QByteArray>& refNames) {
    Term t;
    t.finder = TextFinder(term);
    t.size = term.size();
    if (term.isEmpty())
        return t;
    t.first = term.at(0);
    t.firstIsReferenceMark = std::strchr(" :-0123456789", t.first) != nullptr;
    for (const QByteArray& name : refNames)
        t.mayStartInName.append(mayStartIn(name, term));
    return t;
}

// Whether the term can start inside the name of "NAME CH:V text": it lies in the name, or
// a tail of the name begins it and the space after the name comes next in the term.
bool LinePrefilter::mayStartIn(const QByteArray& name, const QByteArray& term) {
    const qsizetype n = term.size();
    for (qsizetype i = 0; i < name.size(); ++i) {
        const qsizetype rest = name.size() - i;
        const char* tail = name.constData() + i;
        if (rest >= n ? std::memcmp(tail, term.constData(), size_t(n)) == 0
                      : std::memcmp(tail, term.constData(), size_t(rest)) == 0 &&
                            term.at(rest) == ' ')
            return true;
    }
    return false;
}

void LinePrefilter::start(const char* subject, qsizetype size) {
    m_subject = subject;
    m_size = size;
    for (Term& t : m_terms)
        t.next = -1;
}

LinePrefilter::Presence LinePrefilter::presence(Term& t, const VerseLine& verse) {
    if (t.size == 0)
        return Presence::InText; // found everywhere
    if (t.firstIsReferenceMark || t.mayStartInName.at(verse.book - 1) ||
        std::memchr(verse.chapter, t.first, size_t(verse.chapterSize)))
        return Presence::Unknown;
    const qsizetype textAt = verse.text - m_subject;
    if (t.next < textAt) {
        const qsizetype at = t.finder.indexIn(m_subject, m_size, textAt);
        t.next = at < 0 ? m_size : at;
    }
    // The first occurrence from the text's start on: if it ends past the text, none is inside.
    return t.next + t.size <= textAt + verse.textSize ? Presence::InText : Presence::NotInText;
}

bool LinePrefilter::rejectedByTerms(const VerseLine& verse) {
    switch (m_rule) {
    case Rule::Off:
        return false;
    case Rule::AllTerms:
        for (Term& t : m_terms)
            if (presence(t, verse) == Presence::NotInText)
                return true;
        return false;
    case Rule::AnyTerm:
        for (Term& t : m_terms)
            if (presence(t, verse) != Presence::NotInText)
                return false;
        return true;
    }
    return false;
}
