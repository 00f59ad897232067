#pragma once
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

struct ProgramState;

// The text of the multi-Bible view: one verse, or one whole chapter, in every enabled
// translation in the order of precedence, assembled as the pane shows it, and the status text
// shown under it. The window and `tolvane-cli passage` both take their text from here.
//
// Each translation's chapter is cut into its scratch copy ("1v_" + file) through its verse
// index. A copy is read again on the next request for the same book and chapter, so moving
// from verse to verse cuts nothing; what each copy holds is recorded per copy (book, chapter,
// size, time), so a copy is never taken for another chapter than the one it holds.
class ParallelPassage {
public:
    enum class ViewMode { Verse = 0, Chapter = 1 };

    struct Request {
        int book = 1;
        int chapter = 1;
        int verse = 1;
        ViewMode mode = ViewMode::Verse;
    };

    struct Result {
        QString text;         // lines separated by CR LF, exactly as assembled
        int count = 0;        // Bibles (verse mode) or verses (chapter mode) over 5 characters
        int contributors = 0; // translations that gave at least one verse line
        ViewMode mode = ViewMode::Verse;
        // Status panel 2: "Length: 1,234 Bytes 3 Bibles" or "... Verses".
        QString statusText() const;
    };

    // What a window shows while the work goes on; any member may be left empty.
    struct Progress {
        std::function<void(int k, int n, const QString& name)> indexStarted;
        std::function<void(const QString& name)> indexDone;
        std::function<void(const QString& name)> adding;
        // Called between translations, never between loading an index and cutting with it.
        std::function<void()> yield;
    };

    explicit ParallelPassage(ProgramState& state);

    // Builds every missing or outdated index of the enabled translations, in order; returns
    // how many were built. A text that is missing or empty is passed over (it has nothing to
    // show, and building from it would only report an error).
    int MakeAllIndexes(const Progress& progress = {});
    // MakeAllIndexes, then the passage in every enabled translation.
    Result Build(const Request& request, const Progress& progress = {});

    // How many scratch copies the last Build cut (the others were read again).
    int copiesCut() const { return m_cut; }

    // The texts of the index log and of the status panels.
    static QString IndexLogStart(const QString& name); // "No index for NAME ..Creating.."
    static QString IndexLogEnd();                      // "  done." and a line end
    static QString IndexCountText(int k, int n, const QString& name); // "2 of 3 NAME"
    static QString AddingText(const QString& name);                   // "Adding.. NAME"
    // A whole number with a comma between each group of three digits ("12,345").
    static QString FormatNumber(qint64 n);

private:
    struct Copy {
        int book = 0;
        int chapter = 0;
        qint64 size = -1;
        QDateTime modified;
    };

    bool textUsable(const QString& file) const;
    QString copyPath(const QString& file) const;
    // The scratch copy of the chapter: read again when it still holds that chapter, otherwise
    // cut anew. False when the translation's index does not load.
    bool readChapter(const QString& file, int book, int chapter, QByteArray& out);

    ProgramState& m_state;
    QHash<QString, Copy> m_copies;
    int m_cut = 0;
};
