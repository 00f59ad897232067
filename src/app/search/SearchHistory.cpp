#include "app/search/SearchHistory.h"

#include "library/SettingsStore.h"
#include "platform/Dialogs.h"

QStringList SearchHistory::PopulateHistoryCombo() const {
    QStringList list;
    for (int n = 0; n <= kLastKey; ++n) {
        const QString value = m_store.read(Section(), QString::number(n), QStringLiteral("."));
        if (value != QLatin1String("."))
            list.append(value);
    }
    return list;
}

bool SearchHistory::SaveComboHistory(QStringList& list, const QString& text) {
    if (list.contains(text, Qt::CaseSensitive))
        return false;
    list.append(text);
    // Every entry is written, also beyond key 100: only 0..100 are read back at start.
    for (int i = 0; i < list.size(); ++i)
        m_store.write(Section(), QString::number(i), list.at(i));
    return true;
}

bool SearchHistory::ClearHistory(Dialogs& dialogs, const QString& question, QStringList& list) {
    const Dialogs::Answer answer =
        dialogs.show(Dialogs::Icon::Question, QStringLiteral("Confirm Delete"), question,
                     Dialogs::Buttons::YesNo, Dialogs::Answer::No);
    if (answer != Dialogs::Answer::Yes)
        return false;
    m_store.deleteSection(Section());
    list.clear();
    return true;
}
