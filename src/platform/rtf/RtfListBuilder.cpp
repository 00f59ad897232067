#include "RtfListBuilder.h"

#include "RtfListLabel.h"

#include <QTextBlock>
#include <QTextCursor>

void RtfListBuilder::add(QTextCursor& cursor, const Item& item) {
    const int level = qBound(0, item.level, kLevels - 1);
    if (!m_sequences.contains(item.sequence) && m_sequences.size() >= kMaxSequences)
        m_sequences.clear(); // only a hostile file gets here; its numbering may restart
    Sequence& s = m_sequences[item.sequence];
    for (int deeper = level + 1; deeper < kLevels; ++deeper)
        s.lists[size_t(deeper)].clear();

    const QString kind = QString::number(int(item.style)) + QLatin1Char(':') + item.text;
    Entry& entry = s.lists[size_t(level)][kind];
    const bool numbered = RtfListLabel::isNumbered(item.style);
    const int limit = numbered ? kMaxNumberedItems : kMaxBulletItems;
    const bool followsOn = item.shownNumber <= 0 || item.shownNumber == entry.number + 1;
    s.styles[size_t(level)] = item.style;
    if (entry.list && followsOn && entry.items < limit) {
        entry.list->add(cursor.block());
        s.numbers[size_t(level)] = ++entry.number;
        ++entry.items;
        return;
    }
    const int start = item.shownNumber > 0 ? item.shownNumber : item.start;
    QTextListFormat format = formatFor(s, item, level);
    if (numbered && start != 1)
        format.setProperty(RtfListLabel::kListStart, start);
    entry.list = cursor.createList(format);
    entry.number = start;
    entry.items = 1;
    s.numbers[size_t(level)] = start;
}

QTextListFormat RtfListBuilder::formatFor(const Sequence& s, const Item& item, int level) const {
    QTextListFormat format;
    format.setStyle(item.style);
    format.setIndent(level + 1);
    if (!RtfListLabel::isNumbered(item.style))
        return format;
    // The numbers of the levels above are fixed for the whole of this list: a new item
    // above starts a new list below.
    QString prefix;
    QString suffix;
    bool own = false;
    for (QChar c : item.text) {
        const int ref = RtfListLabel::placeholderLevel(c);
        if (ref == level) {
            own = true;
        } else if (ref >= 0 && ref < level) {
            (own ? suffix : prefix) +=
                RtfListLabel::number(qMax(1, s.numbers[size_t(ref)]), s.styles[size_t(ref)]);
        } else if (ref < 0 && c.unicode() >= 0x20) { // control characters are no label
            (own ? suffix : prefix) += c;
        }
    }
    if (!own) { // a label without this level's number: show the number with a full stop
        prefix.clear();
        suffix = QStringLiteral(".");
    }
    format.setNumberPrefix(prefix);
    format.setNumberSuffix(suffix);
    return format;
}

RtfListBuilder::Next RtfListBuilder::next(qint64 sequence, int level) const {
    const auto it = m_sequences.constFind(sequence);
    if (it == m_sequences.constEnd() || level < 0 || level >= kLevels ||
        it->lists[size_t(level)].isEmpty())
        return {};
    return {it->styles[size_t(level)], it->numbers[size_t(level)] + 1};
}
