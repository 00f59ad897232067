#include "parallel/PrecedenceList.h"

#include "library/Catalogues.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"

#include <algorithm>

namespace {

constexpr int kFirstOtherRecord = 999; // numbers below are Bibles, the rows of the list

QString cataloguePath(const ProgramState& state) {
    return state.SysDefsFolder + QStringLiteral("Translations.txt");
}

bool present(const ProgramState& state, const QString& code) {
    return FileFunctions::FileExists(
        state.Folders.moduleFile(state.BibleFolder, code + QStringLiteral(".txt")));
}

} // namespace

PrecedenceList::Status PrecedenceList::Row::status() const {
    if (!ticked)
        return Status::Disabled;
    return present ? Status::Available : Status::NotAvailable;
}

PrecedenceList::Colour PrecedenceList::Row::colour() const {
    if (!present)
        return Colour::Red;
    return ticked ? Colour::Green : Colour::Yellow;
}

bool PrecedenceList::Load(const ProgramState& state) {
    m_rows.clear();
    QByteArray bytes;
    if (!FileFunctions::readWholeFile(cataloguePath(state), bytes))
        return false;
    for (const Catalogues::TranslationRecord& r : Catalogues::ParseTranslations(bytes).records)
        if (r.number < kFirstOtherRecord)
            m_rows.append(Row{r.description, r.code, r.flag != 0, present(state, r.code)});
    return true;
}

bool PrecedenceList::SetTicked(int row, bool ticked) {
    if (row < 0 || row >= size())
        return false;
    m_rows[row].ticked = ticked;
    const bool oneLeft = std::any_of(m_rows.cbegin(), m_rows.cend(),
                                     [](const Row& r) { return r.status() == Status::Available; });
    if (!oneLeft)
        m_rows[row].ticked = !ticked;
    return oneLeft;
}

PrecedenceList::Move PrecedenceList::MoveRow(int& row, int direction) {
    if (row < 0 || row >= size() || m_rows.at(row).description.isEmpty())
        return Move::Nothing;
    if (!m_rows.at(row).ticked)
        return Move::Disabled;
    const int to = row + (direction < 0 ? -1 : 1);
    if (to < 0 || to >= size())
        return Move::AtEdge;
    m_rows.swapItemsAt(row, to);
    row = to;
    return Move::Moved;
}

void PrecedenceList::SortBy(int column, bool ascending) {
    // The row's place is its "#": sorting by it keeps or reverses the order.
    QVector<int> order(m_rows.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    auto key = [&](int i) -> QString {
        const Row& r = m_rows.at(i);
        switch (column) {
        case NameColumn:
            return r.description;
        case FileColumn:
            return r.code;
        case StatusColumn:
            return StatusText(r.status());
        default:
            return QString();
        }
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = column == NumberColumn ? (a < b   ? -1
                                                : a > b ? 1
                                                        : 0)
                                             : key(a).compare(key(b), Qt::CaseInsensitive);
        return ascending ? c < 0 : c > 0;
    });
    QVector<Row> sorted;
    sorted.reserve(m_rows.size());
    for (int i : order)
        sorted.append(m_rows.at(i));
    m_rows = sorted;
}

QString PrecedenceList::NumberText(int row) {
    return QString::number(row + 1).rightJustified(2, QLatin1Char('0'));
}

QString PrecedenceList::StatusText(Status status) {
    switch (status) {
    case Status::Available:
        return QStringLiteral("AVAILABLE");
    case Status::NotAvailable:
        return QStringLiteral("NOT AVAILABLE");
    case Status::Disabled:
        break;
    }
    return QStringLiteral("BIBLE DISABLED");
}

PrecedenceList::Write PrecedenceList::RewritePrimaryIndex(ProgramState& state) const {
    // The file as it is now, not as the list saw it: nothing of the other kinds may be lost.
    const bool oneLeft = std::any_of(m_rows.cbegin(), m_rows.cend(), [&](const Row& r) {
        return r.ticked && present(state, r.code);
    });
    if (!oneLeft)
        return Write::NoEnabledBible;
    QByteArray bytes;
    if (!FileFunctions::readWholeFile(cataloguePath(state), bytes))
        return Write::Unreadable;
    const Catalogues::ParsedTranslations old = Catalogues::ParseTranslations(bytes);
    if (old.badLine > 0)
        return Write::Damaged; // the records after the damage would be lost
    QVector<Catalogues::TranslationRecord> records;
    records.reserve(m_rows.size() + old.records.size());
    for (int i = 0; i < size(); ++i) {
        const Row& r = m_rows.at(i);
        records.append({i + 1, r.ticked ? 1 : 0, r.description, r.code});
    }
    for (const Catalogues::TranslationRecord& r : old.records)
        if (r.number >= kFirstOtherRecord)
            records.append(r);
    return Catalogues::RewriteTranslations(state, records) ? Write::Written : Write::Failed;
}
