#include "reference/DictionaryModule.h"

#include "library/FileFunctions.h"
#include "platform/Win1252.h"
#include "reference/ModuleLines.h"

#include <QSet>

namespace {
constexpr char kReferenceMark = char(175);
constexpr int kSkippedAfterMark = 3;
constexpr int kNumberDigits = 5;
constexpr int kHighestEntry = 32767;
} // namespace

bool DictionaryModule::load(const QString& path) {
    m_bytes.clear();
    m_lines.clear();
    m_headwords.clear();
    m_first.clear();
    m_loaded = false;
    if (!FileFunctions::readWholeFile(path, m_bytes))
        return false;
    ModuleLines::forEachLine(m_bytes, [&](QByteArrayView line, qsizetype offset) {
        ModuleLines::Split<2> f;
        if (!ModuleLines::splitTabs(line, f))
            return;
        Line l;
        if (!ModuleLines::toNumber(f.field[0], 0, kHighestEntry, l.number))
            l.number = -1;
        l.definitionStart = offset + (f.rest.data() - line.data());
        l.definitionLength = f.rest.size();
        const QString headword = Win1252::decode(f.field[1].toByteArray());
        if (!m_first.contains(headword)) // the first line of a headword wins
            m_first.insert(headword, int(m_lines.size()));
        m_lines.append(l);
        m_headwords.append(headword);
    });
    m_loaded = true;
    return true;
}

std::optional<DictionaryModule::Entry> DictionaryModule::find(const QString& headword) const {
    const auto it = m_first.constFind(headword);
    if (it == m_first.constEnd())
        return std::nullopt;
    const Line& l = m_lines.at(it.value());
    const QByteArrayView definition(m_bytes.constData() + l.definitionStart, l.definitionLength);
    return Entry{m_headwords.at(it.value()), ShowDefinition(definition), seeAlso(definition)};
}

QVector<int> DictionaryModule::References(QByteArrayView definition) {
    QVector<int> out;
    const qsizetype size = definition.size();
    for (qsizetype at = 0; at < size; ++at) {
        if (definition[at] != kReferenceMark)
            continue;
        const qsizetype first = at + 1 + kSkippedAfterMark;
        if (first + kNumberDigits > size)
            break; // every later mark is nearer the end still
        int number = 0;
        bool digits = true;
        for (qsizetype i = first; i < first + kNumberDigits && digits; ++i) {
            const char c = definition[i];
            digits = c >= '0' && c <= '9';
            number = number * 10 + (c - '0');
        }
        if (digits && number <= kHighestEntry)
            out.append(number);
    }
    return out;
}

QStringList DictionaryModule::seeAlso(QByteArrayView definition) const {
    const QVector<int> refs = References(definition);
    QStringList out;
    if (refs.isEmpty())
        return out;
    const QSet<int> wanted(refs.cbegin(), refs.cend());
    for (int i = 0; i < m_lines.size(); ++i)
        if (wanted.contains(m_lines.at(i).number))
            out.append(m_headwords.at(i));
    return out;
}

QString DictionaryModule::ShowDefinition(QByteArrayView definition) {
    QString text = Win1252::decode(definition.toByteArray());
    text.replace(QLatin1Char('|'), QLatin1Char('\n'));
    return text;
}
