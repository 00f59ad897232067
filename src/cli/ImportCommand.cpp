// tolvane-cli import: the Tools menu's Import Module.
//
// Lists the SWORD modules installed on this machine (the system's and the user's SWORD
// folders, and --sword DIR) as the import window lists them, or imports the named modules
// into the program folder's library. Exit status: 0 when every named module was imported,
// 1 when any was not (refused, failed, not found, or imported before and --replace not
// given), 2 for bad arguments or no program folder.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "import/ImportTexts.h"
#include "import/ModuleImporter.h"
#include "import/SwordLibrary.h"

#include <cstdio>

const char* const Cli::kImportUsage =
    "usage: tolvane-cli import [--folder DIR] [--sword DIR] [--replace] MODULE...\n"
    "       tolvane-cli import [--folder DIR] [--sword DIR] --list\n"
    "  --folder DIR   program folder (default: the one next to this program)\n"
    "  --sword DIR    a SWORD folder (holding mods.d) to look in as well\n"
    "  --list         list the installed modules: name, description, kind, language and\n"
    "                 whether they can be imported, separated by tabs\n"
    "  --replace      replace a module imported before (without it, it is left as it is)\n";

int Cli::runImport(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args, {QStringLiteral("--folder"), QStringLiteral("--sword")},
               {QStringLiteral("--list"), QStringLiteral("--replace")}, a, error))
        return usage(error, kImportUsage);
    const bool list = a.has(QStringLiteral("--list"));
    if (list == !a.words.isEmpty())
        return usage(list ? QStringLiteral("--list takes no module names")
                          : QStringLiteral("name the modules to import, or give --list"),
                     kImportUsage);
    Session session;
    if (!session.load(a.value(QStringLiteral("--folder")), error))
        return usage(error, kImportUsage);
    ProgramState& state = session.state();
    QStringList folders = SwordLibrary::StandardFolders();
    const QString chosen = a.value(QStringLiteral("--sword"));
    if (!chosen.isEmpty()) {
        if (!SwordLibrary::IsSwordFolder(chosen))
            return usage(ImportTexts::NotSwordFolder(state, chosen), kImportUsage);
        folders.append(chosen);
    }
    const SwordLibrary library(folders);

    if (list) {
        for (const SwordModuleInfo& info : library.modules())
            writeOut(ImportTexts::Row(state, info).join(QLatin1Char('\t')) + QLatin1Char('\n'));
        return library.modules().isEmpty() ? kNothing : kOk;
    }
    ModuleImporter importer(state);
    int notImported = 0;
    for (const QString& name : a.words) {
        const ModuleImporter::Outcome outcome =
            importer.Import(library, name, a.has(QStringLiteral("--replace")));
        QString text = ImportTexts::Outcome(state, outcome);
        if (outcome.status == ModuleImporter::Status::Exists)
            text += QStringLiteral("\n(--replace replaces it)");
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (outcome.status == ModuleImporter::Status::Imported) {
            writeOut(text + QLatin1Char('\n'));
        } else {
            printError(text);
            ++notImported;
        }
        std::fflush(stdout);
    }
    return notImported > 0 ? kNothing : kOk;
}
