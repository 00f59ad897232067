#include "diary/DiarySearch.h"

#include "diary/DiaryDate.h"
#include "diary/EntryDocument.h"

#include <QTextDocument>
#include <algorithm>

DiarySearch::DiarySearch(const DiaryFolder& folder)
    : m_folder(folder), m_scratch(std::make_unique<QTextDocument>()) {}

DiarySearch::~DiarySearch() = default;

int DiarySearch::Start(qint32 from, qint32 to, Order order, const Filter& filter) {
    FileList.clear();
    ValidList.clear();
    EntryIndex = 0;
    MatchPos = 0;
    Shown.clear();
    const int count = BuildFileList(from, to);
    if (count == 0)
        return 0;
    SortFileList(order);
    GetValidHeadings(filter);
    return count;
}

int DiarySearch::BuildFileList(qint32 from, qint32 to) {
    for (const QString& name : m_folder.EntryNames(false)) {
        const qint32 n = name.toInt();
        if (n >= from && n <= to)
            FileList.append(n);
    }
    return int(FileList.size());
}

void DiarySearch::SortFileList(Order order) {
    if (order == Order::Chronological)
        std::sort(FileList.begin(), FileList.end());
    else if (order == Order::Reverse)
        std::sort(FileList.begin(), FileList.end(), std::greater<qint32>());
}

void DiarySearch::GetValidHeadings(const Filter& f) {
    for (qint32 n : FileList) {
        bool pass = f.all;
        if (!f.all && (f.byHeading || f.byAnswer)) {
            EntryExtras extras;
            extras.heading.clear();
            extras.answer.clear();
            m_folder.ReadExtras(DiaryDate::EntryName(n), extras);
            pass = (!f.byHeading || extras.heading == f.heading) &&
                   (!f.byAnswer || extras.answer == f.answer);
        }
        if (pass)
            ValidList.append(n);
    }
    FileList.clear();
}

std::optional<DiarySearch::Hit> DiarySearch::FindNext(const QString& text, const QString& shownText,
                                                      const DamagedHandler& damaged) {
    if (!Shown.isEmpty()) {
        const int at = MatchText(shownText, text, MatchPos);
        if (at >= 0) {
            MatchPos = at + int(text.size());
            return Hit{Shown, at, int(text.size()), true};
        }
    }
    while (EntryIndex < ValidList.size()) {
        const QString name = DiaryDate::EntryName(ValidList.at(EntryIndex));
        ++EntryIndex; // passed for good before it is opened
        DiaryFolder::Entry entry;
        QString error;
        if (!m_folder.Load(name, entry, &error)) {
            if (damaged)
                damaged(name, error);
            continue;
        }
        const int at = MatchText(PlainText(entry.rtf, *m_scratch), text, 0);
        if (at >= 0) {
            Shown = name;
            MatchPos = at + int(text.size());
            return Hit{name, at, int(text.size()), false};
        }
    }
    // The walk is over: "Find Next" now only repeats that it is.
    MatchPos = 0;
    Shown.clear();
    return std::nullopt;
}

int DiarySearch::MatchText(const QString& haystack, const QString& needle, int from) {
    if (needle.isEmpty())
        return from == 0 ? 0 : -1;
    return int(haystack.indexOf(needle, from, Qt::CaseInsensitive));
}

QString DiarySearch::PlainText(const QByteArray& rtf, QTextDocument& scratch) {
    EntryDocument::Load(rtf, &scratch);
    return scratch.toPlainText();
}
