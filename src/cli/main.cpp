// tolvane-cli: Tolvane's engines from the command line.
//
//   tolvane-cli COMMAND [options]     (tolvane-cli --help lists the commands)
//
// Output is UTF-8. Exit status: 0 success, 1 nothing found, 2 bad arguments or no usable
// program folder; a command may add its own (see its file).
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

namespace {

// Add a command here and in Commands.h; its code goes in a file of its own.
const Cli::Command kCommands[] = {
    {"search", "scripture search, as the main window's search button", Cli::kSearchUsage,
     &Cli::runSearch},
    {"check", "integrity check of the module files, as the Tools menu's Integrity Check",
     Cli::kCheckUsage, &Cli::runCheck},
    {"chm", "help-file Bibles and their contents, as the help-file Bible selector", Cli::kChmUsage,
     &Cli::runChm},
    {"audio", "audio Bible languages and books, as the audio Bible window", Cli::kAudioUsage,
     &Cli::runAudio},
    {"notice", "read (or make) the scrambled download notice", Cli::kNoticeUsage,
     &Cli::runNotice},
    {"passage", "a verse or chapter in every enabled translation, as the multi-Bible view",
     Cli::kPassageUsage, &Cli::runPassage},
    {"diary", "the prayer diary of an identity, read only: list, show, export", Cli::kDiaryUsage,
     &Cli::runDiary},
    {"commentary", "a chapter's commentary under its Bible text, as the commentary window",
     Cli::kCommentaryUsage, &Cli::runCommentary},
    {"dictionary", "a dictionary entry with its see-also list, as the dictionary window",
     Cli::kDictionaryUsage, &Cli::runDictionary},
    {"name", "the meaning of a Bible name, as the names window", Cli::kNameUsage,
     &Cli::runName},
    {"notes", "the translation notes' titles or one article, as the notes window",
     Cli::kNotesUsage, &Cli::runNotes},
    {"import", "import installed SWORD modules, as the Tools menu's Import Module",
     Cli::kImportUsage, &Cli::runImport},
};

void listCommands(std::FILE* to) {
    std::fputs("usage: tolvane-cli COMMAND [options]   (COMMAND --help for its options)\n"
               "commands:\n",
               to);
    for (const Cli::Command& c : kCommands)
        std::fprintf(to, "  %-12s %s\n", c.name, c.summary);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.at(1) == QLatin1String("--help")) {
        listCommands(args.size() < 2 ? stderr : stdout);
        return args.size() < 2 ? Cli::kUsage : Cli::kOk;
    }
    for (const Cli::Command& c : kCommands) {
        if (args.at(1) != QLatin1String(c.name))
            continue;
        const QStringList rest = args.mid(2);
        if (rest.contains(QStringLiteral("--help"))) {
            std::fputs(c.usage, stdout);
            return Cli::kOk;
        }
        return c.run(rest);
    }
    Cli::printError(QStringLiteral("unknown command \"") + args.at(1) + QStringLiteral("\""));
    listCommands(stderr);
    return Cli::kUsage;
}
