// Timings of the multi-Bible view and of the options window's precedence rewrite on the three
// shipped translations, in the offscreen windows: each figure runs from the click to the
// repainted pane (or list). Every figure is a median over repeated runs, given with the median
// ratio to a floor measured in the same repetition: reading the three texts and counting
// their lines.
//
//   tolvane-bench-passage [repetitions]
#include "BenchLibrary.h"
#include "Median.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "parallel/MultiBib.h"
#include "parallel/ParallelPassage.h"
#include "parallel/SetDefaults.h"
#include "platform/ConsoleDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

const char* const kCodes[] = {"b_kjv", "b_web", "b_sparv"};

// The shipped catalogues, messages and three Bibles in a folder of the benchmark's own.
bool makeProgramFolder(const QString& root) {
    const QString data = QStringLiteral(TOLVANE_SOURCE_DIR) + QStringLiteral("/data/program/");
    for (const char* sub : {"sysdefs", "index", "scratch", "msg", "Modules/Bible"})
        QDir().mkpath(root + '/' + QLatin1String(sub));
    bool ok = true;
    for (const char* f : {"sysdefs/Books.txt", "sysdefs/Translations.txt", "msg/ENGLISH_STD.mes",
                          "msg/ENGLISH_FRM.mes"})
        ok = ok && QFile::copy(data + QLatin1String(f), root + '/' + QLatin1String(f));
    for (const char* code : kCodes) {
        const QString name = QStringLiteral("Modules/Bible/") + QLatin1String(code) + ".txt";
        ok = ok && QFile::copy(data + name, root + '/' + name);
    }
    return ok;
}

double floorRun(const QStringList& paths) {
    return millis([&] {
        qsizetype lines = 0;
        for (const QString& path : paths) {
            QByteArray bytes;
            FileFunctions::readWholeFile(path, bytes);
            const char* p = bytes.constData();
            const char* end = p + bytes.size();
            while ((p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p))))) {
                ++lines;
                ++p;
            }
        }
        if (lines == 0)
            std::fputs("no lines read\n", stderr);
    });
}

void choose(QComboBox* list, const QString& text) {
    const int at = list->findText(text);
    list->setCurrentIndex(at);
    emit list->activated(at);
}

struct Case {
    const char* name;
    std::function<void()> setUp; // not timed
    std::function<void()> work;
    std::vector<double> ms, ratio;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int reps = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    QTemporaryDir dir;
    if (!makeProgramFolder(dir.path())) {
        std::fputs("cannot set up a program folder from data/program\n", stderr);
        return 1;
    }
    SettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    ConsoleDialogs dialogs;
    ProgramState state(store, dialogs);
    if (!loadLibrary(state, dir.path()))
        return 1;
    QStringList texts;
    for (const QString& f : state.BibleFiles)
        texts << FileFunctions::resolve(state.BibleFolder + f);

    auto* window = new MultiBib(state);
    window->resize(900, 700);
    window->show();
    MultiBib& w = *window;
    auto painted = [&w] { w.RT->viewport()->repaint(); };
    auto verseMode = [&w] { w.optNone->click(); };
    bool flip = false;

    std::vector<Case> cases;
    cases.push_back({"first refresh, no index (3 builds + verse)",
                     [&] {
                         FileFunctions::deleteFiles(state.IndexFolder, QStringLiteral("*.*"));
                         verseMode();
                         choose(w.cboBook, QStringLiteral("Psalms"));
                         choose(w.cboChap, QStringLiteral("23"));
                         FileFunctions::deleteFiles(state.IndexFolder, QStringLiteral("*.*"));
                     },
                     [&] {
                         w.cmdGo->click();
                         painted();
                     },
                     {},
                     {}});
    cases.push_back({"verse click, another chapter (3 copies cut)",
                     [&] {
                         verseMode();
                         choose(w.cboBook, QStringLiteral("John"));
                         choose(w.cboChap, QStringLiteral("3"));
                         w.CurChap = (flip = !flip) ? 3 : 4;
                     },
                     [&] {
                         w.cmdGo->click();
                         painted();
                     },
                     {},
                     {}});
    cases.push_back({"next verse, same chapter (copies read again)",
                     [&] {
                         verseMode();
                         w.cmdGo->click();
                         w.cboVs->setCurrentIndex((w.cboVs->currentIndex() + 1) % w.cboVs->count());
                     },
                     [&] {
                         emit w.cboVs->activated(w.cboVs->currentIndex());
                         painted();
                     },
                     {},
                     {}});
    cases.push_back({"chapter mode, Psalm 119 (3 copies cut)",
                     [&] {
                         choose(w.cboBook, QStringLiteral("Psalms"));
                         choose(w.cboChap, QStringLiteral("119"));
                         w.optChap->click();
                         w.CurChap = 118; // a refresh of another chapter first
                         w.cmdGo->click();
                         w.CurChap = 119;
                     },
                     [&] {
                         w.cmdGo->click();
                         painted();
                     },
                     {},
                     {}});

    SetDefaults options(state);
    options.show();
    options.TabStrip1->setCurrentIndex(2);
    cases.push_back({"options: move a Bible (rewrite, reload, list)",
                     [&] { options.LV->setCurrentItem(options.LV->topLevelItem(1)); },
                     [&] {
                         options.CmdDown->click();
                         options.LV->viewport()->repaint();
                     },
                     {},
                     {}});

    std::vector<double> floors;
    for (int r = 0; r < reps; ++r) {
        const double floor = floorRun(texts);
        floors.push_back(floor);
        for (Case& c : cases) {
            c.setUp();
            const double ms = millis(c.work);
            c.ms.push_back(ms);
            c.ratio.push_back(ms / floor);
        }
    }
    // What the chapter click leaves in the pane, to show the figures measure real work.
    const QString status = w.SB1Panel2->text();
    std::printf("%d repetitions; texts: %s\n", reps, qPrintable(state.BibleFiles.join(", ")));
    std::printf("%-52s %10s %10s\n", "case", "median ms", "x floor");
    std::printf("%-52s %10.2f %10.2f\n", "floor (read the three texts, count their lines)",
                median(floors), 1.0);
    for (const Case& c : cases)
        std::printf("%-52s %10.2f %10.2f\n", c.name, median(c.ms), median(c.ratio));
    std::printf("last multi-Bible status: %s\n", qPrintable(status));
    delete window;
    return 0;
}
