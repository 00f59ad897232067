#pragma once
#include <QString>
#include <QVector>

struct ProgramState;

// The Bible precedence: the Bible records of "Translations.txt" (numbered below 999) in
// catalogue order, each enabled or not, as the options window lists them. The first enabled
// Bible whose file is present is the default translation everywhere.
//
// Every change is written back at once by RewritePrimaryIndex, which replaces the catalogue
// atomically and then reloads the translation lists, so every window sees the new order.
class PrecedenceList {
public:
    enum class Status { Available, NotAvailable, Disabled };
    enum class Colour { Green, Yellow, Red };
    enum Column { NameColumn = 0, NumberColumn = 1, FileColumn = 2, StatusColumn = 3 };

    struct Row {
        QString description;
        QString code; // the file name without extension
        bool ticked = false;
        bool present = false; // BibleFolder + code + ".txt" exists
        Status status() const;
        Colour colour() const;
    };

    enum class Move { Moved, AtEdge, Disabled, Nothing };
    enum class Write { Written, NoEnabledBible, Unreadable, Damaged, Failed };

    // Reads the Bible records of the catalogue; false when it cannot be read. A damaged
    // record ends the list (and RewritePrimaryIndex refuses to write over the file then).
    bool Load(const ProgramState& state);

    const QVector<Row>& rows() const { return m_rows; }
    int size() const { return int(m_rows.size()); }

    // Ticks or unticks one row. Refused (false, the row keeps its tick) when no ticked row
    // with a present file would remain.
    bool SetTicked(int row, bool ticked);
    // Moves a ticked row one place up (direction -1) or down (+1); `row` follows it.
    Move MoveRow(int& row, int direction);
    // Orders the rows by a column's text ("#" by its number); equal texts keep their order.
    void SortBy(int column, bool ascending);

    // The list's texts: "01" for the first row, "AVAILABLE", "NOT AVAILABLE", "BIBLE DISABLED".
    static QString NumberText(int row);
    static QString StatusText(Status status);

    // Writes the rows, numbered 1, 2, 3 ... in this order, then every record of the old
    // catalogue numbered 999 and above, in its old order, and replaces "Translations.txt" in
    // one step: on any failure the old file stays as it was. Refuses to write a list that
    // leaves no ticked row whose file is present. On success the translation catalogue is
    // reloaded.
    Write RewritePrimaryIndex(ProgramState& state) const;

private:
    QVector<Row> m_rows;
};
