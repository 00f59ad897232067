#pragma once
#include <QString>
#include <QVector>

struct ProgramState;

// The translation notes: one text file of articles. A line holding "$$" starts an article,
// whose title is that line from its third character on; the article is every line after
// it up to the next such line. Shown by the notes window and by `tolvane-cli notes`.
namespace TranslationNotesFile {

struct Article {
    QString title;
    QString text; // each body line followed by '\n'
};

// ModulePath + "TLNotes.txt".
QString Path(const ProgramState& state);

// The articles in file order; lines before the first heading belong to none. False when the
// file cannot be read.
bool Read(const QString& path, QVector<Article>& out);

// The first article titled exactly `title`; nullptr when there is none.
const Article* Find(const QVector<Article>& articles, const QString& title);

} // namespace TranslationNotesFile
