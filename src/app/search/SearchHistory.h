#pragma once
#include "library/SettingsKeys.h"

#include <QString>
#include <QStringList>

class SettingsStore;
class Dialogs;

// The search box's list of past search texts, kept in the settings store under
// "Search History" with the keys "0".."100" in list order. The list shows the texts in the
// order they were added; the window holds the list and hands it here.
class SearchHistory {
public:
    static constexpr int kLastKey = 100;
    static QString Section() { return SettingsKeys::SearchHistorySection; }
    // The search box's text after start-up and after clearing.
    static QString InitialText() { return QStringLiteral("*"); }

    explicit SearchHistory(SettingsStore& store) : m_store(store) {}

    // The stored texts of keys 0..100 in key order; the placeholder "." marks an unused key.
    QStringList PopulateHistoryCombo() const;
    // Adds text to the list and stores every entry under its position, unless the list
    // holds it already (letter case counts). Returns whether it was added.
    bool SaveComboHistory(QStringList& list, const QString& text);
    // Asks standard message 43 (Yes/No, No by default, "Confirm Delete"); on Yes deletes
    // the section and empties the list. Returns whether it was cleared.
    bool ClearHistory(Dialogs& dialogs, const QString& question, QStringList& list);

private:
    SettingsStore& m_store;
};
