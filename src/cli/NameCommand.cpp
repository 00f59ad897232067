// tolvane-cli name: the meaning of a Bible name as the names window shows it.
//
// The name must be written as the names module writes it; the first of equal names wins.
// Exit status: 0 found, 1 not found, 2 bad arguments or no names module.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "reference/NamesFile.h"

const char* const Cli::kNameUsage =
    "usage: tolvane-cli name [--folder DIR] [--] NAME\n"
    "  --folder DIR   program folder (default: the one next to this program)\n"
    "  NAME           as the names module writes it (letter case counts)\n";

int Cli::runName(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args, {QStringLiteral("--folder")}, {}, a, error))
        return refuse(error, "name");
    if (a.words.isEmpty())
        return refuse(QStringLiteral("no name"), "name");
    Session session;
    if (!session.load(a.value(QStringLiteral("--folder")), error))
        return missing(error);
    QVector<NamesFile::Entry> entries;
    if (!NamesFile::Read(NamesFile::Path(session.state()), entries))
        return missing(QStringLiteral("no names module is installed"));
    const QString name = a.words.join(QLatin1Char(' '));
    const NamesFile::Entry* entry = NamesFile::Find(entries, name);
    if (!entry) {
        printError(QStringLiteral("no name \"") + name + QStringLiteral("\""));
        return kNothing;
    }
    writeOut(entry->meaning + QLatin1Char('\n'));
    return kOk;
}
