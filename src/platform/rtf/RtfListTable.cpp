#include "RtfListTable.h"

#include "RtfListLabel.h"

void RtfListTable::addList(int listId, const QVector<Level>& levels) {
    if (m_lists.size() < kMaxEntries || m_lists.contains(listId))
        m_lists.insert(listId, levels.mid(0, kLevels));
}

void RtfListTable::addOverride(int ls, int listId, const QHash<int, int>& starts) {
    if (m_overrides.size() < kMaxEntries || m_overrides.contains(ls))
        m_overrides.insert(ls, Override{listId, starts});
}

std::optional<RtfListTable::Item> RtfListTable::item(int ls, int level) const {
    const auto override = m_overrides.constFind(ls);
    if (override == m_overrides.constEnd())
        return std::nullopt;
    const auto list = m_lists.constFind(override->listId);
    if (list == m_lists.constEnd())
        return std::nullopt;
    Item item;
    item.level = qBound(0, level, kLevels - 1);
    // Overrides of one list continue its numbering unless they start it afresh.
    item.sequence = override->starts.isEmpty() ? qint64(quint32(override->listId))
                                               : (qint64(1) << 32) | quint32(ls);
    if (item.level >= list->size())
        return item; // a level the list does not define: no label
    const Level& def = list->at(item.level);
    item.style = RtfListLabel::styleOfNfc(def.nfc);
    item.start = override->starts.value(item.level, def.start);
    item.text = def.text;
    if (item.style == QTextListFormat::ListDisc)
        item.style = RtfListLabel::bulletStyle(def.text);
    else if (item.style != QTextListFormat::ListStyleUndefined && def.text.isEmpty())
        item.style = QTextListFormat::ListStyleUndefined; // a number format with nothing shown
    return item;
}

QString RtfListTable::levelText(const QString& raw) {
    if (raw.isEmpty())
        return QString();
    const int length = raw.at(0).unicode();
    // The ';' that ends the group is no part of the label, even when the length runs past it.
    const int available = int(raw.size()) - (raw.endsWith(QLatin1Char(';')) ? 2 : 1);
    return raw.mid(1, qMin(length, available));
}
