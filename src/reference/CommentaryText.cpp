#include "reference/CommentaryText.h"

#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/TextLine.h"
#include "library/TolvaneRoutines.h"
#include "library/VerseIndex.h"
#include "localisation/MessageText.h"
#include "platform/Win1252.h"
#include "reference/ModuleLines.h"

#include <QFile>

namespace CommentaryText {

namespace {

namespace Err = TolvaneRoutines::ErrorNumber;

constexpr char kBreakMark = char(227);

// Builds the index of folder + file when it is missing or stale, telling `status` the
// waiting text meanwhile, then loads it into the shared table. False when it is not loaded.
bool prepareIndex(ProgramState& state, const QString& folder, const QString& file,
                  const QString& waiting, const StatusFn& status, QString* failure) {
    bool built = false;
    if (VerseIndex::IndexNeedsBuilding(state, folder, file)) {
        if (status)
            status(waiting);
        QString writeFailure;
        VerseIndex::CreateIndexFile(state, folder, file, &writeFailure);
        if (status)
            status(QString());
        if (!writeFailure.isEmpty()) {
            if (failure)
                *failure = VerseIndex::IndexFailureText(state, writeFailure);
            return false;
        }
        built = true;
    }
    if (built || state.CurrentIndexFile != file)
        return VerseIndex::LoadIndexFile(state, file);
    return true;
}

// An index that is not in place leaves the pane empty; only one that could not be written
// is reported from here (a damaged one has been reported by its loader).
bool indexReady(ProgramState& state, const QString& folder, const QString& file,
                const QString& waiting, const StatusFn& status, Pane& pane) {
    QString failure;
    if (prepareIndex(state, folder, file, waiting, status, &failure))
        return true;
    if (!failure.isEmpty()) {
        pane.error = Err::PathFileAccess;
        pane.detail = failure;
    }
    return false;
}

// The lines of one chapter, read straight from the text at the byte range the loaded index
// gives, so that a refresh reads one chapter of each file and writes nothing. A chapter the
// index lacks leaves `bytes` empty; false only when the text cannot be read.
bool readChapter(const ProgramState& state, const QString& path, int book, int chapter,
                 QByteArray& bytes) {
    bytes.clear();
    qint64 start = 0, end = 0;
    for (const VerseIndexEntry& e : state.VerseIndex) {
        if (e.book != book || e.chapter != chapter)
            continue;
        if (start == 0)
            start = e.startOffset;
        end = e.endOffset;
    }
    if (start < 1 || end <= start)
        return true;
    QFile text(FileFunctions::resolve(path));
    if (!text.open(QIODevice::ReadOnly) || !text.seek(start - 1))
        return false;
    bytes = text.read(end - start);
    return true;
}

} // namespace

QString ShowCommentaryText(QByteArrayView field) {
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == kBreakMark) {
            bytes += '\n';
            ++i; // the character after the mark goes with it
        } else if (c == '[' || c == ']') {
            bytes += ' ';
        } else {
            bytes += c;
        }
    }
    return Win1252::decode(bytes);
}

bool LoadBibleIndex(ProgramState& state, const QString& file, const QString& name,
                    const StatusFn& status, QString* failure) {
    return prepareIndex(state, state.BibleFolder, file, MessageText::Std(state, 451, name), status,
                        failure);
}

Pane BiblePane(ProgramState& state, const BibleRequest& r, const StatusFn& status) {
    Pane pane;
    if (!indexReady(state, state.BibleFolder, r.file, MessageText::Std(state, 451, r.name), status,
                    pane))
        return pane;
    QByteArray bytes;
    if (!readChapter(state, state.Folders.moduleFile(state.BibleFolder, r.file), r.book,
                     r.chapter, bytes)) {
        pane.error = Err::FileNotFound;
        pane.detail = state.Folders.moduleFile(state.BibleFolder, r.file);
        return pane;
    }
    const QString reference = r.book >= 1 && r.book <= state.BookRefNames.size()
                                  ? state.BookRefNames.at(r.book - 1).toUpper()
                                  : QString();
    const QString chapter = QString::number(r.chapter);
    ModuleLines::forEachLine(bytes, [&](QByteArrayView line, qsizetype) {
        TextLine v;
        if (!v.parse(line) || v.book != r.book || v.chapter != r.chapter)
            return;
        const QString text = Win1252::decode(v.text.toByteArray());
        if (r.wholeChapter)
            pane.text += QLatin1Char(' ') + reference + QLatin1Char(' ') + chapter +
                         QLatin1Char(':') + QString::number(v.verse) + QLatin1Char(' ') + text +
                         QLatin1Char('\n');
        else if (v.verse == r.verse)
            pane.text = reference + QLatin1Char(' ') + chapter + QLatin1Char(':') +
                        QString::number(v.verse) + QLatin1Char(' ') + text;
    });
    return pane;
}

Pane CommentaryPane(ProgramState& state, int position, int book, int chapter,
                    const StatusFn& status) {
    Pane pane;
    if (position < 0 || position >= state.CommentaryFiles.size() ||
        state.CommentaryFiles.at(position).isEmpty()) {
        pane.error = Err::SubscriptOutOfRange;
        return pane;
    }
    const QString& file = state.CommentaryFiles.at(position);
    if (!indexReady(state, state.CommentaryFolder, file,
                    MessageText::Std(state, 452, state.CommentaryNames.value(position)), status,
                    pane))
        return pane;
    QByteArray bytes;
    if (!readChapter(state, state.Folders.moduleFile(state.CommentaryFolder, file), book, chapter,
                     bytes)) {
        pane.error = Err::FileNotFound;
        pane.detail = state.Folders.moduleFile(state.CommentaryFolder, file);
        return pane;
    }
    ModuleLines::forEachLine(bytes, [&](QByteArrayView line, qsizetype) {
        TextLine v;
        if (!v.parse(line) || v.book != book || v.chapter != chapter)
            return;
        // Each line is a section of its own: it starts on a new line unless its text
        // already begins with a break.
        const QString text = ShowCommentaryText(v.text);
        if (!pane.text.isEmpty() && !pane.text.endsWith(QLatin1Char('\n')) &&
            !text.startsWith(QLatin1Char('\n')))
            pane.text += QLatin1Char('\n');
        pane.text += text;
    });
    pane.text = pane.text.trimmed();
    if (pane.text.isEmpty())
        pane.text = MessageText::Std(state, 450);
    return pane;
}

} // namespace CommentaryText
