#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The per-language book lists of the system-definitions folder: "BOOKS_" + language + ".txt",
// one line per book "number TAB short name TAB book name"; "ref.txt", the reference names
// (after the last TAB of each of its first 72 lines); and "BOOKS.TXT", the active list that
// the book catalogue loads. Whatever is written here must load again: a list the catalogue
// cannot read would cost the user's settings at the next start.
namespace LanguageBooks {

constexpr int kBooks = 72;
constexpr int kMaxName = 254;

struct Entry {
    QString shortName;
    QString bookName;
};

// The languages with a list in the folder, in the folder's order.
QStringList Languages(const QString& sysDefsFolder);
QString FileNameFor(const QString& language); // "BOOKS_" + language + ".txt"
// The language of a list's file name: between the first "_" and the first ".".
QString LanguageOf(const QString& fileName);

// The reference names of "ref.txt"; as many as it has lines, at most 72; nothing when the
// file cannot be read.
std::optional<QStringList> ReadReferenceNames(const QString& path);
// The entries of a language list, one per line, at most 72 (later lines are not books).
QVector<Entry> ReadList(const QString& path);

// The 1-based number of the first book whose names cannot be written (empty, a tab or line
// break, longer than 254 characters, a character Windows-1252 lacks), or 0 when all 72 can.
int InvalidBook(const QVector<Entry>& entries);
QByteArray FormatList(const QVector<Entry>& entries);
// True when the bytes load as a book catalogue: 72 lines with two tabs, a whole number
// first, names of at most 254 characters.
bool LoadsAsCatalogue(const QByteArray& bytes);

// The first character of a new language's name that is not a capital A to Z, or a null
// character when there is none.
QChar InvalidNameCharacter(const QString& name);
// Both message files of the language are in the message folder.
bool HasMessageFiles(const QString& messageFolder, const QString& language);

} // namespace LanguageBooks
