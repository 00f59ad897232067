#pragma once
#include <QByteArrayView>
#include <QString>
#include <functional>

struct ProgramState;

// The texts of the commentary window's two panes for one book and chapter: the Bible text of
// a verse or of the whole chapter above, the commentary on the chapter below. Both read one
// chapter of their module at the byte range its verse index gives (the index is built first
// when it is missing). The window and `tolvane-cli commentary` show exactly these texts.
namespace CommentaryText {

// Tells the pane concerned what is being done while an index is built; empty text: done.
using StatusFn = std::function<void(const QString& text)>;

struct Pane {
    QString text;   // lines separated by '\n'
    int error = 0;  // an error number for the report; 0 when there is nothing to report
    QString detail; // what could not be done: the index or text concerned and why
};

struct BibleRequest {
    QString file; // BibleFiles entry
    QString name; // its description, for the waiting text
    int book = 1;
    int chapter = 1;
    int verse = 1;
    bool wholeChapter = false;
};

// Makes the index of the Bible text `file` the loaded one, building it first when it is
// missing (status gets the waiting text naming `name`); the chapter and verse lists are then
// filled from it. False when it could not be built or loaded: the table then belongs to no
// text of this window. `failure`, when given, receives why an index could not be written.
bool LoadBibleIndex(ProgramState& state, const QString& file, const QString& name,
                    const StatusFn& status, QString* failure = nullptr);

// One verse: "GENESIS 1:1 text" (empty when the translation lacks it). Whole chapter: every
// verse as " GENESIS 1:n text", one per line. Lines of other chapters or with damaged fields
// are skipped. A pane whose index could not be loaded stays empty: a damaged index has been
// reported by its loader, one that could not be written comes back as an error.
Pane BiblePane(ProgramState& state, const BibleRequest& request, const StatusFn& status);

// The commentary of a whole chapter from CommentaryFiles(position), each line of the module
// starting a new line of the pane, or the text saying there is none.
Pane CommentaryPane(ProgramState& state, int position, int book, int chapter,
                    const StatusFn& status);

// The text field of a commentary line as shown: the mark byte 227 and the character after
// it become a line break (the mark alone when it ends the field), "[" and "]" blanks.
QString ShowCommentaryText(QByteArrayView field);

} // namespace CommentaryText
