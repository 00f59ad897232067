#pragma once

#include <QHash>
#include <QString>
#include <QTextListFormat>
#include <QVector>

#include <optional>

// The lists an RTF file defines in \listtable and \listoverridetable, and what the \ls
// and \ilvl of a paragraph make of them.
class RtfListTable {
public:
    static constexpr int kLevels = 9;
    static constexpr int kMaxEntries = 4096;

    struct Level {
        int nfc = 0; // \levelnfc
        int start = 1;
        // The label with placeholders (RtfListLabel::placeholder) for the level numbers.
        QString text;
    };

    // A list paragraph as its list definition describes it.
    struct Item {
        qint64 sequence = 0; // paragraphs of one sequence share their numbering
        int level = 0;
        QTextListFormat::Style style = QTextListFormat::ListStyleUndefined; // undefined: no label
        int start = 1;
        QString text;
    };

    void addList(int listId, const QVector<Level>& levels);
    // `starts` holds the levels whose numbering the override starts afresh, with their start.
    void addOverride(int ls, int listId, const QHash<int, int>& starts);

    // Empty when the file defines no list for that \ls.
    std::optional<Item> item(int ls, int level) const;

    // The label of a \leveltext group as read: its first character is the length of the rest.
    static QString levelText(const QString& raw);

private:
    struct Override {
        int listId = 0;
        QHash<int, int> starts;
    };
    QHash<int, QVector<Level>> m_lists;
    QHash<int, Override> m_overrides;
};
