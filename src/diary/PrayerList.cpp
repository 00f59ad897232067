#include "diary/PrayerList.h"

#include "diary/EntryExtras.h"
#include "library/SettingsStore.h"

namespace {
const QString kEmpty = SettingsKeys::PrayerListEmpty;
} // namespace

PrayerList PrayerList::Headings(SettingsStore& settings) {
    return PrayerList(settings, SettingsKeys::PrayerTypes,
                      {QStringLiteral("Adoration"), QStringLiteral("Confession"),
                       QStringLiteral("Provision"), QStringLiteral("Thanksgiving")});
}

PrayerList PrayerList::Answers(SettingsStore& settings) {
    return PrayerList(settings, SettingsKeys::PrayerResults,
                      {QStringLiteral("Answered Prayer"), QStringLiteral("Awaiting Answer"),
                       QStringLiteral("No Answer yet"), QStringLiteral("Answer is NO")});
}

PrayerList::PrayerList(SettingsStore& settings, const QString& section, const QStringList& defaults)
    : m_settings(settings), m_section(section), m_defaults(defaults) {}

QStringList PrayerList::Load() {
    if (!m_settings.contains(m_section, QStringLiteral("0")))
        for (int k = 0; k < m_defaults.size(); ++k)
            m_settings.write(m_section, QString::number(k), m_defaults.at(k));
    QStringList list;
    for (int k = 0; k <= SettingsKeys::PrayerListLastKey; ++k) {
        const QString v = m_settings.read(m_section, QString::number(k), kEmpty);
        if (v != kEmpty)
            list.append(v);
    }
    return list;
}

QString PrayerList::First() const {
    return m_settings.read(m_section, QStringLiteral("0"), kEmpty);
}

bool PrayerList::Reserved(const QString& text) {
    return text == QLatin1String("null") || text == QLatin1String("Null");
}

PrayerList::AddResult PrayerList::Add(QStringList& list, const QString& text) {
    if (Reserved(text))
        return AddResult::Reserved;
    if (text.isEmpty() || !EntryExtras::StorableLabel(text))
        return AddResult::NotStorable;
    if (list.contains(text))
        return AddResult::AlreadyListed;
    list.append(text);
    for (int k = 0; k < list.size(); ++k)
        m_settings.write(m_section, QString::number(k), list.at(k));
    return AddResult::Added;
}

void PrayerList::Remove(QStringList& list, int index) {
    if (index >= 0 && index < list.size())
        list.removeAt(index);
    for (int k = 0; k <= SettingsKeys::PrayerListLastStoredKey; ++k)
        if (m_settings.read(m_section, QString::number(k), QStringLiteral("Null")) !=
            QLatin1String("Null"))
            m_settings.deleteKey(m_section, QString::number(k));
    for (int k = 0; k < list.size() && k <= SettingsKeys::PrayerListLastStoredKey; ++k)
        if (!list.at(k).isEmpty())
            m_settings.write(m_section, QString::number(k), list.at(k));
}
