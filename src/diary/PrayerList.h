#pragma once
#include <QString>
#include <QStringList>

class SettingsStore;

// One of the diary's two pick lists, prayer headings ("PrayerTypes") and answer states
// ("PrayerResults"), kept in the settings store one entry per key "0", "1", ...
class PrayerList {
public:
    static PrayerList Headings(SettingsStore& settings);
    static PrayerList Answers(SettingsStore& settings);

    PrayerList(SettingsStore& settings, const QString& section, const QStringList& defaults);

    // Stores the defaults when key "0" is missing; then the entries of keys 0 to 254 other
    // than "0", in key order.
    QStringList Load();
    // What key "0" holds (the list's first entry as the combo box first shows it).
    QString First() const;

    enum class AddResult { Added, AlreadyListed, Reserved, NotStorable };
    // Appends a typed entry (exact comparison) and writes the whole list under keys 0, 1, ...
    // "null"/"Null" are reserved; a text the extras line cannot carry is refused.
    AddResult Add(QStringList& list, const QString& text);
    // Removes entry `index` and stores the rest renumbered from 0 (at most 101 entries).
    void Remove(QStringList& list, int index);

    static bool Reserved(const QString& text);

private:
    SettingsStore& m_settings;
    QString m_section;
    QStringList m_defaults;
};
