// tolvane-cli check: the integrity check of the Tools menu.
//
// Prints the lines the results pane shows for the same menu item and records check values in
// the same CRC files. Exit status: 0 when every checked file is unchanged or newly recorded,
// 1 when any changed (or could not be checked), 2 for bad arguments or no program folder.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "integrity/IntegrityCheck.h"

#include <cstdio>

const char* const Cli::kCheckUsage =
    "usage: tolvane-cli check [--folder DIR] [bibles|commentaries|dictionary|names|all]\n"
    "  --folder DIR   program folder (default: the one next to this program)\n"
    "  the kind of module to check (default all)\n";

int Cli::runCheck(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args, {QStringLiteral("--folder")}, {}, a, error))
        return usage(error, kCheckUsage);
    if (a.words.size() > 1)
        return usage(QStringLiteral("one kind of module at most"), kCheckUsage);
    const QString kind = a.words.isEmpty() ? QStringLiteral("all") : a.words.first().toLower();
    const struct {
        const char* word;
        IntegrityCheck::Kind kind;
    } kinds[] = {{"bibles", IntegrityCheck::Kind::Bibles},
                 {"commentaries", IntegrityCheck::Kind::Commentaries},
                 {"dictionary", IntegrityCheck::Kind::Dictionary},
                 {"names", IntegrityCheck::Kind::Names}};
    bool all = kind == QLatin1String("all");
    IntegrityCheck::Kind chosen = IntegrityCheck::Kind::Bibles;
    bool known = all;
    for (const auto& k : kinds)
        if (kind == QLatin1String(k.word)) {
            chosen = k.kind;
            known = true;
        }
    if (!known)
        return usage(QStringLiteral("unknown kind of module \"") + kind + QStringLiteral("\""),
                     kCheckUsage);

    Session session;
    if (!session.load(a.value(QStringLiteral("--folder")), error))
        return usage(error, kCheckUsage);
    IntegrityCheck check(session.state());
    const IntegrityCheck::Append print = [](const QString& text, IntegrityCheck::Piece) {
        QString lines = text;
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        writeOut(lines);
        std::fflush(stdout);
    };
    if (all)
        check.RunAll(print);
    else
        check.RunKind(chosen, print);
    return check.changedCount() + check.problemCount() > 0 ? kNothing : kOk;
}
