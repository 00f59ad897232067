#include "reference/NamesFile.h"

#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "platform/Win1252.h"
#include "reference/ModuleLines.h"

namespace NamesFile {

QString Path(const ProgramState& state) {
    return state.NamesModuleFile.isEmpty()
               ? QString()
               : state.Folders.moduleFile(state.NameFolder, state.NamesModuleFile);
}

bool Read(const QString& path, QVector<Entry>& out) {
    out.clear();
    QByteArray bytes;
    if (path.isEmpty() || !FileFunctions::readWholeFile(path, bytes))
        return false;
    ModuleLines::forEachLine(bytes, [&](QByteArrayView line, qsizetype) {
        ModuleLines::Split<2> f;
        if (ModuleLines::splitTabs(line, f))
            out.append(Entry{Win1252::decode(f.field[1].toByteArray()),
                             Win1252::decode(f.rest.toByteArray())});
    });
    return true;
}

const Entry* Find(const QVector<Entry>& entries, const QString& name) {
    for (const Entry& e : entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

} // namespace NamesFile
