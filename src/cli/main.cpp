// tolvane-cli: the main window's scripture search from the command line.
//
//   tolvane-cli search [--folder DIR] [--translation NAME] [--book N]
//                      [--mode pattern|all-terms|any-term|entire] [--ignore-case] [--] TEXT
//
// Prints the result lines as the results pane would hold them (UTF-8), then the status box
// text ("57 Matches 42 Verses") as the last line. Exit status: 0 when a verse matched, 1 when
// none did, 2 for bad arguments or a folder without Bibles.
#include "app/search/ScriptureSearch.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/ConsoleDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kMatched = 0;
constexpr int kNothingMatched = 1;
constexpr int kUsage = 2;

const char* const kUsageText =
    "usage: tolvane-cli search [--folder DIR] [--translation NAME] [--book N]\n"
    "                          [--mode pattern|all-terms|any-term|entire] [--ignore-case]\n"
    "                          [--] TEXT\n"
    "  --folder DIR        program folder (default: the one next to this program)\n"
    "  --translation NAME  a translation's description or code such as b_kjv\n"
    "                      (default: the first in the order of precedence)\n"
    "  --book N            book selection 1-66, or 67-72 for the book groups (default 72)\n"
    "  --mode M            pattern (default), all-terms, any-term or entire\n"
    "  --ignore-case       compare in capitals\n";

void printError(const QString& text) {
    std::fprintf(stderr, "tolvane-cli: %s\n", text.toLocal8Bit().constData());
}

struct Options {
    QString folder;
    QString translation;
    int book = Catalogues::kBookSelections;
    SearchMode mode = SearchMode::Pattern;
    bool ignoreCase = false;
    QString text;
};

bool parseMode(const QString& name, SearchMode& mode) {
    static const QStringList names{QStringLiteral("pattern"), QStringLiteral("all-terms"),
                                   QStringLiteral("any-term"), QStringLiteral("entire")};
    const int i = int(names.indexOf(name));
    if (i < 0)
        return false;
    mode = static_cast<SearchMode>(i);
    return true;
}

bool parseArguments(const QStringList& args, Options& opt, QString& error) {
    if (args.size() < 2 || args.at(1) != QLatin1String("search")) {
        error = QStringLiteral("the first argument must be \"search\"");
        return false;
    }
    QStringList text;
    bool optionsEnded = false, haveText = false;
    for (int i = 2; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (optionsEnded || !a.startsWith(QLatin1String("--"))) {
            text.append(a);
            haveText = true;
            continue;
        }
        if (a == QLatin1String("--")) {
            optionsEnded = true;
        } else if (a == QLatin1String("--ignore-case")) {
            opt.ignoreCase = true;
        } else if (a == QLatin1String("--folder") || a == QLatin1String("--translation") ||
                   a == QLatin1String("--book") || a == QLatin1String("--mode")) {
            if (i + 1 >= args.size()) {
                error = a + QStringLiteral(" needs a value");
                return false;
            }
            const QString value = args.at(++i);
            bool ok = true;
            if (a == QLatin1String("--folder"))
                opt.folder = value;
            else if (a == QLatin1String("--translation"))
                opt.translation = value;
            else if (a == QLatin1String("--book"))
                opt.book = value.toInt(&ok);
            else
                ok = parseMode(value, opt.mode);
            if (!ok || opt.book < 1 || opt.book > Catalogues::kBookSelections) {
                error = QStringLiteral("bad value for ") + a + QStringLiteral(": ") + value;
                return false;
            }
        } else {
            error = QStringLiteral("unknown option ") + a;
            return false;
        }
    }
    if (!haveText) {
        error = QStringLiteral("no search text");
        return false;
    }
    opt.text = text.join(QLatin1Char(' '));
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

// Paths, catalogues and module lists as the main window's start-up makes them, without
// touching the user's settings.
bool loadProgramFolder(ProgramState& state, const QString& folder, QString& error) {
    state.programDir = QDir(folder).absolutePath();
    DataFolders::SetProgramPaths(state);
    state.ModulePath = state.ProgramFolder + QStringLiteral("Modules/");
    DataFolders::SetModuleFolders(state);
    if (!FileFunctions::FileExists(state.SysDefsFolder + QStringLiteral("Books.txt")) ||
        !FileFunctions::FileExists(state.SysDefsFolder + QStringLiteral("Translations.txt"))) {
        error = state.ProgramFolder + QStringLiteral(" is not a program folder (no sysdefs)");
        return false;
    }
    if (!Catalogues::LoadBookCatalogue(state) ||
        Catalogues::LoadTranslationCatalogue(state) != Catalogues::TranslationResult::Loaded) {
        error = state.ProgramFolder + QStringLiteral(" holds no usable Bible");
        return false;
    }
    for (const QString& f : {state.IndexFolder, state.ScratchFolder})
        QDir().mkpath(f);
    return true;
}

int usage(const QString& error) {
    printError(error);
    std::fputs(kUsageText, stderr);
    return kUsage;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.contains(QStringLiteral("--help"))) {
        std::fputs(kUsageText, stdout);
        return kMatched;
    }
    Options opt;
    QString error;
    if (!parseArguments(args, opt, error))
        return usage(error);
    if (opt.folder.isEmpty())
        opt.folder = QCoreApplication::applicationDirPath();

    // The search reads MAXCountSize and the colours from the settings; the defaults serve,
    // and the user's own store is left alone.
    QTemporaryDir settingsDir;
    SettingsStore store(settingsDir.filePath(QStringLiteral("settings.ini")));
    ConsoleDialogs dialogs;
    ProgramState state(store, dialogs);
    if (!loadProgramFolder(state, opt.folder, error))
        return usage(error);
    const int translation = findTranslation(state, opt.translation);
    if (translation < 0)
        return usage(QStringLiteral("no translation \"") + opt.translation +
                     QStringLiteral("\"; installed: ") + state.BibleNames.join(QStringLiteral(", ")));

    ScriptureSearch search(state);
    const SearchRequest request{state.BibleFiles.at(translation), opt.book, opt.mode,
                                opt.ignoreCase, opt.text};
    const bool accepted = search.prepare(request, [](const QString& text, bool) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
    if (!accepted)
        return usage(search.statusText(0));
    bool stopRequested = false;
    search.run({}, stopRequested);
    const HighlightPlan::Outcome outcome = search.highlightPlan().outcome();
    const QByteArray out = search.paneText().toUtf8() +
                           search.statusText(outcome.MatchCount).toUtf8() + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return search.verseCount() > 0 ? kMatched : kNothingMatched;
}
