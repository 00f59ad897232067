#pragma once

#include "RtfListBuilder.h"
#include "RtfListTable.h"
#include "RtfTokenizer.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextList>
#include <QTextListFormat>
#include <QUrl>

#include <optional>
#include <vector>

// The state machine behind RtfReader: walks the tokens of one RTF file and
// writes text, formats, lists and pictures through a QTextCursor. Limits on
// nesting, table sizes and picture sizes keep hostile input cheap.
class RtfParser {
public:
    struct Picture {
        QUrl name;
        QImage image;
    };

    RtfParser(const QByteArray& rtf, QTextCursor& cursor);

    // Expects bytes for which RtfReader::looksLikeRtf is true.
    void run();

    QString error() const { return m_error; }
    std::optional<QColor> background() const { return m_background; }
    // Pictures added to the document as image resources, in reading order.
    const QList<Picture>& pictures() const { return m_pictures; }

    static constexpr int kMaxDepth = 200;
    static constexpr int kMaxTableEntries = 4096;
    static constexpr qint64 kMaxPicturePixels = 40'000'000;

private:
    enum class Destination {
        Body, // document text
        FontTable,
        ColorTable,
        Picture,
        ListText,   // \pntext / \listtext: the label as text
        ListProps,  // \pn: the label as properties
        PnBefore,   // \pntxtb: text before a \pn number, or the bullet
        PnAfter,    // \pntxta: text after a \pn number
        ListTable,  // \listtable
        ListDef,    // \list in it
        ListLevel,  // \listlevel in a \list or \lfolevel
        LevelText,  // \leveltext in a \listlevel
        OverrideTable, // \listoverridetable
        Override,      // \listoverride in it
        OverrideLevel, // \lfolevel in a \listoverride
        Background, // \background and the shape groups inside it
        ShapeName,  // \sn inside the background
        ShapeValue, // \sv inside the background
    };

    struct CharState {
        int font = -1; // font table number; -1: the default font
        int halfPoints = 24;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool hidden = false;
        int vertical = 0;   // 1 superscript, -1 subscript
        int raise = 0;      // \up (positive) or \dn (negative), in half-points
        int foreground = 0; // colour table index; 0: automatic
        int background = 0;
        bool operator==(const CharState& o) const;
        bool operator!=(const CharState& o) const { return !(*this == o); }
    };

    // The older list properties, \pn.
    struct LegacyList {
        bool on = false;
        int level = 0;
        QTextListFormat::Style style = QTextListFormat::ListStyleUndefined;
        int start = 1;
        QString before; // \pntxtb
        QString after;  // \pntxta
        bool hasBefore = false;
        bool hasAfter = false;
    };

    struct ParaState {
        Qt::Alignment alignment = Qt::AlignLeft;
        int leftTwips = 0;
        int firstTwips = 0;
        int rightTwips = 0;
        int beforeTwips = 0;
        int afterTwips = 0;
        int ls = 0;            // \ls: the list override the paragraph belongs to
        int ilvl = 0;          // \ilvl: its level
        bool labelled = false; // a \listtext or \pntext label came with the paragraph
        LegacyList legacy;
    };

    struct PictureState {
        QByteArray format; // "PNG", "JPG"; empty when we cannot show it
        int pixelWidth = 0;
        int pixelHeight = 0;
        int goalWidth = 0; // twips
        int goalHeight = 0;
        int scaleX = 100;
        int scaleY = 100;
        QByteArray data;
        int pendingNibble = -1;
    };

    struct GroupState {
        Destination destination = Destination::Body;
        CharState chr;
        ParaState para;
        int unicodeSkip = 1; // \ucN
        bool starred = false;
        bool pictureOwner = false; // this group opened the \pict
        bool inBackground = false;
        bool skipNextGroup = false; // after \upr: its ANSI half
    };

    struct FontEntry {
        QString name;
        int codepage = 0;
    };

    void handle(const RtfTokenizer::Token& token);
    void finishDocument();
    void groupStart();
    void groupEnd();
    void leaveGroup(const GroupState& left);
    void skipRestOfGroup();
    void controlWord(const RtfTokenizer::Token& token);
    void controlSymbol(char symbol);
    bool destinationWord(const QByteArray& word);
    bool shapeWord(const QByteArray& word);
    bool characterWord(const QByteArray& word, bool hasParam, int param);
    bool paragraphWord(const QByteArray& word, bool hasParam, int param);
    bool listWord(const QByteArray& word, bool hasParam, int param);
    bool listTableWord(const QByteArray& word, int param);
    bool listTableDestination(const QByteArray& word);
    void leaveListGroup(const GroupState& left, Destination outer);
    bool specialCharacterWord(const QByteArray& word);
    bool tableWord(const QByteArray& word);
    bool documentWord(const QByteArray& word, int param);
    bool fontTableWord(const QByteArray& word, int param);
    bool colorTableWord(const QByteArray& word, int param);
    bool pictureWord(const QByteArray& word, int param);
    void binary(int count);

    void text(const QByteArray& run);
    void bytes(const QByteArray& b);
    void flushBytes();
    void unicode(int value);
    void deliver(const QString& s);
    void bodyText(const QString& s);
    void flushText();
    void beginContent();
    void endParagraph();
    void finishParagraph();
    std::optional<RtfListBuilder::Item> listItem(const ParaState& para);
    RtfListBuilder::Item legacyItem(const LegacyList& legacy);
    RtfListBuilder::Item labelItem(int level);
    void fontTableText(const QString& s);
    void commitFont();
    void colorTableText(const QByteArray& b);
    void pictureText(const QByteArray& b);
    void insertPicture(const PictureState& picture);
    void shapeValueDone();

    int currentCodepage() const;
    QTextCharFormat charFormat(const CharState& state) const;
    QColor color(int index) const;
    GroupState& top() { return m_stack.back(); }
    const GroupState& top() const { return m_stack.back(); }
    void note(const QString& message);

    RtfTokenizer m_tokens;
    QTextCursor& m_cursor;
    std::vector<GroupState> m_stack;
    int m_skipDepth = 0;
    int m_unicodeSkipLeft = 0;
    bool m_finished = false;

    int m_ansiCodepage = 1252;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontNumber = -1;
    int m_fontCharset = 0;
    QString m_fontName;
    QList<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;

    QByteArray m_pendingBytes;
    int m_pendingCodepage = 1252;
    QString m_text;
    CharState m_textState;
    bool m_breakPending = false;
    bool m_cellPending = false;
    RtfListTable m_listTable;
    RtfListBuilder m_lists;
    QString m_listText;     // the label being read
    QString m_pendingLabel; // the label of the paragraph being read (it may precede its \pard)
    QString m_pnText;
    RtfListTable::Level m_level;
    QVector<RtfListTable::Level> m_listLevels;
    QString m_levelText;
    int m_listId = 0;
    int m_overrideLs = 0;
    int m_overrideListId = 0;
    QHash<int, int> m_overrideStarts;
    int m_overrideLevel = 0;
    bool m_overrideHasStart = false;
    int m_overrideStart = 1;
    QString m_shapeText;
    QString m_shapeName;
    PictureState m_picture;

    std::optional<QColor> m_background;
    QList<Picture> m_pictures;
    QString m_error;
};
