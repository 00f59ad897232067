// tolvane-cli search: the main window's scripture search.
//
// Prints the result lines as the results pane would hold them, then the status box text
// ("57 Matches 42 Verses") as the last line. Exit status: 0 when a verse matched, 1 when none
// did, 2 for bad arguments, a folder without Bibles, or a verse index or book copy that
// cannot be written there (the file and the system's reason go to the error stream).
#include "app/search/ScriptureSearch.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "library/Catalogues.h"

#include <QFileInfo>
#include <cstdio>

const char* const Cli::kSearchUsage =
    "usage: tolvane-cli search [--folder DIR] [--translation NAME] [--book N]\n"
    "                          [--mode pattern|all-terms|any-term|entire] [--ignore-case]\n"
    "                          [--] TEXT\n"
    "  --folder DIR        program folder (default: the one next to this program)\n"
    "  --translation NAME  a translation's description or code such as b_kjv\n"
    "                      (default: the first in the order of precedence)\n"
    "  --book N            book selection 1-66, or 67-72 for the book groups (default 72)\n"
    "  --mode M            pattern (default), all-terms, any-term or entire\n"
    "  --ignore-case       compare in capitals\n";

namespace {
const char* const kUsageText = Cli::kSearchUsage;

bool parseMode(const QString& name, SearchMode& mode) {
    static const QStringList names{QStringLiteral("pattern"), QStringLiteral("all-terms"),
                                   QStringLiteral("any-term"), QStringLiteral("entire")};
    const int i = int(names.indexOf(name));
    if (i < 0)
        return false;
    mode = static_cast<SearchMode>(i);
    return true;
}

// A description from the catalogue, or a code with or without its extension.
int findTranslation(const ProgramState& state, const QString& wanted) {
    if (wanted.isEmpty())
        return 0;
    for (int i = 0; i < state.BibleNames.size(); ++i) {
        const QString& file = state.BibleFiles.at(i);
        const QString code = QFileInfo(file).completeBaseName();
        if (state.BibleNames.at(i).compare(wanted, Qt::CaseInsensitive) == 0 ||
            code.compare(wanted, Qt::CaseInsensitive) == 0 ||
            file.compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

int Cli::runSearch(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args,
               {QStringLiteral("--folder"), QStringLiteral("--translation"),
                QStringLiteral("--book"), QStringLiteral("--mode")},
               {QStringLiteral("--ignore-case")}, a, error))
        return usage(error, kUsageText);
    int book = Catalogues::kBookSelections;
    if (a.values.contains(QStringLiteral("--book"))) {
        const auto n = toInt(a.value(QStringLiteral("--book")), 1, Catalogues::kBookSelections);
        if (!n)
            return usage(QStringLiteral("bad value for --book: ") +
                             a.value(QStringLiteral("--book")),
                         kUsageText);
        book = *n;
    }
    SearchMode mode = SearchMode::Pattern;
    if (a.values.contains(QStringLiteral("--mode")) &&
        !parseMode(a.value(QStringLiteral("--mode")), mode))
        return usage(QStringLiteral("bad value for --mode: ") + a.value(QStringLiteral("--mode")),
                     kUsageText);
    if (a.words.isEmpty())
        return usage(QStringLiteral("no search text"), kUsageText);

    Session session;
    if (!session.load(a.value(QStringLiteral("--folder")), error))
        return usage(error, kUsageText);
    ProgramState& state = session.state();
    const QString wanted = a.value(QStringLiteral("--translation"));
    const int translation = findTranslation(state, wanted);
    if (translation < 0)
        return usage(QStringLiteral("no translation \"") + wanted +
                         QStringLiteral("\"; installed: ") +
                         state.BibleNames.join(QStringLiteral(", ")),
                     kUsageText);

    ScriptureSearch search(state);
    const SearchRequest request{state.BibleFiles.at(translation), book, mode,
                                a.has(QStringLiteral("--ignore-case")),
                                a.words.join(QLatin1Char(' '))};
    QString lastStatus;
    const bool accepted = search.prepare(request, [&lastStatus](const QString& text, bool) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        lastStatus = text;
    });
    if (!accepted && !search.failure().isEmpty()) {
        if (search.failure() != lastStatus) // the index step may have said it already
            printError(search.failure());
        return kUsage;
    }
    if (!accepted)
        return usage(search.statusText(0), kUsageText);
    bool stopRequested = false;
    search.run({}, stopRequested);
    const HighlightPlan::Outcome outcome = search.highlightPlan().outcome();
    writeOut(search.paneText() + search.statusText(outcome.MatchCount) + QLatin1Char('\n'));
    return search.verseCount() > 0 ? kOk : kNothing;
}
