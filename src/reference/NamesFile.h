#pragma once
#include <QString>
#include <QVector>

struct ProgramState;

// The names module: one Bible name per line, "number TAB name TAB meaning"; the meaning is
// shown as it stands. Read by the names window, by Integrate Names and by `tolvane-cli name`.
namespace NamesFile {

struct Entry {
    QString name;
    QString meaning;
};

// NameFolder + NamesModuleFile; empty when no names module is installed.
QString Path(const ProgramState& state);

// Every line with two tabs, in file order; a line without them is skipped and the lines
// after it are still read. False, with nothing in `out`, when the file cannot be read.
bool Read(const QString& path, QVector<Entry>& out);

// The first entry whose name is exactly `name` (letter case counts), as the names window
// finds it; nullptr when there is none.
const Entry* Find(const QVector<Entry>& entries, const QString& name);

} // namespace NamesFile
