#include "reference/NameLookup.h"

namespace {
// The selection without blanks at either end (spaces only, as typed between words).
QString trimBlanks(const QString& text) {
    qsizetype from = 0, to = text.size();
    while (from < to && text.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) == QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}
} // namespace

bool NameLookup::load(const QString& path) {
    if (isLoaded() && path == m_path)
        return true;
    m_path.clear();
    m_byCapitals.clear();
    if (!NamesFile::Read(path, m_entries)) {
        m_entries.clear();
        return false;
    }
    m_byCapitals.reserve(m_entries.size());
    for (int i = 0; i < m_entries.size(); ++i) {
        const QString key = m_entries.at(i).name.toUpper();
        if (!m_byCapitals.contains(key))
            m_byCapitals.insert(key, i);
    }
    m_path = path;
    return true;
}

const NamesFile::Entry* NameLookup::find(const QString& selection) const {
    const auto it = m_byCapitals.constFind(trimBlanks(selection).toUpper());
    return it == m_byCapitals.constEnd() ? nullptr : &m_entries.at(it.value());
}
