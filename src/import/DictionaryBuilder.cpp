#include "import/DictionaryBuilder.h"

#include "import/PlainEntryText.h"
#include "import/SwordLibrary.h"
#include "library/ModuleValidator.h"

#include <QHash>

void DictionaryBuilder::add(const SwordEntry& entry) {
    QString headword = PlainEntryText::tidy(entry.key);
    headword.replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (headword.isEmpty())
        return;
    m_list.append(Entry{headword, entry.text});
}

ImportRefusal DictionaryBuilder::finish(QString* detail) {
    m_bytes.clear();
    m_entries = int(m_list.size());
    if (m_entries > ModuleValidator::MaxRunningNumber) {
        if (detail)
            *detail = QString::number(m_entries);
        return ImportRefusal::TooManyLines;
    }
    if (m_entries == 0)
        return ImportRefusal::NoText;
    // The first entry of a key wins, as the dictionary window finds the first.
    QHash<QString, int> exact, folded;
    for (int i = 0; i < m_list.size(); ++i) {
        exact.insert(m_list.at(i).headword, exact.value(m_list.at(i).headword, i + 1));
        const QString upper = m_list.at(i).headword.toUpper();
        folded.insert(upper, folded.value(upper, i + 1));
    }
    const PlainEntryText::Resolver resolve = [&](const QString& key) {
        const QString k = PlainEntryText::tidy(key);
        const int n = exact.value(k);
        return n > 0 ? n : folded.value(k.toUpper());
    };
    for (int i = 0; i < m_list.size(); ++i) {
        const Entry& e = m_list.at(i);
        const QString definition =
            PlainEntryText::definition(e.text, resolve, &m_resolved, &m_unresolved, &m_replaced);
        m_bytes += QByteArray::number(i + 1) + '\t' + m_encoder.encode(e.headword) + '\t' +
                   m_encoder.encode(definition) + "\r\n";
    }
    return m_encoder.verdict(detail);
}
