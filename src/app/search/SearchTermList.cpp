#include "app/search/SearchTermList.h"

SearchTermList SearchTermList::ParseSearchStrings(const QByteArray& searchText) {
    SearchTermList list;
    list.SearchTerms.fill(QByteArrayLiteral(" "));
    QByteArray text = searchText;
    if (text.startsWith('*'))
        text.remove(0, 1);
    if (text.endsWith('*'))
        text.chop(1);
    if (text.isEmpty())
        return list;
    const int count = int(text.count('*')) + 1;
    list.m_requested = count;
    if (count > kMaxTerms) {
        list.m_tooMany = true;
        return list;
    }
    list.TermCount = count;
    for (int k = 0; k <= count; ++k)
        list.SearchTerms[k].clear();
    int k = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != '*') {
            list.SearchTerms[k] += text.at(i);
            continue;
        }
        ++k;
        if (i + 1 < text.size())
            list.SearchTerms[k] += text.at(++i);
    }
    return list;
}

void SearchTermList::applyFiller(SearchMode mode) {
    const bool anyTerm = mode == SearchMode::AnyTerm;
    const QByteArray from = anyTerm ? QByteArrayLiteral(" ") : QByteArrayLiteral("|");
    const QByteArray to = anyTerm ? QByteArrayLiteral("|") : QByteArrayLiteral(" ");
    for (int p = 1; p < kPositions; ++p)
        if (SearchTerms[p] == from)
            SearchTerms[p] = to;
}
