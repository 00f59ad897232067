#pragma once
#include <QString>
#include <QVector>

struct ProgramState;

// The help-file Bibles installed in the module folder's "CHM" folder. For every translation
// of the catalogue (whatever its kind and flag), code c gives "cn" + c without its first
// letter + ".chm" and "cf" + the same + ".chm"; each that exists is listed.
namespace HelpFileBibles {

struct Row {
    QString description; // the catalogue's description
    QString fileName;    // as the catalogue code gives it ("cn_web.chm")
    QString path;        // the file as it is on disk, whatever its letter case
};

QString folder(const ProgramState& state);
QVector<Row> find(const ProgramState& state);
// True when the folder holds any "c?_*.chm" file (the main window's test).
bool anyInstalled(const ProgramState& state);

} // namespace HelpFileBibles
