#pragma once
#include "bookmarks/Bookmark.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>
#include <optional>

// "Bookmarks.txt" and the snapshot folder "Bookmarks" in the program folder. The list is one
// line per bookmark, five double-quoted fields separated by commas, Windows-1252, CR LF.
// A damaged line is reported by its number and kept: it is written back, unchanged, after the
// rows on every save, so a save never loses what a load could not read.
class BookmarkStore {
public:
    explicit BookmarkStore(const QString& programFolder); // ends in a separator

    QString listPath() const;
    QString snapshotFolder() const; // ends in a separator
    QString snapshotPath(const QString& fileName) const;

    struct Loaded {
        QVector<Bookmark> rows;
        QList<int> damagedLines; // 1-based
    };
    // A missing file is an empty list.
    Loaded Load();
    // Replaces the list atomically: the rows, then the damaged lines kept from Load.
    bool Save(const QVector<Bookmark>& rows) const;

    // The line of one bookmark without its CR LF, and back; a line that is not five quoted
    // fields, or whose file name could leave the snapshot folder, gives nothing.
    static QByteArray FormatLine(const Bookmark& b);
    static std::optional<Bookmark> ParseLine(const QByteArray& line);

    // Letters, digits, "." and "_" of the title, then ".rtf" ("My Notes" gives MyNotes.rtf);
    // dots that would make ".." or start or end the name are dropped, and a title left with
    // nothing becomes "Bookmark.rtf".
    static QString MakeFN(const QString& title);
    // MakeFN made unique in the list, ignoring case, with "_2", "_3" … before ".rtf";
    // the row `keepRow` (being edited, -1 for none) does not count.
    static QString UniqueFileName(const QString& title, const QVector<Bookmark>& rows,
                                  int keepRow);
    // The row (other than `keepRow`) whose title equals the title, ignoring case, or -1.
    static int FindDuplicate(const QString& title, const QVector<Bookmark>& rows, int keepRow);
    // A plain file name: no separator, no "..", not empty.
    static bool SafeFileName(const QString& name);

private:
    QString m_folder;
    QList<QByteArray> m_keptLines;
};
