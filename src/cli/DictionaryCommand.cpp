// tolvane-cli dictionary: an entry of the installed dictionary as its window shows it.
//
// Prints the headword, the definition ("|" as line breaks), then "See also: " and the
// headwords the entry refers to, separated by "; ". The headword must be written exactly.
// Exit status: 0 found, 1 no such headword, 2 bad arguments or no dictionary installed.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "reference/DictionaryModule.h"

const char* const Cli::kDictionaryUsage =
    "usage: tolvane-cli dictionary [--folder DIR] [--] HEADWORD\n"
    "  --folder DIR   program folder (default: the one next to this program)\n"
    "  HEADWORD       as the dictionary writes it (letter case counts)\n";

int Cli::runDictionary(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args, {QStringLiteral("--folder")}, {}, a, error))
        return refuse(error, "dictionary");
    if (a.words.isEmpty())
        return refuse(QStringLiteral("no headword"), "dictionary");
    Session session;
    if (!session.load(a.value(QStringLiteral("--folder")), error))
        return missing(error);
    const ProgramState& state = session.state();
    DictionaryModule dictionary;
    if (state.DictionaryFile.isEmpty() ||
        !dictionary.load(state.Folders.moduleFile(state.DictionaryFolder, state.DictionaryFile)))
        return missing(QStringLiteral("no dictionary is installed"));
    const QString headword = a.words.join(QLatin1Char(' '));
    const std::optional<DictionaryModule::Entry> entry = dictionary.find(headword);
    if (!entry) {
        printError(QStringLiteral("no entry \"") + headword + QStringLiteral("\""));
        return kNothing;
    }
    writeOut(entry->headword + QLatin1Char('\n') + entry->text + QLatin1Char('\n') +
             QStringLiteral("See also: ") + entry->seeAlso.join(QStringLiteral("; ")) +
             QLatin1Char('\n'));
    return kOk;
}
