#pragma once

#include "RtfOutput.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QList>
#include <QStringList>

class QTextBlock;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;
class QTextDocumentFragment;
class QTextFragment;
class QTextImageFormat;

// Writes QTextDocument content as RTF that word processors open: Windows-1252
// text with \uN for the rest, font and colour tables, character and paragraph
// formats, bullets and numbered lists, PNG/JPEG pictures, and the document's
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
        int foreground = 0;
        int background = 0;
    };

    RtfWriter(const QTextDocument& document, int from, int to);

    QByteArray run(bool withBackground);
    void collectTables();
    void writeHeader();
    void writeBackground(const QColor& color);
    void writeBlock(const QTextBlock& block);
    void writeParagraphFormat(const QTextBlock& block);
    void writeBullet(const QTextBlock& block);
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
    RtfOutput m_out;
    QStringList m_fonts;
    QList<QColor> m_colors;
    CharState m_written;
};
