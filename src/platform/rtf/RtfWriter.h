#pragma once

#include "RtfOutput.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QTextListFormat>

#include <array>

class QTextBlock;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;
class QTextDocumentFragment;
class QTextFragment;
class QTextImageFormat;
class QTextList;

// Writes QTextDocument content as RTF that word processors open: Windows-1252
// text with \uN for the rest, font and colour tables, character and paragraph
// formats, bulleted and numbered lists (nested lists as the levels of one list, in a list
// table, with each label as text for older readers), PNG/JPEG pictures, and the document's
// background (the root frame's background) as a page background shape.
class RtfWriter {
public:
    static QByteArray write(const QTextDocument& document);
    // The cursor's selection; an empty selection gives an empty document.
    static QByteArray writeSelection(const QTextCursor& cursor);
    // Pictures survive only when their names can still be loaded (files), since
    // a fragment carries no image resources; prefer writeSelection when there is
    // a document to copy from.
    static QByteArray writeFragment(const QTextDocumentFragment& fragment);

private:
    struct CharState {
        int font = 0;
        int halfPoints = 24;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        int vertical = 0;
        int raise = 0; // half-points up (positive) or down
        int foreground = 0;
        int background = 0;
    };

    // One list of the list table: a QTextList and the lists nested in it, by level.
    struct ListLevel {
        bool used = false;
        QTextListFormat::Style style = QTextListFormat::ListDecimal;
        int start = 1;
        QString text; // with RtfListLabel placeholders
        bool operator==(const ListLevel& o) const {
            return used == o.used && style == o.style && start == o.start && text == o.text;
        }
    };
    struct ListDefinition {
        std::array<ListLevel, 9> levels;
    };
    struct ListPlace {
        int list = 0; // index into m_lists
        int level = 0;
    };

    RtfWriter(const QTextDocument& document, int from, int to);

    QByteArray run(bool withBackground);
    void collectTables();
    void collectLists();
    bool placeList(const QTextList* list, const QTextList* parent, const QTextBlock& parentItem);
    static ListLevel levelOf(const QTextList* list, int number, const ListLevel* above,
                             const QString& aboveLabel);
    void writeHeader();
    void writeListTable();
    void writeListLevel(const ListLevel& level, int number);
    void writeBackground(const QColor& color);
    void writeBlock(const QTextBlock& block);
    void writeParagraphFormat(const QTextBlock& block);
    void writeListLabel(const QTextBlock& block);
    void writeFragmentText(const QTextFragment& fragment);
    void writeCharState(const CharState& state);
    void writePicture(const QTextImageFormat& format);
    CharState stateOf(const QTextCharFormat& format);
    QFont effectiveFont(const QTextCharFormat& format) const;
    int fontIndex(const QString& family);
    int colorIndex(const QColor& color);
    bool inRange(const QTextBlock& block) const;

    const QTextDocument& m_document;
    int m_from;
    int m_to;
    bool m_hasBlocks;
    RtfOutput m_out;
    QStringList m_fonts;
    QList<QColor> m_colors;
    CharState m_written;
    QList<ListDefinition> m_lists;
    QHash<const QTextList*, ListPlace> m_listPlaces;
};
