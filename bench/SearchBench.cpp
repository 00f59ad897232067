// Timings of the verse index, the search engine and the highlighting plan on the default
// library's KJV text. Every figure is a median over repeated runs, given with the median ratio
// to a floor measured in the same repetition: reading the text file and counting its lines.
//
//   tolvane-bench [repetitions] [path of b_kjv.txt] [case]
//
// The last three figures are whole clicks of the search button in the offscreen main window.
// Given a case, only the engine figures whose names contain it are measured (for profiling).
#include "app/search/ScriptureSearch.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/VerseIndex.h"
#include "platform/Dialogs.h"

#include "BenchLibrary.h"
#include "Median.h"
#include "WindowClick.h"
#include "platform/ConsoleDialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace {

struct Case {
    const char* name;
    std::function<void()> work;
    std::vector<double> ms, ratio;
};

// A program folder of its own: the catalogues and one text, so the build's folder and the
// user's settings are never touched.
bool makeProgramFolder(const QString& root, const QString& kjv) {
    const QString data = QStringLiteral(TOLVANE_SOURCE_DIR) + QStringLiteral("/data/program/");
    for (const char* sub : {"sysdefs", "index", "scratch", "msg", "Modules/Bible"})
        QDir().mkpath(root + '/' + QLatin1String(sub));
    return QFile::copy(data + QStringLiteral("sysdefs/Books.txt"),
                       root + QStringLiteral("/sysdefs/Books.txt")) &&
           FileFunctions::writeWholeFile(root + QStringLiteral("/sysdefs/Translations.txt"),
                                         "1,1,\"King James Version\",\"b_kjv\"\r\n") &&
           QFile::copy(kjv, root + QStringLiteral("/Modules/Bible/b_kjv.txt"));
}

double floorRun(const QString& path, int& lines) {
    return millis([&] {
        QByteArray bytes;
        FileFunctions::readWholeFile(path, bytes);
        lines = 0;
        const char* p = bytes.constData();
        const char* end = p + bytes.size();
        while ((p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p))))) {
            ++lines;
            ++p;
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    // The window figures run the real main window without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int reps = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    const QString kjv = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                 : QStringLiteral(TOLVANE_SOURCE_DIR) +
                                       QStringLiteral("/data/program/Modules/Bible/b_kjv.txt");
    QTemporaryDir dir;
    if (!makeProgramFolder(dir.path(), kjv)) {
        std::fprintf(stderr, "cannot set up a program folder with %s\n", qPrintable(kjv));
        return 1;
    }
    SettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    ConsoleDialogs dialogs;
    ProgramState state(store, dialogs);
    if (!loadLibrary(state, dir.path()))
        return 1;
    const QString file = state.BibleFiles.at(0);
    const QString textPath = FileFunctions::resolve(state.BibleFolder + file);

    auto searchCase = [&](const char* name, SearchMode mode, bool ignoreCase, const char* text,
                          bool oneThread = false) {
        return Case{
            name,
            [&state, file, mode, ignoreCase, text, oneThread] {
                ScriptureSearch s(state);
                if (oneThread)
                    s.setParallelFrom(std::numeric_limits<qsizetype>::max());
                bool stop = false;
                s.prepare(SearchRequest{file, 72, mode, ignoreCase, QString::fromLatin1(text)});
                s.run({}, stop);
            },
            {},
            {}};
    };
    // The pane of the whole Bible, for the heaviest highlighting plan.
    QByteArray wholePane;
    {
        VerseIndex::PrepareIndex(state, state.BibleFolder, file, true, {});
        ScriptureSearch s(state);
        bool stop = false;
        s.prepare(SearchRequest{file, 72, SearchMode::EntireSelection, false, QStringLiteral("*")});
        s.run({}, stop);
        wholePane = s.paneBytes();
    }
    std::vector<Case> cases;
    cases.push_back(Case{"index build (CreateIndexFile)",
                         [&] { VerseIndex::CreateIndexFile(state, state.BibleFolder, file); },
                         {},
                         {}});
    cases.push_back(Case{"search preparation only (index check, read the text)",
                         [&state, file] {
                             ScriptureSearch s(state);
                             s.prepare(SearchRequest{file, 72, SearchMode::Pattern, false,
                                                     QStringLiteral("*love*")});
                         },
                         {},
                         {}});
    cases.push_back(searchCase("search \"*love*\" (None)", SearchMode::Pattern, false, "*love*"));
    cases.push_back(
        searchCase("search \"*love*\" (None, Ignore Case)", SearchMode::Pattern, true, "*love*"));
    cases.push_back(
        searchCase("search \"love*God\" (Ignore Order)", SearchMode::AllTerms, false, "love*God"));
    cases.push_back(
        searchCase("search \"faith*hope\" (Any Terms)", SearchMode::AnyTerm, false, "faith*hope"));
    cases.push_back(
        searchCase("search (Entire Selection)", SearchMode::EntireSelection, false, "*"));
    // What the second thread brings.
    cases.push_back(searchCase("search \"faith*hope\" (Any Terms), one thread", SearchMode::AnyTerm,
                               false, "faith*hope", true));
    cases.push_back(searchCase("search (Entire Selection), one thread", SearchMode::EntireSelection,
                               false, "*", true));
    cases.push_back(Case{"highlight plan \"the\", limit 500, whole-Bible pane",
                         [&] {
                             HighlightPlan::Compute(wholePane, {"the"}, 500,
                                                    HighlightPlan::PaletteOf(state), false);
                         },
                         {},
                         {}});
    cases.push_back(
        searchCase("search + plan \"*love*\" (None)", SearchMode::Pattern, false, "*love*"));
    cases.back().work = [&state, file] {
        ScriptureSearch s(state);
        bool stop = false;
        s.prepare(SearchRequest{file, 72, SearchMode::Pattern, false, QStringLiteral("*love*")});
        s.run({}, stop);
        s.paneText();
        s.highlightPlan();
    };

    if (argc > 3)
        cases.erase(std::remove_if(cases.begin(), cases.end(),
                                   [&](const Case& c) { return !std::strstr(c.name, argv[3]); }),
                    cases.end());
    std::vector<double> floors;
    int lines = 0;
    for (int r = 0; r < reps; ++r) {
        const double floor = floorRun(textPath, lines);
        floors.push_back(floor);
        for (Case& c : cases) {
            const double ms = millis(c.work);
            c.ms.push_back(ms);
            c.ratio.push_back(ms / floor);
        }
    }
    std::printf("text %s: %d lines, %lld bytes; %d repetitions\n", qPrintable(kjv), lines,
                static_cast<long long>(QFile(textPath).size()), reps);
    std::printf("%-52s %10s %10s\n", "case", "median ms", "x floor");
    std::printf("%-52s %10.2f %10.2f\n", "floor (read the text, count its lines)", median(floors),
                1.0);
    for (const Case& c : cases)
        std::printf("%-52s %10.2f %10.2f\n", c.name, median(c.ms), median(c.ratio));
    if (argc <= 3) {
        QFile text(textPath);
        const QString plain =
            text.open(QIODevice::ReadOnly) ? QString::fromLatin1(text.readAll()) : QString();
        windowClickFigures(dir.path(), reps, median(floors), plain);
    }
    return 0;
}
