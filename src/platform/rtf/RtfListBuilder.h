#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QTextList>
#include <QTextListFormat>

#include <array>

class QTextCursor;

// Puts list paragraphs into QTextLists. Each numbering sequence keeps one QTextList per
// level and label style: an item of a higher level ends the lists below it, so the numbers under
// each item start again, while a paragraph outside the list ends nothing, so numbering
// continues after it (also after a list of another style at the same level).
class RtfListBuilder {
public:
    static constexpr int kLevels = 9;
    // Qt renumbers every item of a list when one is added, so hostile files of endless
    // items would take quadratic time; longer lists are split (invisible for bullets).
    static constexpr int kMaxBulletItems = 100;
    static constexpr int kMaxNumberedItems = 1000;
    static constexpr int kMaxSequences = 8192;

    struct Item {
        qint64 sequence = 0;
        int level = 0; // 0 to 8
        QTextListFormat::Style style = QTextListFormat::ListDisc;
        int start = 1;
        // The label with placeholders (RtfListLabel::placeholder) for the level numbers;
        // other levels' numbers become the list's prefix, the text after its own its suffix.
        QString text;
        // The number the file shows for the item (0: unknown). A number that does not
        // follow on starts a new list.
        int shownNumber = 0;
    };

    // Makes the cursor's paragraph an item.
    void add(QTextCursor& cursor, const Item& item);

    // The style of the sequence's last item at that level (undefined when there is none)
    // and the number after it.
    struct Next {
        QTextListFormat::Style style = QTextListFormat::ListStyleUndefined;
        int number = 0;
    };
    Next next(qint64 sequence, int level) const;

private:
    struct Entry {
        QPointer<QTextList> list;
        int number = 0; // of its last item
        int items = 0;
    };
    struct Sequence {
        std::array<QHash<QString, Entry>, kLevels> lists; // by style and label text
        std::array<int, kLevels> numbers{};            // the last item's number at each level
        std::array<QTextListFormat::Style, kLevels> styles{}; // and its style
    };

    QTextListFormat formatFor(const Sequence& s, const Item& item, int level) const;

    QHash<qint64, Sequence> m_sequences;
};
