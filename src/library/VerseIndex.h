#pragma once
#include <QString>
#include <functional>

struct ProgramState;

// The verse index beside each text file: one line per chapter ("first,last,book,chapter,
// count,start,end", 1-based byte offsets, CR LF), the shared table that holds the index of
// CurrentIndexFile, and the copies cut out of a text with its help.
namespace VerseIndex {

// IndexFolder + file + ".INDEX" (the file keeps its own extension).
QString IndexPath(const ProgramState& state, const QString& file);

// Reads folder + file once and writes its index, replacing any existing one. A bad line
// stops the building with the "Create Index File" report; the lines written so far stay.
// Returns false when it stopped early. An index that cannot be written (a program folder
// the user may not write to) is not reported here: `writeFailure` receives the index path
// and the system's reason, for the caller to say what it could not do.
bool CreateIndexFile(ProgramState& state, const QString& folder, const QString& file,
                     QString* writeFailure = nullptr);

// CurrentIndexFile = file, then fills VerseIndex from the index file when it exists.
// Entries after the last record repeat it. A malformed or empty index gives the
// "LoadIndexFile" report and keeps what was loaded before the fault. Returns true when the
// whole index loaded; false when it is missing, empty or damaged, so that a caller can pass
// over a text whose table would cut wrong ranges.
bool LoadIndexFile(ProgramState& state, const QString& file);

// True when the index is missing or no longer fits its text: the text is shorter than the
// index's last end offset, or was written after the index. Building over such an index is
// the only safe thing to do, since its offsets would cut wrong byte ranges.
bool IndexNeedsBuilding(const ProgramState& state, const QString& folder, const QString& file);

// Shows the status text the callers use while an index is built.
using StatusFn = std::function<void(const QString& text, bool bold)>;
QString CreatingIndexText(const QString& file);

// The on-demand step shared by every caller: builds the index when IndexNeedsBuilding
// (telling status "Creating index ... please wait.." and then "done"), then loads it when
// it was built, when `alwaysLoad` is set, or when CurrentIndexFile is another file.
// Returns why the index could not be written (its path and the system's reason), empty when
// it is in place; the loaded table is then left as it was, and status receives
// IndexFailureText instead of "done".
QString PrepareIndex(ProgramState& state, const QString& folder, const QString& file,
                     bool alwaysLoad, const StatusFn& status);
// What the user is told when an index could not be written (standard message 411).
QString IndexFailureText(const ProgramState& state, const QString& failure);

// Copies the lines of a book selection (1..72) from BibleFolder + file to ScratchFolder +
// file, using the loaded index. Selection 72 copies nothing (the text itself is read).
// Returns false when the loaded index holds no book of the selection; the scratch copy is
// then emptied so that no earlier copy can pass for this one. Also false when the copy
// cannot be written: `writeFailure` then receives its path and the system's reason.
bool ExtractBookRange(ProgramState& state, const QString& file, int selection,
                      QString* writeFailure = nullptr);

// Copies one chapter, or the whole book when chapter is 0, from folder + file to
// ScratchFolder + "1v_" / "1c_" / "1d_" + file for kind 1 / 2 / 3 (other kinds: nothing).
// When the text is missing or the index holds no such chapter, the copy holds one empty
// line. Returns whether the chapter was found.
bool ExtractChapter(ProgramState& state, const QString& folder, const QString& file, int kind,
                    int book, int chapter);

// The first part of the re-index command: deletes every file in IndexFolder.
int DeleteIndexFiles(const ProgramState& state);

// The whole re-index command: delete the indexes, reload the translation catalogue and
// tell the user (standard message 49). The table in memory is left as it is.
void ReIndex(ProgramState& state);

} // namespace VerseIndex
