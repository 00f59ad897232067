#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The installed Bible dictionary: one entry per line, "number TAB headword TAB definition".
// In a definition "|" is a line break, and a cross-reference is the mark byte 175, three
// characters, then the five-digit number of the entry referred to. The file is read once
// when the headword list is loaded; lookups and see-also lists work on what was read.
// The dictionary window and `tolvane-cli dictionary` show entries through this class.
class DictionaryModule {
public:
    struct Entry {
        QString headword;
        QString text;        // the definition as shown, "|" turned into '\n'
        QStringList seeAlso; // headwords referred to, in file order
    };

    // Reads the file; false (and an empty list) when it cannot be read. Lines without two
    // tabs are skipped; a line whose number is not a whole number from 0 to 32767 is listed
    // but cannot be referred to.
    bool load(const QString& path);
    bool isLoaded() const { return m_loaded; }

    // Every headword in file order, duplicates kept.
    const QStringList& headwords() const { return m_headwords; }
    // The first entry whose headword is exactly `headword` (letter case counts).
    std::optional<Entry> find(const QString& headword) const;

    // The entry numbers a definition refers to, in the order of its marks. A mark too near
    // the end, with a non-digit among its five characters or a number above 32767 is skipped.
    static QVector<int> References(QByteArrayView definition);
    // Headwords of the lines whose numbers `definition` refers to, in file order, each line
    // once; references to numbers no line carries are dropped.
    QStringList seeAlso(QByteArrayView definition) const;
    static QString ShowDefinition(QByteArrayView definition);

private:
    struct Line {
        int number = -1; // -1: not a usable entry number
        qsizetype definitionStart = 0;
        qsizetype definitionLength = 0;
    };
    QByteArray m_bytes;
    QVector<Line> m_lines;
    QStringList m_headwords;     // parallel to m_lines
    QHash<QString, int> m_first; // headword -> first line
    bool m_loaded = false;
};
