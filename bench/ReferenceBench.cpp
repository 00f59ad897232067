// Timings of the reference windows on the shipped library: the dictionary's headword list and
// an entry with its see-also list, the names table and its lookups, Integrate Names on a
// 500-verse pane, a commentary chapter with its Bible text, and the larger map. Each figure
// is a median over repeated runs, with the fastest run beside it (on a shared machine the
// fastest is the cost without other programs' load); "model" figures leave the window out, "window"
// figures drive the offscreen window and paint it.
//
//   tolvane-bench-reference [repetitions]
#include "BenchLibrary.h"
#include "Median.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/VerseIndex.h"
#include "platform/ConsoleDialogs.h"
#include "reference/Commentaries.h"
#include "reference/CommentaryText.h"
#include "reference/Dictionary.h"
#include "reference/DictionaryModule.h"
#include "reference/IntegrateNames.h"
#include "reference/MapFiles.h"
#include "reference/Maps.h"
#include "reference/NameLookup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Boxes are counted, not shown: Integrate Names pops one up for every name found.
class CountingDialogs : public ConsoleDialogs {
public:
    int boxes = 0;
    Answer message(const Box& box) override {
        ++boxes;
        return box.defaultButton;
    }
};

// A program folder of its own with the shipped catalogues and modules (the KJV alone of the
// Bibles), so the build's folder and the user's settings are never touched.
bool makeProgramFolder(const QString& root) {
    const QString data = QStringLiteral(TOLVANE_SOURCE_DIR) + QStringLiteral("/data/program/");
    for (const char* sub :
         {"sysdefs", "index", "scratch", "msg", "Modules/Bible", "Modules/Commentary",
          "Modules/Dictionary", "Modules/Name", "Modules/Maps"})
        QDir().mkpath(root + '/' + QLatin1String(sub));
    bool ok = FileFunctions::writeWholeFile(
        root + QStringLiteral("/sysdefs/Translations.txt"),
        "1,1,\"King James Version (1769)\",\"b_kjv\"\r\n1500,1,\"Bible Names\",\"bnames\"\r\n"
        "1600,1,\"Nave's Topical Bible\",\"naves\"\r\n"
        "1700,1,\"Matthew Henry's Concise Commentary\",\"mhcc\"\r\n");
    for (const char* f :
         {"sysdefs/Books.txt", "msg/ENGLISH_STD.mes", "msg/ENGLISH_FRM.mes",
          "Modules/Bible/b_kjv.txt", "Modules/Commentary/mhcc.txt", "Modules/Dictionary/naves.txt",
          "Modules/Name/bnames.txt", "Modules/Maps/Holy Land in the time of Jesus.jpg",
          "Modules/Maps/Journeys of Paul.jpg"})
        ok = ok && QFile::copy(data + QLatin1String(f), root + '/' + QLatin1String(f));
    return ok;
}

struct Figure {
    const char* name;
    std::function<void()> work;
    std::vector<double> ms;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int reps = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    QTemporaryDir dir;
    if (!makeProgramFolder(dir.path())) {
        std::fprintf(stderr, "cannot set up a program folder in %s\n", qPrintable(dir.path()));
        return 1;
    }
    SettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    CountingDialogs dialogs;
    ProgramState state(store, dialogs);
    if (!loadLibrary(state, dir.path()))
        return 1;
    const QString dictionaryPath = state.DictionaryFolder + state.DictionaryFile;
    const QString namesPath = state.NameFolder + state.NamesModuleFile;

    // Indexes present, as the commentary figure asks.
    VerseIndex::CreateIndexFile(state, state.BibleFolder, state.BibleFiles.at(0));
    VerseIndex::CreateIndexFile(state, state.CommentaryFolder, state.CommentaryFiles.at(0));

    DictionaryModule dictionary;
    dictionary.load(dictionaryPath);
    NameLookup loadedNames;
    loadedNames.load(namesPath);

    auto* dictWindow = new Dictionary(state);
    dictWindow->Form_Load();
    dictWindow->show();
    dictWindow->LoadCombo(0);
    auto* commWindow = new Commentaries(state);
    commWindow->Form_Load();
    commWindow->show();
    auto* mapsWindow = new Maps(state);
    mapsWindow->Form_Load();
    mapsWindow->resize(800, 600);
    mapsWindow->show();
    // Shown and exposed, so that repaint() really paints.
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    const int largerMap = mapsWindow->Combo1->findText(QStringLiteral("Journeys of Paul.jpg"));
    if (largerMap < 0)
        return 1;

    // A 500-verse pane, and Integrate Names fed from its selection as the main window does.
    QTextEdit pane;
    {
        QByteArray kjv;
        FileFunctions::readWholeFile(state.BibleFolder + state.BibleFiles.at(0), kjv);
        pane.setPlainText(QString::fromLatin1(kjv.left(kjv.indexOf("\n501\t"))));
        pane.resize(800, 600);
        pane.show();
    }
    IntegrateNames names(state);
    bool namesOn = true; // the menu item's check mark
    QObject::connect(&pane, &QTextEdit::selectionChanged, &pane, [&] {
        const QTextCursor c = pane.textCursor();
        names.selectionChanged(namesOn, c.selectionEnd() - c.selectionStart(), false,
                               [&c] { return c.selectedText(); });
    });
    const int abel = int(pane.toPlainText().indexOf(QStringLiteral("Abel")));
    auto select = [&](int from, int length) {
        QTextCursor c(pane.document());
        c.setPosition(from);
        c.setPosition(from + length, QTextCursor::KeepAnchor);
        pane.setTextCursor(c);
    };

    std::vector<Figure> figures;
    figures.push_back({"dictionary: headword list (model)",
                       [&] { DictionaryModule().load(dictionaryPath); },
                       {}});
    // Another list position each time, so the list is really read again.
    figures.push_back({"dictionary: headword list (window LoadCombo, painted)",
                       [&, alt = 0]() mutable {
                           alt ^= 1;
                           dictWindow->LoadCombo(alt + 1);
                           dictWindow->repaint();
                       },
                       {}});
    figures.push_back({"dictionary: entry AARON with see-also (model)",
                       [&] { dictionary.find(QStringLiteral("AARON")); },
                       {}});
    figures.push_back({"dictionary: entry AARON with see-also (window, painted)",
                       [&] {
                           dictWindow->cboLookup->setCurrentIndex(0);
                           dictWindow->cboLookup_Click();
                           dictWindow->repaint();
                       },
                       {}});
    figures.push_back({"names: first lookup (table load + lookup)",
                       [&] {
                           NameLookup t;
                           t.load(namesPath);
                           t.find(QStringLiteral("abel"));
                       },
                       {}});
    figures.push_back(
        {"names: later lookup", [&] { loadedNames.find(QStringLiteral(" abel ")); }, {}});
    figures.push_back({"500-verse pane: select \"Abel\", Integrate Names off",
                       [&] {
                           namesOn = false;
                           select(abel, 4);
                           select(0, 0);
                       },
                       {}});
    figures.push_back({"500-verse pane: select \"Abel\", Integrate Names on",
                       [&] {
                           namesOn = true;
                           select(abel, 4);
                           select(0, 0);
                       },
                       {}});
    figures.push_back({"500-verse pane: select all, Integrate Names on",
                       [&] {
                           namesOn = true;
                           pane.selectAll();
                           select(0, 0);
                       },
                       {}});
    figures.push_back(
        {"commentary: Psalm 119 with its Bible text (model)",
         [&] {
             CommentaryText::BiblePane(
                 state, {state.BibleFiles.at(0), state.BibleNames.at(0), 19, 119, 1, true}, {});
             CommentaryText::CommentaryPane(state, 0, 19, 119, {});
         },
         {}});
    figures.push_back({"commentary: Psalm 119, whole chapter (window, painted)",
                       [&] {
                           commWindow->CurBook = 19;
                           commWindow->CurChap = 119;
                           commWindow->chkChap->setChecked(true);
                           commWindow->cmdGo_Click();
                           commWindow->repaint();
                       },
                       {}});
    figures.push_back({"commentary: Genesis 1:1 (window, painted)",
                       [&] {
                           commWindow->CurBook = 1;
                           commWindow->CurChap = 1;
                           commWindow->chkChap->setChecked(false);
                           commWindow->cmdGo_Click();
                           commWindow->repaint();
                       },
                       {}});
    figures.push_back({"maps: larger map read (model)",
                       [&] { MapFiles::Load(state, QStringLiteral("Journeys of Paul.jpg")); },
                       {}});
    figures.push_back({"maps: larger map shown (window, painted)",
                       [&] {
                           mapsWindow->Combo1_Click(largerMap);
                           mapsWindow->repaint();
                       },
                       {}});
    // The first names figure above builds a fresh table each time; Integrate Names' own table
    // is loaded by its first selection, before the measured runs.
    names.ShowNameMeaning(QStringLiteral("abel"));

    for (int r = 0; r < reps; ++r)
        for (Figure& f : figures)
            f.ms.push_back(millis(f.work));
    std::printf("shipped library; %d repetitions; %d boxes (name meanings), which a user\n"
                "would see and close, are counted and not shown\n",
                reps, dialogs.boxes);
    std::printf("%-60s %10s %10s\n", "case", "median ms", "fastest");
    for (const Figure& f : figures)
        std::printf("%-60s %10.3f %10.3f\n", f.name, median(f.ms),
                    *std::min_element(f.ms.cbegin(), f.ms.cend()));
    delete dictWindow;
    delete commWindow;
    delete mapsWindow;
    return 0;
}
