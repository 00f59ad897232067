#include "media/HelpFileBibles.h"

#include "library/Catalogues.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"

namespace HelpFileBibles {

QString folder(const ProgramState& state) {
    return FileFunctions::resolve(state.ModulePath + QStringLiteral("CHM/"));
}

QVector<Row> find(const ProgramState& state) {
    using namespace FileFunctions;
    QVector<Row> rows;
    QByteArray catalogue;
    const QString catalogueFile = state.SysDefsFolder + QStringLiteral("Translations.txt");
    if (!FileExists(catalogueFile) || !readWholeFile(resolve(catalogueFile), catalogue))
        return rows;
    const QString base = folder(state);
    for (const Catalogues::TranslationRecord& r :
         Catalogues::ParseTranslations(catalogue).records) {
        for (const char* prefix : {"cn", "cf"}) {
            const QString name = QLatin1String(prefix) + r.code.mid(1) + QStringLiteral(".chm");
            // A code that names a folder cannot leave the CHM folder.
            if (r.code.size() < 2 || name.contains(QLatin1Char('/')) ||
                name.contains(QLatin1Char('\\')))
                continue;
            const QString path = resolve(state.Folders.moduleFile(base, name));
            if (FileExists(path))
                rows.append(Row{r.description, name, path});
        }
    }
    return rows;
}

bool anyInstalled(const ProgramState& state) {
    return state.Folders.anyModuleFile(folder(state), QStringLiteral("c?_*.chm"));
}

} // namespace HelpFileBibles
