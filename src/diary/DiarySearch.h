#pragma once
#include "diary/DiaryFolder.h"

#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

class QTextDocument;

// The diary search: the entries of a date range, optionally only those with a given heading
// and/or answer state, walked one hit at a time. Entries are filtered by date (their names)
// and by the extras files before any of them is deciphered; each candidate is deciphered and
// searched in memory, and only a hit is handed on to be shown.
class DiarySearch {
public:
    enum class Order { None, Chronological, Reverse };
    struct Filter {
        bool all = true;
        bool byHeading = false;
        bool byAnswer = false;
        QString heading;
        QString answer;
    };
    struct Hit {
        QString entry;    // "yyyyMMdd"
        int position = 0; // in the entry's plain text, from 0
        int length = 0;
        bool sameEntry = false; // found in the entry already shown
    };
    // Told about an entry that could not be read; the walk goes on past it.
    using DamagedHandler = std::function<void(const QString& entry, const QString& error)>;

    explicit DiarySearch(const DiaryFolder& folder);
    ~DiarySearch();

    // "Find First": the entries whose day lies in [from, to] (as yyyyMMdd numbers), in the
    // order asked, filtered into ValidList; the walk starts before the first. Returns the
    // number of entries in the range (0: none).
    int Start(qint32 from, qint32 to, Order order, const Filter& filter);
    int BuildFileList(qint32 from, qint32 to);
    void SortFileList(Order order);
    void GetValidHeadings(const Filter& filter);

    // The next hit: first in the entry shown after the last hit (shownText is what the diary
    // window holds now), then in the following entries. Every entry looked at is passed for
    // good, so an entry that cannot be read is never met twice.
    std::optional<Hit> FindNext(const QString& text, const QString& shownText,
                                const DamagedHandler& damaged = {});

    // Case-insensitive search in the original text from `from`; -1 when absent. An empty
    // text matches only at the very start.
    static int MatchText(const QString& haystack, const QString& needle, int from);
    // The plain text of an entry's RTF, as the diary window's pane shows it.
    static QString PlainText(const QByteArray& rtf, QTextDocument& scratch);

    QVector<qint32> FileList;
    QVector<qint32> ValidList; // entry numbers that passed the filter, in search order
    int EntryIndex = 0;        // index in ValidList of the next entry to open
    qint32 MatchPos = 0;       // where the next search in the shown entry starts
    QString Shown;             // the entry the last hit was in; empty before the first

private:
    DiaryFolder m_folder;
    std::unique_ptr<QTextDocument> m_scratch;
};
